#include "control/KeyboardController.h"

#include <allegro.h>

#include "control/Gamepad.h"

void KeyboardController::update(double) {
    steering_ = 0.0;
    if (key[KEY_LEFT]) steering_ = -1.0;
    // both arrows held: right wins
    if (key[KEY_RIGHT]) steering_ = 1.0;
    // the pad steers while no arrow is held: either works at any moment
    if (steering_ == 0.0) steering_ = Gamepad::steering();
    // there is no brake: only releasing Up, drag and collisions slow a craft
    throttle_ = key[KEY_UP] || Gamepad::throttle() ? 1.0 : 0.0;
}
