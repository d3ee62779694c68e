#pragma once
#include "math/Vector2.h"
#include "math/Vector3.h"

struct BITMAP;

// Where the world is drawn: the pixel that world (0, 0, 0) lands on, and the
// bitmap to draw into (borrowed).
struct View {
    double originX = 0.0, originY = 0.0;
    BITMAP* target = nullptr;

    View() = default;
    View(const Vector2& origin, BITMAP* t) : originX(origin.x), originY(origin.y), target(t) {}
};

// The one world-to-screen mapping: 2:1 isometric, one unit of height one pixel up.
inline Vector2 project(const View& view, const Vector3& p) {
    return Vector2(view.originX + p.x - p.y, view.originY - (p.x + p.y) / 2.0 - p.z);
}

// Screen coordinates go to the library as ints; a point far off the map (a
// track file can hold 1e300) is clamped first, since converting an out-of-range
// double to int is undefined. Truncation towards zero is kept inside the range.
inline int toPixel(double v) {
    if (!(v > -1.0e8)) return v != v ? 0 : -100000000;
    if (v > 1.0e8) return 100000000;
    return static_cast<int>(v);
}
