#pragma once
#include <allegro.h>

// The one 256-colour palette of the tracks: ground textures and the scenery
// and powerup sprites are drawn in it. Index 0 is black, the transparent
// colour of sprites.
class ContentPalette {
public:
    // Ramps of ground colours, darkest first. Only the water ramp has more blue
    // than red and green; every other ground colour keeps blue well below one
    // of them, so that no depth conversion can turn it into water.
    enum Ramp { kGrass, kSand, kEarth, kWater, kRock, kRampCount };

    ContentPalette();

    const PALETTE& palette() const { return pal; }
    // 8-bit values (0..255) of an index, as the game sees them after loading.
    void rgb(int index, int& r, int& g, int& b) const;
    // Nearest opaque index (1..255) to an 8-bit colour.
    int nearest(int r, int g, int b) const;
    int rampIndex(Ramp ramp, int shade) const;
    int rampSize(Ramp ramp) const;
    int grey(int level) const;  // 0..15
    bool isWaterIndex(int index) const;

    static constexpr int kGreyFirst = 1;
    static constexpr int kGreyCount = 16;
    static constexpr int kCubeFirst = 17;

private:
    void set(int index, int r, int g, int b);

    PALETTE pal;
    int rampFirst[kRampCount];
    int rampCount[kRampCount];
};
