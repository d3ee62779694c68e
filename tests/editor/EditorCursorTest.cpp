#include "editor/EditorCursor.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "app/Game.h"
#include "check/GoodLoop.h"
#include "editor/EditorWorld.h"
#include "objects/AiWaypoint.h"
#include "objects/CheckPoint.h"
#include "objects/Powerup.h"
#include "objects/StaticObject.h"
#include "terrain/Terrain.h"
#include "track/TrackFile.h"
#include "view/RaceView.h"
#include "world/World.h"

TEST_F(EditorTest, NewGatesAndWaypointsAreNumberedOneAboveTheHighestOfTheTrackOrItsFile) {
    frame({KEY_C, KEY_W});  // both in one frame, each the first of its kind
    ASSERT_EQ(all<CheckPoint>().size(), 1u);
    ASSERT_EQ(all<AiWaypoint>().size(), 1u);
    EXPECT_EQ(all<CheckPoint>()[0]->getNumber(), 0);
    EXPECT_EQ(all<AiWaypoint>()[0]->getNumber(), 0);
    for (int n = 1; n <= 3; ++n) commandAt(1536.0 + 100 * n, 1536.0, {KEY_C, KEY_W});
    auto gates = all<CheckPoint>();
    auto route = all<AiWaypoint>();
    ASSERT_EQ(gates.size(), 4u);
    ASSERT_EQ(world.getWaypointCount(), 4);
    for (int n = 0; n < 4; ++n) {
        EXPECT_EQ(gates[n]->getNumber(), n);
        EXPECT_EQ(route[n]->getNumber(), n);
        EXPECT_EQ(world.getWaypoint(n), route[n]);  // the drivers' route in placing order
    }

    // delete gate 3 (the one at the cursor): the next gate takes its number again
    waitForLock();
    frame({KEY_D});
    frame({});
    EXPECT_EQ(all<CheckPoint>().size(), 3u);
    waitForLock();
    frame({KEY_C});
    EXPECT_EQ(all<CheckPoint>().back()->getNumber(), 3);

    // delete gate 1 in the middle: numbering still goes on above the highest
    commandAt(1636.0, 1536.0, {KEY_D});
    frame({});
    commandAt(2000.0, 2000.0, {KEY_C});
    EXPECT_EQ(all<CheckPoint>().back()->getNumber(), 4);

    // a waypoint deleted leaves the drivers' route too
    commandAt(1836.0, 1536.0, {KEY_D});
    frame({});
    EXPECT_EQ(world.getWaypointCount(), 3);
    waitForLock();
    frame({KEY_W});
    EXPECT_EQ(all<AiWaypoint>().back()->getNumber(), 3);

    // numbering goes on from a loaded track
    load("C 100 100 0 40 5 0\nW 200 200 0 7\nC 300 300 0 40 2 0\nE\n");
    commandAt(1536.0, 1536.0, {KEY_C, KEY_W});
    EXPECT_EQ(all<CheckPoint>().back()->getNumber(), 6);
    EXPECT_EQ(all<AiWaypoint>().back()->getNumber(), 8);
}

TEST_F(EditorTest, PageUpAndPageDownRenumberTheNearestUnderTheLock) {
    load("C 1540 1536 0 40 0 0\nW 1800 1536 0 0\nP 2200 1536 0 4\nE\n");
    auto* gate = all<CheckPoint>()[0];
    auto* waypoint = all<AiWaypoint>()[0];
    world.setCheckpointCount(1);

    // held for half a second: one step only
    for (int i = 0; i < 25; ++i) frame({KEY_PGUP});
    EXPECT_EQ(gate->getNumber(), 1);
    EXPECT_EQ(world.getCheckpointCount(), 2);
    // the lock opens after a second of holding: the next step
    for (int i = 0; i < 30; ++i) frame({KEY_PGUP});
    EXPECT_EQ(gate->getNumber(), 2);
    EXPECT_EQ(world.getCheckpointCount(), 3);

    waitForLock();
    frame({KEY_PGDN});
    EXPECT_EQ(gate->getNumber(), 1);
    EXPECT_DOUBLE_EQ(cursor->getCooldown(), EditorCursor::kCommandLock);
    waitForLock();
    frame({KEY_PGDN});
    waitForLock();
    frame({KEY_PGDN});  // never below 0
    EXPECT_EQ(gate->getNumber(), 0);

    // both in one frame: up and down again
    waitForLock();
    frame({KEY_PGUP, KEY_PGDN});
    EXPECT_EQ(gate->getNumber(), 0);

    commandAt(1790.0, 1536.0, {KEY_PGUP});
    EXPECT_EQ(waypoint->getNumber(), 1);
    EXPECT_EQ(gate->getNumber(), 0);

    // a powerup nearest: nothing to renumber, and still the lock
    testing::internal::CaptureStdout();
    commandAt(2190.0, 1536.0, {KEY_PGUP});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Nothing to renumber\n");
    EXPECT_EQ(waypoint->getNumber(), 1);
    EXPECT_DOUBLE_EQ(cursor->getCooldown(), EditorCursor::kCommandLock);

    // the renumbered waypoint is saved with its new number
    EXPECT_NE(saved().find("W 1800 1536 150 1\n"), std::string::npos) << saved();
}

