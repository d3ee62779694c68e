#pragma once
#include <string>

#include "math/Vector2.h"

struct BITMAP;

// The lines, discs and labels of objects on the track, kept to their target
// before they reach the library: a line is cut to the target in double, a
// disc or label wholly outside it is not drawn at all. An object a billion
// screens wide thus costs what a small one does. Counts what it hands on.
class ClippedDraw {
public:
    struct Count {
        long long calls = 0;   // library drawing calls
        long long pixels = 0;  // pixels those calls cover at most
    };

    static void line(BITMAP* target, const Vector2& a, const Vector2& b, int colour);
    // A filled circle of `radius` pixels.
    static void disc(BITMAP* target, const Vector2& centre, int radius, int colour);
    // Text in the library's default font, top-left at `at`, on a clear ground.
    static void label(BITMAP* target, const std::string& text, const Vector2& at, int colour);
    // A filled shape of 3 to kMaxCorners corners, edged in `edge` (none when
    // -1). Only small shapes are drawn: one that reaches kShapeReach pixels
    // past the target, or has a corner nowhere, is left out whole; no mark of
    // the race comes near that.
    static void shape(BITMAP* target, const Vector2* corners, int count, int fill, int edge);
    // A filled box between two corners, both included.
    static void box(BITMAP* target, const Vector2& a, const Vector2& b, int colour);

    static constexpr double kShapeReach = 4096.0;
    static constexpr int kMaxCorners = 8;

    // Everything handed on since the program started.
    static const Count& count() { return counted; }

private:
    static Count counted;
};
