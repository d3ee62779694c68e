#pragma once
#include <allegro.h>

#include <cstring>

#include "control/Gamepad.h"

// A gamepad as the library lays one out in joy[0], written by the test as the
// keyboard tests write key[]: `sticks` sticks of two axes and `buttons`
// buttons, every axis at rest. Unplugged again when the test ends.
class PadOnTheDesk {
public:
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
    PadOnTheDesk(const PadOnTheDesk&) = delete;
    PadOnTheDesk& operator=(const PadOnTheDesk&) = delete;

    // An axis at `pos` (-127 to 127), with the digital flags the library
    // sets beyond a quarter of the way.
    void axis(int stick, int which, int pos) {
        JOYSTICK_AXIS_INFO& a = joy[0].stick[stick].axis[which];
        a.pos = pos;
        a.d1 = pos < -kQuarter;
        a.d2 = pos > kQuarter;
    }
    void button(int b, bool down) { joy[0].button[b].b = down; }

private:
    static constexpr int kQuarter = 31;
};
