#include "app/WindowFit.h"

#include <algorithm>

int WindowFit::windowScale(int desktopWidth, int desktopHeight, int asked) {
    if (asked > 0) return std::min(asked, kMaxWindowScale);
    int scale = kMaxWindowScale;
    while (scale > 1 && (kFrameWidth * scale + kDesktopRoom > desktopWidth ||
                         kFrameHeight * scale + kDesktopRoom > desktopHeight))
        --scale;
    return scale;
}

FramePlace WindowFit::fullScreen(int screenWidth, int screenHeight, int asked) {
    FramePlace place;
    place.scale = std::max(1, std::min(screenWidth / kFrameWidth, screenHeight / kFrameHeight));
    if (asked > 0) place.scale = std::min(place.scale, asked);
    place.x = (screenWidth - kFrameWidth * place.scale) / 2;
    place.y = (screenHeight - kFrameHeight * place.scale) / 2;
    return place;
}

std::vector<int> WindowFit::depthsToTry(const int* order, int desktopDepth, bool enlarged) {
    std::vector<int> depths;
    for (const int* d = order; *d; ++d)
        if (*d == desktopDepth && enlarged) depths.insert(depths.begin(), *d);
        else depths.push_back(*d);
    return depths;
}

int WindowFit::toFrame(int screenPos, int frameStart, int scale) {
    const int d = screenPos - frameStart;
    // rounded down, so the column left of the frame is -1, not 0
    return d >= 0 ? d / scale : -((-d + scale - 1) / scale);
}
