// Feeds arbitrary bytes to the game as data.dat and as tracks.dat: the check
// before the library's loader, the load, and then what the game does with
// what it loaded (craft frames recoloured, sprites, heads-up icons and the
// message drawn, a sample played, the ground's heights, water and shading
// read). A file the check lets through must load, and load as the check
// read it. Mutations that know the datafile layout come from
// DatafileMutator. Run by scripts/fuzz.
#include <allegro.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "DatafileMutator.h"
#include "FuzzScratch.h"
#include "craft/HoverCraft.h"
#include "datafile/DatafileCheck.h"
#include "datafile/LzssExpander.h"
#include "objects/GameObject.h"
#include "track/TrackFile.h"
#include "view/Hud.h"
#include "view/RaceView.h"
#include "world/TestFiles.h"
#include "world/Texts.h"
#include "world/World.h"

namespace {

uint32_t get32(const testfiles::Bytes& b, size_t at) {
    return (uint32_t(b[at]) << 24) | (uint32_t(b[at + 1]) << 16) | (uint32_t(b[at + 2]) << 8) | b[at + 3];
}

testfiles::Bytes goodData, goodTracks;
World* world = nullptr;  // one for every input, with its view: the view's bitmaps take long to make
RaceView* view = nullptr;

// one gate, then scenery of every kind and powerups of every kind around it
const char* const kTrack =
    "C 300 300 0 40 0 0\n"
    "S 260 300 0 0\nS 300 260 0 1\nS 340 300 0 2\nS 300 340 0 3\nS 260 260 0 4\n"
    "P 340 340 0 1\nP 260 340 0 2\nP 340 260 0 3\nP 320 320 0 4\nE\n";

// The check expands packed files with an expander of its own: where it takes
// a stream as sound, the library's expander must give the same bytes.
void expectSameExpansion(const testfiles::Bytes& input, const char* path) {
    if (input.size() < 4 || get32(input, 0) != static_cast<uint32_t>(F_PACK_MAGIC)) return;
    std::vector<unsigned char> mine, theirs;
    long used = 0;
    const long limit = DatafileCheck::kMaxExpandedBytes;
    if (!LzssExpander::expand(input.data() + 4, static_cast<long>(input.size()) - 4, limit, mine, used) ||
        static_cast<long>(mine.size()) == limit)
        return;
    PACKFILE* f = pack_fopen(path, F_READ_PACKED);
    unsigned char block[4096];
    long n = 0;
    while (f && theirs.size() < mine.size() + 1 && (n = pack_fread(block, sizeof block, f)) > 0)
        theirs.insert(theirs.end(), block, block + n);
    if (f) pack_fclose(f);
    if (theirs.size() > mine.size()) theirs.resize(mine.size() + 1);
    if (theirs != mine) {
        std::fprintf(stderr, "%s expands to %zu bytes here, %zu in the library\n", path, mine.size(), theirs.size());
        std::abort();
    }
}

// The check lets the file through only if the library loads it and finds the
// same objects: otherwise the check reads the file differently from the
// loader, and a file it passes could still throw the loader off.
void expectLoadAsChecked(const char* path) {
    const DatafileCheck check(path);
    if (!check.isWhole()) return;
    set_color_conversion(COLORCONV_KEEP_TRANS);
    DATAFILE* d = load_datafile(path);
    if (!d) {
        std::fprintf(stderr, "%s passed the check but did not load\n", path);
        std::abort();
    }
    int count = 0;
    for (; d[count].type != DAT_END; ++count) {
        const DatafileObject* o = check.object(count);
        if (!o || o->type != d[count].type || o->size != d[count].size) {
            std::fprintf(stderr, "%s: object %d loaded as another than checked\n", path, count);
            std::abort();
        }
    }
    if (count != check.objectCount()) {
        std::fprintf(stderr, "%s: %d objects loaded, %d checked\n", path, count, check.objectCount());
        std::abort();
    }
    unload_datafile(d);
}

void useAsData() {
    World& w = *world;
    w.unloadData();
    try {
        w.loadData();
    } catch (const std::runtime_error&) {
        return;
    }
    std::istringstream in(kTrack);
    TrackFile::read(w, in);
    // the craft wear frames recoloured from this data.dat
    auto* craft = new HoverCraft(&w, 2, w.getResources().craftSprites().of(2));
    craft->setPosition(Vector3(300, 300, 0));
    w.addObject(craft);
    w.setFollowed(craft);
    craft->freeze();
    craft->makeWonky();
    craft->addTurbo();
    craft->addTurbo();
    w.update(0.05);
    for (GameObject* o : w.getObjects())
        if (o->isVisible()) o->draw(view->getMapView());
    w.showMessage("Lap 2 \xc3\xa9\xc3\xa8 ~");
    view->compose();
    Hud::drawHud(w, *craft, view->getBackBuffer());
    w.playSample(GameData::kEffectSample);
    w.playSample(GameData::kBoostSample);
}

void useAsTracks(int track) {
    Terrain t;
    try {
        t.load(track);
    } catch (const std::runtime_error&) {
        return;
    }
    double sum = 0;
    for (int i = 0; i < Terrain::GRID_SIZE; i += 51)
        for (int j = 0; j < Terrain::GRID_SIZE; j += 51)
            sum += t.shade(i, j) + t.heightAt(Vector2(i * 12.0 + 5, j * 12.0 + 7)) +
                   t.isWater(Vector2(i * 12.0, j * 12.0));
    if (sum < 0) std::abort();  // shades, heights and the water test are never negative
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzscratch::start();
    goodData = testfiles::datafileBytes(testfiles::gameDataObjects());
    goodTracks = testfiles::datafileBytes(testfiles::tracksObjects(3));
    currentTexts = englishTexts;
    world = new World(false);
    view = new RaceView(*world);
    // flat ground of height 0 without a texture: the objects need no more
    view->getMapView() = View(Vector2(RaceView::kMapOriginX, RaceView::kMapOriginY), view->getMapBitmap());
    return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned seed) {
    return DatafileMutator::mutate(data, size, maxSize, seed);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const testfiles::Bytes input(data, data + size);
    // the input as data.dat beside a sound tracks.dat, then the other way round
    testfiles::writeFile("data.dat", input);
    testfiles::writeFile("tracks.dat", goodTracks);
    expectSameExpansion(input, "data.dat");
    expectLoadAsChecked("data.dat");
    useAsData();
    testfiles::writeFile("data.dat", goodData);
    testfiles::writeFile("tracks.dat", input);
    expectLoadAsChecked("tracks.dat");
    useAsTracks(1 + static_cast<int>(size % 3));
    return 0;
}
