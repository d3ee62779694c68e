#pragma once

struct View;
class Pacer;

// The pacer on the ground of a race: a cyan arrowhead lying on the route,
// pointing the way the route runs, outlined in black so that it reads over
// sand, grass, water and craft alike. A player who keeps behind it takes
// each bend at a speed the craft holds.
class PacerMark {
public:
    static constexpr int kRed = 0, kGreen = 255, kBlue = 255;
    // pixels: from the tip to the back, and across the back
    static constexpr double kLength = 18.0;
    static constexpr double kHalfWidth = 9.0;
    // world units along the route that set which way it points
    static constexpr double kLookAhead = 30.0;

    static void draw(const Pacer& pacer, View& view);
};
