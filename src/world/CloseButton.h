#pragma once
#include <atomic>

// The window's close button. The library calls press() from its own thread,
// so a flag is all it touches; the race and editor loop, the dialogs and the
// preview read it and end as Escape would, and then the program ends.
class CloseButton {
public:
    // Hands press() to the library; a full screen has no button and ignores it.
    static void install();
    static void press() { flag = true; }
    static bool pressed() { return flag; }
    // A tool that runs several loops in one process starts each afresh.
    static void clear() { flag = false; }

private:
    static inline std::atomic<bool> flag{false};
};
