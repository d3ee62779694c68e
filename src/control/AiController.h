#pragma once
#include "control/Controller.h"

class World;
class HoverCraft;

// A computer driver: wants to move towards its waypoint at 120 units per
// second and turns the nose towards the velocity change that needs. The track
// check also seats one that wants more speed, standing in for a player who
// keeps the thrust on.
class AiController : public Controller {
public:
    static constexpr double kDesiredSpeed = 120.0;

    AiController(World* world, HoverCraft* craft, double desiredSpeed = kDesiredSpeed);

    void update(double dt) override;
    double steering() const override { return steering_; }
    double throttle() const override { return throttle_; }
    void objectTouched(GameObject* object) override;

    int getTargetWaypoint() const { return targetWaypoint; }
    double getDesiredSpeed() const { return desiredSpeed; }

private:
    double steering_ = 0.0;
    double throttle_ = 0.0;
    World* world;
    HoverCraft* craft;
    double desiredSpeed;
    int targetWaypoint = 0;
};