TEST_F(EditorTest, LaterMovementKeysWinSpeedIs400AndAHeldCommandRepeatsOnceASecond) {
    frame({KEY_S}, 0.5);
    EXPECT_DOUBLE_EQ(cursor->getPosition().x, 1736.0);
    frame({KEY_S, KEY_Z}, 0.5);
    EXPECT_DOUBLE_EQ(cursor->getPosition().x, 1536.0);
    frame({KEY_A}, 0.25);
    EXPECT_DOUBLE_EQ(cursor->getPosition().y, 1636.0);
    frame({KEY_A, KEY_X}, 0.25);
    EXPECT_DOUBLE_EQ(cursor->getPosition().y, 1536.0);
    // the cursor rides on the ground: height x / 12 here
    EXPECT_DOUBLE_EQ(cursor->getPosition().z, 128.0);

    // a held command repeats once a second
    frame({KEY_F1});
    EXPECT_EQ(all<Powerup>().size(), 1u);
    for (int i = 0; i < 49; ++i) frame({KEY_F1});  // 0.98 s more
    EXPECT_EQ(all<Powerup>().size(), 1u);
    for (int i = 0; i < 3; ++i) frame({KEY_F1});
    EXPECT_EQ(all<Powerup>().size(), 2u);
    EXPECT_EQ(all<Powerup>()[0]->getKind(), Powerup::kFrozen);
}

TEST_F(EditorTest, CommandsInOneFrameAllRunAndSceneryKeysPlaceTheirKinds) {
    frame({KEY_F4, KEY_C, KEY_W, KEY_F2});
    ASSERT_EQ(all<Powerup>().size(), 2u);
    // in the order of the key table, not of the keys pressed
    EXPECT_EQ(all<Powerup>()[0]->getKind(), Powerup::kWonky);
    EXPECT_EQ(all<Powerup>()[1]->getKind(), Powerup::kTurbo);
    EXPECT_EQ(all<CheckPoint>().size(), 1u);
    EXPECT_EQ(all<AiWaypoint>().size(), 1u);
    // placed at the cursor, on the ground
    for (GameObject* o : world.getPendingObjects()) EXPECT_DOUBLE_EQ(o->getPosition().z, 128.0);
    // the scenery keys place their kinds
    waitForLock();
    frame({KEY_1, KEY_C});
    ASSERT_EQ(all<StaticObject>().size(), 1u);
    EXPECT_EQ(all<StaticObject>()[0]->getKind(), 1);
    EXPECT_EQ(all<CheckPoint>().size(), 2u);
    waitForLock();
    frame({KEY_5});
    EXPECT_EQ(all<StaticObject>().back()->getKind(), 0);
}

TEST_F(EditorTest, DeleteAndSnapWithNothingNearReportAndLockAndDeletingTwiceWaits) {
    testing::internal::CaptureStdout();
    frame({KEY_D});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Nothing to delete \n");
    EXPECT_DOUBLE_EQ(cursor->getCooldown(), EditorCursor::kCommandLock);
    waitForLock();
    testing::internal::CaptureStdout();
    frame({KEY_HOME});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Nothing to snap\n");
    EXPECT_EQ(world.getObjects().size(), 1u);

    // deleting twice needs the lock to open
    load("P 1540 1536 0 1\nP 1600 1536 0 2\nP 2000 1536 0 3\nE\n");
    waitForLock();
    frame({KEY_D});
    frame({KEY_D});
    frame({});
    ASSERT_EQ(all<Powerup>().size(), 2u);
    EXPECT_EQ(all<Powerup>()[0]->getKind(), 2);
    waitForLock();
    frame({KEY_D});
    frame({});
    ASSERT_EQ(all<Powerup>().size(), 1u);
    EXPECT_EQ(all<Powerup>()[0]->getKind(), 3);
}

