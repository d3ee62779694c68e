#include "world/World.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Pixels.h"
#include "craft/HoverCraft.h"
#include "editor/EditorCursor.h"
#include "objects/CheckPoint.h"
#include "objects/GameObject.h"
#include "view/Hud.h"
#include "world/TestFiles.h"
#include "world/Texts.h"

using pixels::Box;
using pixels::drawnBox;
using testfiles::dataError;
using testfiles::ScratchDir;

namespace {

// An object that records what the World does with it.
class Probe : public GameObject {
public:
    Probe(World* w, double r, int* deleted = nullptr) : GameObject(w), deleted_(deleted) { radius = r; }
    ~Probe() override {
        if (deleted_) ++*deleted_;
    }
    void draw(View& view) override {
        ++draws;
        lastView = view;
    }
    void update(double dt) override {
        ++updates;
        lastDt = dt;
        if (dieOnUpdate) setDead(true);
        if (spawnOnUpdate) world->addObject(new Probe(world, 1.0, deleted_));
    }
    void touchedBy(GameObject& craft) override { touchedByCraft = &craft; }
    void hide() { visible = false; }

    int updates = 0, draws = 0;
    double lastDt = -1;
    bool dieOnUpdate = false, spawnOnUpdate = false;
    GameObject* touchedByCraft = nullptr;
    View lastView;

private:
    int* deleted_;
};

// Places a probe so that its point lands on frame pixel (sx, sy) with scroll (0, 0).
Vector3 atScreen(double sx, double sy) {
    const double x = (sx - 2560.0) / 2.0;
    return Vector3(x, -x, 2880.0 - sy);
}

}  // namespace

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
    w.composeFrame();
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

TEST(World, ObjectsNearTheFrameEdgesAreCulledByTheirRadius) {
    World w(false);
    w.getMapView() = View(Vector2(2560, 2880), w.getMapBitmap());
    const double r = 10.0;
    auto add = [&](double sx, double sy) {
        auto* p = new Probe(&w, r);
        p->setPosition(atScreen(sx, sy));
        w.addObject(p);
        return p;
    };
    Probe* left25 = add(-2.5 * r, 240);
    Probe* left15 = add(-1.5 * r, 240);
    Probe* right25 = add(640 + 2.5 * r, 240);
    Probe* right15 = add(640 + 1.5 * r, 240);
    Probe* top25 = add(320, -2.5 * r);
    Probe* top15 = add(320, -1.5 * r);
    Probe* below59 = add(320, 480 + 5.9 * r);
    Probe* below61 = add(320, 480 + 6.1 * r);
    Probe* hidden = add(320, 240);
    hidden->hide();
    Probe* far = add(1.0e300, 240);
    w.update(0.0);
    w.composeFrame();
    EXPECT_EQ(left25->draws, 0);
    EXPECT_EQ(left15->draws, 1);
    EXPECT_EQ(right25->draws, 0);
    EXPECT_EQ(right15->draws, 1);
    EXPECT_EQ(top25->draws, 0);
    EXPECT_EQ(top15->draws, 1);
    EXPECT_EQ(below59->draws, 1);
    EXPECT_EQ(below61->draws, 0);
    EXPECT_EQ(hidden->draws, 0);
    EXPECT_EQ(far->draws, 0);
}

TEST(World, FarObjectsAreDrawnFirstAndTiesKeepListOrder) {
    World w(false);
    auto add = [&](double x, double y) {
        auto* p = new Probe(&w, 5.0);
        p->setPosition(Vector3(x, y, 0));
        w.addObject(p);
        return p;
    };
    Probe* near = add(100, 100);
    Probe* tieA = add(150, 150);
    Probe* tieB = add(200, 100);
    Probe* back = add(250, 250);
    Probe* nanObject = add(std::nan(""), 100);
    w.setFollowed(near);
    w.update(0.0);
    w.composeFrame();
    const std::vector<GameObject*> order = w.lastDrawOrder();
    ASSERT_EQ(order.size(), 4u) << "an object without a real position is not drawn";
    EXPECT_EQ(order[0], back);
    EXPECT_EQ(order[1], tieA);
    EXPECT_EQ(order[2], tieB);
    EXPECT_EQ(order[3], near);
    EXPECT_EQ(nanObject->draws, 0);
    // the followed object's ground point is the centre of the frame
    const Vector2 s = project(near->lastView, near->getPosition());
    EXPECT_NEAR(s.x, 320, 1.0);
    EXPECT_NEAR(s.y, 240, 1.0);
}

