#include "app/ScaledScreen.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "Pixels.h"
#include "app/EndRequest.h"

namespace {

BITMAP* patterned(int depth, int w, int h) {
    BITMAP* b = create_bitmap_ex(depth, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) putpixel(b, x, y, makecol_depth(depth, x * 7 & 255, y * 13 & 255, (x ^ y) & 255));
    return b;
}

// Pixels of `to` other than `from`'s rectangle (x, y, w, h) enlarged by
// `scale` at (toX, toY) on a background of `other`.
int wrongPixels(BITMAP* from, BITMAP* to, int x, int y, int w, int h, int toX, int toY, int scale, int other) {
    int wrong = 0;
    for (int j = 0; j < to->h; ++j)
        for (int i = 0; i < to->w; ++i) {
            const bool in = i >= toX && i < toX + w * scale && j >= toY && j < toY + h * scale;
            wrong += getpixel(to, i, j) != (in ? getpixel(from, x + (i - toX) / scale, y + (j - toY) / scale) : other);
        }
    return wrong;
}

}  // namespace

TEST(ScaledScreen, EachFramePixelBecomesASquareAtEveryDepth) {
    for (int depth : {16, 32, 24, 15}) {
        BITMAP* from = patterned(depth, 64, 48);
        for (int scale : {1, 2, 3}) {
            BITMAP* to = create_bitmap_ex(depth, 64 * scale + 10, 48 * scale + 10);
            clear_to_color(to, 5);
            ScaledScreen::enlarge(from, to, 5, 7, 20, 11, 4, 3, scale);
            EXPECT_EQ(wrongPixels(from, to, 5, 7, 20, 11, 4, 3, scale, 5), 0) << depth << " bits at " << scale;
            destroy_bitmap(to);
        }
        destroy_bitmap(from);
    }
}

TEST(ScaledScreen, FramesReachTheScreenEnlargedInPlaceUntilTheDisplayIsLost) {
    EXPECT_EQ(ScaledScreen::canvas(), nullptr) << "no screen, no canvas";
    BITMAP* const saved = screen;
    screen = create_bitmap(1300, 1000);
    clear_to_color(screen, 9);
    ScaledScreen::setUp(2, 10, 20);
    EXPECT_EQ(pixels::countColour(screen, 0), 1300 * 1000) << "the screen starts black";
    BITMAP* canvas = ScaledScreen::canvas();
    ASSERT_NE(canvas, screen);
    EXPECT_EQ(pixels::countColour(canvas, 0), 640 * 480) << "a black 640 x 480 canvas";

    BITMAP* frame = patterned(bitmap_color_depth(screen), 640, 480);
    // a part of the frame (a dialog's button), then the whole, then what lies beyond it
    ScaledScreen::show(frame, 8, 200, 400, 76);
    EXPECT_EQ(wrongPixels(frame, screen, 8, 200, 400, 76, 26, 420, 2, 0), 0);
    ScaledScreen::show(frame);
    EXPECT_EQ(wrongPixels(frame, screen, 0, 0, 640, 480, 10, 20, 2, 0), 0);
    clear_to_color(screen, 0);
    ScaledScreen::show(frame, 600, 470, 100, 100);
    EXPECT_EQ(wrongPixels(frame, screen, 600, 470, 40, 10, 1210, 960, 2, 0), 0);

    clear_to_color(screen, 0);
    EndRequest::displayLost();
    ScaledScreen::show(frame);
    EXPECT_EQ(pixels::countColour(screen, 0), 1300 * 1000) << "a lost display is not drawn on";
    EndRequest::clear();

    // shown as they are: the screen is the canvas, and a frame is copied as it is
    ScaledScreen::setUp(1, 0, 0);
    EXPECT_FALSE(ScaledScreen::isScaled());
    EXPECT_EQ(ScaledScreen::canvas(), screen);
    ScaledScreen::show(frame);
    EXPECT_EQ(wrongPixels(frame, screen, 0, 0, 640, 480, 0, 0, 1, 0), 0);
    destroy_bitmap(frame);
    ScaledScreen::reset();
    destroy_bitmap(screen);
    screen = saved;
}
