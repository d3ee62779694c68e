#pragma once
// Reading drawings back: the box a drawing covers, how a mark lies along a
// direction, text and whole pictures compared with the library's own
// rendering, and a memory bitmap standing in for the screen while a test
// needs one.
#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <ostream>

namespace pixels {

// A box of pixels, both corners included.
struct Box {
    int x0, y0, x1, y1;
    bool operator==(const Box& o) const { return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1; }
    bool operator!=(const Box& o) const { return !(*this == o); }
};
inline std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "(" << b.x0 << ", " << b.y0 << ")-(" << b.x1 << ", " << b.y1 << ")";
}
constexpr Box kNothing{0, 0, -1, -1};

// The smallest box holding every pixel of `area` that is not `background`.
inline Box drawnBox(BITMAP* b, int background, Box area = {0, 0, 1 << 20, 1 << 20}) {
    Box box{1 << 20, 1 << 20, -1, -1};
    for (int y = area.y0; y <= std::min(area.y1, b->h - 1); ++y)
        for (int x = area.x0; x <= std::min(area.x1, b->w - 1); ++x)
            if (getpixel(b, x, y) != background)
                box = {std::min(box.x0, x), std::min(box.y0, y), std::max(box.x1, x), std::max(box.y1, y)};
    return box.x1 < 0 ? kNothing : box;
}

inline bool filled(BITMAP* b, Box area, int colour) { return drawnBox(b, colour, area) == kNothing; }

inline int countColour(BITMAP* b, int colour) {
    int n = 0;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) n += getpixel(b, x, y) == colour;
    return n;
}

// The pixels of `b` that are not `background`, lie within `across` of the
// line from (x, y) along the unit direction (dx, dy) and further than `skip`
// from (x, y) along it: how far they reach
// ahead and behind along it, how far to its side, and how far to its side in
// the front half and the last third of their reach. An arrow is widest in
// front, a chevron at the back.
struct Spread {
    int count = 0;
    double ahead = -1e9, behind = 1e9, side = 0, frontSide = 0, backSide = 0;
};
inline Spread spreadAlong(BITMAP* b, int background, double x, double y, double dx, double dy, double across = 1e9,
                          double skip = -1) {
    Spread s;
    for (int pass = 0; pass < 2; ++pass) {
        const double half = (s.ahead + s.behind) / 2, third = (s.ahead - s.behind) / 3;
        for (int j = 0; j < b->h; ++j)
            for (int i = 0; i < b->w; ++i) {
                const double a = (i - x) * dx + (j - y) * dy, c = std::fabs((j - y) * dx - (i - x) * dy);
                if (getpixel(b, i, j) == background || c > across || std::fabs(a) <= skip) continue;
                if (pass == 0) {
                    ++s.count;
                    s.ahead = std::max(s.ahead, a), s.behind = std::min(s.behind, a), s.side = std::max(s.side, c);
                } else if (a > half) {
                    s.frontSide = std::max(s.frontSide, c);
                } else if (a < s.behind + third) {
                    s.backSide = std::max(s.backSide, c);
                }
            }
    }
    return s;
}

// Whether `b` shows `picture` at (x, y).
inline bool shows(BITMAP* b, BITMAP* picture, int x, int y) {
    for (int j = 0; j < picture->h; ++j)
        for (int i = 0; i < picture->w; ++i)
            if (getpixel(b, x + i, y + j) != getpixel(picture, i, j)) return false;
    return true;
}

// Whether `text` in font `f` shows at (x, y) in `colour`, on `background`
// within its box (a background of -1 lets anything be there).
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
