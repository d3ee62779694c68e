#include "view/ClippedDraw.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "math/Clip.h"
#include "math/View.h"

ClippedDraw::Count ClippedDraw::counted;

namespace {

// Whether a box of the plane comes within a pixel of the target's clip
// rectangle; false for a box with a NaN in it.
bool meets(const BITMAP* target, double left, double top, double right, double bottom) {
    return right >= target->cl - 1.0 && left <= target->cr + 1.0 && bottom >= target->ct - 1.0 &&
           top <= target->cb + 1.0;
}

}  // namespace

void ClippedDraw::line(BITMAP* target, const Vector2& from, const Vector2& to, int colour) {
    // a pixel's margin round the clip rectangle: the ends are truncated to
    // whole pixels as before, and the library clips the last pixel itself
    Vector2 a = from, b = to;
    if (!clipSegment(a, b, target->cl - 1.0, target->ct - 1.0, target->cr + 1.0, target->cb + 1.0)) return;
    const int x0 = toPixel(a.x), y0 = toPixel(a.y), x1 = toPixel(b.x), y1 = toPixel(b.y);
    ++counted.calls;
    counted.pixels += std::max(std::abs(x1 - x0), std::abs(y1 - y0)) + 1;
    ::line(target, x0, y0, x1, y1, colour);
}

void ClippedDraw::disc(BITMAP* target, const Vector2& centre, int radius, int colour) {
    if (!meets(target, centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius)) return;
    ++counted.calls;
    counted.pixels += static_cast<long long>(2 * radius + 1) * (2 * radius + 1);
    circlefill(target, toPixel(centre.x), toPixel(centre.y), radius, colour);
}

void ClippedDraw::label(BITMAP* target, const std::string& text, const Vector2& at, int colour) {
    const int width = text_length(font, text.c_str()), height = text_height(font);
    if (!(at.x + width >= target->cl && at.x <= target->cr && at.y + height >= target->ct && at.y <= target->cb))
        return;
    ++counted.calls;
    counted.pixels += static_cast<long long>(width) * height;
    textout_ex(target, font, text.c_str(), toPixel(at.x), toPixel(at.y), colour, -1);
}

void ClippedDraw::shape(BITMAP* target, const Vector2* corners, int count, int fill, int edge) {
    if (count < 3 || count > kMaxCorners) return;
    double left = corners[0].x, right = left, top = corners[0].y, bottom = top;
    for (int i = 0; i < count; ++i) {
        // a corner nowhere would slip through the comparisons below
        if (std::isnan(corners[i].x) || std::isnan(corners[i].y)) return;
        left = std::min(left, corners[i].x);
        right = std::max(right, corners[i].x);
        top = std::min(top, corners[i].y);
        bottom = std::max(bottom, corners[i].y);
    }
    // an infinity fails the reach
    if (!meets(target, left, top, right, bottom)) return;
    if (!(left > target->cl - kShapeReach && right < target->cr + kShapeReach && top > target->ct - kShapeReach &&
          bottom < target->cb + kShapeReach))
        return;
    int points[2 * kMaxCorners];
    for (int i = 0; i < count; ++i) {
        points[2 * i] = toPixel(corners[i].x);
        points[2 * i + 1] = toPixel(corners[i].y);
    }
    ++counted.calls;
    counted.pixels += static_cast<long long>(right - left + 1) * static_cast<long long>(bottom - top + 1);
    polygon(target, count, points, fill);
    if (edge == -1) return;
    for (int i = 0; i < count; ++i) line(target, corners[i], corners[(i + 1) % count], edge);
}

void ClippedDraw::box(BITMAP* target, const Vector2& a, const Vector2& b, int colour) {
    const double left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const double top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    if (!meets(target, left, top, right, bottom)) return;
    // the library clips a box itself; only the ints must stay in range
    ++counted.calls;
    counted.pixels += static_cast<long long>(std::min(right, target->cr + 1.0) - std::max(left, target->cl - 1.0) + 1) *
                      static_cast<long long>(std::min(bottom, target->cb + 1.0) - std::max(top, target->ct - 1.0) + 1);
    rectfill(target, toPixel(left), toPixel(top), toPixel(right), toPixel(bottom), colour);
}
