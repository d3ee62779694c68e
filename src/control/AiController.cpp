#include "control/AiController.h"

#include <cmath>

#include "craft/HoverCraft.h"
#include "math/Angles.h"
#include "objects/AiWaypoint.h"
#include "world/World.h"

namespace {
constexpr double kDeadZone = 5.0;
constexpr double kAlignedThrust = 25.0;
constexpr double kAnyThrust = 1600.0;
}  // namespace

AiController::AiController(World* w, HoverCraft* c, double speed) : world(w), craft(c), desiredSpeed(speed) {}

void AiController::update(double) {
    const int count = world->getWaypointCount();
    // no route: coast
    if (count == 0) {
        steering_ = 0.0;
        throttle_ = 0.0;
        return;
    }
    if (targetWaypoint >= count) targetWaypoint = 0;
    Vector3 d = world->getWaypoint(targetWaypoint)->getPosition() - craft->getPosition();
    // exactly on the waypoint there is no direction to want: keep the last decision
    if (!(lengthSquared(d) > 0.0)) return;
    const Vector3 n = normalize(d);
    const Vector3 e = n * desiredSpeed - craft->getVelocity();
    const double a = radToDeg(std::atan2(-e.y, e.x));
    double r = a - craft->getHeading();
    if (r < -180) r += 360;
    if (r > 180) r -= 360;
    steering_ = 0.0;
    if (r < -kDeadZone) steering_ = -1.0;
    if (r > kDeadZone) steering_ = 1.0;
    const double q = lengthSquared(e);
    throttle_ = q > kAlignedThrust && std::fabs(r) < kDeadZone ? 1.0 : 0.0;
    if (q > kAnyThrust) throttle_ = 1.0;
}

void AiController::objectTouched(GameObject* object) {
    auto* w = dynamic_cast<AiWaypoint*>(object);
    if (!w || w->getNumber() != targetWaypoint) return;
    ++targetWaypoint;
    if (targetWaypoint >= world->getWaypointCount()) targetWaypoint = 0;
}
