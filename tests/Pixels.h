#pragma once
// Reading drawings back: the box a drawing covers, text and whole pictures
// compared with the library's own rendering, and a memory bitmap standing in
// for the screen while a test needs one.
#include <allegro.h>

#include <algorithm>
#include <ostream>

namespace pixels {

// A box of pixels, both corners included.
struct Box {
    int x0, y0, x1, y1;
    bool operator==(const Box& o) const { return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1; }
};
inline std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "(" << b.x0 << ", " << b.y0 << ")-(" << b.x1 << ", " << b.y1 << ")";
}
constexpr Box kNothing{0, 0, -1, -1};
constexpr Box kWhole{0, 0, 1 << 20, 1 << 20};

// The smallest box holding every pixel of `area` that is not `background`.
inline Box drawnBox(BITMAP* b, int background, Box area = kWhole) {
    Box box{1 << 20, 1 << 20, -1, -1};
    for (int y = area.y0; y <= area.y1 && y < b->h; ++y)
        for (int x = area.x0; x <= area.x1 && x < b->w; ++x)
            if (getpixel(b, x, y) != background) box = {std::min(box.x0, x), std::min(box.y0, y),
                                                        std::max(box.x1, x), std::max(box.y1, y)};
    return box.x1 < 0 ? kNothing : box;
}

// Whether every pixel of `area` has `colour`.
inline bool filled(BITMAP* b, Box area, int colour) { return drawnBox(b, colour, area) == kNothing; }

inline bool samePixels(BITMAP* a, BITMAP* b) {
    if (a->w != b->w || a->h != b->h) return false;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            if (getpixel(a, x, y) != getpixel(b, x, y)) return false;
    return true;
}

// Whether `text` in font `f` with its top left at (x, y) shows in `colour`
// wherever the library sets a pixel of it, and in `background` everywhere
// else in its box (a background of -1 lets anything be there).
inline bool showsText(BITMAP* b, FONT* f, const char* text, int x, int y, int colour, int background) {
    BITMAP* ref = create_bitmap_ex(bitmap_color_depth(b), text_length(f, text), text_height(f));
    clear_to_color(ref, 0);
    textout_ex(ref, f, text, 0, 0, 1, -1);
    bool same = true;
    for (int j = 0; j < ref->h; ++j)
        for (int i = 0; i < ref->w; ++i) {
            const int want = getpixel(ref, i, j) ? colour : background;
            same = same && (want == -1 || getpixel(b, x + i, y + j) == want);
        }
    destroy_bitmap(ref);
    return same;
}

// A 640 x 480 memory bitmap is the library's screen while this lives.
class ScreenStandIn {
public:
    explicit ScreenStandIn(int colour) : saved(screen) {
        screen = create_bitmap(640, 480);
        clear_to_color(screen, colour);
    }
    ~ScreenStandIn() {
        destroy_bitmap(screen);
        screen = saved;
    }
    ScreenStandIn(const ScreenStandIn&) = delete;
    ScreenStandIn& operator=(const ScreenStandIn&) = delete;

private:
    BITMAP* saved;
};

}  // namespace pixels
