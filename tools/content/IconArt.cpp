#include "IconArt.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>

#include "CraftRenderer.h"

namespace {

constexpr int kSuper = 4;  // samples per pixel side
constexpr double kCentre = IconArt::kSize / 2.0;
constexpr double kRadius = IconArt::kSize / 2.0 - 0.5;
// nose towards the upper right, along the screen's isometric axis
constexpr double kHeading = 0.0;
// where the craft's ground point lies in the icon (the renderer's own frame)
constexpr double kCraftX = CraftRenderer::kWidth / 2.0;
constexpr double kCraftY = CraftRenderer::kHeight - 20.0;
constexpr double kWakeSpread = 0.55;  // half-width of the wake per pixel behind
constexpr double kWakeWidth = 2.0;
constexpr double kWakeStart = 12.0;

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

// water darkening towards the bottom of the disc, foam where the wake runs
Rgb water(double x, double y) {
    const Rgb top{70, 150, 215}, bottom{18, 62, 140}, foam{235, 245, 250};
    Rgb c = mix(top, bottom, std::clamp(y / IconArt::kSize, 0.0, 1.0));
    // behind the craft: down and to the left on the screen
    const double bx = -2.0 / std::sqrt(5.0), by = 1.0 / std::sqrt(5.0);
    const double dx = x - kCraftX, dy = y - kCraftY;
    const double along = dx * bx + dy * by;
    const double across = std::fabs(dx * by - dy * bx);
    if (along > kWakeStart && std::fabs(across - (along - kWakeStart) * kWakeSpread - 2.0) < kWakeWidth / 2)
        c = mix(c, foam, 0.8);
    return c;
}

}  // namespace

std::vector<std::uint32_t> IconArt::render() {
    static_assert(CraftRenderer::kWidth == kSize && CraftRenderer::kHeight == kSize,
                  "the icon shows the craft at its own size");
    BITMAP* craft = CraftRenderer().render(kHeading);
    std::vector<std::uint32_t> pixels(static_cast<size_t>(kSize) * kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            Rgb sum{0, 0, 0};
            int inside = 0;
            for (int sy = 0; sy < kSuper; ++sy) {
                for (int sx = 0; sx < kSuper; ++sx) {
                    const double px = x + (sx + 0.5) / kSuper, py = y + (sy + 0.5) / kSuper;
                    if (std::hypot(px - kCentre, py - kCentre) > kRadius) continue;
                    const Rgb w = water(px, py);
                    sum = {sum.r + w.r, sum.g + w.g, sum.b + w.b};
                    ++inside;
                }
            }
            Rgb c = inside ? Rgb{sum.r / inside, sum.g / inside, sum.b / inside} : Rgb{0, 0, 0};
            double alpha = static_cast<double>(inside) / (kSuper * kSuper);
            // the craft sprite is drawn on black: anything else is craft
            const int p = getpixel(craft, x, y);
            if ((getr24(p) | getg24(p) | getb24(p)) != 0) {
                c = {static_cast<double>(getr24(p)), static_cast<double>(getg24(p)), static_cast<double>(getb24(p))};
                alpha = 1.0;
            }
            const auto channel = [](double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 255.0))); };
            pixels[static_cast<size_t>(y) * kSize + x] =
                (channel(alpha * 255) << 24) | (channel(c.r) << 16) | (channel(c.g) << 8) | channel(c.b);
        }
    }
    destroy_bitmap(craft);
    return pixels;
}
