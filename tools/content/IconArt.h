#pragma once
#include <cstdint>
#include <vector>

// The game's desktop icon: the racing craft gliding up the screen over a disc
// of water, its wake spreading behind it. Outside the disc is transparent.
class IconArt {
public:
    static constexpr int kSize = 48;

    // kSize * kSize pixels 0xAARRGGBB, row by row from the top.
    static std::vector<std::uint32_t> render();
};
