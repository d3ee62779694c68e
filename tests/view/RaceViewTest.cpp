#include "view/RaceView.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Pixels.h"
#include "craft/CraftTestSupport.h"
#include "view/Hud.h"
#include "world/Probe.h"
#include "world/ScratchRace.h"
#include "world/TestFiles.h"
#include "world/Texts.h"
#include "world/World.h"

using pixels::Box;
using pixels::drawnBox;
using worldtest::Probe;
using worldtest::atScreen;

namespace {

// A race World on the scratch data.dat, whose message font draws every
// glyph as an 8 x 8 block.
class ShownRace : public ScratchRace {
protected:
    void addGate(const Vector3& p) { crafttest::addGate(world.get(), p); }
};

}  // namespace

TEST(RaceView, ObjectsNearTheFrameEdgesAreCulledByTheirRadius) {
    World w(false);
    RaceView view(w);
    view.getMapView() = View(Vector2(2560, 2880), view.getMapBitmap());
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
    view.compose();
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

TEST(RaceView, FarObjectsAreDrawnFirstAndTiesKeepListOrder) {
    World w(false);
    RaceView view(w);
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
    view.compose();
    const std::vector<GameObject*> order = view.lastDrawOrder();
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

TEST(RaceView, ScrollOfAnObjectFarOffTheMapStaysInRange) {
    World w(false);
    RaceView view(w);
    auto* p = new Probe(&w, 5.0);
    p->setPosition(Vector3(1e300, -1e300, 1e300));
    w.addObject(p);
    w.setFollowed(p);
    w.update(0.0);
    view.compose();
    EXPECT_LE(std::abs(static_cast<long long>(view.getScrollX())), 100000000LL);
    EXPECT_LE(std::abs(static_cast<long long>(view.getScrollY())), 100000000LL);
}

TEST_F(ShownRace, MessageFadesOverItsLastSecondAndTheHudNeedsAPlayer) {
    RaceView view(*world);
    BITMAP* frame = view.getBackBuffer();
    const int ground = makecol(0, 0, 90);
    clear_to_color(view.getMapBitmap(), ground);
    const Box message{140, 200, 155, 207};  // "Go": the message font's glyphs are 8 x 8 blocks
    auto grey = [](int level) { return makecol(level, level, level); };
    world->showMessage("Go");
    world->update(2.0);
    view.compose();
    EXPECT_EQ(drawnBox(frame, ground), (Box{140, 200, 156, 208})) << "no HUD without a player";
    EXPECT_TRUE(pixels::filled(frame, message, grey(255)));
    EXPECT_TRUE(pixels::filled(frame, {141, 208, 156, 208}, grey(0)) && pixels::filled(frame, {156, 201, 156, 208}, grey(0)))
        << "a black shadow a pixel right and down";
    world->update(2.5);  // half a second left
    view.compose();
    EXPECT_TRUE(pixels::filled(frame, message, grey(127)));
    world->update(0.5);
    view.compose();
    EXPECT_EQ(drawnBox(frame, ground), pixels::kNothing);

    addGate(Vector3(1500, 1500, 0));
    world->startRace();
    view.compose();
    const std::string hud = Hud::line(world->recordOf(*world->getPlayer()), world->getRaceTime());
    EXPECT_TRUE(pixels::showsText(frame, font, hud.c_str(), 5, 5, makecol(255, 255, 255), -1));
}

TEST(RaceView, NoBitmapMeansNoView) {
    set_color_depth(7);  // no such depth: every bitmap fails
    std::string error;
    try {
        World w(false);
        RaceView view(w);
    } catch (const std::runtime_error& e) {
        error = e.what();
    }
    set_color_depth(32);
    EXPECT_EQ(error, "Cannot create virtual screen");
}

