#pragma once

// What the check of a datafile learnt about one object of its index table:
// enough to tell, before the library loads the file, whether the game can use
// the object the way it means to.
struct DatafileObject {
    int type = 0;
    // bytes of contents as the library loads them (after expanding)
    long size = 0;
    // bitmaps: colour depth as loaded (8, 15, 16, 24 or 32) and size in pixels
    int depth = 0;
    int width = 0;
    int height = 0;
};
