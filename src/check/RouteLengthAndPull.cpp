#include "check/RouteLengthAndPull.h"

#include <algorithm>
#include <cmath>

#include "craft/HoverCraft.h"
#include "objects/AiWaypoint.h"
#include "terrain/Terrain.h"
#include "world/World.h"

namespace {
// The route is sampled this often for its steepest ground.
constexpr double kSample = 4.0;
constexpr double kMostSamples = 4096.0;
}  // namespace

double RouteLengthAndPull::pullAt(const Terrain& terrain, double x, double y) {
    const Vector3 n = terrain.normalAt(Vector2(x, y));
    return HoverCraft::kSlopeFactor * std::sqrt(n.x * n.x + n.y * n.y);
}

RouteLengthAndPull::RouteLengthAndPull(World& world) {
    const int count = world.getWaypointCount();
    if (count < 2) return;
    const Terrain& terrain = world.getTerrain();
    for (int k = 0; k < count; ++k) {
        const Vector3 a = world.getWaypoint(k)->getPosition();
        const Vector3 b = world.getWaypoint((k + 1) % count)->getPosition();
        if (!isFinite(a) || !isFinite(b)) continue;
        const double span = std::hypot(b.x - a.x, b.y - a.y);
        loop += span;
        const int samples = static_cast<int>(std::clamp(span / kSample, 1.0, kMostSamples));
        for (int i = 0; i < samples; ++i) {
            const double t = static_cast<double>(i) / samples;
            steepest = std::max(steepest, pullAt(terrain, a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t));
        }
    }
}
