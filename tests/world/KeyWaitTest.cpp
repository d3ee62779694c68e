#include "world/KeyWait.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "world/CloseButton.h"

TEST(KeyWait, TheCloseButtonEndsBothWaitsWhateverIsHeld) {
    key[KEY_ESC] = 1;
    CloseButton::press();
    KeyWait::untilReleased();
    EXPECT_FALSE(KeyWait::forPress()) << "no key was pressed: the close button ended the wait";
    key[KEY_ESC] = 0;
    CloseButton::clear();
}
