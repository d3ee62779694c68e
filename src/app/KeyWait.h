#pragma once

// Waits on the keyboard between screens. A key that ends one screen must not
// act on the next: while it is held the keyboard's auto-repeat keeps filling
// the key buffer, so a screen that reads the buffer first waits for every key
// to be let go and then empties it. A button of the gamepad counts as a key.
// Each wait also ends when the window's close button has been pressed.
class KeyWait {
public:
    // Until no key is held, then an empty key buffer.
    static void untilReleased();
    // Until a key is pressed, which is taken from the buffer; false when the
    // close button ended the wait instead.
    static bool forPress();
    // Whether a key of the held-key array `keys` keeps the wait going. Pause
    // and the lock keys are left out: the X11 driver reports them as toggles,
    // which can stay down for good after the key is let go.
    static bool anyHeld(const volatile char* keys);
};
