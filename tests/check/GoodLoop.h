#pragma once

// A square loop round (1200..1800, 1200..1800) on flat ground at height 10,
// driven with x growing first: four gates facing the way of travel, eight
// waypoints on corners and gates, one turbo.
inline const char* const kGoodLoop =
    "C 1500 1200 10 40 0 0\n"
    "C 1800 1500 10 40 1 270\n"
    "C 1500 1800 10 40 2 180\n"
    "C 1200 1500 10 40 3 90\n"
    "W 1500 1200 0 0\n"
    "W 1800 1200 0 1\n"
    "W 1800 1500 0 2\n"
    "W 1800 1800 0 3\n"
    "W 1500 1800 0 4\n"
    "W 1200 1800 0 5\n"
    "W 1200 1500 0 6\n"
    "W 1200 1200 0 7\n"
    "P 1650 1200 10 4\n"
    "E\n";
