#include "world/PlayArea.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(PlayArea, ArrowPointsFromTheMiddleAtAGateOffEachSide) {
    const int m = PlayArea::kArrowMargin;
    struct Case {
        Vector2 gate, tip, direction;
    } cases[] = {
        {{-500, 240}, {m, 240}, {-1, 0}},
        {{1500, 240}, {640 - m, 240}, {1, 0}},
        {{320, -900}, {320, m}, {0, -1}},
        {{320, 2000}, {320, 480 - m}, {0, 1}},
        // up and to the right: it leaves through the top, at a slant
        {{720, -160}, {320 + 216, m}, {std::sqrt(0.5), -std::sqrt(0.5)}},
    };
    for (const Case& c : cases) {
        const EdgeArrow a = PlayArea::arrowTo(c.gate, 640, 480);
        ASSERT_TRUE(a.shown) << c.gate.x << "," << c.gate.y;
        EXPECT_NEAR(a.tip.x, c.tip.x, 1e-9) << c.gate.x << "," << c.gate.y;
        EXPECT_NEAR(a.tip.y, c.tip.y, 1e-9) << c.gate.x << "," << c.gate.y;
        EXPECT_NEAR(a.direction.x, c.direction.x, 1e-9) << c.gate.x << "," << c.gate.y;
        EXPECT_NEAR(a.direction.y, c.direction.y, 1e-9) << c.gate.x << "," << c.gate.y;
    }
    // on screen, even close to an edge, or no number at all: no arrow
    EXPECT_FALSE(PlayArea::arrowTo({640 - m, 480 - m}, 640, 480).shown);
    EXPECT_FALSE(PlayArea::arrowTo({m, 100}, 640, 480).shown);
    EXPECT_FALSE(PlayArea::arrowTo({std::nan(""), 1e9}, 640, 480).shown);
}
