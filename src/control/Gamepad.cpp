#include "control/Gamepad.h"

#include <allegro.h>

#include <algorithm>
#include <cstdlib>

namespace {

bool present() { return num_joysticks > 0; }

// The cross's stick: the pad's last, when it has more than the first.
const JOYSTICK_STICK_INFO* crossStick() {
    if (!present() || joy[0].num_sticks < 2) return nullptr;
    return &joy[0].stick[std::min(joy[0].num_sticks, MAX_JOYSTICK_STICKS) - 1];
}

bool button(int i) { return i < joy[0].num_buttons && i < MAX_JOYSTICK_BUTTONS && joy[0].button[i].b; }

}  // namespace

void Gamepad::install() {
    if (install_joystick(JOY_TYPE_AUTODETECT) != 0) return;
    poll();
    noteRest();
}

void Gamepad::poll() {
    if (present()) poll_joystick();
}

void Gamepad::noteRest() {
    const JOYSTICK_STICK_INFO* s = crossStick();
    const auto rests = [s](int axis) { return s && axis < s->num_axis && std::abs(s->axis[axis].pos) <= kDeadZone; };
    crossRests[0] = rests(0);
    crossRests[1] = rests(1);
}

double Gamepad::lean(int pos) {
    const int beyond = std::abs(pos) - kDeadZone;
    if (beyond <= 0) return 0.0;
    const double l = std::min(1.0, static_cast<double>(beyond) / (kFullLean - kDeadZone));
    return pos < 0 ? -l : l;
}

Gamepad::Cross Gamepad::cross() {
    Cross c;
    const JOYSTICK_STICK_INFO* s = crossStick();
    if (!s) return c;
    if (crossRests[0]) {
        c.left = s->axis[0].d1;
        c.right = s->axis[0].d2;
    }
    if (crossRests[1]) {
        c.up = s->axis[1].d1;
        c.down = s->axis[1].d2;
    }
    return c;
}

std::vector<int> Gamepad::arrowsPressed(const Cross& before, const Cross& now) {
    std::vector<int> keys;
    if (now.up && !before.up) keys.push_back(KEY_UP);
    if (now.down && !before.down) keys.push_back(KEY_DOWN);
    if (now.left && !before.left) keys.push_back(KEY_LEFT);
    if (now.right && !before.right) keys.push_back(KEY_RIGHT);
    return keys;
}

double Gamepad::steering() {
    if (!present()) return 0.0;
    const Cross c = cross();
    // both ways at once: right wins, as with the arrows
    if (c.right) return 1.0;
    if (c.left) return -1.0;
    return lean(joy[0].stick[0].axis[0].pos);
}

bool Gamepad::throttle() { return present() && button(0); }

bool Gamepad::pauseHeld() {
    if (!present()) return false;
    // a pad of nine buttons has no tenth: its last is its start
    return button(joy[0].num_buttons > kStartButton ? kStartButton : kStartButton - 1);
}

bool Gamepad::anyButtonHeld() {
    if (!present()) return false;
    for (int i = 0; i < joy[0].num_buttons && i < MAX_JOYSTICK_BUTTONS; ++i)
        if (joy[0].button[i].b) return true;
    return false;
}
