#include <allegro.h>

#include <cerrno>
#include <exception>

#include "app/CommandLine.h"
#include "app/Game.h"
#include "app/MusicCheck.h"

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
    return 0;
}
END_OF_MAIN()
