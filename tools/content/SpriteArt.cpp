#include "SpriteArt.h"

#include <cmath>

#include "ContentPalette.h"
#include "SpriteCanvas.h"

namespace {

constexpr double kPi = 3.141592653589793;

BITMAP* finish(const SpriteCanvas& canvas, const ContentPalette& palette) { return canvas.toPaletted(palette); }

}  // namespace

BITMAP* SpriteArt::pineTree() const {
    // 32 x 48, the trunk's foot at 80 % of the height
    SpriteCanvas c(32, 48);
    c.ellipse(16, 38.4, 9, 3.5, 30, 52, 20);  // shadow on the ground
    c.polygon({{14, 30}, {18, 30}, {18.5, 39}, {13.5, 39}}, 104, 68, 36);
    c.polygon({{15.8, 30}, {18, 30}, {18.5, 39}, {16.2, 39}}, 76, 48, 24);
    const double tiers[3][3] = {{32, 14, 16}, {22, 11.5, 12}, {13, 8.5, 9}};  // base y, half width, height
    for (const auto& t : tiers) {
        c.polygon({{16, t[0] - t[2]}, {16 + t[1], t[0]}, {16 - t[1], t[0]}}, 40, 104, 44);
        c.polygon({{16, t[0] - t[2]}, {16 + t[1], t[0]}, {16.5, t[0]}}, 28, 80, 32);
        c.line(16 - t[1] * 0.6, t[0] - 1.2, 15, t[0] - t[2] * 0.55, 1.2, 76, 148, 60);
    }
    c.circle(15, 3.4, 1.2, 120, 180, 90);
    return finish(c, palette);
}

BITMAP* SpriteArt::roundTree() const {
    // 36 x 44: a broad crown of leaves over a short trunk
    SpriteCanvas c(36, 44);
    c.ellipse(18, 35.2, 12, 4, 30, 52, 20);
    c.polygon({{16, 22}, {20, 22}, {21, 35.5}, {15, 35.5}}, 110, 72, 40);
    c.polygon({{18.5, 22}, {20, 22}, {21, 35.5}, {18.5, 35.5}}, 80, 52, 28);
    const double blobs[6][3] = {{18, 14, 10}, {10, 18, 7}, {26, 18, 7}, {13, 9, 7}, {23, 9, 7}, {18, 22, 7}};
    for (const auto& b : blobs) c.circle(b[0], b[1], b[2], 44, 112, 40);
    for (const auto& b : blobs) c.circle(b[0] + 1.5, b[1] + 1.5, b[2] * 0.6, 34, 92, 32);
    for (const auto& b : blobs) c.circle(b[0] - 2, b[1] - 2.5, b[2] * 0.45, 84, 152, 60);
    c.circle(15, 7, 2, 132, 190, 96);
    c.circle(24, 20, 1.3, 200, 40, 40);  // a few apples
    c.circle(11, 15, 1.3, 200, 40, 40);
    return finish(c, palette);
}

BITMAP* SpriteArt::boulder() const {
    // 30 x 24: a grey rock with a lit top and a dark flank
    SpriteCanvas c(30, 24);
    c.ellipse(15, 19.2, 13, 4, 40, 48, 28);
    c.polygon({{3, 19}, {5, 9}, {11, 4}, {19, 3}, {26, 8}, {28, 17}, {22, 22}, {8, 22}}, 124, 120, 112);
    c.polygon({{19, 3}, {26, 8}, {28, 17}, {22, 22}, {18, 21}, {21, 12}}, 92, 88, 82);
    c.polygon({{5, 9}, {11, 4}, {19, 3}, {21, 12}, {12, 12}}, 164, 160, 150);
    c.line(12, 12, 18, 21, 1.0, 84, 80, 76);
    c.circle(10, 7, 1.5, 196, 192, 184);
    return finish(c, palette);
}

BITMAP* SpriteArt::buoy() const {
    // 16 x 28: a red and white buoy with a lamp, floating on its waterline
    SpriteCanvas c(16, 28);
    c.ellipse(8, 22.4, 7, 2.5, 160, 196, 220);  // ripple ring
    c.polygon({{3, 22}, {4, 12}, {12, 12}, {13, 22}}, 212, 32, 28);
    c.polygon({{3.6, 17.5}, {3.9, 15}, {12.1, 15}, {12.4, 17.5}}, 240, 240, 236);
    c.polygon({{9.5, 12}, {12, 12}, {13, 22}, {10, 22}}, 156, 20, 18);
    c.polygon({{6, 12}, {7, 5}, {9, 5}, {10, 12}}, 90, 90, 94);
    c.circle(8, 4, 2.5, 252, 220, 60);
    c.circle(7.3, 3.3, 0.9, 255, 255, 210);
    return finish(c, palette);
}

