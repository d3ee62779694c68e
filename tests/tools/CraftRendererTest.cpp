#include "CraftRenderer.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

TEST(CraftRenderer, TheWhitePointOfTheBowLiesAheadAtEveryOneOfTheFrames) {
    const CraftRenderer renderer;
    // the deck's middle: 6 above the ground point, which lies 20 above the bottom
    const double cx = CraftRenderer::kWidth / 2.0, cy = CraftRenderer::kHeight - 20.0 - 6.0;
    for (int frame = 0; frame < 36; ++frame) {
        const double heading = frame * 10.0, h = heading * 3.141592653589793 / 180.0;
        BITMAP* b = renderer.render(heading);
        int white = 0;
        double x = 0, y = 0;
        for (int j = 0; j < b->h; ++j)
            for (int i = 0; i < b->w; ++i) {
                const int c = getpixel(b, i, j), r = getr24(c), g = getg24(c), bl = getb24(c);
                if (std::min({r, g, bl}) >= 150 && std::max({r, g, bl}) - std::min({r, g, bl}) < 24) {
                    ++white;
                    x += i;
                    y += j;
                }
            }
        destroy_bitmap(b);
        ASSERT_GE(white, 4) << heading << ": the bow's point shows";
        // where the nose points on the screen: (cos h, -sin h) projected
        const double nx = std::cos(h) + std::sin(h), ny = (std::sin(h) - std::cos(h)) / 2;
        const double off = std::remainder(std::atan2(y / white - cy, x / white - cx) - std::atan2(ny, nx), 2 * 3.141592653589793);
        EXPECT_LT(std::fabs(off) * 180 / 3.141592653589793, 20.0) << heading;
    }
}
