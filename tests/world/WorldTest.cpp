#include "world/World.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Pixels.h"
#include "world/ScratchRace.h"
#include "check/GoodLoop.h"
#include "control/Seating.h"
#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"
#include "objects/GameObject.h"
#include "track/TrackFile.h"
#include "view/Hud.h"
#include "view/RaceView.h"
#include "world/Probe.h"
#include "world/TestFiles.h"
#include "world/Texts.h"

using worldtest::Probe;
using testfiles::dataError;
using testfiles::ScratchDir;

TEST(World, HandedObjectsWaitForTheNextUpdate) {
    World w(false);
    int deleted = 0;
    auto* a = new Probe(&w, 1.0, &deleted);
    a->spawnOnUpdate = true;
    w.addObject(a);
    EXPECT_TRUE(w.getObjects().empty());
    EXPECT_EQ(w.getPendingObjects().size(), 1u);
    w.update(0.5);
    ASSERT_EQ(w.getObjects().size(), 1u);
    EXPECT_EQ(a->updates, 1);
    EXPECT_EQ(a->lastDt, 0.5);
    // the one made during the update is pending and has not been updated
    ASSERT_EQ(w.getPendingObjects().size(), 1u);
    auto* child = static_cast<Probe*>(w.getPendingObjects()[0]);
    EXPECT_EQ(child->updates, 0);
    a->spawnOnUpdate = false;
    w.update(0.5);
    EXPECT_EQ(child->updates, 1);
    EXPECT_EQ(w.getObjects().size(), 2u);
    // deleting everything also deletes pending objects
    w.addObject(new Probe(&w, 1.0, &deleted));
    w.deleteAllObjects();
    EXPECT_EQ(deleted, 3);
    EXPECT_TRUE(w.getObjects().empty() && w.getPendingObjects().empty());
}

TEST(World, DeadObjectsLeaveAtOnceAndAreDeletedOneUpdateLater) {
    World w(false);
    int deleted = 0;
    auto* a = new Probe(&w, 1.0, &deleted);
    auto* b = new Probe(&w, 1.0, &deleted);
    auto* c = new Probe(&w, 1.0, &deleted);
    w.addObject(a);
    w.addObject(b);
    w.addObject(c);
    w.setFollowed(b);
    w.update(0.1);
    b->dieOnUpdate = true;
    w.update(0.1);
    // out of play, order of the rest kept, memory still valid
    ASSERT_EQ(w.getObjects().size(), 2u);
    EXPECT_EQ(w.getObjects()[0], a);
    EXPECT_EQ(w.getObjects()[1], c);
    EXPECT_EQ(w.getRemovedObjects().size(), 1u);
    EXPECT_EQ(w.getFollowed(), nullptr);
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(b->updates, 2);
    // not drawn in that frame
    RaceView view(w);
    view.compose();
    EXPECT_EQ(b->draws, 0);
    w.update(0.1);
    EXPECT_EQ(deleted, 1);
    EXPECT_TRUE(w.getRemovedObjects().empty());
}

TEST(World, ClockCountsWholeNanosecondsWithoutLosingFractions) {
    World w(false);
    for (int i = 0; i < 7; ++i) w.update(0.0016);
    EXPECT_EQ(w.getRaceTime(), 11);
    EXPECT_EQ(w.getRaceTimeNanos(), 200000);
    w.update(0.1);
    EXPECT_EQ(w.getRaceTime(), 111);
    // steps that are not a sane number of seconds leave the clock alone
    const int before = w.getRaceTime();
    w.update(-1.0);
    w.update(std::nan(""));
    w.update(1.0e30);
    EXPECT_EQ(w.getRaceTime(), before);
    w.update(1.5);
    EXPECT_EQ(w.getRaceTime(), before + 1500);
    EXPECT_EQ(w.getRaceTimeNanos(), 200000);
}

TEST(World, NewMessageReplacesTheOldOneWithFullTime) {
    World w(false);
    w.showMessage("first");
    w.update(3.0);
    EXPECT_DOUBLE_EQ(w.getMessageTime(), 2.0);
    w.showMessage("second");
    EXPECT_EQ(w.getMessage(), "second");
    EXPECT_DOUBLE_EQ(w.getMessageTime(), 5.0);
    w.update(6.0);
    EXPECT_LT(w.getMessageTime(), 0.0);
}

