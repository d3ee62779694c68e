// The content the build makes in the game folder: data.dat, tracks.dat and
// the three track files. The tests run with the game folder as working
// directory.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "craft/HoverCraft.h"
#include "terrain/Terrain.h"
#include "track/TrackFile.h"
#include "world/TestFiles.h"
#include "world/World.h"

namespace {

constexpr int kDataObjects = 49;
constexpr int kCraftFrames = 36;
constexpr int kTracks = 3;
constexpr int kGrid = 256;
constexpr int kHeightmapBytes = kGrid * kGrid;
constexpr double kCell = 12.0;

const int kSpriteIndices[] = {0, 1, 38, 39, 43, 44, 46, 47, 48};

int expectedKind(int index) {
    if (index == 40) return DAT_FONT;
    if (index == 41 || index == 45) return DAT_SAMPLE;
    if (index == 42) return DAT_MIDI;
    return DAT_BITMAP;
}

struct DatafileDeleter {
    void operator()(DATAFILE* d) const { unload_datafile(d); }
};
using Datafile = std::unique_ptr<DATAFILE, DatafileDeleter>;

// The files as stored: no depth conversion, as the game loads data.dat.
Datafile loadAsStored(const char* name) {
    set_color_conversion(COLORCONV_NONE);
    return Datafile(load_datafile(name));
}

int countObjects(const DATAFILE* d) {
    int n = 0;
    while (d[n].type != DAT_END) ++n;
    return n;
}

// "- BMP  - O00_WONKY_PCX  - bitmap ..." lines of `dat -l`: type and name
std::vector<std::pair<std::string, std::string>> listDatafile(const std::string& file) {
    std::vector<std::pair<std::string, std::string>> objects;
    std::istringstream lines(testfiles::commandOutput("dat -l " + file + " 2>/dev/null"));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string dash1, type, dash2, name;
        if (!(words >> dash1 >> type >> dash2 >> name) || dash1 != "-" || dash2 != "-") continue;
        objects.push_back({type, name});
    }
    return objects;
}

struct Palette {
    PALETTE pal;
    void rgb(int index, int& r, int& g, int& b) const {
        r = _rgb_scale_6[pal[index].r];
        g = _rgb_scale_6[pal[index].g];
        b = _rgb_scale_6[pal[index].b];
    }
};

Palette tracksPalette(const Datafile& tracks) {
    Palette p;
    if (countObjects(tracks.get()) > 1 && tracks.get()[1].type == DAT_PALETTE)
        std::copy(*static_cast<PALETTE*>(tracks.get()[1].dat), *static_cast<PALETTE*>(tracks.get()[1].dat) + PAL_SIZE,
                  p.pal);
    return p;
}

bool waterColour(int r, int g, int b) { return b - r > 0 && b - g > 0; }

struct Record {
    char letter;
    double x, y, z;
    std::vector<double> body;
};

// The records of a track file, read token by token; `ended` tells whether an
// E record closed it, `clean` whether every record was whole.
std::vector<Record> readRecords(const std::string& text, bool* ended = nullptr, bool* clean = nullptr) {
    std::vector<Record> records;
    std::istringstream in(text);
    bool endSeen = false, whole = true;
    std::string letter;
    const std::map<char, int> bodySize = {{'S', 1}, {'C', 3}, {'P', 1}, {'W', 1}};
    while (in >> letter) {
        if (letter == "E") {
            endSeen = true;
            break;
        }
        if (letter.size() != 1 || !bodySize.count(letter[0])) {
            whole = false;
            break;
        }
        Record r{letter[0], 0, 0, 0, {}};
        in >> r.x >> r.y >> r.z;
        for (int k = 0; k < bodySize.at(letter[0]); ++k) {
            double v = 0;
            in >> v;
            r.body.push_back(v);
        }
        if (!in) {
            whole = false;
            break;
        }
        records.push_back(r);
    }
    if (ended) *ended = endSeen;
    if (clean) *clean = whole;
    return records;
}

std::string trackPath(int n) { return "tracks/track" + std::to_string(n) + ".txt"; }


// The waypoints of a track in file order: the drivers' route.
std::vector<const Record*> routeOf(const std::vector<Record>& records) {
    std::vector<const Record*> route;
    for (const Record& r : records)
        if (r.letter == 'W') route.push_back(&r);
    return route;
}

