#pragma once
// Helpers for tests that need files of their own: a scratch folder the test
// runs in, and small Allegro datafiles written byte by byte (uncompressed
// format: magic, object count, then type, size, size, data per object, all
// numbers big-endian), so damaged and odd data.dat and tracks.dat can be made
// without the content tools.
#include <allegro.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "terrain/Terrain.h"
#include "world/World.h"

namespace testfiles {

using Bytes = std::vector<unsigned char>;

inline void put32(Bytes& b, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<unsigned char>(v >> s));
}
inline void put16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<unsigned char>(v >> 8));
    b.push_back(static_cast<unsigned char>(v));
}

struct DatObject {
    uint32_t type;
    Bytes data;
};

inline Bytes datafileBytes(const std::vector<DatObject>& objects) {
    Bytes b;
    put32(b, static_cast<uint32_t>(F_NOPACK_MAGIC));
    put32(b, static_cast<uint32_t>(DAT_MAGIC));
    put32(b, static_cast<uint32_t>(objects.size()));
    for (const DatObject& o : objects) {
        put32(b, o.type);
        put32(b, static_cast<uint32_t>(o.data.size()));
        put32(b, static_cast<uint32_t>(o.data.size()));
        b.insert(b.end(), o.data.begin(), o.data.end());
    }
    return b;
}

// Overwrites the big-endian word at `at`.
inline void set32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (24 - 8 * i));
}

// Where the type word of object `index` of an uncompressed datafile's index
// table is (its size words follow, then its contents), past its properties.
inline size_t objectAt(const Bytes& file, int index) {
    const auto word = [&file](size_t at) {
        return (uint32_t(file.at(at)) << 24) | (uint32_t(file.at(at + 1)) << 16) | (uint32_t(file.at(at + 2)) << 8) |
               file.at(at + 3);
    };
    size_t at = 12;
    for (int i = 0;; ++i) {
        while (word(at) == static_cast<uint32_t>(DAT_PROPERTY)) at += 12 + word(at + 8);
        if (i == index) return at;
        at += 12 + word(at + 4);
    }
}

inline Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const Bytes& b) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::trunc);
    out << text;
}

inline std::string readText(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What `command` writes to its output; its exit status (-1 if it did not exit) in `status`.
inline std::string commandOutput(const std::string& command, int* status = nullptr) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int s = pipe ? pclose(pipe) : -1;
    if (status) *status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    return out;
}

// A bitmap object of `depth` bits a pixel with the pixel bytes given.
inline DatObject bitmapBytes(int depth, int w, int h, const Bytes& pixels) {
    DatObject o{static_cast<uint32_t>(DAT_BITMAP), {}};
    for (int v : {depth, w, h}) put16(o.data, static_cast<uint16_t>(v));
    o.data.insert(o.data.end(), pixels.begin(), pixels.end());
    return o;
}

// A 32-bit bitmap object (stored as 8.8.8 RGB) of one colour.
inline DatObject bitmapObject(int w, int h, unsigned char r, unsigned char g, unsigned char bl) {
    Bytes pixels;
    for (int i = 0; i < w * h; ++i) pixels.insert(pixels.end(), {r, g, bl});
    return bitmapBytes(32, w, h, pixels);
}

// An 8-bit bitmap object whose pixels are given (w * h palette indices).
inline DatObject bitmap8Object(int w, int h, const Bytes& pixels) { return bitmapBytes(8, w, h, pixels); }

// One range of 8 x 8 mono glyphs for the printable ASCII characters.
inline DatObject fontObject() {
    DatObject o{static_cast<uint32_t>(DAT_FONT), {}};
    put16(o.data, 0);
    put16(o.data, 1);
    o.data.push_back(1);
    put32(o.data, 32);
    put32(o.data, 126);
    for (int c = 32; c <= 126; ++c) {
        put16(o.data, 8);
        put16(o.data, 8);
        for (int row = 0; row < 8; ++row) o.data.push_back(0xFF);
    }
    return o;
}

inline DatObject sampleObject() {
    DatObject o{static_cast<uint32_t>(DAT_SAMPLE), {}};
    put16(o.data, 8);
    put16(o.data, 11025);
    put32(o.data, 16);
    for (int i = 0; i < 16; ++i) o.data.push_back(128);
    return o;
}

