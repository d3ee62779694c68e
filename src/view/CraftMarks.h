#pragma once
#include "math/Vector2.h"

struct View;
class HoverCraft;

// The marks over the player's craft. A white chevron ahead of its nose shows
// its heading at every angle (the sprite has 36 frames, and seen from behind
// or from the front some are hard to tell apart); yellow dots the way the
// craft is actually sliding, more of them the faster it goes, show the drift
// that a newcomer has to learn to steer against. Both lie on a ring round the
// middle of the sprite, in the window's pixels.
class CraftMarks {
public:
    // the middle of the sprite's body above the craft's ground point
    static constexpr double kBodyLift = 6.0;
    // from the body's middle to the chevron's middle, and the chevron's size
    static constexpr double kNoseDistance = 29.0;
    static constexpr double kChevronAhead = 6.0, kChevronBehind = 4.0, kChevronHalfWidth = 7.0;
    static constexpr double kChevronNotch = 1.0;
    // the dots: the first one this far from the body's middle, then one more
    // every kDotSpacing pixels for each kSpeedPerDot units a second
    static constexpr double kFirstDot = 40.0;
    static constexpr double kDotSpacing = 10.0;
    static constexpr double kSpeedPerDot = 28.0;
    static constexpr int kMaxDots = 4;
    // slower than this the craft is not going anywhere to speak of
    static constexpr double kStillSpeed = 5.0;
    static constexpr int kDotRadius = 3;

    static void draw(const HoverCraft& craft, View& view);
    // The unit direction on the window of the ground direction (x, y): the
    // isometric view squeezes it; (0, 0) for no direction.
    static Vector2 onScreen(double x, double y);
    // How many dots a craft sliding at `speed` units a second shows.
    static int dotCount(double speed);
};
