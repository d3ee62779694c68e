#include "control/NoviceController.h"

#include <cmath>
#include <utility>

#include "craft/HoverCraft.h"
#include "math/Angles.h"

NoviceController::NoviceController(const HoverCraft* c, ShownPoint s) : craft(c), shown(std::move(s)) {}

void NoviceController::update(double dt) {
    Sight now{clock, false, Vector3(), craft->getPosition(), craft->getHeading()};
    now.shown = shown && shown(now.target);
    seen.push_back(now);
    // what was seen a reaction time ago is what the hands answer now; before
    // a reaction time has passed the hands have nothing to answer yet
    const double then = clock - kReaction + 1.0e-9;
    while (seen.size() > 1 && seen[1].time <= then) seen.pop_front();
    if (seen.front().time <= then) decide(seen.front());
    // the clock runs on game time, whatever the step
    if (dt > 0.0) clock += dt;
}

void NoviceController::decide(const Sight& s) {
    steering_ = 0.0;
    throttle_ = 0.0;
    if (!s.shown) return;
    const Vector3 d = s.target - s.position;
    // standing on the point there is no way to turn
    if (!(d.x * d.x + d.y * d.y > 0.0)) return;
    double off = radToDeg(std::atan2(-d.y, d.x)) - s.heading;
    off = std::fmod(off, 360.0);
    if (off > 180.0) off -= 360.0;
    if (off < -180.0) off += 360.0;
    if (off > kDeadZone) steering_ = 1.0;
    if (off < -kDeadZone) steering_ = -1.0;
    throttle_ = std::fabs(off) > kThrustCone ? 0.0 : 1.0;
}