const unsigned char* heightsOf(const Datafile& tracks, int n) {
    return static_cast<const unsigned char*>(tracks.get()[0].dat) + (n - 1) * kHeightmapBytes;
}

// Ground height of a track as the game interpolates it.
double groundHeight(const unsigned char* heights, double x, double y) {
    const int i = static_cast<int>(x / kCell), j = static_cast<int>(y / kCell);
    if (i > kGrid - 2 || j > kGrid - 2 || i < 0 || j < 0) return 0.0;
    const double fx = std::fmod(x, kCell) / kCell, fy = std::fmod(y, kCell) / kCell;
    auto h = [&](int a, int b) { return static_cast<double>(heights[b * kGrid + a]); };
    return (1 - fx) * ((1 - fy) * h(i, j) + fy * h(i, j + 1)) + fx * ((1 - fy) * h(i + 1, j) + fy * h(i + 1, j + 1));
}

// data.dat and tracks.dat as stored, loaded once for all the content tests.
class Content : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        data = loadAsStored("data.dat");
        tracks = loadAsStored("tracks.dat");
    }
    static void TearDownTestSuite() {
        data.reset();
        tracks.reset();
    }
    void SetUp() override {
        ASSERT_TRUE(data) << "data.dat missing from the game folder";
        ASSERT_TRUE(tracks) << "tracks.dat missing from the game folder";
    }
    static inline Datafile data, tracks;
};

}  // namespace

TEST_F(Content, DataFileHoldsTheFortyNineObjectsOfTheGameInIndexOrder) {
    ASSERT_GE(countObjects(data.get()), kDataObjects);
    for (int i = 0; i < kDataObjects; ++i) {
        EXPECT_EQ(data.get()[i].type, expectedKind(i)) << "object " << i;
        EXPECT_NE(data.get()[i].dat, nullptr) << "object " << i;
    }

    // the tool's own listing agrees, and sorting by name cannot reorder it
    const auto listed = listDatafile("data.dat");
    ASSERT_EQ(static_cast<int>(listed.size()), countObjects(data.get()));
    for (int i = 0; i < kDataObjects; ++i) {
        const char* type = expectedKind(i) == DAT_FONT ? "FONT"
                           : expectedKind(i) == DAT_SAMPLE ? "SAMP"
                           : expectedKind(i) == DAT_MIDI ? "MIDI"
                                                          : "BMP";
        EXPECT_EQ(listed[i].first, type) << "object " << i;
        char prefix[8];
        std::snprintf(prefix, sizeof prefix, "O%02d_", i);
        EXPECT_EQ(listed[i].second.compare(0, 4, prefix), 0) << listed[i].second << " at " << i;
        if (i > 0) {
            EXPECT_LT(listed[i - 1].second, listed[i].second);
        }
    }
}

TEST_F(Content, SpritesAreTwoHundredFiftySixColourAndDrawOntoTrueColour) {
    const Palette palette = tracksPalette(tracks);
    set_palette(palette.pal);
    for (int index : kSpriteIndices) {
        BITMAP* sprite = static_cast<BITMAP*>(data.get()[index].dat);
        ASSERT_EQ(bitmap_color_depth(sprite), 8) << "object " << index;
        EXPECT_GE(sprite->w, 12) << "object " << index;
        EXPECT_GE(sprite->h, 12) << "object " << index;
        int opaque = 0;
        for (int depth : {16, 32}) {
            BITMAP* target = create_bitmap_ex(depth, sprite->w, sprite->h);
            const int background = makecol_depth(depth, 255, 0, 255);
            clear_to_color(target, background);
            draw_sprite(target, sprite, 0, 0);
            for (int y = 0; y < sprite->h; ++y) {
                for (int x = 0; x < sprite->w; ++x) {
                    const int c = getpixel(sprite, x, y);
                    int r, g, b;
                    palette.rgb(c, r, g, b);
                    const int expected = c == 0 ? background : makecol_depth(depth, r, g, b);
                    ASSERT_EQ(getpixel(target, x, y), expected)
                        << "object " << index << " at " << x << "," << y << " on " << depth << " bits";
                    if (c != 0 && depth == 32) ++opaque;
                }
            }
            destroy_bitmap(target);
        }
        // something to see, and a transparent surround
        EXPECT_GT(opaque, sprite->w * sprite->h / 5) << "object " << index;
        EXPECT_EQ(getpixel(sprite, 0, 0), 0) << "object " << index;
    }
}

