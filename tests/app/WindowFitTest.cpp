#include "app/WindowFit.h"

#include <gtest/gtest.h>

TEST(WindowFit, TheWindowIsTheLargestScaleThatLeavesTheDesktopItsPanelsUpToThree) {
    const struct {
        int width, height, asked, scale;
    } desktops[] = {
        {800, 600, 0, 1},    {1024, 768, 0, 1},   {1280, 1024, 0, 1}, {1366, 768, 0, 1},
        {1360, 1040, 0, 2},  {1359, 1040, 0, 1},  {1360, 1039, 0, 1}, {1920, 1080, 0, 2},
        {2560, 1440, 0, 2},  {2000, 1520, 0, 3},  {2000, 1519, 0, 2}, {3840, 2160, 0, 3},
        {7680, 4320, 0, 3},  {0, 0, 0, 1},        {-1, -1, 0, 1},
        // asked on the command line: as asked, within 1 to 3, whatever the desktop
        {800, 600, 2, 2},    {3840, 2160, 1, 1},  {1920, 1080, 3, 3}, {1920, 1080, 9, 3},
    };
    for (const auto& d : desktops)
        EXPECT_EQ(WindowFit::windowScale(d.width, d.height, d.asked), d.scale)
            << d.width << " x " << d.height << " asked " << d.asked;
}

TEST(WindowFit, AFullScreenHoldsTheLargestScaleCentredOnBlack) {
    const struct {
        int width, height, asked;
        FramePlace place;
    } screens[] = {
        {640, 480, 0, {1, 0, 0}},       {800, 600, 0, {1, 80, 60}},      {1920, 1080, 0, {2, 320, 60}},
        {1280, 960, 0, {2, 0, 0}},      {3840, 2160, 0, {4, 640, 120}},  {2560, 1080, 0, {2, 640, 60}},
        {1920, 1080, 1, {1, 640, 300}}, {3840, 2160, 3, {3, 960, 360}},  {1920, 1080, 5, {2, 320, 60}},
    };
    for (const auto& s : screens) {
        const FramePlace p = WindowFit::fullScreen(s.width, s.height, s.asked);
        EXPECT_EQ(p.scale, s.place.scale) << s.width << " x " << s.height << " asked " << s.asked;
        EXPECT_EQ(p.x, s.place.x) << s.width << " x " << s.height << " asked " << s.asked;
        EXPECT_EQ(p.y, s.place.y) << s.width << " x " << s.height << " asked " << s.asked;
    }
}

TEST(WindowFit, AnEnlargedFrameTriesTheDesktopsDepthFirst) {
    const int order[] = {16, 32, 24, 0};
    EXPECT_EQ(WindowFit::depthsToTry(order, 32, true), (std::vector<int>{32, 16, 24}));
    EXPECT_EQ(WindowFit::depthsToTry(order, 24, true), (std::vector<int>{24, 16, 32}));
    EXPECT_EQ(WindowFit::depthsToTry(order, 32, false), (std::vector<int>{16, 32, 24}));
    EXPECT_EQ(WindowFit::depthsToTry(order, 8, true), (std::vector<int>{16, 32, 24})) << "never a palette";
}

TEST(WindowFit, TheMouseLandsOnTheFramePixelItPointsAt) {
    const struct {
        int pos, start, scale, frame;
    } table[] = {
        {0, 0, 1, 0},    {639, 0, 1, 639},  {1, 0, 2, 0},    {2, 0, 2, 1},     {1279, 0, 2, 639},
        {1280, 0, 2, 640}, {5, 0, 3, 1},    {6, 0, 3, 2},    {320, 320, 2, 0}, {321, 320, 2, 0},
        {322, 320, 2, 1}, {319, 320, 2, -1}, {318, 320, 2, -1}, {317, 320, 2, -2}, {0, 60, 3, -20},
    };
    for (const auto& t : table)
        EXPECT_EQ(WindowFit::toFrame(t.pos, t.start, t.scale), t.frame) << t.pos << " from " << t.start << " at " << t.scale;
}
