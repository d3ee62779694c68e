#pragma once

struct BITMAP;
class GameData;

// What a craft of each colour looks like: data.dat's 36 frames recoloured
// for its colour, with an alpha of their own, and a speckled image for its
// wake. Made once, they are handed to the craft of every race raced on
// them: the check's forty races share one set.
class CraftSprites {
public:
    static constexpr int kFrameCount = 36;
    static constexpr int kColours = 4;
    static constexpr int kWakeWidth = 24;
    static constexpr int kWakeHeight = 12;

    // The sprites of one colour.
    struct Look {
        BITMAP* frames[kFrameCount] = {};
        BITMAP* wake = nullptr;
    };

    // The looks of colours 4, 3, 2 and 1, in that order, as the grid lines
    // them up; loads data.dat when it is not loaded yet.
    explicit CraftSprites(GameData& data);
    ~CraftSprites();
    CraftSprites(const CraftSprites&) = delete;
    CraftSprites& operator=(const CraftSprites&) = delete;

    // Colour 1 to 4; null for any other.
    const Look* of(int colour) const;

    // The craft of colour `colour` (1 to 4) wear the first one's paint with its
    // channels swapped: what a pixel of colour r, g, b becomes on them.
    static void tint(int colour, int& r, int& g, int& b);

private:
    static void make(GameData& data, int colour, Look& look);

    Look looks[kColours];
};
