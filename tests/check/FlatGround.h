#pragma once
#include <allegro.h>

#include <vector>

#include "check/TrackCheck.h"
#include "terrain/Terrain.h"

// Flat land at height 10 with a strip of water along x < 600 (texture
// columns below 50), so a test can put a grid into water.
class FlatGround {
public:
    static constexpr int kHeight = 10;

    explicit FlatGround(int height = kHeight) : heights(Terrain::kHeightmapBytes, height) {
        texture = create_bitmap(Terrain::GRID_SIZE, Terrain::GRID_SIZE);
        clear_to_color(texture, makecol(60, 160, 60));
        rectfill(texture, 0, 0, 49, Terrain::GRID_SIZE - 1, makecol(30, 60, 200));
    }
    ~FlatGround() { destroy_bitmap(texture); }
    FlatGround(const FlatGround&) = delete;
    FlatGround& operator=(const FlatGround&) = delete;
    TrackCheck::GroundLoader loader() {
        return [this](Terrain& t) { t.setGround(heights.data(), texture); };
    }

private:
    std::vector<unsigned char> heights;
    BITMAP* texture;
};
