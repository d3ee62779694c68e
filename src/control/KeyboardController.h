#pragma once
#include "control/Controller.h"

// The player's driver: the arrow keys, read from the library's held-key
// array, or the gamepad, whichever is used.
class KeyboardController : public Controller {
public:
    void update(double dt) override;
    double steering() const override { return steering_; }
    double throttle() const override { return throttle_; }

private:
    double throttle_ = 0.0;
    double steering_ = 0.0;
};
