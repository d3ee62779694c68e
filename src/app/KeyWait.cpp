#include "app/KeyWait.h"

#include <allegro.h>

#include "app/EndRequest.h"
#include "control/Gamepad.h"

namespace {

// How long a wait rests between two looks at the keyboard, in milliseconds.
constexpr unsigned int kPollRest = 10;

void look() {
    if (keyboard_needs_poll()) poll_keyboard();
    Gamepad::poll();
}

}  // namespace

bool KeyWait::anyHeld(const volatile char* keys) {
    for (int k = 1; k < KEY_MAX; ++k) {
        if (k == KEY_PAUSE || k == KEY_NUMLOCK || k == KEY_CAPSLOCK || k == KEY_SCRLOCK) continue;
        if (keys[k]) return true;
    }
    return false;
}

void KeyWait::untilReleased() {
    look();
    while ((anyHeld(key) || Gamepad::anyButtonHeld()) && !EndRequest::requested()) {
        rest(kPollRest);
        look();
    }
    clear_keybuf();
}

bool KeyWait::forPress() {
    // a pad's button counts once it is pressed: one held from before is no press
    bool buttonWasDown = Gamepad::anyButtonHeld();
    while (!keypressed()) {
        if (EndRequest::requested()) return false;
        const bool button = Gamepad::anyButtonHeld();
        if (button && !buttonWasDown) return true;
        buttonWasDown = button;
        rest(kPollRest);
        look();
    }
    readkey();
    return true;
}