TEST_F(EditorTest, EqualsAndMinusWidenAndTurnTheNearestGate) {
    load("C 1540 1536 0 40 0 0\nE\n");
    auto* gate = all<CheckPoint>()[0];
    const Vector3 halfGate = gate->getHalfGate();
    for (int i = 0; i < 10; ++i) frame({KEY_EQUALS});
    EXPECT_DOUBLE_EQ(gate->getRadius(), 120.0);
    EXPECT_EQ(gate->getHalfGate(), halfGate);  // the gate line keeps its length until turned
    frame({KEY_EQUALS, KEY_MINUS});
    EXPECT_DOUBLE_EQ(gate->getRadius(), 120.0);
    frame({KEY_LSHIFT, KEY_MINUS});
    EXPECT_DOUBLE_EQ(gate->getAngle(), 352.0);
    EXPECT_NEAR(length(gate->getHalfGate()), 120.0, 1e-9);
    // no lock on adjusting, even right after a command
    moveCursor(2500.0, 2500.0);
    frame({KEY_F3});
    moveCursor(1536.0, 1536.0);
    frame({KEY_EQUALS});
    EXPECT_GT(cursor->getCooldown(), 0.0);
    EXPECT_DOUBLE_EQ(gate->getRadius(), 128.0);

    // with the powerup nearer than any gate, = does nothing
    moveCursor(2490.0, 2500.0);
    frame({KEY_EQUALS});
    frame({KEY_MINUS});
    EXPECT_DOUBLE_EQ(gate->getRadius(), 128.0);
    EXPECT_DOUBLE_EQ(all<Powerup>()[0]->getRadius(), 16.0);

    // an adjusted gate makes another track: the last verdict goes
    waitForLock();
    moveCursor(1536.0, 1536.0);
    frame({KEY_F6});
    cursor->afterPass();
    ASSERT_FALSE(cursor->getPanel().getVerdict().empty());
    frame({KEY_EQUALS});
    EXPECT_DOUBLE_EQ(gate->getRadius(), 136.0);
    EXPECT_TRUE(cursor->getPanel().getVerdict().empty());
}

TEST_F(EditorTest, AnUnturnedGateIsSavedWithAngleZeroAndSnapPutsTheNearestOnTheGroundAtTheCursor) {
    moveCursor(1200.0, 600.0);
    frame({KEY_C});
    frame({});
    EXPECT_EQ(saved(), "C 1200 600 100 40 0 0\nE\n");
    waitForLock();
    load("C 1000 1000 0 40 1 90\nP 1200 1200 300 4\nE\n");
    moveCursor(1300.0, 1300.0);
    frame({KEY_HOME});
    const Vector3 p = all<Powerup>()[0]->getPosition();
    EXPECT_DOUBLE_EQ(p.x, 1300.0);
    EXPECT_DOUBLE_EQ(p.y, 1300.0);
    EXPECT_NEAR(p.z, 1300.0 / 12.0, 1e-9);
    commandAt(1100.0, 900.0, {KEY_HOME});
    const Vector3 g = all<CheckPoint>().back()->getPosition();
    EXPECT_DOUBLE_EQ(g.x, 1100.0);
    EXPECT_DOUBLE_EQ(g.y, 900.0);
    EXPECT_NEAR(g.z, 1100.0 / 12.0, 1e-9);
}

