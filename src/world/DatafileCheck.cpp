#include "world/DatafileCheck.h"

#include <allegro.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kMaxDepth = 8;
constexpr long kMaxObjects = 1 << 20;

// A bounded reader over bytes; every read past the end sets `bad`.
struct Cursor {
    const unsigned char* p;
    long left;
    bool bad = false;

    long take(long n) {
        if (n < 0 || n > left) {
            bad = true;
            left = 0;
            return 0;
        }
        p += n;
        left -= n;
        return n;
    }
    uint32_t u32() {
        if (left < 4) return take(4), 0;
        const uint32_t v = (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
        take(4);
        return v;
    }
    int s32() { return static_cast<int32_t>(u32()); }
    int u16() {
        if (left < 2) return take(2), 0;
        const int v = (p[0] << 8) | p[1];
        take(2);
        return v;
    }
    int s16() { return static_cast<int16_t>(u16()); }
    int u8() {
        if (left < 1) return take(1), 0;
        const int v = p[0];
        take(1);
        return v;
    }
};

bool checkObjects(Cursor& c, long count, int depth);

long bitmapBytes(int bits) {
    switch (bits) {
        case 8: return 1;
        case 15: case 16: return 2;
        case 24: case 32: return 3;
        case -32: return 4;
        default: return -1;
    }
}

bool checkBitmap(Cursor& c) {
    const long bpp = bitmapBytes(c.s16());
    const long w = c.u16(), h = c.u16();
    if (bpp < 0 || w < 1 || h < 1) return false;
    c.take(w * h * bpp);
    return !c.bad;
}

bool checkFont(Cursor& c) {
    const int kind = c.s16();
    if (kind == 8 || kind == 16) return c.take(95L * kind), !c.bad;
    if (kind == -1) {
        for (int i = 0; i < 95 && !c.bad; ++i) {
            const long w = c.u16(), h = c.u16();
            c.take(w * h);
        }
        return !c.bad;
    }
    if (kind != 0) return false;
    const int ranges = c.u16();
    for (int r = 0; r < ranges && !c.bad; ++r) {
        // the byte before a range is its colour depth: 1 (or 255) for a
        // monochrome range, else the depth of its glyph bitmaps
        const int depth = c.u8();
        const bool mono = depth == 1 || depth == 255;
        if (!mono && depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32) return false;
        const long bytes = (depth + 7) / 8;
        const long start = c.s32(), end = c.s32();
        if (start < 0 || end < start) return false;
        for (long ch = start; ch <= end && !c.bad; ++ch) {
            const long w = c.u16(), h = c.u16();
            c.take(mono ? (w + 7) / 8 * h : w * h * bytes);
        }
    }
    return !c.bad;
}

bool checkSample(Cursor& c) {
    const int bits = c.s16();
    c.u16();
    const long length = c.s32();
    const int depth = std::abs(bits);
    if ((depth != 8 && depth != 16) || length < 0) return false;
    c.take(length * (depth / 8) * (bits < 0 ? 2 : 1));
    return !c.bad;
}

bool checkMidi(Cursor& c) {
    c.u16();
    for (int t = 0; t < 32 && !c.bad; ++t) c.take(c.s32());
    return !c.bad;
}

bool checkContents(int type, Cursor c, int depth) {
    switch (type) {
        case DAT_FILE: {
            const long count = c.s32();
            return !c.bad && checkObjects(c, count, depth + 1);
        }
        case DAT_BITMAP: case DAT_C_SPRITE: case DAT_XC_SPRITE: return checkBitmap(c);
        case DAT_RLE_SPRITE: {
            if (bitmapBytes(c.s16()) < 0) return false;
            c.u16();
            c.u16();
            c.take(c.s32());
            return !c.bad;
        }
        case DAT_PALETTE: return c.take(1024), !c.bad;
        case DAT_FONT: return checkFont(c);
        case DAT_SAMPLE: return checkSample(c);
        case DAT_MIDI: return checkMidi(c);
        default: return true;  // raw bytes: any contents will do
    }
}

bool checkObjects(Cursor& c, long count, int depth) {
    if (count < 0 || count > kMaxObjects || depth > kMaxDepth) return false;
    for (long i = 0; i < count; ++i) {
        int type = c.s32();
        while (!c.bad && type == DAT_PROPERTY) {
            c.u32();
            c.take(c.s32());
            type = c.s32();
        }
        const long stored = c.s32(), expanded = c.s32();
        if (c.bad || stored < 0 || stored > c.left) return false;
        Cursor body{c.p, stored};
        c.take(stored);
        // an object compressed on its own is only checked for being present
        if (expanded >= 0 && !checkContents(type, body, depth)) return false;
    }
    return !c.bad;
}

}  // namespace

bool DatafileCheck::isWhole(const char* path) {
    PACKFILE* f = pack_fopen(path, F_READ_PACKED);
    if (!f) return false;
    std::vector<unsigned char> bytes;
    unsigned char block[4096];
    long n;
    while ((n = pack_fread(block, sizeof block, f)) > 0) bytes.insert(bytes.end(), block, block + n);
    const bool failed = pack_ferror(f);
    pack_fclose(f);
    if (failed) return false;
    Cursor c{bytes.data(), static_cast<long>(bytes.size())};
    if (c.u32() != static_cast<uint32_t>(DAT_MAGIC)) return false;
    const long count = c.s32();
    return !c.bad && checkObjects(c, count, 0);
}
