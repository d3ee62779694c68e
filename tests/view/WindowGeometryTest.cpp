#include "view/WindowGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(WindowGeometry, ArrowPointsFromTheMiddleAtAGateOffEachSide) {
    const double m = WindowGeometry::kArrowMargin, h = std::sqrt(0.5);
    // gate, tip, direction; the last leaves through the top at a slant
    const double cases[][6] = {{-500, 240, m, 240, -1, 0},    {1500, 240, 640 - m, 240, 1, 0},
                               {320, -900, 320, m, 0, -1},    {320, 2000, 320, 480 - m, 0, 1},
                               {720, -160, 536, m, h, -h}};
    for (const auto& c : cases) {
        const EdgeArrow a = WindowGeometry::arrowTo(Vector2(c[0], c[1]), 640, 480);
        EXPECT_TRUE(a.shown && std::hypot(a.tip.x - c[2], a.tip.y - c[3]) < 1e-9 &&
                    std::hypot(a.direction.x - c[4], a.direction.y - c[5]) < 1e-9)
            << "gate at " << c[0] << ", " << c[1];
    }
    // on screen, even close to an edge, or no number at all: no arrow
    EXPECT_FALSE(WindowGeometry::arrowTo(Vector2(640 - m, 480 - m), 640, 480).shown);
    EXPECT_FALSE(WindowGeometry::arrowTo(Vector2(std::nan(""), 1e9), 640, 480).shown);
}