// A race loads its track twice (the preview, then the race): the second
// load replaces the first's objects; and a track is nothing without data.dat,
// whose failure is the first thing a load says.
TEST(World, ATrackLoadedAgainHoldsItsObjectsOnceAndNeedsDataDat) {
    {
        World w(false);
        w.loadTrack(1);
        w.update(0.0);
        const std::size_t count = w.getObjects().size();
        EXPECT_GT(count, 10u);
        w.loadTrack(1);
        w.update(0.0);
        EXPECT_EQ(w.getObjects().size(), count);
    }
    testfiles::ScratchDir dir;
    ASSERT_EQ(symlink((dir.previous + "/tracks.dat").c_str(), "tracks.dat"), 0);
    World w(false);
    try {
        w.loadTrack(1);
        ADD_FAILURE() << "a track loaded without data.dat";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Failed to load datafile");
    }
}

TEST(World, MissingOrDamagedDataFileGivesTheLoadError) {
    using namespace testfiles;
    ScratchDir dir;
    const std::string error = "Failed to load datafile";
    EXPECT_EQ(dataError(), error) << "missing";
    writeFile("data.dat", Bytes());
    EXPECT_EQ(dataError(), error) << "empty";
    writeFile("data.dat", Bytes(3000, 0xA7));
    EXPECT_EQ(dataError(), error) << "garbage";
    const Bytes whole = datafileBytes(gameDataObjects());
    for (size_t cut : {size_t(11), size_t(16), size_t(100), whole.size() / 2, whole.size() - 1}) {
        writeFile("data.dat", Bytes(whole.begin(), whole.begin() + cut));
        EXPECT_EQ(dataError(), error) << "cut at " << cut;
    }
    auto objects = gameDataObjects();
    objects.resize(48);
    writeFile("data.dat", datafileBytes(objects));
    EXPECT_EQ(dataError(), error) << "48 objects";
    for (int index : {0, 1, 20, 40, 41, 42, 48}) {
        objects = gameDataObjects();
        objects[index] = index == 40 ? sampleObject() : fontObject();
        writeFile("data.dat", datafileBytes(objects));
        EXPECT_EQ(dataError(), error) << "wrong kind at " << index;
    }
    // a bitmap whose stated size is larger than its data
    objects = gameDataObjects();
    objects[5].data.resize(objects[5].data.size() - 10);
    writeFile("data.dat", datafileBytes(objects));
    EXPECT_EQ(dataError(), error) << "short bitmap";
    writeGameData("data.dat");
    EXPECT_EQ(dataError(), "loaded");
}

// Craft need data.dat; these tests bring their own.
class CraftWorld : public ScratchRace {
protected:
    CheckPoint* addGate(const Vector3& p, double angle, int number = 0) {
        auto* cp = new CheckPoint(world.get());
        cp->setPosition(p);
        cp->setNumber(number);
        cp->setAngle(angle);
        world->addObject(cp);
        return cp;
    }
};

TEST_F(CraftWorld, GridStandsBehindAGateFacingPlusX) {
    addGate(Vector3(1000, 500, 7), 30, 1);
    addGate(Vector3(1500, 1500, 0), 0);
    addGate(Vector3(2000, 2000, 0), 90);  // a second gate 0 is ignored
    world->startRace();
    const auto& craft = world->getCraftList();
    ASSERT_EQ(craft.size(), 4u);
    // ranking at the start keeps creation order: the player is fourth
    const double expectX[] = {1470, 1440, 1410, 1380};
    const double expectY[] = {1480, 1520, 1480, 1520};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(craft[i]->getPosition().x, expectX[i], 1e-9) << i;
        EXPECT_NEAR(craft[i]->getPosition().y, expectY[i], 1e-9) << i;
        EXPECT_EQ(world->recordOf(*craft[i]).place, i + 1);
        EXPECT_EQ(craft[i]->getColour(), 4 - i);
    }
    EXPECT_EQ(world->getPlayer(), craft[3]);
    EXPECT_EQ(world->getFollowed(), craft[3]);
    EXPECT_EQ(world->getLapCount(), 3);
    EXPECT_EQ(world->getRaceTime(), 100);
    // drawn on the grid before the first step, through the still first second
    RaceView view(*world);
    view.compose();
    const std::vector<GameObject*> drawn = view.lastDrawOrder();
    for (HoverCraft* c : craft) EXPECT_NE(std::find(drawn.begin(), drawn.end(), c), drawn.end()) << c->getColour();
}

