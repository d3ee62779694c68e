#pragma once

// A point on a bitmap (pixels) or on the ground plane (world units).
struct Vector2 {
    double x = 0.0, y = 0.0;

    Vector2() = default;
    Vector2(double x_, double y_) : x(x_), y(y_) {}
};
