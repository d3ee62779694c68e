#include "world/KeyWait.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "world/CloseButton.h"

TEST(KeyWait, ToggledKeysDoNotHoldTheNextScreenAndTheCloseButtonEndsEveryWait) {
    char keys[KEY_MAX] = {};
    EXPECT_FALSE(KeyWait::anyHeld(keys));
    // Pause left toggled on by a race, and the locks, would keep a dialog waiting for ever
    keys[KEY_PAUSE] = keys[KEY_CAPSLOCK] = keys[KEY_NUMLOCK] = keys[KEY_SCRLOCK] = 1;
    EXPECT_FALSE(KeyWait::anyHeld(keys));
    for (int k : {int(KEY_ESC), int(KEY_ENTER), int(KEY_UP), int(KEY_LSHIFT), int(KEY_MENU)}) {
        keys[k] = 1;
        EXPECT_TRUE(KeyWait::anyHeld(keys)) << k;
        keys[k] = 0;
    }

    // Escape held for good, then the window is closed: both waits end
    key[KEY_ESC] = 1;
    CloseButton::press();
    KeyWait::untilReleased();
    EXPECT_FALSE(KeyWait::forPress()) << "no key was pressed: the close button ended the preview";
    key[KEY_ESC] = 0;
    CloseButton::clear();
    EXPECT_FALSE(CloseButton::pressed());
}
