#include "SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

constexpr double kPi = 3.141592653589793;

// a small fixed generator, so every build makes the same noise
class Noise {
public:
    double next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }

private:
    uint32_t state = 12345u;
};

void put16(std::ofstream& out, int v) {
    out.put(static_cast<char>(v & 255));
    out.put(static_cast<char>((v >> 8) & 255));
}

void put32(std::ofstream& out, uint32_t v) {
    for (int k = 0; k < 4; ++k) out.put(static_cast<char>((v >> (8 * k)) & 255));
}

}  // namespace

std::vector<double> SoundSynth::freezeZap() {
    const int length = kRate * 45 / 100;
    std::vector<double> out(length);
    Noise noise;
    double phase = 0, crackle = 0;
    for (int n = 0; n < length; ++n) {
        const double t = static_cast<double>(n) / length;
        const double frequency = 900.0 * std::pow(0.22, t);
        phase += frequency / kRate;
        const double square = std::fmod(phase, 1.0) < 0.5 ? 1.0 : -1.0;
        // the crackle is noise held for a few samples, like ice breaking up
        if (n % 37 == 0) crackle = noise.next();
        const double envelope = std::min(1.0, n / 200.0) * std::pow(1.0 - t, 1.5);
        out[n] = envelope * (0.45 * square + 0.25 * crackle * (1.0 - t));
    }
    return out;
}

std::vector<double> SoundSynth::boostWhoosh() {
    const int length = kRate * 6 / 10;
    std::vector<double> out(length);
    Noise noise;
    double phase = 0, low = 0;
    for (int n = 0; n < length; ++n) {
        const double t = static_cast<double>(n) / length;
        const double frequency = 180.0 + 900.0 * t * t;
        phase += frequency / kRate;
        const double saw = 2.0 * std::fmod(phase, 1.0) - 1.0;
        const double harmonic = std::sin(2 * kPi * phase * 2.0);
        // the filtered noise opens up as the pitch climbs
        const double a = 0.05 + 0.4 * t;
        low += a * (noise.next() - low);
        const double envelope = std::min(1.0, n / 600.0) * (t < 0.8 ? 1.0 : (1.0 - t) / 0.2);
        out[n] = envelope * (0.3 * saw + 0.15 * harmonic + 0.35 * low);
    }
    return out;
}

bool SoundSynth::writeWav(const std::string& path, const std::vector<double>& samples) {
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (double s : samples) {
        const double clipped = s > 1.0 ? 1.0 : (s < -1.0 ? -1.0 : s);
        put16(out, static_cast<int>(std::lround(clipped * 30000.0)) & 0xFFFF);
    }
    return static_cast<bool>(out);
}