TEST_F(CraftWorld, GridNearAnEdgeIsHeldAtTheEdgeOfTheTrackArea) {
    // facing -x near the far side the grid runs out past x = 3072; facing +x
    // in the near corner, below x = 0 and y = 0
    const struct {
        Vector3 gate;
        double angle, x, y[4];
    } cases[] = {{Vector3(3050, 20, 0), 180, 3072, {40, 0, 40, 0}}, {Vector3(20, 10, 0), 0, 0, {0, 30, 0, 30}}};
    for (const auto& c : cases) {
        world.reset(new World(false));
        addGate(c.gate, c.angle);
        world->startRace();
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(world->getCraftList()[i]->getPosition().x, c.x, 1e-9) << i;
            EXPECT_NEAR(world->getCraftList()[i]->getPosition().y, c.y[i], 1e-9) << i;
        }
    }
}

TEST_F(CraftWorld, WithoutAStartGateTheRaceCannotStart) {
    addGate(Vector3(1500, 1500, 0), 0, 1);
    try {
        world->startRace();
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Cannot find the first checkpoint");
    }
}

TEST_F(CraftWorld, CraftTouchOnlyWhenCloserThanTheirRadii) {
    addGate(Vector3(1500, 1500, 0), 0);
    world->startRace();
    world->update(0.0);
    HoverCraft* c = world->getCraftList()[0];
    const Vector3 p = c->getPosition();
    auto* apart = new Probe(world.get(), 4.0);
    apart->setPosition(p + Vector3(0, 0, 20.0));  // exactly 16 + 4 above it
    auto* closer = new Probe(world.get(), 4.0);
    closer->setPosition(p + Vector3(0, 0, -19.99));
    world->addObject(apart);
    world->addObject(closer);
    world->update(0.0);
    EXPECT_EQ(apart->touchedByCraft, nullptr);
    EXPECT_EQ(closer->touchedByCraft, c);
}

TEST_F(CraftWorld, RankingTakesLapsThenTheLaterGateThenTheEarlierTime) {
    CheckPoint* start = addGate(Vector3(500, 500, 0), 0, 0);
    CheckPoint* second = addGate(Vector3(900, 500, 0), 0, 1);
    world->startRace();
    world->setCheckpointCount(3);
    const std::vector<HoverCraft*> c = world->getCraftList();
    for (HoverCraft* k : c) k->setController(nullptr);  // they stay where they are put
    auto pass = [&](HoverCraft* k, CheckPoint* gate) {
        world->update(0.1);
        k->setPosition(gate->getPosition() + Vector3(1, 0, 0));
        k->collide(gate);
    };
    pass(c[3], start);  // first over the line
    pass(c[2], start);  // later over the line
    pass(c[1], start);  // last over the line, but on through the next gate
    pass(c[1], second);
    // the places are taken once the contact pass is over
    world->update(0.0);
    const std::vector<HoverCraft*> expected = {c[1], c[3], c[2], c[0]};
    EXPECT_EQ(world->getCraftList(), expected);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(world->recordOf(*expected[i]).place, i + 1) << i;
}

TEST(World, NearestObjectSkipsTheOnesAlreadyDead) {
    World w(true);
    auto* from = new Probe(&w, 1.0);
    auto* close = new Probe(&w, 1.0);
    auto* further = new Probe(&w, 1.0);
    close->setPosition(Vector3(1, 0, 0));
    further->setPosition(Vector3(5, 0, 0));
    w.addObject(from);
    w.addObject(close);
    w.addObject(further);
    w.update(0.0);
    EXPECT_EQ(w.nearestObject(from), close);
    close->setDead(true);  // deleted earlier in the same frame
    EXPECT_EQ(w.nearestObject(from), further);
    further->setDead(true);
    EXPECT_EQ(w.nearestObject(from), nullptr);
}

TEST_F(CraftWorld, RecordsFarOffTheMapRunCleanInARace) {
    addGate(Vector3(1e300, 5, 0), 0);
    auto* far = new Probe(world.get(), 20.0);
    far->setPosition(Vector3(-1e300, 1e300, 1e300));
    world->addObject(far);
    world->startRace();
    RaceView view(*world);
    for (int i = 0; i < 100; ++i) {
        world->update(0.03);
        view.compose();
    }
    for (HoverCraft* c : world->getCraftList()) {
        EXPECT_TRUE(isFinite(c->getPosition()));
        EXPECT_GE(c->getPosition().x, 0.0);
        EXPECT_LE(c->getPosition().x, HoverCraft::kTrackSize);
    }
}

