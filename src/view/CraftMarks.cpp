#include "view/CraftMarks.h"

#include <allegro.h>

#include <cmath>

#include "craft/HoverCraft.h"
#include "math/Angles.h"
#include "math/View.h"
#include "view/ClippedDraw.h"

Vector2 CraftMarks::onScreen(double x, double y) {
    // the ground step (x, y) through a view whose origin is the window's corner
    const Vector2 s = project(View(), Vector3(x, y, 0.0));
    const double length = std::hypot(s.x, s.y);
    if (!(length > 0.0)) return Vector2();
    return Vector2(s.x / length, s.y / length);
}

int CraftMarks::dotCount(double speed) {
    if (!(speed >= kStillSpeed)) return 0;
    const double dots = std::ceil(speed / kSpeedPerDot);
    return dots < kMaxDots ? static_cast<int>(dots) : kMaxDots;
}

void CraftMarks::draw(const HoverCraft& craft, View& view) {
    const Vector2 ground = project(view, craft.getPosition());
    const Vector2 body(ground.x, ground.y - kBodyLift);
    const int black = makecol(0, 0, 0);
    const auto ahead = [&body](const Vector2& u, double d, double side) {
        return Vector2(body.x + u.x * d - u.y * side, body.y + u.y * d + u.x * side);
    };
    // the dots first: driving straight, the chevron lies over their line
    const Vector3 v = craft.getVelocity();
    const int dots = dotCount(std::hypot(v.x, v.y));
    const Vector2 slide = onScreen(v.x, v.y);
    const int yellow = makecol(255, 224, 0);
    for (int i = 0; i < dots; ++i) {
        const Vector2 at = ahead(slide, kFirstDot + i * kDotSpacing, 0.0);
        ClippedDraw::disc(view.target, at, kDotRadius + 1, black);
        ClippedDraw::disc(view.target, at, kDotRadius, yellow);
    }
    const double h = degToRad(craft.getHeading());
    const Vector2 nose = onScreen(std::cos(h), -std::sin(h));
    const Vector2 chevron[4] = {ahead(nose, kNoseDistance + kChevronAhead, 0.0),
                                ahead(nose, kNoseDistance - kChevronBehind, kChevronHalfWidth),
                                ahead(nose, kNoseDistance - kChevronNotch, 0.0),
                                ahead(nose, kNoseDistance - kChevronBehind, -kChevronHalfWidth)};
    ClippedDraw::shape(view.target, chevron, 4, makecol(255, 255, 255), black);
}
