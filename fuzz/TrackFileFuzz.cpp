// Feeds arbitrary bytes to the track reader and the command-line parser, then
// puts what was read through a race and an editor World: update, contact
// pass, drawing and writing. Run by scripts/fuzz.
#include <allegro.h>

#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "FuzzScratch.h"
#include "app/CommandLine.h"
#include "control/Seating.h"
#include "objects/GameObject.h"
#include "track/TrackFile.h"
#include "view/RaceView.h"
#include "world/TestFiles.h"
#include "world/Texts.h"
#include "world/World.h"

namespace {

World* editorWorld = nullptr;
World* raceWorld = nullptr;
RaceView* editorView = nullptr;
RaceView* raceView = nullptr;
BITMAP* groundTexture = nullptr;

void prepareGround(World& w, RaceView& view) {
    std::vector<unsigned char> heights(Terrain::kHeightmapBytes);
    for (int q = 0; q < Terrain::GRID_SIZE; ++q)
        for (int p = 0; p < Terrain::GRID_SIZE; ++p) heights[q * Terrain::GRID_SIZE + p] = (p * 3 + q) % 200;
    w.getTerrain().setGround(heights.data(), groundTexture);
    view.getMapView() = View(Vector2(RaceView::kMapOriginX, RaceView::kMapOriginY), view.getMapBitmap());
}

void exercise(World& w, RaceView& view, const std::string& text, bool race) {
    w.deleteAllObjects();
    w.setCheckpointCount(0);
    std::istringstream in(text);
    TrackFile::read(w, in);
    if (race) {
        try {
            w.startRace();
            // seated as the game seats a race: the computer drivers take the fuzzed route
            Seating::playerAtTheKeys(w);
        } catch (const std::runtime_error&) {
            w.update(0.1);  // no start gate: still a World to update and draw
        }
    } else {
        w.update(0.1);
        if (!w.getObjects().empty()) w.setFollowed(w.getObjects().front());
    }
    w.update(0.05);
    view.compose();
    w.update(0.05);
    for (GameObject* o : w.getObjects())
        if (o->isVisible()) o->draw(view.getMapView());
    std::ostringstream out;
    TrackFile::write(w.getObjects(), out);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzscratch::start();
    testfiles::writeGameData("data.dat");  // data.dat of the right shape
    currentTexts = englishTexts;
    groundTexture = create_bitmap(Terrain::GRID_SIZE, Terrain::GRID_SIZE);
    clear_to_color(groundTexture, makecol(40, 160, 40));
    rectfill(groundTexture, 100, 0, 180, 255, makecol(20, 40, 200));  // a band of water
    editorWorld = new World(true);
    raceWorld = new World(false);
    editorView = new RaceView(*editorWorld);
    raceView = new RaceView(*raceWorld);
    prepareGround(*editorWorld, *editorView);
    prepareGround(*raceWorld, *raceView);
    editorWorld->loadData();
    raceWorld->loadData();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    // the first line, split at blanks, as a command line
    std::vector<std::string> words{"hover"};
    std::istringstream first(text.substr(0, text.find('\n')));
    for (std::string w; first >> w && words.size() < 16;) words.push_back(w);
    std::vector<const char*> argv;
    for (const std::string& w : words) argv.push_back(w.c_str());
    const CommandLine line = parseCommandLine(static_cast<int>(argv.size()), argv.data());
    (void)line;

    exercise(*editorWorld, *editorView, text, false);
    exercise(*raceWorld, *raceView, text, true);
    return 0;
}