TEST_F(EditorTest, TheReadoutFollowsTheCursorAndTheNearestObjectAndHShowsAndHidesTheKeys) {
    EXPECT_EQ(cursor->readout(),
              (std::vector<std::string>{"x 1536  y 1536  height 128  ground of track 0  next CP 0 WP 0  H keys",
                                        "nearest: nothing"}));
    load("C 1540 1536 0 40 3 90\nW 1700 1536 0 5\nP 1536 1300 0 4\nE\n");
    EXPECT_EQ(cursor->readout()[0], "x 1536  y 1536  height 128  ground of track 0  next CP 4 WP 6  H keys");
    EXPECT_EQ(cursor->readout()[1], "nearest, 4 away: gate CP 3  radius 40  angle 90");
    // as the gate changes, so does the readout
    frame({KEY_EQUALS});
    frame({KEY_LSHIFT, KEY_MINUS});
    EXPECT_EQ(cursor->readout()[1], "nearest, 4 away: gate CP 3  radius 48  angle 82");
    moveCursor(1690.0, 1536.0);
    EXPECT_EQ(cursor->readout()[1], "nearest, 10 away: waypoint WP 5");
    moveCursor(1536.0, 1310.0);
    EXPECT_EQ(cursor->readout()[1], "nearest, 10 away: powerup 4 turbo");
    moveCursor(-1e300, 2e9);
    EXPECT_EQ(cursor->readout()[0].rfind("x -1e+300  y 2e+09  height 0  ", 0), 0u) << cursor->readout()[0];

    // H shows and hides the keys over the frame
    BITMAP* frameBitmap = create_bitmap(RaceView::kScreenWidth, RaceView::kScreenHeight);
    const auto whiteAtBottom = [&] {
        clear_to_color(frameBitmap, 0);
        cursor->drawScreen(frameBitmap);
        int n = 0;
        for (int y = RaceView::kScreenHeight - 30; y < RaceView::kScreenHeight; ++y)
            for (int x = 0; x < RaceView::kScreenWidth; ++x) n += getpixel(frameBitmap, x, y) == makecol(255, 255, 255);
        return n;
    };
    EXPECT_TRUE(cursor->getPanel().isHelpShown());
    EXPECT_GT(whiteAtBottom(), 1000);
    frame({KEY_H});
    frame({KEY_H});  // held: one toggle for one press
    EXPECT_FALSE(cursor->getPanel().isHelpShown());
    EXPECT_EQ(whiteAtBottom(), 0);
    frame({});
    frame({KEY_H});
    EXPECT_TRUE(cursor->getPanel().isHelpShown());
    for (const std::string& line : EditorPanel::helpLines()) EXPECT_LE(line.size(), EditorPanel::kColumns);
    destroy_bitmap(frameBitmap);
    // a word longer than a line is cut; text beyond the last line ends in "..."
    EXPECT_EQ(EditorPanel::wrap("ab cdefgh ij klm", 5, 3), (std::vector<std::string>{"ab", "cdefg", "h..."}));
    EXPECT_EQ(EditorPanel::wrap("  ab  ", 5, 3), std::vector<std::string>{"ab"});
}

TEST(EditorStart, ANewTrackStartsEmptyOnTheChosenGround) {
    World world(true);
    RaceView view(world);
    world.setEmptyStart(true);
    testing::internal::CaptureStdout();
    loadEditor(world, view, 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "NUmber of checkpoints:0\n");
    world.update(0.0);
    ASSERT_EQ(world.getObjects().size(), 1u);
    auto* cursor = dynamic_cast<EditorCursor*>(world.getObjects()[0]);
    ASSERT_NE(cursor, nullptr);
    Terrain ground;
    ground.load(2);
    EXPECT_EQ(cursor->getPosition().z, ground.heightAt(Vector2(1536.0, 1536.0)));
    EXPECT_NE(cursor->readout()[0].find("ground of track 2  next CP 0 WP 0"), std::string::npos);
    ASSERT_FALSE(cursor->getPanel().getVerdict().empty());
    EXPECT_EQ(cursor->getPanel().getVerdict()[0].rfind("A new track on the ground of track 2: place gates", 0), 0u);
    std::ostringstream saved;
    TrackFile::write(world.getObjects(), saved);
    EXPECT_EQ(saved.str(), "E\n");
}


TEST_F(EditorCheckTest, F5PassesASquareLoopAndWarnsOfItsCornersAndLeavesTheWorldAsItWas) {
    load(kGoodLoop);
    const int clock = world.getRaceTime();
    int frames = 0;
    const std::string printed = check(frames);
    EXPECT_GT(frames, 1);  // the races ran over several frames, the editor kept going
    // every computer driver gets round, but the square corners throw the
    // drivers wide and the novice never gets round: the series' warnings
    // stand under the verdict, on the screen and printed
    const std::vector<std::string>& shown = cursor->getPanel().getVerdict();
    ASSERT_GT(shown.size(), 2u);
    const std::string ok = "Track OK, 4 warnings: all four finished, best lap ";
    EXPECT_EQ(verdict().rfind("F5 on the ground of track 2: " + ok, 0), 0u) << verdict();
    EXPECT_NE(printed.find("\nVerdict: " + ok), std::string::npos) << printed;
    const std::string missed = "warning: the computer drivers turned back for ";
    EXPECT_NE(printed.find("\n  " + missed), std::string::npos) << printed;
    const auto warning = std::find_if(shown.begin(), shown.end(), [&](const std::string& l) { return l.rfind(missed, 0) == 0; });
    EXPECT_NE(warning, shown.end()) << verdict();
    EXPECT_NE(verdict().find("missed most: waypoint "), std::string::npos) << verdict();
    EXPECT_NE(printed.find("craft 4: finished"), std::string::npos) << printed;
    EXPECT_EQ(world.getPlayer(), nullptr);
    // the editor's clock went on only by its own frames
    EXPECT_EQ(world.getRaceTime() - clock, static_cast<int>((frames + 1) * kFrame * 1000 + 0.5));
}

