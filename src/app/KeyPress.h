#pragma once

// A key or button read once a pass, told as presses: down in this pass and
// up in the one before. Made with the state it has when the loop begins, so
// a key still held from the screen before is no press.
class KeyPress {
public:
    explicit KeyPress(bool down) : wasDown(down) {}

    bool pressed(bool down) {
        const bool press = down && !wasDown;
        wasDown = down;
        return press;
    }

private:
    bool wasDown;
};
