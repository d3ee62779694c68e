#pragma once
#include <deque>
#include <functional>

#include "control/Controller.h"
#include "math/Vector3.h"

class HoverCraft;

// A newcomer at the keyboard, fixed so that what it manages means something:
// it sees only the point the race guidance shows (the next gate), reacts to
// what it saw a quarter of a second ago, and presses keys rather than
// steering by degrees: an arrow while the point lies more than 10 degrees off
// the nose, Up unless the point lies behind the craft's shoulder. It never
// reads the drivers' route.
class NoviceController : public Controller {
public:
    static constexpr double kReaction = 0.25;   // seconds
    static constexpr double kDeadZone = 10.0;   // degrees either side of the nose
    static constexpr double kThrustCone = 90.0; // Up is let go beyond this

    // The point the player is shown, if any: false once nothing is shown
    // (past the finish).
    using ShownPoint = std::function<bool(Vector3& point)>;

    NoviceController(const HoverCraft* craft, ShownPoint shown);

    void update(double dt) override;
    double steering() const override { return steering_; }
    double throttle() const override { return throttle_; }

private:
    // What the newcomer saw at one moment.
    struct Sight {
        double time;
        bool shown;
        Vector3 target, position;
        double heading;
    };

    void decide(const Sight& seen);

    const HoverCraft* craft;
    ShownPoint shown;
    std::deque<Sight> seen;
    double clock = 0.0;
    double steering_ = 0.0;
    double throttle_ = 0.0;
};
