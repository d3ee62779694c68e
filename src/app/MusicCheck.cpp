#include "app/MusicCheck.h"

#include <allegro.h>

#include <string>

#include "app/Game.h"

void reportMissingMusic() {
    // no sound output at all: the music is the least of it, and a machine
    // without a sound card is no fault of the game folder
    if (!digi_driver || digi_driver->id == DIGI_NONE) return;
    if (midi_driver && midi_driver->id != MIDI_NONE) return;
    // "midi_card = 0" in allegro.cfg is the player's own choice
    if (get_config_id("sound", "midi_card", MIDI_AUTODETECT) == MIDI_NONE) return;
    const char* patches = get_config_string("sound", "patches", nullptr);
    const std::string where = patches && *patches ? std::string("\"") + patches + "\" (the patches line of allegro.cfg)"
                                                  : std::string("none named in allegro.cfg");
    printError(("Music is off: no MIDI patch set found, " + where + "; the races go on without it").c_str());
}