inline DatObject midiObject() {
    DatObject o{static_cast<uint32_t>(DAT_MIDI), {}};
    put16(o.data, 96);
    for (int t = 0; t < 32; ++t) put32(o.data, 0);
    return o;
}

inline DatObject paletteObject() {
    DatObject o{static_cast<uint32_t>(DAT_PALETTE), {}};
    for (int i = 0; i < 256; ++i) {
        o.data.push_back(static_cast<unsigned char>(i % 64));
        o.data.push_back(static_cast<unsigned char>((i / 4) % 64));
        o.data.push_back(static_cast<unsigned char>(63 - i % 64));
        o.data.push_back(0);
    }
    return o;
}

inline DatObject rawObject(const Bytes& bytes) { return DatObject{static_cast<uint32_t>(DAT_DATA), bytes}; }

// The 49 objects the game addresses in data.dat, each of the right kind.
// Scenery kind k (indices 1, 43, 44, 46, 47) is 31 + 2k pixels wide and 40
// high; every other bitmap is 16 x 16.
inline std::vector<DatObject> gameDataObjects() {
    std::vector<DatObject> objects;
    const int scenery[] = {1, 43, 44, 46, 47};
    for (int i = 0; i < 49; ++i) {
        int kind = -1;
        for (int k = 0; k < 5; ++k)
            if (scenery[k] == i) kind = k;
        if (kind >= 0)
            objects.push_back(bitmapObject(31 + 2 * kind, 40, 200, 50, 50));
        else if (i == 40)
            objects.push_back(fontObject());
        else if (i == 41 || i == 45)
            objects.push_back(sampleObject());
        else if (i == 42)
            objects.push_back(midiObject());
        else
            objects.push_back(bitmapObject(16, 16, 180, 180, 180));
    }
    return objects;
}

inline void writeGameData(const std::string& path) { writeFile(path, datafileBytes(gameDataObjects())); }

// A tracks.dat of `tracks` tracks: object 0 the heightmaps, where every sample
// of track n has height 10 * n, except sample (i = 3, j = 5), which has 100 + n;
// object 1 the palette; objects n + 1 the textures, all of palette index n.
inline std::vector<DatObject> tracksObjects(int tracks, int textureSize = 256) {
    std::vector<DatObject> objects;
    Bytes heights;
    for (int n = 1; n <= tracks; ++n) {
        Bytes one(65536, static_cast<unsigned char>(10 * n));
        one[5 * 256 + 3] = static_cast<unsigned char>(100 + n);
        heights.insert(heights.end(), one.begin(), one.end());
    }
    objects.push_back(rawObject(heights));
    objects.push_back(paletteObject());
    for (int n = 1; n <= tracks; ++n)
        objects.push_back(bitmap8Object(textureSize, textureSize,
                                        Bytes(textureSize * textureSize, static_cast<unsigned char>(n))));
    return objects;
}

inline void writeTracks(const std::string& path, int tracks) { writeFile(path, datafileBytes(tracksObjects(tracks))); }

// The error that loading data.dat into a new World ends with, or "loaded".
inline std::string dataError() {
    try {
        World w(false);
        w.loadData();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "loaded";
}

// The error that loading `track` of tracks.dat ends with, or "loaded".
inline std::string tracksError(int track) {
    Terrain t;
    try {
        t.load(track);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "loaded";
}

// A fresh folder that the test works in while this lives; the former working
// directory comes back and the folder is removed at the end.
class ScratchDir {
public:
    ScratchDir() {
        char buf[4096];
        if (!getcwd(buf, sizeof buf)) throw std::runtime_error("getcwd");
        previous = buf;
        char pattern[] = "/tmp/hover-test-XXXXXX";
        if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp");
        path = pattern;
        if (chdir(path.c_str()) != 0) throw std::runtime_error("chdir");
    }
    ~ScratchDir() {
        if (chdir(previous.c_str()) != 0) return;
        const std::string command = "chmod -R u+w '" + path + "' 2>/dev/null; rm -rf '" + path + "'";
        if (std::system(command.c_str()) != 0) return;
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string path;
    std::string previous;
};

}  // namespace testfiles
