#pragma once
#include <allegro.h>

#include <vector>

class ContentPalette;

// A sprite drawn at four times its size and then reduced: edges come out
// smooth, and a pixel counts as opaque when most of it was painted.
class SpriteCanvas {
public:
    struct Point {
        double x, y;
    };

    SpriteCanvas(int width, int height);
    ~SpriteCanvas();
    SpriteCanvas(const SpriteCanvas&) = delete;
    SpriteCanvas& operator=(const SpriteCanvas&) = delete;

    // Coordinates are in sprite pixels; colours are 8-bit r, g, b.
    void polygon(const std::vector<Point>& points, int r, int g, int b);
    void circle(double x, double y, double radius, int r, int g, int b);
    void ellipse(double x, double y, double rx, double ry, int r, int g, int b);
    void line(double x1, double y1, double x2, double y2, double thickness, int r, int g, int b);

    // A new 256-colour bitmap: unpainted pixels are index 0.
    BITMAP* toPaletted(const ContentPalette& palette) const;

    static constexpr int kScale = 4;

private:
    int width, height;
    BITMAP* target;
};
