#include "datafile/DatafileCheck.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafile/LzssExpander.h"
#include "world/TestFiles.h"

using namespace testfiles;

namespace {

const char* const kDataError = "Failed to load datafile";
const char* const kTracksError = "Unable to load tracks datafile";

// A datafile written whole-file packed, as the datafile tools pack it.
void writePacked(const std::string& path, const Bytes& plain) {
    PACKFILE* f = pack_fopen(path.c_str(), F_WRITE_PACKED);
    ASSERT_TRUE(f);
    pack_fwrite(plain.data() + 4, static_cast<long>(plain.size() - 4), f);  // past the unpacked magic
    pack_fclose(f);
}

// `plain` packed whole, every byte a literal but the three at `at`, taken as
// a match from ring position `from`.
Bytes packedWithMatch(const Bytes& plain, size_t at, int from) {
    std::vector<Bytes> items;
    for (size_t i = 4; i < plain.size();) {  // past the unpacked magic
        if (i == at) {
            items.push_back({static_cast<unsigned char>(from), static_cast<unsigned char>((from >> 8) << 4)});
            i += 3;
        } else {
            items.push_back({plain[i++]});
        }
    }
    Bytes out = {'s', 'l', 'h', '!'};
    for (size_t k = 0; k < items.size(); k += 8) {
        const size_t flags = out.size();
        out.push_back(0);  // a bit for each of the next eight items: set for a literal
        for (size_t b = 0; b < 8 && k + b < items.size(); ++b) {
            if (items[k + b].size() == 1) out[flags] |= static_cast<unsigned char>(1 << b);
            out.insert(out.end(), items[k + b].begin(), items[k + b].end());
        }
    }
    return out;
}

// One track of music: `events`, then the end-of-track event unless left out.
DatObject music(std::vector<unsigned char> events, int divisions = 96, bool end = true) {
    if (end) events.insert(events.end(), {0, 0xFF, 0x2F, 0});
    DatObject o{static_cast<uint32_t>(DAT_MIDI), {}};
    put16(o.data, static_cast<uint16_t>(divisions));
    put32(o.data, static_cast<uint32_t>(events.size()));
    o.data.insert(o.data.end(), events.begin(), events.end());
    for (int t = 1; t < 32; ++t) put32(o.data, 0);
    return o;
}

}  // namespace

// The damage that threw the library's loader or the game off the shipped
// files: size words negative, past the end of the file or a byte changed,
// types swapped for others the loader knows, the font without ranges.
TEST(DatafileCheck, HeaderDamageToTheShippedFilesGivesTheLoadErrors) {
    const Bytes data = readFile("data.dat"), tracks = readFile("tracks.dat");
    if (data.empty() || tracks.empty()) GTEST_SKIP() << "the game content is not in the working directory";
    ScratchDir dir;
    struct Damage {
        bool inTracks;
        int object, word;  // word 0 the type, 1 the stored size, 2 the expanded size
        uint32_t value;
    };
    std::vector<Damage> damages;
    for (const bool inTracks : {false, true})  // a craft frame, the font, the music; heights, palette, texture
        for (const int object : inTracks ? std::vector<int>{0, 1, 2} : std::vector<int>{3, 40, 42})
            for (const int word : {1, 2})
                for (const uint32_t value : {0xFFFFFFFBu, 0x7FFFFFFFu, 0u})
                    damages.push_back({inTracks, object, word, value});
    for (const uint32_t type : std::vector<uint32_t>{DAT_RLE_SPRITE, DAT_FONT, DAT_SAMPLE, DAT_FILE, 0xFFFFFFFFu}) {
        damages.push_back({false, 3, 0, type});
        damages.push_back({true, 1, 0, type});
    }
    damages.push_back({true, 0, 0, DAT_BITMAP});
    damages.push_back({false, 40, 0, DAT_BITMAP});
    for (const Damage& d : damages) {
        Bytes file = d.inTracks ? tracks : data;
        set32(file, objectAt(file, d.object) + 4 * d.word, d.value);
        writeFile(d.inTracks ? "tracks.dat" : "data.dat", file);
        EXPECT_EQ(d.inTracks ? tracksError(1) : dataError(), d.inTracks ? kTracksError : kDataError)
            << (d.inTracks ? "tracks.dat" : "data.dat") << " object " << d.object << " word " << d.word << " = "
            << d.value;
    }
    // each byte of a size word changed on its own
    for (int byte = 0; byte < 8; ++byte) {
        Bytes file = data;
        file[objectAt(file, 20) + 4 + byte] ^= 0x10;
        writeFile("data.dat", file);
        EXPECT_EQ(dataError(), kDataError) << "size byte " << byte;
    }
    Bytes fontless = data;
    const size_t ranges = objectAt(fontless, 40) + 12 + 2;
    fontless[ranges] = fontless[ranges + 1] = 0;
    writeFile("data.dat", fontless);
    EXPECT_EQ(dataError(), kDataError) << "font without ranges";

    // the same files packed whole load as they are
    writePacked("data.dat", data);
    writePacked("tracks.dat", tracks);
    EXPECT_EQ(dataError(), "loaded");
    EXPECT_EQ(tracksError(3), "loaded");
    writePacked("data.dat", fontless);
    EXPECT_EQ(dataError(), kDataError) << "packed font without ranges";
    // the zeros of the object count taken from the ring: from its start,
    // which begins as zeros, or from its end, which the library never sets
    writeFile("data.dat", packedWithMatch(data, 8, 0));
    EXPECT_EQ(dataError(), "loaded");
    writeFile("data.dat", packedWithMatch(data, 8, LzssExpander::kRingBytes - 14));
    EXPECT_EQ(dataError(), kDataError) << "match from ring bytes never written";
}

