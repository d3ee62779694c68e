#pragma once

struct BITMAP;

// Where the game's 640 x 480 frames reach the screen. Every screen of the
// game (the race, the editor, the preview, the dialogs) is composed at
// 640 x 480 as ever and shown enlarged by a whole scale, each frame pixel a
// square block of window pixels, at a place of the screen: the window's
// corner, or the middle of a full screen, the rest black.
class ScaledScreen {
public:
    // After the graphics mode is set: the scale and the frame's top-left
    // corner on the screen. The screen is cleared to black.
    static void setUp(int scale, int x, int y);
    // Frames shown as they are, at the corner: the state before any set-up.
    static void reset();
    static int scale() { return scaleNow; }
    static int left() { return leftNow; }
    static int top() { return topNow; }
    // Whether a frame is shown other than as it is, where it is.
    static bool isScaled() { return scaleNow != 1 || leftNow != 0 || topNow != 0; }
    // A 640 x 480 bitmap to draw a whole screen on before show(): the screen
    // itself while frames are shown as they are; null without a screen.
    static BITMAP* canvas();
    // The rectangle (x, y, w, h) of a 640 x 480 frame onto the screen,
    // enlarged. Nothing reaches a display that has gone away.
    static void show(BITMAP* frame, int x, int y, int w, int h);
    static void show(BITMAP* frame);
    // Each pixel of the rectangle (x, y, w, h) of `from` as a square of
    // `scale` pixels of `to`, from (toX, toY) on; both memory bitmaps of one
    // depth, the rectangles within them.
    static void enlarge(BITMAP* from, BITMAP* to, int x, int y, int w, int h, int toX, int toY, int scale);

private:
    static inline int scaleNow = 1;
    static inline int leftNow = 0;
    static inline int topNow = 0;
    // the canvas and the enlarged frame, kept between frames
    static inline BITMAP* frameCanvas = nullptr;
    static inline BITMAP* enlarged = nullptr;
};
