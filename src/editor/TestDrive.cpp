#include "editor/TestDrive.h"

#include <exception>
#include <sstream>

#include "check/TrackCheck.h"
#include "track/TrackFile.h"
#include "view/Hud.h"
#include "world/Texts.h"
#include "world/World.h"

std::unique_ptr<World> TestDrive::build(const Terrain& ground, const std::string& trackText, int track) {
    auto race = std::make_unique<World>(false);
    // as quiet as the editor it comes from
    race->setPlayMusic(false);
    race->setOpeningText(kTextTestDrive);
    race->setTrackNumber(track);
    Hud::showStatus(World::kRenderingText);
    race->loadData();
    TrackCheck::copyGround(ground)(race->getTerrain());
    race->renderGround();
    race->setCheckpointCount(0);
    std::istringstream in(trackText);
    TrackFile::read(*race, in);
    race->startRace();
    return race;
}

std::string TestDrive::drive(World& editor, const std::string& trackText) {
    std::unique_ptr<World> race;
    try {
        race = build(editor.getTerrain(), trackText, editor.getTrackNumber());
    } catch (const std::exception& e) {
        return e.what();
    }
    race->run();
    return "";
}
