#pragma once

#include "math/ArrowShape.h"

struct BITMAP;
struct EdgeArrow;
struct View;
class CheckPoint;
class HoverCraft;
class World;

// The one gate a race shows: the player's next one, as a gate (two posts, the
// line between them, an arrow on the ground the way through it), and while it
// is off the screen an arrow at the edge of the window that points to it.
// The other gates stay hidden, and nothing shows once the player has finished.
class GateGuide {
public:
    static constexpr int kRed = 255, kGreen = 64, kBlue = 255;
    // the arrow at the window's edge, in pixels
    static constexpr ArrowShape kEdgeArrow{34.0, 16.0, 11.0, 4.0};
    // the arrow through the gate, in world units on the ground
    static constexpr ArrowShape kPassageArrow{44.0, 18.0, 14.0, 5.0};
    // a post stands this many pixels over its foot, this wide either side of it
    static constexpr int kPostHeight = 22;
    static constexpr int kPostHalfWidth = 2;

    static void draw(World& world, const HoverCraft& craft, View& view);

    // The gate on the ground as the guide shows it, in `colour`.
    static void drawGate(World& world, const CheckPoint& gate, View& view, int colour);
    static void drawEdgeArrow(BITMAP* target, const EdgeArrow& arrow, int colour);
};