TEST_F(Content, CraftFramesAreRedHullsOnBlackThatTurnFrameByFrame) {
    BITMAP* first = static_cast<BITMAP*>(data.get()[2].dat);
    std::vector<std::vector<int>> frames;
    for (int i = 0; i < kCraftFrames; ++i) {
        BITMAP* source = static_cast<BITMAP*>(data.get()[2 + i].dat);
        ASSERT_EQ(source->w, first->w);
        ASSERT_EQ(source->h, first->h);
        BITMAP* frame = create_bitmap_ex(32, source->w, source->h);
        blit(source, frame, 0, 0, 0, 0, source->w, source->h);
        std::vector<int> pixels;
        long red = 0, green = 0, blue = 0;
        int visible = 0;
        for (int y = 0; y < frame->h; ++y) {
            for (int x = 0; x < frame->w; ++x) {
                const int p = getpixel(frame, x, y);
                const int r = getr32(p), g = getg32(p), b = getb32(p);
                pixels.push_back(p & 0xFFFFFF);
                // the craft's dark-background rule: such pixels are see-through
                if (r + g + b <= 63 && g + b >= r) continue;
                ++visible;
                red += r;
                green += g;
                blue += b;
            }
        }
        const int corners[4][2] = {{0, 0}, {frame->w - 1, 0}, {0, frame->h - 1}, {frame->w - 1, frame->h - 1}};
        for (const auto& c : corners) EXPECT_EQ(getpixel(frame, c[0], c[1]) & 0xFFFFFF, 0) << "frame " << i;
        EXPECT_GT(visible, frame->w * frame->h / 6) << "frame " << i;
        EXPECT_LT(visible, frame->w * frame->h * 2 / 3) << "frame " << i;
        EXPECT_GT(red, green * 3 / 2) << "frame " << i;
        EXPECT_GT(red, blue * 3 / 2) << "frame " << i;
        frames.push_back(pixels);
        destroy_bitmap(frame);
    }
    for (int i = 0; i < kCraftFrames; ++i) {
        const std::vector<int>& a = frames[i];
        const std::vector<int>& b = frames[(i + 1) % kCraftFrames];
        int differ = 0;
        for (size_t k = 0; k < a.size(); ++k) differ += a[k] != b[k];
        EXPECT_GT(differ, static_cast<int>(a.size()) / 20) << "frames " << i << " and " << (i + 1) % kCraftFrames;
    }
    // half a turn apart the outline changes its side: not a symmetric blob
    int mirrored = 0;
    for (int y = 0; y < first->h; ++y)
        for (int x = 0; x < first->w; ++x)
            mirrored += (getpixel(first, x, y) != 0) != (getpixel(first, first->w - 1 - x, y) != 0);
    EXPECT_GT(mirrored, 20);
}

TEST_F(Content, MessageFontIsMonochromeLargerThanTheDefaultWithAllPrintableAscii) {
    FONT* f = static_cast<FONT*>(data.get()[40].dat);
    EXPECT_TRUE(is_mono_font(f));
    EXPECT_GT(text_height(f), 8);
    EXPECT_GT(text_length(f, "W"), 8);
    EXPECT_LE(get_font_range_begin(f, -1), ' ');
    EXPECT_GE(get_font_range_end(f, -1), '~');
    // every printable character leaves ink, except the space
    BITMAP* bmp = create_bitmap_ex(32, 40, 40);
    for (int c = ' ' + 1; c <= '~'; ++c) {
        clear_to_color(bmp, 0);
        const char text[2] = {static_cast<char>(c), 0};
        textout_ex(bmp, f, text, 2, 2, makecol32(255, 255, 255), -1);
        int ink = 0;
        for (int y = 0; y < bmp->h; ++y)
            for (int x = 0; x < bmp->w; ++x) ink += getpixel(bmp, x, y) != 0;
        EXPECT_GT(ink, 3) << "character " << static_cast<char>(c);
    }
    destroy_bitmap(bmp);
}

