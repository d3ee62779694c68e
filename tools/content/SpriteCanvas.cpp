#include "SpriteCanvas.h"

#include <cmath>

#include "ContentPalette.h"

namespace {

const int kBackground = 0xFF00FF;  // never painted by the art

int pack(int r, int g, int b) {
    int c = makecol32(r, g, b);
    // keep painted black apart from the background
    if ((c & 0xFFFFFF) == kBackground) c ^= 1;
    return c;
}

}  // namespace

SpriteCanvas::SpriteCanvas(int w, int h) : width(w), height(h) {
    target = create_bitmap_ex(32, w * kScale, h * kScale);
    clear_to_color(target, kBackground);
}

SpriteCanvas::~SpriteCanvas() { destroy_bitmap(target); }

void SpriteCanvas::polygon(const std::vector<Point>& points, int r, int g, int b) {
    std::vector<int> flat;
    for (const Point& p : points) {
        flat.push_back(static_cast<int>(std::lround(p.x * kScale)));
        flat.push_back(static_cast<int>(std::lround(p.y * kScale)));
    }
    ::polygon(target, static_cast<int>(points.size()), flat.data(), pack(r, g, b));
}

void SpriteCanvas::circle(double x, double y, double radius, int r, int g, int b) {
    circlefill(target, static_cast<int>(std::lround(x * kScale)), static_cast<int>(std::lround(y * kScale)),
               static_cast<int>(std::lround(radius * kScale)), pack(r, g, b));
}

void SpriteCanvas::ellipse(double x, double y, double rx, double ry, int r, int g, int b) {
    ellipsefill(target, static_cast<int>(std::lround(x * kScale)), static_cast<int>(std::lround(y * kScale)),
                static_cast<int>(std::lround(rx * kScale)), static_cast<int>(std::lround(ry * kScale)),
                pack(r, g, b));
}

void SpriteCanvas::line(double x1, double y1, double x2, double y2, double thickness, int r, int g, int b) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length <= 0.0) {
        circle(x1, y1, thickness / 2, r, g, b);
        return;
    }
    const double nx = -dy / length * thickness / 2, ny = dx / length * thickness / 2;
    polygon({{x1 + nx, y1 + ny}, {x2 + nx, y2 + ny}, {x2 - nx, y2 - ny}, {x1 - nx, y1 - ny}}, r, g, b);
    circle(x1, y1, thickness / 2, r, g, b);
    circle(x2, y2, thickness / 2, r, g, b);
}

BITMAP* SpriteCanvas::toPaletted(const ContentPalette& palette) const {
    BITMAP* out = create_bitmap_ex(8, width, height);
    clear_to_color(out, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int covered = 0, r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kScale; ++sy) {
                for (int sx = 0; sx < kScale; ++sx) {
                    const int c = getpixel(target, x * kScale + sx, y * kScale + sy);
                    if ((c & 0xFFFFFF) == kBackground) continue;
                    ++covered;
                    r += getr32(c);
                    g += getg32(c);
                    b += getb32(c);
                }
            }
            if (covered * 2 <= kScale * kScale) continue;
            putpixel(out, x, y, palette.nearest(r / covered, g / covered, b / covered));
        }
    }
    return out;
}