BITMAP* SpriteArt::hut() const {
    // 44 x 44: a timber hut with a red roof, door and window
    SpriteCanvas c(44, 44);
    c.ellipse(22, 36, 20, 6, 30, 52, 20);
    // walls: front face left, side face right
    c.polygon({{5, 22}, {24, 30}, {24, 41}, {5, 33}}, 168, 116, 64);
    c.polygon({{24, 30}, {40, 22}, {40, 33}, {24, 41}}, 124, 84, 44);
    for (int k = 0; k < 4; ++k) {
        const double y = 25 + k * 2.6;
        c.line(5, y, 24, y + 8, 0.5, 132, 88, 48);
        c.line(24, y + 8, 40, y, 0.5, 96, 64, 32);
    }
    c.polygon({{11, 29}, {16, 31}, {16, 38.5}, {11, 36.5}}, 72, 44, 24);     // door
    c.polygon({{29, 29}, {35, 26}, {35, 30}, {29, 33}}, 200, 220, 228);      // window
    c.line(32, 27.5, 32, 31.5, 0.6, 90, 60, 30);
    // roof
    c.polygon({{2, 23}, {20, 8}, {26, 31}}, 184, 44, 36);
    c.polygon({{20, 8}, {37, 3}, {43, 22}, {26, 31}}, 150, 32, 28);
    c.line(20, 8, 37, 3, 1.2, 212, 80, 60);
    c.polygon({{30, 2}, {33, 1}, {33, 7}, {30, 8}}, 110, 104, 100);  // chimney
    return finish(c, palette);
}

BITMAP* SpriteArt::frozenPowerup() const {
    SpriteCanvas c(kPowerupSize, kPowerupSize);
    // an ice cube seen from above the corner
    c.polygon({{12, 2}, {22, 7}, {12, 12}, {2, 7}}, 220, 248, 252);
    c.polygon({{2, 7}, {12, 12}, {12, 22}, {2, 17}}, 120, 200, 236);
    c.polygon({{12, 12}, {22, 7}, {22, 17}, {12, 22}}, 72, 152, 212);
    c.line(5, 9.5, 5, 15, 1.0, 236, 252, 255);
    c.line(14.5, 15, 19.5, 12.5, 0.8, 180, 228, 248);
    c.circle(9, 6, 1.3, 255, 255, 255);
    return finish(c, palette);
}

BITMAP* SpriteArt::wonkyPowerup() const {
    SpriteCanvas c(kPowerupSize, kPowerupSize);
    c.circle(12, 12, 11, 120, 36, 156);
    c.circle(12, 12, 9.5, 172, 60, 200);
    // a spiral from the centre outwards
    double px = 12, py = 12;
    for (int s = 1; s <= 40; ++s) {
        const double t = s * 0.42, r = s * 0.2;
        const double x = 12 + r * std::cos(t), y = 12 + r * std::sin(t);
        c.line(px, py, x, y, 1.8, 252, 228, 48);
        px = x;
        py = y;
    }
    return finish(c, palette);
}

BITMAP* SpriteArt::opponentsFrozenPowerup() const {
    SpriteCanvas c(kPowerupSize, kPowerupSize);
    c.circle(12, 12, 11, 16, 32, 120);
    c.circle(12, 12, 9.8, 28, 56, 168);
    for (int arm = 0; arm < 6; ++arm) {
        const double t = arm * kPi / 3 + kPi / 2;
        const double ex = 12 + 8.5 * std::cos(t), ey = 12 - 8.5 * std::sin(t);
        c.line(12, 12, ex, ey, 1.6, 248, 252, 255);
        for (int side = -1; side <= 1; side += 2) {
            const double mx = 12 + 5.5 * std::cos(t), my = 12 - 5.5 * std::sin(t);
            const double bt = t + side * 0.8;
            c.line(mx, my, mx + 2.8 * std::cos(bt), my - 2.8 * std::sin(bt), 1.1, 248, 252, 255);
        }
    }
    c.circle(12, 12, 2, 200, 236, 255);
    return finish(c, palette);
}

BITMAP* SpriteArt::turboPowerup() const {
    SpriteCanvas c(kPowerupSize, kPowerupSize);
    c.circle(12, 12, 11, 160, 20, 16);
    c.circle(12, 12, 9.8, 216, 40, 24);
    c.polygon({{14, 2.5}, {6, 13}, {11, 13}, {9, 21.5}, {18, 10}, {13, 10}, {16, 2.5}}, 252, 200, 40);
    c.polygon({{14, 2.5}, {16, 2.5}, {13, 10}, {11.8, 10}}, 255, 244, 160);
    return finish(c, palette);
}
