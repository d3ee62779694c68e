#include "CraftRenderer.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

TEST(CraftRenderer, TheWhitePointOfTheBowLiesAheadAtEveryOneOfTheFrames) {
    const CraftRenderer renderer;
    const double pi = 3.141592653589793;
    for (int frame = 0; frame < 36; ++frame) {
        BITMAP* b = renderer.render(frame * 10.0);
        // the middle of the white pixels, from the deck 6 above the ground point (24, 28)
        int white = 0;
        double x = 0, y = 0;
        for (int j = 0; j < b->h; ++j)
            for (int i = 0; i < b->w; ++i) {
                const int c = getpixel(b, i, j), lo = std::min({getr24(c), getg24(c), getb24(c)});
                if (lo >= 150 && std::max({getr24(c), getg24(c), getb24(c)}) - lo < 24) ++white, x += i - 24, y += j - 22;
            }
        destroy_bitmap(b);
        ASSERT_GE(white, 4) << frame;
        // where the nose points on the screen: (cos h, -sin h) projected
        const double h = frame * pi / 18, off = std::atan2(y, x) - std::atan2((std::sin(h) - std::cos(h)) / 2, std::cos(h) + std::sin(h));
        EXPECT_LT(std::fabs(std::remainder(off, 2 * pi)), 20 * pi / 180) << frame * 10 << " degrees";
    }
}