TEST_F(Content, SamplesAreShortAudibleSounds) {
    for (int index : {41, 45}) {
        SAMPLE* s = static_cast<SAMPLE*>(data.get()[index].dat);
        ASSERT_GT(s->freq, 0u);
        const double seconds = static_cast<double>(s->len) / s->freq;
        EXPECT_GT(seconds, 0.2) << "sample " << index;
        EXPECT_LT(seconds, 2.0) << "sample " << index;
        ASSERT_EQ(s->bits, 16);
        // Allegro keeps 16-bit samples unsigned, silence at 0x8000
        const unsigned short* v = static_cast<const unsigned short*>(s->data);
        int loudest = 0;
        for (unsigned long k = 0; k < s->len; ++k) loudest = std::max(loudest, std::abs(static_cast<int>(v[k]) - 0x8000));
        EXPECT_GT(loudest, 8000) << "sample " << index;
    }
}

TEST_F(Content, RaceMusicIsAMinuteOfMelodyBassAndDrumsInAMinor) {
    MIDI* midi = static_cast<MIDI*>(data.get()[42].dat);
    ASSERT_GT(midi->divisions, 0);
    // walk every track's events: the channels that sound and their instruments, the tempo, the length, the key
    std::set<int> channels, programmed, outOfKey;
    const std::set<int> aMinor = {9, 11, 0, 2, 4, 5, 7, 8};  // the raised seventh of the E chord too
    long longest = 0;
    long microsPerQuarter = 0;
    for (int t = 0; t < MIDI_TRACKS; ++t) {
        const unsigned char* p = midi->track[t].data;
        const int len = p ? midi->track[t].len : 0;
        int k = 0, running = 0;
        long ticks = 0;
        const auto number = [&] {
            long v = 0;
            for (int byte = 0x80; k < len && (byte & 0x80);) v = (v << 7) | ((byte = p[k++]) & 0x7F);
            return v;
        };
        while (k < len) {
            ticks += number();
            if (k >= len) break;
            const int status = (p[k] & 0x80) ? p[k++] : running;
            if (status == 0xFF || status == 0xF0 || status == 0xF7) {  // meta and system exclusive events
                const int type = status == 0xFF && k < len ? p[k++] : 0;
                const long size = number();
                if (type == 0x51 && size == 3 && k + 2 < len) microsPerQuarter = (p[k] << 16) | (p[k + 1] << 8) | p[k + 2];
                k += static_cast<int>(size);
                continue;
            }
            running = status;
            const int kind = status & 0xF0;
            if (kind == 0xC0) programmed.insert(status & 0x0F);
            if (kind == 0x90 && k + 1 < len && p[k + 1] > 0) {
                channels.insert(status & 0x0F);
                if ((status & 0x0F) != 9 && !aMinor.count(p[k] % 12)) outOfKey.insert(p[k]);
            }
            k += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        }
        longest = std::max(longest, ticks);
    }
    ASSERT_GT(microsPerQuarter, 0) << "no tempo of its own";
    const double seconds = static_cast<double>(longest) / midi->divisions * microsPerQuarter / 1e6;
    EXPECT_GE(seconds, 60.0);
    EXPECT_TRUE(channels.count(9)) << "no drums";
    EXPECT_GE(channels.size(), 3u) << "melody, bass and drums";
    for (int c : channels)
        EXPECT_TRUE(c == 9 || programmed.count(c)) << "channel " << c << " plays no chosen instrument";
    EXPECT_TRUE(outOfKey.empty()) << "first note out of key: " << (outOfKey.empty() ? 0 : *outOfKey.begin());
}

