#pragma once
#include "TrackDesign.h"

// The three tracks of the game, easiest first.
class TrackCatalog {
public:
    static constexpr int kTracks = 3;
    // Track n, counted from 1.
    static TrackDesign::Plan plan(int n);
};
