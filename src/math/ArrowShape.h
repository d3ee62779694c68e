#pragma once
#include <array>

#include "math/Vector2.h"

// The outline of an arrow, a shaft and a head, in any plane: on the window in
// pixels, or on the ground in world units before it is projected. A head much
// longer than the shaft is wide and a shaft behind it tell the eye which end
// is the point, whichever way the arrow lies.
struct ArrowShape {
    double length;          // from the tail to the tip
    double headLength;      // from the tip back to the head's barbs
    double headHalfWidth;   // from the middle line to a barb
    double shaftHalfWidth;  // from the middle line to the shaft's side

    // The seven corners from the tip round the arrow, for an arrow whose tip
    // is `tip` and which points along the unit vector `along`.
    std::array<Vector2, 7> outline(const Vector2& tip, const Vector2& along) const {
        const Vector2 side(-along.y, along.x);
        const auto at = [&](double back, double out) {
            return Vector2(tip.x - along.x * back + side.x * out, tip.y - along.y * back + side.y * out);
        };
        return {at(0, 0),
                at(headLength, headHalfWidth),
                at(headLength, shaftHalfWidth),
                at(length, shaftHalfWidth),
                at(length, -shaftHalfWidth),
                at(headLength, -shaftHalfWidth),
                at(headLength, -headHalfWidth)};
    }
};
