#pragma once
#include <algorithm>
#include <cmath>

#include "math/Vector2.h"

// Cuts the segment a-b to the rectangle left..right, top..bottom, in double,
// so that a point a billion screens away comes back to the rectangle's edge.
// False when nothing of it is left, or when it cannot be measured (a NaN, an
// infinity, a length beyond the double range).
inline bool clipSegment(Vector2& a, Vector2& b, double left, double top, double right, double bottom) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - left, right - a.x, a.y - top, bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (!(t0 <= t1)) return false;
    const Vector2 start = a;
    a = Vector2(start.x + t0 * dx, start.y + t0 * dy);
    b = Vector2(start.x + t1 * dx, start.y + t1 * dy);
    return true;
}
