#pragma once
#include <string>
#include <vector>

// The two effect sounds, synthesised and written as 16-bit mono WAV files.
class SoundSynth {
public:
    // A falling, crackling buzz: frozen, wonky, out of bounds.
    static std::vector<double> freezeZap();
    // A rising whoosh: opponents frozen, turbo.
    static std::vector<double> boostWhoosh();
    // Samples in -1..1; false when the file cannot be written.
    static bool writeWav(const std::string& path, const std::vector<double>& samples);

    static constexpr int kRate = 22050;
};
