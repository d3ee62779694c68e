#include "world/ScaledScreen.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "Pixels.h"
#include "world/EndRequest.h"

namespace {

int patternAt(int x, int y, int depth) { return makecol_depth(depth, (x * 7) & 255, (y * 13) & 255, (x ^ y) & 255); }

BITMAP* patterned(int depth, int w, int h) {
    BITMAP* b = create_bitmap_ex(depth, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) putpixel(b, x, y, patternAt(x, y, depth));
    return b;
}

// How many pixels of `to` differ from what `from`'s rectangle (x, y, w, h),
// enlarged by `scale` to (toX, toY), would make of it, where `to` was
// `background` before.
int wrongPixels(BITMAP* from, BITMAP* to, int x, int y, int w, int h, int toX, int toY, int scale, int background) {
    int wrong = 0;
    for (int j = 0; j < to->h; ++j)
        for (int i = 0; i < to->w; ++i) {
            const bool inside = i >= toX && i < toX + w * scale && j >= toY && j < toY + h * scale;
            const int want = inside ? getpixel(from, x + (i - toX) / scale, y + (j - toY) / scale) : background;
            wrong += getpixel(to, i, j) != want;
        }
    return wrong;
}

// A screen of `w` x `h` pixels while this lives; frames shown as they are after.
class BigScreen {
public:
    BigScreen(int w, int h) : saved(screen) { screen = create_bitmap(w, h); }
    ~BigScreen() {
        ScaledScreen::reset();
        destroy_bitmap(screen);
        screen = saved;
    }
    BigScreen(const BigScreen&) = delete;
    BigScreen& operator=(const BigScreen&) = delete;

private:
    BITMAP* saved;
};

}  // namespace

TEST(ScaledScreen, EachFramePixelBecomesASquareAtEveryDepth) {
    for (int depth : {16, 32, 24, 15}) {
        BITMAP* from = patterned(depth, 64, 48);
        for (int scale : {1, 2, 3}) {
            BITMAP* to = create_bitmap_ex(depth, 64 * scale + 10, 48 * scale + 10);
            const int background = makecol_depth(depth, 255, 0, 255);
            clear_to_color(to, background);
            ScaledScreen::enlarge(from, to, 5, 7, 20, 11, 4, 3, scale);
            EXPECT_EQ(wrongPixels(from, to, 5, 7, 20, 11, 4, 3, scale, background), 0) << depth << " bits at " << scale;
            destroy_bitmap(to);
        }
        destroy_bitmap(from);
    }
}

TEST(ScaledScreen, FramesReachTheScreenEnlargedInPlaceUntilTheDisplayIsLost) {
    EXPECT_EQ(ScaledScreen::canvas(), screen) << "no screen, no canvas";
    BigScreen big(1300, 1000);
    clear_to_color(screen, makecol(9, 9, 9));
    ScaledScreen::setUp(2, 10, 20);
    EXPECT_TRUE(ScaledScreen::isScaled());
    const int black = makecol(0, 0, 0);
    EXPECT_EQ(pixels::countColour(screen, black), 1300 * 1000) << "the screen starts black";
    BITMAP* canvas = ScaledScreen::canvas();
    ASSERT_NE(canvas, screen);
    EXPECT_EQ(canvas->w, 640);
    EXPECT_EQ(canvas->h, 480);

    BITMAP* frame = patterned(bitmap_color_depth(screen), 640, 480);
    // a part of the frame (a dialog's button), then the whole frame
    ScaledScreen::show(frame, 8, 200, 400, 76);
    EXPECT_EQ(wrongPixels(frame, screen, 8, 200, 400, 76, 10 + 16, 20 + 400, 2, black), 0);
    ScaledScreen::show(frame);
    EXPECT_EQ(wrongPixels(frame, screen, 0, 0, 640, 480, 10, 20, 2, black), 0);
    // nothing beyond the frame, whatever is asked
    clear_to_color(screen, black);
    ScaledScreen::show(frame, 600, 470, 100, 100);
    EXPECT_EQ(wrongPixels(frame, screen, 600, 470, 40, 10, 1210, 960, 2, black), 0);

    clear_to_color(screen, black);
    EndRequest::displayLost();
    ScaledScreen::show(frame);
    EXPECT_EQ(pixels::countColour(screen, black), 1300 * 1000) << "a lost display is not drawn on";
    EndRequest::clear();

    // shown as they are: the screen is the canvas, and a frame is copied once
    ScaledScreen::setUp(1, 0, 0);
    EXPECT_FALSE(ScaledScreen::isScaled());
    EXPECT_EQ(ScaledScreen::canvas(), screen);
    ScaledScreen::show(frame, 0, 0, 640, 480);
    EXPECT_EQ(wrongPixels(frame, screen, 0, 0, 640, 480, 0, 0, 1, black), 0);
    destroy_bitmap(frame);
}
