#include "app/ScaledScreen.h"

#include <allegro.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "app/EndRequest.h"

namespace {

constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;

// Each row of the rectangle once, its pixels widened; the block's other rows
// are copies of the first.
template <typename Pixel>
void enlargeRows(BITMAP* from, BITMAP* to, int x, int y, int w, int h, int toX, int toY, int scale) {
    const std::size_t rowBytes = sizeof(Pixel) * static_cast<std::size_t>(w * scale);
    for (int row = 0; row < h; ++row) {
        const Pixel* in = reinterpret_cast<const Pixel*>(from->line[y + row]) + x;
        Pixel* first = reinterpret_cast<Pixel*>(to->line[toY + row * scale]) + toX;
        Pixel* out = first;
        for (int i = 0; i < w; ++i)
            for (int k = 0; k < scale; ++k) *out++ = in[i];
        for (int k = 1; k < scale; ++k)
            std::memcpy(reinterpret_cast<Pixel*>(to->line[toY + row * scale + k]) + toX, first, rowBytes);
    }
}

void freeBitmap(BITMAP*& b) {
    if (b) destroy_bitmap(b);
    b = nullptr;
}

}  // namespace

void ScaledScreen::setUp(int scale, int x, int y) {
    reset();
    scaleNow = std::max(1, scale);
    leftNow = x;
    topNow = y;
    if (!screen) return;
    clear_to_color(screen, makecol(0, 0, 0));
    if (!isScaled()) return;
    frameCanvas = create_bitmap(kFrameWidth, kFrameHeight);
    enlarged = create_bitmap(kFrameWidth * scaleNow, kFrameHeight * scaleNow);
    if (frameCanvas && enlarged) {
        clear_to_color(frameCanvas, makecol(0, 0, 0));
        return;
    }
    // no memory for the enlarged frame: shown as it is, at the corner
    reset();
}

void ScaledScreen::reset() {
    freeBitmap(frameCanvas);
    freeBitmap(enlarged);
    scaleNow = 1;
    leftNow = topNow = 0;
}

BITMAP* ScaledScreen::canvas() {
    if (!screen) return nullptr;
    return frameCanvas ? frameCanvas : screen;
}

void ScaledScreen::show(BITMAP* frame) { show(frame, 0, 0, kFrameWidth, kFrameHeight); }

void ScaledScreen::show(BITMAP* frame, int x, int y, int w, int h) {
    // the display's last moments: a drawing call would wait on it for good
    if (!screen || frame == screen || EndRequest::reason() == EndRequest::Reason::DisplayLost) return;
    x = std::max(x, 0);
    y = std::max(y, 0);
    w = std::min(w, kFrameWidth - x);
    h = std::min(h, kFrameHeight - y);
    if (w <= 0 || h <= 0) return;
    if (!enlarged) {
        blit(frame, screen, x, y, x, y, w, h);
        return;
    }
    const int s = scaleNow;
    enlarge(frame, enlarged, x, y, w, h, x * s, y * s, s);
    // the pointer is drawn on the screen by the library when the desktop does not draw it
    scare_mouse();
    blit(enlarged, screen, x * s, y * s, leftNow + x * s, topNow + y * s, w * s, h * s);
    unscare_mouse();
}

void ScaledScreen::enlarge(BITMAP* from, BITMAP* to, int x, int y, int w, int h, int toX, int toY, int scale) {
    const int depth = bitmap_color_depth(from);
    if (depth == 15 || depth == 16) return enlargeRows<std::uint16_t>(from, to, x, y, w, h, toX, toY, scale);
    if (depth == 32) return enlargeRows<std::uint32_t>(from, to, x, y, w, h, toX, toY, scale);
    // three bytes a pixel: the library's own stretch, which makes the same blocks
    stretch_blit(from, to, x, y, w, h, toX, toY, w * scale, h * scale);
}
