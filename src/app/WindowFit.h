#pragma once
#include <vector>

// How large the 640 x 480 frame is shown: enlarged by a whole number, so each
// pixel of the frame is a square block of the screen's pixels (crisp, no
// blur), and where it lies.
struct FramePlace {
    int scale = 1;
    int x = 0;
    int y = 0;
};

class WindowFit {
public:
    static constexpr int kFrameWidth = 640;
    static constexpr int kFrameHeight = 480;
    static constexpr int kMaxWindowScale = 3;
    // What a desktop keeps around a window: its panels and docks, the
    // window's title bar and borders.
    static constexpr int kDesktopRoom = 80;

    // The window's scale on a desktop of that size: `asked` when the command
    // line asks (brought into 1 to kMaxWindowScale), otherwise the largest
    // that leaves the desktop its room; 1 on a desktop too small for any or
    // of unknown size (0 or less).
    static int windowScale(int desktopWidth, int desktopHeight, int asked);
    // The largest whole scale a full screen of that size holds (no more than
    // `asked` when asked), at least 1, with the frame centred on it.
    static FramePlace fullScreen(int screenWidth, int screenHeight, int asked);
    // The colour depths to try, of `order` (ended by 0): with the desktop's
    // own first when the frame is shown enlarged, since the library converts
    // every pixel of a window of another depth and an enlarged frame has four
    // or nine times as many.
    static std::vector<int> depthsToTry(const int* order, int desktopDepth, bool enlarged);
    // The frame's pixel under a screen pixel, along one axis: left of or
    // above the frame is below 0.
    static int toFrame(int screenPos, int frameStart, int scale);
};
