#pragma once
#include <allegro.h>

// The message font: the printable ASCII characters, 5 x 9 dots drawn at
// twice their size, laid out as the datafile tool grabs a font from a
// picture: glyph cells in a grid separated by colour 255, ink in colour 1.
class FontArt {
public:
    // A new 256-colour bitmap holding the characters 32 to 126 in order.
    static BITMAP* sheet();

    static constexpr int kFirst = 32;
    static constexpr int kLast = 126;
    static constexpr int kDotsWide = 5;
    static constexpr int kDotsHigh = 9;
    static constexpr int kDotSize = 2;
    static constexpr int kCellWidth = kDotsWide * kDotSize + 2;   // one pixel of space each side
    static constexpr int kCellHeight = kDotsHigh * kDotSize + 2;  // and above and below
    static constexpr int kColumns = 16;
};