TEST_F(Content, TracksDatHoldsHeightmapsPaletteAndTexturesWithFlatWaterOfItsOwnColours) {
    const Palette palette = tracksPalette(tracks);
    set_palette(palette.pal);
    ASSERT_GE(countObjects(tracks.get()), 2 + kTracks);
    EXPECT_EQ(tracks.get()[0].type, DAT_DATA);
    EXPECT_EQ(tracks.get()[0].size, kTracks * kHeightmapBytes);
    EXPECT_EQ(tracks.get()[1].type, DAT_PALETTE);
    for (int n = 1; n <= kTracks; ++n) {
        ASSERT_EQ(tracks.get()[n + 1].type, DAT_BITMAP);
        BITMAP* texture = static_cast<BITMAP*>(tracks.get()[n + 1].dat);
        EXPECT_EQ(texture->w, kGrid);
        EXPECT_EQ(texture->h, kGrid);
        EXPECT_EQ(bitmap_color_depth(texture), 8);
        // a valley: the course lies well below its surroundings
        const unsigned char* h = heightsOf(tracks, n);
        const auto [low, high] = std::minmax_element(h, h + kHeightmapBytes);
        EXPECT_GT(*high - *low, 60) << "track " << n;
        // water: flat, and only the water colours count as water at every depth
        std::vector<bool> water(kHeightmapBytes);
        int count = 0;
        for (int j = 0; j < kGrid; ++j) {
            for (int i = 0; i < kGrid; ++i) {
                int r, g, b;
                palette.rgb(getpixel(texture, i, j), r, g, b);
                water[j * kGrid + i] = waterColour(r, g, b);
                count += water[j * kGrid + i];
            }
        }
        EXPECT_GT(count, 100) << "track " << n << " has no stretch of water";
        // neighbouring water samples lie at one level
        int uneven = 0;
        for (int j = 0; j + 1 < kGrid; ++j)
            for (int i = 0; i + 1 < kGrid; ++i) {
                if (!water[j * kGrid + i]) continue;
                if (water[j * kGrid + i + 1] && h[j * kGrid + i + 1] != h[j * kGrid + i]) ++uneven;
                if (water[(j + 1) * kGrid + i] && h[(j + 1) * kGrid + i] != h[j * kGrid + i]) ++uneven;
            }
        EXPECT_EQ(uneven, 0) << "track " << n;
        // converted to the screen's depth, no ground colour turns into water or back
        for (int depth : {16, 32}) {
            BITMAP* converted = create_bitmap_ex(depth, kGrid, kGrid);
            blit(texture, converted, 0, 0, 0, 0, kGrid, kGrid);
            int mismatches = 0;
            for (int j = 0; j < kGrid; ++j)
                for (int i = 0; i < kGrid; ++i) {
                    const int c = getpixel(converted, i, j);
                    const bool w = waterColour(getr_depth(depth, c), getg_depth(depth, c), getb_depth(depth, c));
                    mismatches += w != water[j * kGrid + i];
                }
            EXPECT_EQ(mismatches, 0) << "track " << n << " at " << depth << " bits";
            destroy_bitmap(converted);
        }
    }
    const auto listed = listDatafile("tracks.dat");
    ASSERT_GE(listed.size(), 5u);
    EXPECT_EQ(listed[0].first, "DATA");
    EXPECT_EQ(listed[1].first, "PAL");
    for (int n = 1; n <= kTracks; ++n) EXPECT_EQ(listed[n + 1].first, "BMP");
}

