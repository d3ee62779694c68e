#include "track/DriverWatch.h"

#include <algorithm>
#include <cmath>

void DriverWatch::step(const Vector3& position, int heading, const Vector3& waypoint) {
    covered += std::hypot(position.x - last.x, position.y - last.y);
    last = position;
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
    }
}
