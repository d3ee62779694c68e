#include "datafile/DatafileContents.h"

#include <allegro.h>

namespace {

constexpr int kFixedFontGlyphs = 95;  // the old fixed and proportional fonts: ' ' to '~'
constexpr int kPaletteColours = 256;
constexpr int kPaletteBytes = 4 * kPaletteColours;
constexpr int kPaletteMaximum = 63;  // components are 6 bits; the library scales them by table
constexpr int kMidiTracks = 32;
constexpr int kMaxVarLenBytes = 4;

// Bytes a bitmap pixel takes in the file for a stored depth word: 15 and 16
// bits as 5.6.5, 24 and 32 as 8.8.8, -32 as 8.8.8.8 with alpha.
int pixelBytes(int depthWord) {
    switch (depthWord) {
        case 8: return 1;
        case 15: case 16: return 2;
        case 24: case 32: return 3;
        case -32: return 4;
        default: return -1;
    }
}

bool checkBitmap(ByteReader& r, DatafileObject& o) {
    const int word = r.s16();
    const long bytes = pixelBytes(word);
    o.width = r.u16();
    o.height = r.u16();
    o.depth = word < 0 ? -word : word;
    if (bytes < 0 || o.width < 1 || o.height < 1) return false;
    return r.skip(static_cast<long>(o.width) * o.height * bytes);
}

// A range of the current font format: the byte before it is 1 (or 255) for
// monochrome glyphs, else the colour depth of its glyph bitmaps (0 is how the
// datafile tools mark 256 colours), whose pixels are stored as a bitmap's are
// (the loader converts them to the current depth). A glyph of no width or no height is refused: drawing a monochrome
// one crashes. `mono` tells which kind of range this was.
bool checkFontRange(ByteReader& r, bool& mono) {
    const int depth = r.u8();
    mono = depth == 1 || depth == 255;
    const int bytes = mono ? 0 : pixelBytes(depth == 0 ? 8 : depth);
    if (!mono && bytes < 0) return false;
    const long start = r.s32(), end = r.s32();
    if (r.bad() || start < 0 || end < start) return false;
    for (long ch = start; ch <= end; ++ch) {
        const long w = r.u16(), h = r.u16();
        if (r.bad() || w < 1 || h < 1) return false;
        if (!r.skip(mono ? (w + 7) / 8 * h : w * h * bytes)) return false;
    }
    return true;
}

bool checkFont(ByteReader& r) {
    const int kind = r.s16();
    // the old fixed fonts: 95 glyphs 8 pixels wide, one byte a row
    if (kind == 8 || kind == 16) return r.skip(static_cast<long>(kFixedFontGlyphs) * kind);
    if (kind == -1) {  // the old proportional font: 95 glyphs of 256-colour pixels
        for (int i = 0; i < kFixedFontGlyphs; ++i) {
            const long w = r.u16(), h = r.u16();
            if (r.bad() || w < 1 || h < 1 || !r.skip(w * h)) return false;
        }
        return true;
    }
    // a font without ranges loads as one the text routines crash on
    const int ranges = r.u16();
    if (kind != 0 || ranges < 1) return false;
    // The loader joins the ranges into one font of the first range's kind:
    // a colour range after a monochrome one is freed as what it is not.
    // The ranges of a font are all monochrome or all colour.
    bool firstMono = false;
    for (int i = 0; i < ranges; ++i) {
        bool mono = false;
        if (!checkFontRange(r, mono) || (i > 0 && mono != firstMono)) return false;
        if (i == 0) firstMono = mono;
    }
    return true;
}

bool checkSample(ByteReader& r) {
    const int bits = r.s16();
    const int frequency = r.u16();
    const long length = r.s32();
    const int depth = bits < 0 ? -bits : bits;
    if ((depth != 8 && depth != 16) || frequency < 1 || length < 1) return false;
    return r.skip(length * (depth / 8) * (bits < 0 ? 2 : 1));
}

// A variable-length number of a music track: at most four bytes, the last
// with its top bit clear.
bool varLen(ByteReader& r, long& value) {
    value = 0;
    for (int i = 0; i < kMaxVarLenBytes; ++i) {
        const int byte = r.u8();
        if (r.bad()) return false;
        value = (value << 7) | (byte & 0x7F);
        if (!(byte & 0x80)) return true;
    }
    return false;
}

// The player walks a track's events with no end in sight but the end-of-track
// event, so every event must lie whole inside the track and that event must
// come. Running status needs a channel status before it; system messages
// other than exclusive and meta events are not played and are refused. The
// data bytes of channel messages index the player's tables of 128 notes,
// controllers and programs, so each must be below 128.
bool checkMidiTrack(ByteReader r) {
    int running = 0;
    for (;;) {
        long delta = 0, length = 0;
        if (!varLen(r, delta)) return false;
        const int status = r.u8();
        if (r.bad()) return false;
        if (status < 0xF0) {
            int first = status;  // under running status the status byte is the first data byte
            if (status >= 0x80) {
                running = status;
                first = r.u8();
            }
            const int second = (running & 0xE0) == 0xC0 ? 0 : r.u8();
            if (!running || r.bad() || first > 0x7F || second > 0x7F) return false;
            continue;
        }
        if (status == 0xFF) {
            const int kind = r.u8();
            if (!varLen(r, length)) return false;
            if (kind == 0x2F) return true;
            if (kind == 0x51) {  // tempo: three bytes of microseconds a beat, never none
                ByteReader tempo = r.take(length);
                if (length != 3 || tempo.bad() || (tempo.u16() | tempo.u8()) == 0) return false;
                continue;
            }
        } else if ((status != 0xF0 && status != 0xF7) || !varLen(r, length)) {
            return false;
        }
        if (!r.skip(length)) return false;
    }
}

bool checkMidi(ByteReader& r) {
    if (r.u16() < 1) return false;  // beat divisions divide the tempo
    for (int t = 0; t < kMidiTracks; ++t) {
        const long length = r.s32();
        ByteReader track = r.take(length);
        if (track.bad()) return false;
        if (length > 0 && !checkMidiTrack(track)) return false;
    }
    return true;
}

bool checkPalette(ByteReader& r) {
    if (r.left() != kPaletteBytes) return false;
    for (int i = 0; i < kPaletteColours; ++i) {
        const int red = r.u8(), green = r.u8(), blue = r.u8();
        r.u8();  // padding
        if (red > kPaletteMaximum || green > kPaletteMaximum || blue > kPaletteMaximum) return false;
    }
    return true;
}

}  // namespace

bool DatafileContents::check(int type, ByteReader body, DatafileObject& object) {
    bool ok;
    switch (type) {
        case DAT_BITMAP: case DAT_C_SPRITE: case DAT_XC_SPRITE: ok = checkBitmap(body, object); break;
        case DAT_FONT: ok = checkFont(body); break;
        case DAT_SAMPLE: ok = checkSample(body); break;
        case DAT_MIDI: ok = checkMidi(body); break;
        // loaded as plain bytes, but set as the palette: 256 entries in range
        case DAT_PALETTE: ok = checkPalette(body); break;
        // The run-length sprite loader follows the runs it reads with no
        // bound, and converting one to another depth walks them again. The
        // game draws none, so none is let through.
        case DAT_RLE_SPRITE: return false;
        // The library keeps the end marker's type for an empty slot of its
        // loader table, without a loader: an object of that type calls nothing.
        case DAT_END: return false;
        default: return !body.bad();  // plain bytes: any contents will do
    }
    // the loader reads exactly what the fields describe; bytes over mean the
    // fields are not what was written
    return ok && !body.bad() && body.left() == 0;
}
