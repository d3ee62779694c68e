#include "app/TestDrive.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "control/KeyboardController.h"
#include "craft/HoverCraft.h"
#include "objects/GameObject.h"
#include "track/TrackFile.h"
#include "world/Texts.h"

TEST(TestDrive, TheRaceIsTheEditorsTrackOnItsGroundWithThePlayerOnTheGrid) {
    currentTexts = englishTexts;
    World editor(true);
    editor.loadData();
    editor.getTerrain().load(2);
    editor.setTrackNumber(2);
    const std::string text = "C 1500 1200 45 40 0 0\nS 1400 1300 0 2\nW 1500 1200 0 0\nP 1600 1200 45 4\nE\n";
    TestDrive::Race drive = TestDrive::build(editor.getTerrain(), text, 2);
    World* race = drive.world.get();
    ASSERT_EQ(race->getCraftList().size(), 4u);
    ASSERT_NE(race->getPlayer(), nullptr);
    EXPECT_EQ(race->getFollowed(), race->getPlayer());
    EXPECT_FALSE(race->isEditorMode());
    EXPECT_FALSE(TestDrive::loopOptions().music) << "as quiet as the editor";
    EXPECT_NE(dynamic_cast<KeyboardController*>(race->getPlayer()->getController()), nullptr);
    EXPECT_EQ(race->getTrackNumber(), 2);
    EXPECT_EQ(race->getWaypointCount(), 1);
    // the player at the back of the grid, behind gate 0
    EXPECT_LT(race->getPlayer()->getPosition().x, 1500.0 - 3 * World::kGridSpacing);
    std::vector<GameObject*> placed;
    for (GameObject* o : race->getObjects())
        if (o->typeCode()) placed.push_back(o);
    std::string again = TrackFile::text(placed);
    const double h = editor.getTerrain().heightAt(Vector2(1400, 1300));
    // heights as the track file writes them
    std::ostringstream ground;
    ground << "C 1500 1200 45 40 0 0\nS 1400 1300 " << h << " 2\nW 1500 1200 "
           << editor.getTerrain().heightAt(Vector2(1500, 1200)) << " 0\nP 1600 1200 45 4\nE\n";
    EXPECT_EQ(again, ground.str());
    // the ground is the editor's, rendered into the race's own map
    EXPECT_EQ(race->getTerrain().heightAt(Vector2(1400, 1300)), h);
    EXPECT_EQ(race->getTerrain().getTexture(), editor.getTerrain().getTexture());
    EXPECT_NE(getpixel(drive.view->getMapBitmap(), RaceView::kMapWidth / 2, RaceView::kMapHeight / 2), 0);
    // it opens with the drive's own message, and Escape ends it
    key[KEY_ESC] = 1;
    RaceLoop::run(*race, *drive.view, TestDrive::loopOptions());
    key[KEY_ESC] = 0;
    EXPECT_EQ(race->getMessage(), "Test drive: Escape takes you back to the editor");
}