TEST(World, ScrollOfAnObjectFarOffTheMapStaysInRange) {
    World w(false);
    auto* p = new Probe(&w, 5.0);
    p->setPosition(Vector3(1e300, -1e300, 1e300));
    w.addObject(p);
    w.setFollowed(p);
    w.update(0.0);
    w.composeFrame();
    EXPECT_LE(std::abs(static_cast<long long>(w.getScrollX())), 100000000LL);
    EXPECT_LE(std::abs(static_cast<long long>(w.getScrollY())), 100000000LL);
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
class CraftWorld : public ::testing::Test {
protected:
    void SetUp() override {
        testfiles::writeGameData("data.dat");
        saved = currentTexts;
        currentTexts = englishTexts;
        world.reset(new World(false));
    }
    void TearDown() override {
        world.reset();
        currentTexts = saved;
    }
    CheckPoint* addGate(const Vector3& p, double angle, int number = 0) {
        auto* cp = new CheckPoint(world.get());
        cp->setPosition(p);
        cp->setNumber(number);
        cp->setAngle(angle);
        world->addObject(cp);
        return cp;
    }
    ScratchDir dir;
    std::unique_ptr<World> world;
    const char* const* saved = nullptr;
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
    world->draw();
    const std::vector<GameObject*> drawn = world->lastDrawOrder();
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

TEST_F(CraftWorld, MessageFadesOverItsLastSecondAndTheHudNeedsAPlayer) {
    pixels::ScreenStandIn standIn(makecol(1, 2, 3));
    const int ground = makecol(0, 0, 90);
    clear_to_color(world->getMapBitmap(), ground);
    const Box message{140, 200, 155, 207};  // "Go": the message font's glyphs are 8 x 8 blocks
    auto grey = [](int level) { return makecol(level, level, level); };
    world->showMessage("Go");
    world->update(2.0);
    world->draw();
    EXPECT_EQ(drawnBox(screen, ground), (Box{140, 200, 156, 208})) << "no HUD without a player";
    EXPECT_TRUE(pixels::filled(screen, message, grey(255)));
    EXPECT_TRUE(pixels::filled(screen, {141, 208, 156, 208}, grey(0)) && pixels::filled(screen, {156, 201, 156, 208}, grey(0)))
        << "a black shadow a pixel right and down";
    world->update(2.5);  // half a second left
    world->draw();
    EXPECT_TRUE(pixels::filled(screen, message, grey(127)));
    world->update(0.5);
    world->draw();
    EXPECT_EQ(drawnBox(screen, ground), pixels::kNothing);

    addGate(Vector3(1500, 1500, 0), 0);
    world->startRace();
    world->draw();
    const std::string hud = Hud::line(world->recordOf(*world->getPlayer()), world->getRaceTime());
    EXPECT_TRUE(pixels::showsText(screen, font, hud.c_str(), 5, 5, makecol(255, 255, 255), -1));
}

TEST_F(CraftWorld, PreviewShowsWhatTheModeShowsAndLoadingStartsAfreshFromTheFile) {
    testfiles::writeTracks("tracks.dat", 1);  // flat ground 10 high
    mkdir("tracks", 0755);
    testfiles::writeText("tracks/track1.txt", "C 1536 1536 10 40 0 0\nP 1000 1000 10 1\nE\n");
    pixels::ScreenStandIn standIn(makecol(1, 2, 3));
    BITMAP* shrunk = create_bitmap(640, 480);
    const int yellow = makecol(255, 255, 0), sprite = makecol(180, 180, 180);
    // on the map: the powerup's sprite 19 above its point (1000, 1000, 10)
    // after one update, and the gate's post at (1496, 1536) on the ground
    auto powerupShown = [sprite](World& w) { return getpixel(w.getMapBitmap(), 2560, 1851) == sprite; };
    auto postShown = [yellow](World& w) { return getpixel(w.getMapBitmap(), 2520, 1354) == yellow; };
    for (bool editor : {false, true}) {
        World w(editor);
        ::testing::internal::CaptureStdout();
        w.renderPreview(1);
        ::testing::internal::GetCapturedStdout();
        EXPECT_NE(getpixel(w.getMapBitmap(), 2560, 1600), 0) << "the ground under the objects";
        EXPECT_TRUE(powerupShown(w)) << editor;
        EXPECT_EQ(postShown(w), editor) << "gates show only in the editor";
        clear_to_color(shrunk, 0);
        stretch_blit(w.getMapBitmap(), shrunk, 0, 0, 5120, 2560, 0, 0, 640, 320);
        Hud::drawPreviewTexts(shrunk);
        EXPECT_TRUE(pixels::shows(screen, shrunk, 0, 0)) << "the map shrunk by 8 at the top, the title and prompt";

        ::testing::internal::CaptureStdout();
        w.loadTrack(1);
        ::testing::internal::GetCapturedStdout();
        EXPECT_FALSE(powerupShown(w) || postShown(w)) << "the map is rendered again without objects";
        if (editor) {
            auto* cursor = dynamic_cast<EditorCursor*>(w.getFollowed());
            ASSERT_NE(cursor, nullptr);
            EXPECT_EQ(cursor->getPosition(), Vector3(1536, 1536, 10));
            EXPECT_EQ(w.getPendingObjects().size(), 3u) << "the gate, the powerup and the cursor";
        } else {
            EXPECT_EQ(w.getCraftList().size(), 4u) << "on the grid behind the file's gate";
            EXPECT_EQ(w.getFollowed(), w.getPlayer());
        }
    }
    destroy_bitmap(shrunk);
}

TEST(World, NoBitmapMeansNoWorld) {
    set_color_depth(7);  // no such depth: every bitmap fails
    std::string error;
    try {
        World w(false);
    } catch (const std::runtime_error& e) {
        error = e.what();
    }
    set_color_depth(32);
    EXPECT_EQ(error, "Cannot create virtual screen");
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
    for (int i = 0; i < 100; ++i) {
        world->update(0.03);
        world->composeFrame();
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