TEST_F(Content, TrackFilesNumberTheirGatesAndRouteInOrderAndStayOnTheMapWithGatesAlongTheRoute) {
    for (int n = 1; n <= kTracks; ++n) {
        const std::string text = testfiles::readText(trackPath(n));
        ASSERT_FALSE(text.empty()) << trackPath(n);
        bool ended = false, clean = false;
        const std::vector<Record> records = readRecords(text, &ended, &clean);
        EXPECT_TRUE(ended) << trackPath(n);
        EXPECT_TRUE(clean) << trackPath(n);
        std::vector<int> gates;
        int waypoints = 0;
        std::set<int> powerups, scenery;
        for (const Record& r : records) {
            if (r.letter == 'C') gates.push_back(static_cast<int>(r.body[1]));
            if (r.letter == 'W') {
                EXPECT_EQ(static_cast<int>(r.body[0]), waypoints++) << trackPath(n);
            }
            if (r.letter == 'P') powerups.insert(static_cast<int>(r.body[0]));
            if (r.letter == 'S') scenery.insert(static_cast<int>(r.body[0]));
        }
        ASSERT_GE(gates.size(), 4u) << trackPath(n);
        std::vector<int> sorted = gates;
        std::sort(sorted.begin(), sorted.end());
        for (size_t k = 0; k < sorted.size(); ++k) EXPECT_EQ(sorted[k], static_cast<int>(k)) << trackPath(n);
        // a route of well-spaced waypoints: each a good stretch from the next
        EXPECT_GE(waypoints, 12) << trackPath(n);
        const std::vector<const Record*> route = routeOf(records);
        for (size_t k = 0; k < route.size(); ++k) {
            const Record* a = route[k];
            const Record* b = route[(k + 1) % route.size()];
            const double step = std::hypot(b->x - a->x, b->y - a->y);
            EXPECT_TRUE(step > 150 && step < 450) << trackPath(n) << ": waypoint " << k << " is " << step << " from the next";
        }
        EXPECT_EQ(powerups, (std::set<int>{1, 2, 3, 4})) << trackPath(n);
        EXPECT_GE(scenery.size(), 3u) << trackPath(n);
        for (int kind : scenery) EXPECT_TRUE(kind >= 0 && kind <= 4) << trackPath(n);

        // the game's own reader makes the same gates and route
        World world(false);
        std::istringstream in(text);
        TrackFile::read(world, in);
        EXPECT_EQ(world.getCheckpointCount(), static_cast<int>(gates.size())) << trackPath(n);
        EXPECT_EQ(world.getWaypointCount(), waypoints) << trackPath(n);

        // every object lies on the map, gates face along the route
        const unsigned char* h = heightsOf(tracks, n);
        std::vector<const Record*> gateRecords;
        for (const Record& r : records) {
            // every object lies where the pre-rendered map shows the ground
            const double across = r.x - r.y, up = (r.x + r.y) / 2 + r.z;
            EXPECT_TRUE(across >= -2560 && across < 2560 && up > 320 && up <= 2880)
                << trackPath(n) << ": " << r.letter << " at " << r.x << "," << r.y;
            if (r.letter == 'C') gateRecords.push_back(&r);
            // gates and powerups carry their own height: it must be the ground's
            if (r.letter == 'C' || r.letter == 'P') {
                EXPECT_NEAR(r.z, groundHeight(h, r.x, r.y), 0.5) << trackPath(n) << ": " << r.letter;
            }
        }
        ASSERT_GE(route.size(), 3u);
        for (const Record* gate : gateRecords) {
            const double angle = gate->body[2] * 3.141592653589793 / 180.0;
            const double fx = std::cos(angle), fy = -std::sin(angle);
            // the nearest waypoint, and the way the route runs there
            size_t k = 0;
            for (size_t w = 1; w < route.size(); ++w)
                if (std::hypot(route[w]->x - gate->x, route[w]->y - gate->y) <
                    std::hypot(route[k]->x - gate->x, route[k]->y - gate->y))
                    k = w;
            EXPECT_LT(std::hypot(route[k]->x - gate->x, route[k]->y - gate->y), gate->body[0])
                << trackPath(n) << ": no waypoint leads through gate " << gate->body[1];
            const Record* before = route[(k + route.size() - 1) % route.size()];
            const Record* after = route[(k + 1) % route.size()];
            const double rx = after->x - before->x, ry = after->y - before->y;
            EXPECT_GT((rx * fx + ry * fy) / std::hypot(rx, ry), 0.8)
                << trackPath(n) << ": gate " << gate->body[1] << " does not face along the route";
            if (gate->body[1] != 0) continue;
            // the grid stands on the level floor behind the start line
            for (double back = 0; back <= 150; back += 10) {
                for (double side = -20; side <= 20; side += 20) {
                    EXPECT_NEAR(groundHeight(h, gate->x - fx * back + fy * side, gate->y - fy * back - fx * side),
                                gate->z, 3.0)
                        << trackPath(n) << ": " << back << " units behind the start";
                }
            }
        }
    }
}

TEST_F(Content, TheGeneratorMakesTheSameBytesEveryTime) {
    const std::string generator = "../tools/hover-content";
    if (!std::ifstream(generator)) GTEST_SKIP() << "no generator beside the game folder";
    char folder[] = "/tmp/hover-content-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string work = folder;
    const std::string command = generator + " " + work + " dat " + work + "/work > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::vector<std::string> files = {"data.dat", "tracks.dat", trackPath(1), trackPath(2), trackPath(3)};
    for (const std::string& f : files) {
        const std::string made = testfiles::readText(work + "/" + f);
        EXPECT_FALSE(made.empty()) << f;
        EXPECT_TRUE(made == testfiles::readText(f)) << f << " differs from the build's";
    }
    EXPECT_EQ(std::system(("rm -rf '" + work + "'").c_str()), 0);
}
