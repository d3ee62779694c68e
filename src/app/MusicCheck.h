#pragma once

// The race music plays through the library's software synthesiser, which
// needs a General MIDI patch set (the patches line of allegro.cfg, read from
// the working directory). A game folder without it races on in silence;
// called once after the sound is installed, this says so on standard error,
// with the reason, unless the sound is off altogether or the player turned
// the music off in allegro.cfg.
void reportMissingMusic();
