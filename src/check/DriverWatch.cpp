#include "check/DriverWatch.h"

#include <algorithm>
#include <cmath>

void DriverWatch::step(const Vector3& position, int heading, const Vector3& waypoint) {
    covered += std::hypot(position.x - last.x, position.y - last.y);
    last = position;
    // held in one spot: by scenery, a slope, a freeze or a route that leads nowhere
    if (std::hypot(position.x - spot.x, position.y - spot.y) > kStandReach) {
        spot = position;
        standing = 0;
    } else if (++standing > longest.steps) {
        longest = Stand{standing, spot, heading};
    }
    if (heading != target) {
        target = heading;
        closest = 1.0e300;
        turned = false;
    }
    if (target < 0) return;
    const double d = length(waypoint - position);
    closest = std::min(closest, d);
    if (!turned && closest < kMissReach && d > closest + kMissTurn) {
        turned = true;
        ++missed;
        ++missedAt[target];
    }
}
