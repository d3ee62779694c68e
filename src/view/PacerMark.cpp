#include "view/PacerMark.h"

#include <allegro.h>

#include <cmath>

#include "math/View.h"
#include "world/Pacer.h"

void PacerMark::draw(const Pacer& pacer, View& view) {
    if (!pacer.isShown()) return;
    const Vector2 at = project(view, pacer.point());
    // the way the route runs there, as the screen shows it
    const Vector2 ahead = pacer.hasRoute() ? project(view, pacer.at(pacer.pacerProgress() + kLookAhead)) : at;
    double dx = ahead.x - at.x, dy = ahead.y - at.y;
    const double length = std::hypot(dx, dy);
    if (length > 0.0) {
        dx /= length;
        dy /= length;
    } else {
        dx = 1.0;
        dy = 0.0;
    }
    // the tip ahead of the point, the back behind it, lying on the ground
    const double tipX = at.x + dx * kLength / 2, tipY = at.y + dy * kLength / 2;
    const double backX = at.x - dx * kLength / 2, backY = at.y - dy * kLength / 2;
    const int x1 = toPixel(tipX), y1 = toPixel(tipY);
    const int x2 = toPixel(backX - dy * kHalfWidth), y2 = toPixel(backY + dx * kHalfWidth);
    const int x3 = toPixel(backX + dy * kHalfWidth), y3 = toPixel(backY - dx * kHalfWidth);
    const int x4 = toPixel(at.x - dx * kLength / 6), y4 = toPixel(at.y - dy * kLength / 6);
    BITMAP* target = view.target;
    const int colour = makecol(kRed, kGreen, kBlue), black = makecol(0, 0, 0);
    // an arrowhead with a notch in its back: two triangles
    triangle(target, x1, y1, x2, y2, x4, y4, colour);
    triangle(target, x1, y1, x4, y4, x3, y3, colour);
    line(target, x1, y1, x2, y2, black);
    line(target, x2, y2, x4, y4, black);
    line(target, x4, y4, x3, y3, black);
    line(target, x3, y3, x1, y1, black);
}
