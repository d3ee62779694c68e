#pragma once
#include <string>

// The race music: a General MIDI tune in A minor of a little over a minute,
// with a square-wave lead, synth bass, a warm pad and a drum kit, written as
// a format 1 standard MIDI file.
class MusicWriter {
public:
    // False when the file cannot be written.
    static bool write(const std::string& path);
    // Length of the tune in seconds.
    static double lengthSeconds();
};