// The shipped content cut short anywhere: the load error, never a crash.
TEST(World, ShippedDatafilesCutShortGiveTheirErrors) {
    const testfiles::Bytes data = testfiles::readFile("data.dat"), tracks = testfiles::readFile("tracks.dat");
    if (data.empty() || tracks.empty()) GTEST_SKIP() << "the game content is not in the working directory";
    ScratchDir dir;
    for (int part = 1; part < 24; ++part) {
        const size_t cut = data.size() * part / 24;
        testfiles::writeFile("data.dat", testfiles::Bytes(data.begin(), data.begin() + cut));
        EXPECT_EQ(dataError(), "Failed to load datafile") << "data.dat cut at " << cut;
    }
    for (int part = 1; part < 24; ++part) {
        const size_t cut = tracks.size() * part / 24;
        testfiles::writeFile("tracks.dat", testfiles::Bytes(tracks.begin(), tracks.begin() + cut));
        EXPECT_EQ(testfiles::tracksError(1), "Unable to load tracks datafile") << "tracks.dat cut at " << cut;
    }
    testfiles::writeFile("data.dat", data);
    EXPECT_EQ(dataError(), "loaded");
}

// A font range stores its colour depth before its glyphs: a true-colour range
// holds 3 bytes a pixel at 24 bits, and such a font is whole, not damaged.
TEST(World, ColourFontRangesAreMeasuredByTheirDepth) {
    using namespace testfiles;
    ScratchDir dir;
    const auto colourFont = [](int depth, int bytesPerPixel) {
        DatObject o{static_cast<uint32_t>(DAT_FONT), {}};
        put16(o.data, 0);
        put16(o.data, 1);
        o.data.push_back(static_cast<unsigned char>(depth));
        put32(o.data, 32);
        put32(o.data, 126);
        for (int c = 32; c <= 126; ++c) {
            put16(o.data, 4);
            put16(o.data, 6);
            for (int i = 0; i < 4 * 6 * bytesPerPixel; ++i) o.data.push_back(0x40);
        }
        return o;
    };
    auto objects = gameDataObjects();
    objects[40] = colourFont(24, 3);
    writeFile("data.dat", datafileBytes(objects));
    EXPECT_EQ(dataError(), "loaded") << "24-bit glyphs";
    objects[40] = colourFont(8, 1);
    writeFile("data.dat", datafileBytes(objects));
    EXPECT_EQ(dataError(), "loaded") << "8-bit glyphs";
    // the same 24-bit glyphs said to be 8-bit leave bytes over: not a font
    objects[40] = colourFont(8, 3);
    writeFile("data.dat", datafileBytes(objects));
    EXPECT_EQ(dataError(), "Failed to load datafile") << "depth and size disagree";
    objects[40] = colourFont(7, 1);
    writeFile("data.dat", datafileBytes(objects));
    EXPECT_EQ(dataError(), "Failed to load datafile") << "no such depth";
}

// The race alone, as the track check runs forty of them: no map, no back
// buffer, no screen. The data.dat, ground and craft sprites it races on are
// made beforehand and lent; then no bitmap can be made at all, and the
// World still lines up the grid and races its computer drivers to the end.
TEST(World, RacesToTheFinishWithoutABitmapOnLentResources) {
    ScratchDir dir;
    testfiles::writeGameData("data.dat");
    RaceResources shared;
    shared.data.load();
    const std::vector<unsigned char> flat(Terrain::kHeightmapBytes, 10);
    BITMAP* texture = create_bitmap(Terrain::GRID_SIZE, Terrain::GRID_SIZE);
    clear_to_color(texture, makecol(40, 160, 40));
    shared.ground.setGround(flat.data(), texture);
    const CraftSprites& sprites = shared.craftSprites();
    set_color_depth(7);  // no such depth: every bitmap fails from here on
    bool finished = false;
    int steps = 0;
    {
        World w(false, &shared);
        std::istringstream in(kGoodLoop);
        ::testing::internal::CaptureStdout();
        TrackFile::read(w, in);
        w.startRace();
        ::testing::internal::GetCapturedStdout();
        Seating::computersBesides(w, nullptr);
        EXPECT_EQ(&w.getTerrain(), &shared.ground);
        for (HoverCraft* c : w.getCraftList()) EXPECT_EQ(c->getLook(), sprites.of(c->getColour()));
        const auto allFinished = [&w] {
            for (HoverCraft* c : w.getCraftList())
                if (!w.recordOf(*c).finished) return false;
            return true;
        };
        while (!allFinished() && steps < 60 * 60 * 10) {
            w.update(World::kStep);
            ++steps;
        }
        finished = allFinished();
    }
    set_color_depth(32);
    destroy_bitmap(texture);
    EXPECT_TRUE(finished) << "after " << steps << " steps";
    EXPECT_TRUE(shared.data.isLoaded()) << "the World left the lent data.dat loaded";
}
