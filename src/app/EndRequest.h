#pragma once
#include <atomic>

// Why the program is asked to end from outside the game's own keys: the
// window's close button, a signal (a logout, a kill, Ctrl-C in the
// terminal), or the display going away. The library's thread and signal
// handlers set it, so it is lock-free flags and nothing more; the race and
// editor loop, the dialogs and the preview read it each pass and end as
// Escape would (the editor saving first), and then the program ends.
class EndRequest {
public:
    enum class Reason { None, CloseButton, Signal, DisplayLost };

    // Hands the close button to the library; a full screen has no button.
    static void installCloseButton();
    // SIGTERM, SIGINT and SIGHUP end the program as the close button does.
    static void installSignals();

    static void closeButton() { request(Reason::CloseButton, 0); }
    // Async-signal-safe: only stores.
    static void signal(int number) { request(Reason::Signal, number); }
    static void displayLost() { request(Reason::DisplayLost, 0); }

    static bool requested() { return reasonNow.load() != Reason::None; }
    static Reason reason() { return reasonNow.load(); }
    // The end cannot be put off: a signal or a lost display, not a button the
    // player may think better of.
    static bool isForced() { return requested() && reason() != Reason::CloseButton; }
    static int signalNumber() { return signalled.load(); }
    // The program's status for the reason: 0 for none or the close button,
    // 128 + n for signal n, as a shell reports it, and 1 for a lost display.
    static int exitStatus();
    // The editor could not save on the close button and stays open: the
    // button is forgotten, while a signal that came since still stands.
    static void withdrawCloseButton();
    // A tool or test that runs several loops in one process starts each afresh.
    static void clear();

private:
    static void request(Reason why, int number);

    static inline std::atomic<Reason> reasonNow{Reason::None};
    static inline std::atomic<int> signalled{0};
};
