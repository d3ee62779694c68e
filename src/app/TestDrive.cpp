#include "app/TestDrive.h"

#include <exception>
#include <sstream>

#include "app/Preview.h"
#include "check/TrackCheck.h"
#include "control/Seating.h"
#include "track/TrackFile.h"
#include "world/Texts.h"

TestDrive::Race TestDrive::build(const Terrain& ground, const std::string& trackText, int track) {
    Race race;
    race.world = std::make_unique<World>(false);
    race.view = std::make_unique<RaceView>(*race.world);
    World& w = *race.world;
    w.setTrackNumber(track);
    Preview::showStatus(Preview::kRenderingText);
    w.loadData();
    TrackCheck::copyGround(ground)(w.getTerrain());
    race.view->renderGround();
    w.setCheckpointCount(0);
    std::istringstream in(trackText);
    TrackFile::read(w, in);
    w.startRace();
    Seating::playerAtTheKeys(w);
    return race;
}

RaceLoop::Options TestDrive::loopOptions() {
    RaceLoop::Options options;
    options.music = false;
    options.openingText = kTextTestDrive;
    return options;
}

std::string TestDrive::drive(World& editor, const std::string& trackText) {
    Race race;
    try {
        race = build(editor.getTerrain(), trackText, editor.getTrackNumber());
    } catch (const std::exception& e) {
        return e.what();
    }
    RaceLoop::run(*race.world, *race.view, loopOptions());
    return "";
}
