#include "view/ClippedDraw.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

TEST(ClippedDraw, EachCallCountsWhatItMayCoverAndWhatLiesAPixelPastTheTargetIsNotDrawn) {
    BITMAP* b = create_bitmap(100, 80);
    const int ink = makecol(255, 0, 0), edge = makecol(0, 0, 255);
    const auto cost = [](const std::function<void()>& draw) {
        const ClippedDraw::Count before = ClippedDraw::count();
        draw();
        return ClippedDraw::Count{ClippedDraw::count().calls - before.calls, ClippedDraw::count().pixels - before.pixels};
    };
    const Vector2 triangle[3] = {Vector2(10, 10), Vector2(30, 10), Vector2(10, 20)};
    const Vector2 far[3] = {triangle[0], Vector2(1e300, 10), triangle[2]};
    const Vector2 lost[3] = {triangle[0], Vector2(std::nan(""), 10), triangle[2]};
    const struct {
        const char* what;
        std::function<void()> draw;
        long long calls, pixels;
    } cases[] = {
        {"line", [&] { ClippedDraw::line(b, Vector2(10, 10), Vector2(40, 20), ink); }, 1, 31},
        {"disc", [&] { ClippedDraw::disc(b, Vector2(50, 40), 3, ink); }, 1, 49},
        {"label", [&] { ClippedDraw::label(b, "ab", Vector2(5, 5), ink); }, 1, 16 * 8},
        // the box round the shape, and each edge a line
        {"triangle edged", [&] { ClippedDraw::shape(b, triangle, 3, ink, edge); }, 4, 21 * 11 + 21 + 21 + 11},
        {"triangle", [&] { ClippedDraw::shape(b, triangle, 3, ink, -1); }, 1, 21 * 11},
        {"two corners", [&] { ClippedDraw::shape(b, triangle, 2, ink, edge); }, 0, 0},
        {"a corner far off", [&] { ClippedDraw::shape(b, far, 3, ink, edge); }, 0, 0},
        {"a corner nowhere", [&] { ClippedDraw::shape(b, lost, 3, ink, edge); }, 0, 0},
        {"box", [&] { ClippedDraw::box(b, Vector2(19, 14), Vector2(10, 10), ink); }, 1, 10 * 5},
        // counted to a pixel past the clip edges, which lie one past the last pixel
        {"box over all", [&] { ClippedDraw::box(b, Vector2(-50, -50), Vector2(1e300, 200), ink); }, 1, 103 * 83},
        {"box off the bottom", [&] { ClippedDraw::box(b, Vector2(0, 81), Vector2(9, 90), ink); }, 1, 10 * 1},
        {"box further off", [&] { ClippedDraw::box(b, Vector2(0, 81.5), Vector2(9, 90), ink); }, 0, 0},
    };
    for (const auto& c : cases) {
        const ClippedDraw::Count n = cost(c.draw);
        EXPECT_TRUE(n.calls == c.calls && n.pixels == c.pixels) << c.what << ": " << n.calls << ", " << n.pixels;
    }
    // a disc reaching a pixel past an edge is drawn, half a pixel further out it is not
    const double edges[][4] = {{-4, 40, -0.5, 0}, {104, 40, 0.5, 0}, {50, -4, 0, -0.5}, {50, 84, 0, 0.5}};
    for (const auto& e : edges) {
        EXPECT_EQ(cost([&] { ClippedDraw::disc(b, Vector2(e[0], e[1]), 3, ink); }).calls, 1) << e[0] << ", " << e[1];
        EXPECT_EQ(cost([&] { ClippedDraw::disc(b, Vector2(e[0] + e[2], e[1] + e[3]), 3, ink); }).calls, 0) << e[0] << ", " << e[1];
    }
    // the triangle filled, its corners edged
    clear_to_color(b, 0);
    ClippedDraw::shape(b, triangle, 3, ink, edge);
    EXPECT_TRUE(getpixel(b, 14, 12) == ink && getpixel(b, 30, 10) == edge && getpixel(b, 20, 18) == 0);
    destroy_bitmap(b);
}
