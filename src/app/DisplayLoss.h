#pragma once

// The end of the game when its X display goes away (a logout, a crashed
// desktop, a dropped remote session). Xlib tells of a broken connection on
// whichever thread meets it, often the library's input thread while it holds
// the library's lock on the display, so the main thread may be stuck in a
// drawing call for good; and Xlib ends the process if it is told back. So:
// the end is requested as the close button requests it (the race and editor
// loops end, the editor saves, and the program ends without the library's
// shutdown, which would talk to the lost display); the main thread is given
// half a second for it, after which the editor's armed save is made here, if
// the loop has not made it, and the process ends itself.
class DisplayLoss {
public:
    // How long the main thread is given to end on its own, in seconds.
    static constexpr double kGrace = 0.5;
    // How long a save the loop has begun is waited for before the end.
    static constexpr double kSaveWait = 1.0;
    static constexpr const char* kLine = "Lost the connection to the display";

    // On the main thread, once the library has opened the display.
    static void install();
    // What the broken connection calls: never returns.
    [[noreturn]] static void lost();
    // The program's end after the display went away: the status of the end
    // request, without the library's shutdown.
    [[noreturn]] static void end();
    // "Ended by signal n" when a signal ended the game, once, whichever of
    // the main thread and the display's last moments says it first.
    static void tellSignal();
};