// What the fuzzer and the library's loaders showed: objects the loader reads
// without crashing, but that crash it when freed or the game when it draws,
// sets or plays them.
TEST(DatafileCheck, ObjectsUnfitForTheirUseAreRefused) {
    ScratchDir dir;
    const auto dataWith = [](int index, const DatObject& o) {
        auto objects = gameDataObjects();
        if (index >= static_cast<int>(objects.size())) objects.resize(index + 1, rawObject(Bytes(4, 1)));
        objects[index] = o;
        writeFile("data.dat", datafileBytes(objects));
        return dataError();
    };
    DatObject deep = rawObject(Bytes(3, 1));
    for (int level = 0; level < 10; ++level) {
        const Bytes inner = datafileBytes({deep});  // magic, count 1, the object
        deep = DatObject{static_cast<uint32_t>(DAT_FILE), Bytes(inner.begin() + 8, inner.end())};
    }
    DatObject sprite24 = bitmapObject(4, 4, 9, 9, 9);
    sprite24.data[1] = 24;  // 8.8.8 pixels, kept at 24 bits: drawn on 32 as if 32
    DatObject mixedFont = fontObject();
    mixedFont.data[3] = 2;
    mixedFont.data.insert(mixedFont.data.end(), {8, 0, 0, 0, 200, 0, 0, 0, 200, 0, 1, 0, 1, 7});
    DatObject thinGlyph = fontObject();
    thinGlyph.data[14] = 0;  // the first glyph 0 wide, 8 high, so no bytes
    thinGlyph.data.erase(thinGlyph.data.begin() + 17, thinGlyph.data.begin() + 25);
    DatObject silent = sampleObject();
    silent.data[2] = silent.data[3] = 0;  // frequency 0
    const struct {
        int index;
        DatObject object;
        const char* what;
    } refused[] = {
        {1, sprite24, "24-bit scenery on a 32-bit screen"},
        {40, mixedFont, "font of a monochrome and a colour range"},
        {40, thinGlyph, "glyph of no width"},
        {41, silent, "sample of frequency 0"},
        {42, music({0, 0x90, 60, 100}, 0), "music of no beat divisions"},
        {42, music({0, 0x90, 60, 100}, 96, false), "track without its end"},
        {42, music({0, 60, 100}), "running status before any status"},
        {42, music({0, 0xFF, 0x51, 3, 0, 0, 0}), "tempo 0"},
        {42, music({0, 0xF1, 5}), "system message the player does not know"},
        {42, music({0, 0x90, 0x90, 100}), "note number past 127"},
        {50, DatObject{static_cast<uint32_t>(DAT_RLE_SPRITE), bitmapObject(2, 2, 1, 1, 1).data}, "run-length sprite"},
        {50, DatObject{static_cast<uint32_t>(DAT_END), Bytes(4, 0)}, "object typed as the end marker"},
        {50, deep, "datafiles nested ten deep"},
    };
    for (const auto& r : refused) EXPECT_EQ(dataWith(r.index, r.object), kDataError) << r.what;
    EXPECT_EQ(dataWith(5, sprite24), "loaded") << "24-bit craft frame: copied, not drawn";
    const DatObject tune = music({0, 0xC0, 5, 0, 0x90, 60, 100, 8, 62, 90, 0, 0xFF, 0x51, 3, 7, 0xA1, 0x20});
    EXPECT_EQ(dataWith(42, tune), "loaded") << "music with running status and a tempo";
    EXPECT_EQ(dataWith(55, DatObject{DAT_ID('X', 'Y', 'Z', 'W'), Bytes(7, 3)}), "loaded") << "a type of its own";

    auto tracks = tracksObjects(1);
    tracks[1].data[4 * 17] = 64;  // a palette component past 63
    writeFile("tracks.dat", datafileBytes(tracks));
    EXPECT_EQ(tracksError(1), kTracksError);
}
