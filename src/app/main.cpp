#include <allegro.h>

#include <cerrno>
#include <exception>

#include "app/CommandLine.h"
#include "app/DisplayLoss.h"
#include "app/EndRequest.h"
#include "app/Game.h"
#include "app/MusicCheck.h"
#include "control/Gamepad.h"

// last: its X11 macros (None among them) would rename the game's own words
#include <xalleg.h>

int main(int argc, char** argv) {
    // the names the window is created with, before the library opens it
    xwin_set_window_name(kWindowClass, kWindowClass);
    // Without a reachable display the system driver cannot start; every
    // graphics call after that would crash, so it counts as no mode at all.
    if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
        printError("Cannot set gfx mode");
        return 1;
    }
    DisplayLoss::install();
    const CommandLine line = parseCommandLine(argc, argv);
    if (!setGraphicsMode(line.fullScreen, line.scale)) return 1;
    // the dialogs and the preview rest between looks at the keyboard
    install_timer();
    install_mouse();
    install_keyboard();
    Gamepad::install();
    install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, "");
    // after the library's drivers, whose own handlers would end the program
    // at once, leaving the editor's work unsaved
    EndRequest::installSignals();
    // the editor is silent, so only a race misses the music
    if (!line.editor) reportMissingMusic();
    try {
        if (line.editor)
            runEditor(line.track, line.newTrack);
        else
            runMenus();
    } catch (const std::exception& e) {
        // a set-up failure ends the program with its one line of text
        printError(e.what());
        if (EndRequest::reason() == EndRequest::Reason::DisplayLost) DisplayLoss::end();
        return 1;
    }
    DisplayLoss::tellSignal();
    // the library's own end would talk to the display that went away
    if (EndRequest::reason() == EndRequest::Reason::DisplayLost) DisplayLoss::end();
    return EndRequest::exitStatus();
}
END_OF_MAIN()