TEST_F(EditorCheckTest, F5NamesTheFirstProblemOfABrokenTrack) {
    std::string text = kGoodLoop;
    text.replace(text.find("C 1200 1500 10 40 3 90"), 22, "C 1200 1500 10 40 4 90");
    load(text);
    int frames = 0;
    const std::string printed = check(frames);
    EXPECT_EQ(verdict().rfind("F5 on the ground of track 2: line 4: checkpoint 4 at (1200, 1500): gates jump from 2 "
                              "to 4",
                              0),
              0u)
        << verdict();
    EXPECT_NE(printed.find("craft 1 did not finish"), std::string::npos) << printed;
    EXPECT_NE(printed.find("stuck near"), std::string::npos) << printed;
    // wrapped to the frame, and it stays until the next command, however long
    EXPECT_GT(cursor->getPanel().getVerdict().size(), 1u);
    for (const std::string& line : cursor->getPanel().getVerdict()) EXPECT_LE(line.size(), EditorPanel::kColumns);
    for (int i = 0; i < 500; ++i) frame({KEY_S});
    EXPECT_FALSE(cursor->getPanel().getVerdict().empty());
    frame({KEY_W});
    EXPECT_TRUE(cursor->getPanel().getVerdict().empty());
}

TEST_F(EditorCheckTest, F5OnAnEditorMadeTrackWithoutStartGateIsACommandUnderTheLock) {
    // gates placed in the editor, numbered 0 and 1, then gate 0 deleted
    commandAt(1500.0, 1200.0, {KEY_C, KEY_W});
    commandAt(1800.0, 1500.0, {KEY_C, KEY_W});
    commandAt(1500.0, 1200.0, {KEY_D});
    frame({});
    waitForLock();
    moveCursor(400.0, 400.0);
    int frames = 0;
    const std::string printed = check(frames);
    EXPECT_EQ(verdict().find("no checkpoint 0"), 29u) << verdict();
    EXPECT_NE(printed.find("Race: not run (no checkpoint 0)"), std::string::npos) << printed;

    // F5 is a command under the lock
    waitForLock();
    testing::internal::CaptureStdout();
    frame({KEY_F5});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Checking track on the ground of track 2\n");
    EXPECT_DOUBLE_EQ(cursor->getCooldown(), EditorCursor::kCommandLock);
    EXPECT_TRUE(cursor->isChecking());
    // without gate 0 the verdict comes in the frame after F5
    testing::internal::CaptureStdout();
    frame({KEY_F5});
    frame({KEY_F5});
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(cursor->isChecking());
    // still locked: held F5 starts no second check before the second is up
    frame({KEY_F5});
    EXPECT_FALSE(cursor->isChecking());
    waitForLock();
    testing::internal::CaptureStdout();
    frame({KEY_F5});
    EXPECT_TRUE(cursor->isChecking());
    frame({});
    frame({});
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(cursor->isChecking());
}

TEST_F(EditorCheckTest, ALoopPlacedInDrivingOrderPassesF5) {
    moveCursor(1536.0, 1536.0);
    // round a square, gates on the middle of each side, waypoints on gates and
    // corners; each gate turned (Left Shift with = or -, 8 degrees a frame) to
    // face the way of its side: +x, +y (270), -x (180), -y (90)
    const struct {
        double x, y;
        bool gate;
        int turn;  // frames of Left Shift with = (or - when below 0)
    } stops[] = {{1536, 1216, true, 0},   {1856, 1216, false, 0}, {1856, 1536, true, -11}, {1856, 1856, false, 0},
                 {1536, 1856, true, 23},  {1216, 1856, false, 0}, {1216, 1536, true, 11},  {1216, 1216, false, 0}};
    for (const auto& stop : stops) {
        driveTo(stop.x, stop.y);
        waitForLock();
        frame(stop.gate ? std::vector<int>{KEY_C, KEY_W} : std::vector<int>{KEY_W});
        // the gate, placed first, is the nearest of the two
        for (int i = 0; i < std::abs(stop.turn); ++i) frame({KEY_LSHIFT, stop.turn > 0 ? KEY_EQUALS : KEY_MINUS});
    }
    frame({});
    ASSERT_EQ(all<CheckPoint>().size(), 4u);
    ASSERT_EQ(world.getWaypointCount(), 8);
    for (int n = 0; n < 8; ++n) EXPECT_EQ(world.getWaypoint(n)->getNumber(), n);
    driveTo(400.0, 400.0);
    waitForLock();
    int frames = 0;
    const std::string printed = check(frames);
    EXPECT_EQ(verdict().find("Track OK"), 29u) << verdict() << "\n" << printed;
    EXPECT_NE(verdict().find("all four finished, best lap "), std::string::npos) << verdict();
}
