#include <allegro.h>

#include <cerrno>
#include <exception>
#include <string>

#include "app/CommandLine.h"
#include "app/Game.h"
#include "app/MusicCheck.h"
#include "world/EndRequest.h"

int main(int argc, char** argv) {
    // Without a reachable display the system driver cannot start; every
    // graphics call after that would crash, so it counts as no mode at all.
    if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
        printError("Cannot set gfx mode");
        return 1;
    }
    const CommandLine line = parseCommandLine(argc, argv);
    if (!setGraphicsMode(line.fullScreen)) return 1;
    // the dialogs and the preview rest between looks at the keyboard
    install_timer();
    install_mouse();
    install_keyboard();
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
        return 1;
    }
    if (EndRequest::reason() == EndRequest::Reason::Signal)
        printError(("Ended by signal " + std::to_string(EndRequest::signalNumber())).c_str());
    return EndRequest::exitStatus();
}
END_OF_MAIN()
