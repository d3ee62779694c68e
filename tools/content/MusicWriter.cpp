#include "MusicWriter.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <vector>

namespace {

constexpr int kTicksPerQuarter = 480;
constexpr int kEighth = kTicksPerQuarter / 2;
constexpr int kSixteenth = kTicksPerQuarter / 4;
constexpr int kBar = kTicksPerQuarter * 4;
constexpr int kBeatsPerMinute = 126;
constexpr int kBars = 36;

constexpr int kLeadChannel = 0, kBassChannel = 1, kPadChannel = 2, kDrumChannel = 9;
constexpr int kLeadProgram = 80, kBassProgram = 38, kPadProgram = 89;  // square lead, synth bass, warm pad
constexpr int kKick = 36, kSnare = 38, kClosedHat = 42, kOpenHat = 46, kCrash = 49;

// chords by name: bass root and the three pad notes
struct Chord {
    int root;
    int pad[3];
};
const Chord kAm{45, {57, 60, 64}}, kF{41, {53, 57, 60}}, kC{48, {55, 60, 64}}, kG{43, {55, 59, 62}},
    kDm{38, {53, 57, 62}}, kE{40, {56, 59, 64}};

struct Note {
    int pitch;  // 0 is a rest
    int eighths;
};

struct Event {
    int tick;
    int order;  // note-offs before note-ons at the same tick
    std::vector<uint8_t> bytes;
};

class Track {
public:
    void note(int tick, int length, int channel, int pitch, int velocity) {
        events.push_back({tick, 1, {static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(pitch),
                                    static_cast<uint8_t>(velocity)}});
        events.push_back({tick + length, 0, {static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(pitch), 0}});
    }
    void raw(int tick, std::vector<uint8_t> bytes) { events.push_back({tick, 0, std::move(bytes)}); }

    std::vector<uint8_t> encode() {
        std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<uint8_t> out;
        int now = 0;
        for (const Event& e : events) {
            writeDelta(out, e.tick - now);
            now = e.tick;
            out.insert(out.end(), e.bytes.begin(), e.bytes.end());
        }
        writeDelta(out, 0);
        out.insert(out.end(), {0xFF, 0x2F, 0x00});
        return out;
    }

private:
    static void writeDelta(std::vector<uint8_t>& out, int value) {
        uint8_t bytes[5];
        int n = 0;
        bytes[n++] = value & 0x7F;
        while (value >>= 7) bytes[n++] = 0x80 | (value & 0x7F);
        while (n) out.push_back(bytes[--n]);
    }
    std::vector<Event> events;
};

const std::vector<Note> kVerse[8] = {
    {{76, 2}, {74, 1}, {72, 1}, {69, 2}, {72, 2}}, {{77, 3}, {76, 1}, {74, 2}, {72, 2}},
    {{72, 2}, {74, 1}, {76, 1}, {79, 2}, {76, 2}}, {{74, 4}, {71, 2}, {67, 2}},
    {{76, 2}, {74, 1}, {72, 1}, {69, 2}, {76, 2}}, {{81, 3}, {79, 1}, {77, 2}, {76, 2}},
    {{79, 2}, {76, 1}, {72, 1}, {74, 2}, {76, 2}}, {{74, 6}, {0, 2}},
};
const std::vector<Note> kBridge[8] = {
    {{74, 1}, {77, 1}, {81, 2}, {79, 1}, {77, 1}, {74, 2}}, {{79, 2}, {74, 2}, {71, 2}, {74, 2}},
    {{76, 1}, {79, 1}, {84, 2}, {83, 1}, {79, 1}, {76, 2}}, {{81, 4}, {76, 4}},
    {{77, 2}, {74, 1}, {77, 1}, {81, 2}, {77, 2}},          {{80, 2}, {76, 2}, {71, 2}, {76, 2}},
    {{72, 2}, {76, 2}, {81, 2}, {79, 1}, {77, 1}},          {{76, 4}, {80, 2}, {83, 2}},
};
const std::vector<Note> kCoda[8] = {
    {{76, 8}}, {{77, 8}}, {{79, 8}}, {{74, 8}}, {{76, 4}, {72, 4}}, {{77, 4}, {81, 4}}, {{80, 8}}, {{81, 8}},
};

struct Section {
    const Chord* chords[8];
    const std::vector<Note>* melody;  // null: no lead
    int bars;
};

// an intro, verse, bridge, verse again and the coda
const Section kSections[] = {
    {{&kAm, &kF, &kC, &kG}, nullptr, 4},
    {{&kAm, &kF, &kC, &kG, &kAm, &kF, &kC, &kG}, kVerse, 8},
    {{&kDm, &kG, &kC, &kAm, &kDm, &kE, &kAm, &kE}, kBridge, 8},
    {{&kAm, &kF, &kC, &kG, &kAm, &kF, &kC, &kG}, kVerse, 8},
    {{&kAm, &kF, &kC, &kG, &kAm, &kF, &kE, &kAm}, kCoda, 8},
};
constexpr int kSectionCount = sizeof(kSections) / sizeof(kSections[0]);

// Where a bar stands in the tune.
struct Bar {
    int start;      // its first tick
    int inSection;  // its number in its section
    bool fill;      // the last bar before a new section
    bool last;      // the tune's final bar, held
};

void putBig(std::ofstream& out, uint32_t v, int bytes) {
    for (int k = bytes - 1; k >= 0; --k) out.put(static_cast<char>((v >> (8 * k)) & 255));
}

// The tune's five tracks: the conductor's tempo and metre, then one for each instrument.
class Song {
public:
    Song() {
        const int microsPerQuarter = 60000000 / kBeatsPerMinute;
        conductor.raw(0, {0xFF, 0x51, 0x03, static_cast<uint8_t>(microsPerQuarter >> 16),
                          static_cast<uint8_t>(microsPerQuarter >> 8), static_cast<uint8_t>(microsPerQuarter)});
        conductor.raw(0, {0xFF, 0x58, 0x04, 4, 2, 24, 8});
        lead.raw(0, {0xC0 | kLeadChannel, kLeadProgram});
        bass.raw(0, {0xC0 | kBassChannel, kBassProgram});
        pad.raw(0, {0xC0 | kPadChannel, kPadProgram});
        pad.raw(0, {0xB0 | kPadChannel, 7, 80});  // the pad sits behind the lead
    }

