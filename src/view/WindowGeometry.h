#pragma once
#include <vector>

#include "math/Vector2.h"

// A rectangle of the window, in pixels.
struct ScreenRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// An arrow at the edge of the window: its tip, and the unit direction it
// points in (window pixels, y down).
struct EdgeArrow {
    bool shown = false;
    Vector2 tip;
    Vector2 direction;
};

// The window a race is seen through, as plain geometry: the parts of it that
// lie past the edges of the map, and where an arrow at its edge points at
// something outside it.
class WindowGeometry {
public:
    // How far inside the window's edge an arrow's tip stays, clear of the
    // HUD line and of the icons in the corner.
    static constexpr int kArrowMargin = 24;

    // The strips of a width x height window whose top left corner lies at
    // (scrollX, scrollY) of a mapWidth x mapHeight map that the map does not
    // cover: none when it lies wholly on the map, the whole window when it
    // lies wholly off it. The strips do not overlap.
    static std::vector<ScreenRect> uncovered(int scrollX, int scrollY, int width, int height, int mapWidth,
                                             int mapHeight);

    // The arrow towards `target`, a point of the window's plane: none while it
    // lies inside the window less the margin, else on the margin where the
    // line from the window's centre to it leaves, pointing along that line.
    static EdgeArrow arrowTo(const Vector2& target, int width, int height);
};
