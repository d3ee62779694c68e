#pragma once
#include <allegro.h>

#include <cstring>

#include "control/Gamepad.h"

// A gamepad as the library lays one out in joy[0], written by the test as the
// keyboard tests write key[]: `sticks` sticks of two axes at rest and
// `buttons` buttons; unplugged again when the test ends.
struct PadOnTheDesk {
    PadOnTheDesk(int sticks, int buttons) {
        std::memset(&joy[0], 0, sizeof joy[0]);
        num_joysticks = 1;
        joy[0].num_sticks = sticks;
        for (int s = 0; s < sticks; ++s) joy[0].stick[s].num_axis = 2;
        joy[0].num_buttons = buttons;
    }
    ~PadOnTheDesk() {
        std::memset(&joy[0], 0, sizeof joy[0]);
        num_joysticks = 0;
        Gamepad::noteRest();
    }
    // An axis at `pos` (-127 to 127), with the library's digital flags past a quarter.
    void axis(int stick, int which, int pos) {
        JOYSTICK_AXIS_INFO& a = joy[0].stick[stick].axis[which];
        a.pos = pos;
        a.d1 = pos < -31;
        a.d2 = pos > 31;
    }
    void button(int b, bool down) { joy[0].button[b].b = down; }
};