    void playSections() {
        int bar = 0;
        for (int s = 0; s < kSectionCount; ++s) {
            const Section& section = kSections[s];
            for (int b = 0; b < section.bars; ++b, ++bar) {
                const Bar at{bar * kBar, b, b == section.bars - 1 && s + 1 < kSectionCount, bar == kBars - 1};
                const Chord& chord = *section.chords[b];
                playPad(at, chord);
                playBass(at, chord);
                if (section.melody) playLead(at, section.melody[b]);
                playDrums(at);
            }
        }
    }

    bool save(const std::string& path) {
        std::ofstream out(path, std::ios::binary);
        if (!out) return false;
        Track* tracks[] = {&conductor, &lead, &bass, &pad, &drums};
        out.write("MThd", 4);
        putBig(out, 6, 4);
        putBig(out, 1, 2);
        putBig(out, 5, 2);
        putBig(out, kTicksPerQuarter, 2);
        for (Track* t : tracks) {
            const std::vector<uint8_t> bytes = t->encode();
            out.write("MTrk", 4);
            putBig(out, static_cast<uint32_t>(bytes.size()), 4);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        }
        return static_cast<bool>(out);
    }

private:
    void playPad(const Bar& at, const Chord& chord) {
        for (int p : chord.pad) pad.note(at.start, at.last ? 2 * kBar : kBar - 10, kPadChannel, p, 58);
    }

    // a driving eighth-note line on root, octave and fifth
    void playBass(const Bar& at, const Chord& chord) {
        const int steps[8] = {0, 0, 12, 0, 7, 0, 12, 7};
        for (int e = 0; e < 8; ++e) {
            if (at.last && e > 0) break;
            bass.note(at.start + e * kEighth, at.last ? kBar : kEighth - 20, kBassChannel, chord.root + steps[e],
                      e % 2 == 0 ? 100 : 80);
        }
    }

    void playLead(const Bar& at, const std::vector<Note>& melody) {
        int tick = at.start;
        for (const Note& n : melody) {
            if (n.pitch) lead.note(tick, n.eighths * kEighth - 30, kLeadChannel, n.pitch, 96);
            tick += n.eighths * kEighth;
        }
    }

    // kick and snare on the beats, hats on the eighths, a fill before each new section
    void playDrums(const Bar& at) {
        const int b = at.inSection;
        const bool fill = at.fill;
        if (b == 0) drums.note(at.start, kEighth, kDrumChannel, kCrash, 110);
        for (int k = 0; k < 16; ++k) {
            const int t = at.start + k * kSixteenth;
            if (at.last && k > 0) break;
            if (k == 0 || k == 8 || (k == 10 && b % 2 == 1)) drums.note(t, kSixteenth, kDrumChannel, kKick, 112);
            if ((k == 4 || k == 12) && !(fill && k == 12)) drums.note(t, kSixteenth, kDrumChannel, kSnare, 100);
            if (fill && k >= 12) drums.note(t, kSixteenth, kDrumChannel, kSnare, 70 + 10 * (k - 12));
            if (k % 2 == 0 && !(fill && k >= 12))
                drums.note(t, kSixteenth, kDrumChannel, k == 14 && b % 4 == 3 ? kOpenHat : kClosedHat,
                           k % 4 == 0 ? 84 : 64);
        }
        if (at.last) drums.note(at.start, kBar, kDrumChannel, kCrash, 120);
    }

    Track conductor, lead, bass, pad, drums;
};

}  // namespace

double MusicWriter::lengthSeconds() { return kBars * 4 * 60.0 / kBeatsPerMinute; }

bool MusicWriter::write(const std::string& path) {
    Song song;
    song.playSections();
    return song.save(path);
}
