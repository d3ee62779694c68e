#include "craft/HoverCraft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "craft/CraftTestSupport.h"
#include "craft/Racecourse.h"
#include "objects/Wake.h"

using crafttest::GroundWorld;
using crafttest::makeCraft;
using crafttest::ScriptedController;

namespace {

int countWakes(World& world) {
    int n = 0;
    for (GameObject* o : world.getPendingObjects())
        if (dynamic_cast<Wake*>(o)) ++n;
    return n;
}

}  // namespace

// Its starting state shows in what the other tests see it do: at rest, no
// controller, no gate passed, no effect, not the player.
TEST(HoverCraft, WearsThirtySixFramesAndAWakeImageOfItsColourAndKeepsItsPlaceAsItsResetPoint) {
    GroundWorld world;
    CraftSprites sprites(world->getGameData());
    HoverCraft craft(world.get(), 3, sprites.of(3));
    ASSERT_EQ(craft.getLook(), sprites.of(3));
    for (int i = 0; i < HoverCraft::kFrameCount; ++i) {
        BITMAP* frame = craft.getLook()->frames[i];
        BITMAP* source = world->getBitmap(GameData::kFirstCraftFrame + i);
        ASSERT_NE(frame, nullptr) << i;
        EXPECT_NE(frame, source) << i;
        EXPECT_EQ(bitmap_color_depth(frame), 32) << i;
        EXPECT_EQ(frame->w, source->w) << i;
        EXPECT_EQ(frame->h, source->h) << i;
    }
    ASSERT_NE(craft.getLook()->wake, nullptr);
    EXPECT_EQ(craft.getLook()->wake->w, 24);
    EXPECT_EQ(craft.getLook()->wake->h, 12);
    for (int colour = 1; colour <= 4; ++colour)
        EXPECT_NE(sprites.of(colour)->frames[0], sprites.of(colour % 4 + 1)->frames[0]) << "a look for each colour";
    EXPECT_EQ(sprites.of(0), nullptr);
    EXPECT_EQ(sprites.of(5), nullptr);

    // placed before the first gate, the place is also the reset point
    auto placed = makeCraft(world.get(), Vector3(100, 200, 7), 90.0);
    EXPECT_EQ(placed->getPosition(), Vector3(100, 200, 7));
    EXPECT_EQ(placed->getResetPosition(), Vector3(100, 200, 7));
    // heading 90 points along (0, -1, 0); nose and tail 6 units either way
    EXPECT_NEAR(placed->getForward().x, 0.0, 1e-12);
    EXPECT_NEAR(placed->getForward().y, -1.0, 1e-12);
    EXPECT_NEAR(placed->getNosePoint().y, 194.0, 1e-9);
    EXPECT_NEAR(placed->getTailPoint().y, 206.0, 1e-9);
    // setHeading does not wrap
    placed->setHeading(-340.0);
    EXPECT_EQ(placed->getHeading(), -340.0);
}

TEST(HoverCraft, ThrustAcceleratesAlongTheHeadingTowardsTerminalSpeedAndDragKeepsNinetySixPercent) {
    GroundWorld world;
    auto craft = makeCraft(world.get(), Vector3(1000, 1000, 0), 0.0);
    craft->setController(new ScriptedController(0.0, 1.0));
    craft->update(0.01);
    // from rest: v = 30 * dt along forward, then the position moves by v * dt
    EXPECT_NEAR(craft->getVelocity().x, 0.3, 1e-12);
    EXPECT_NEAR(craft->getVelocity().y, 0.0, 1e-12);
    EXPECT_NEAR(craft->getPosition().x, 1000.003, 1e-9);

    // full throttle for a long time settles at 30 / 0.04 = 750
    auto runner = makeCraft(world.get(), Vector3(100, 1500, 0), 0.0);
    runner->setController(new ScriptedController(0.0, 1.0));
    const auto run = [&](double seconds) {
        for (double t = 0; t < seconds; t += 0.01) {
            runner->update(0.01);
            // keep it inside the track area
            if (runner->getPosition().x > 3000) runner->setPosition(Vector3(100, 1500, 0));
        }
    };
    run(200.0);
    EXPECT_NEAR(runner->getVelocity().x, 750.0, 1.0);

    // with one turbo the throttle counts 1.5: 1125
    runner->addTurbo();
    run(15.0);
    // 1125 - 375 e^(-0.04 * 15)
    EXPECT_NEAR(runner->getVelocity().x, 1125.0 - 375.0 * std::exp(-0.6), 2.0);

    // drag keeps about 96 % a second
    auto coaster = makeCraft(world.get(), Vector3(500, 1500, 0), 0.0);
    coaster->setController(new ScriptedController(0.0, 0.0));
    coaster->setVelocity(Vector3(100, 0, 0));
    coaster->update(1.0);
    EXPECT_NEAR(coaster->getVelocity().x, 96.0, 1e-9);
    EXPECT_NEAR(coaster->getPosition().x, 596.0, 1e-9);

    auto drifter = makeCraft(world.get(), Vector3(500, 1500, 0), 0.0);
    drifter->setVelocity(Vector3(0, 100, 0));
    for (int i = 0; i < 100; ++i) drifter->update(0.01);
    EXPECT_NEAR(drifter->getVelocity().y, 96.08, 0.01);
    EXPECT_NEAR(drifter->getVelocity().x, 0.0, 1e-12);
}

TEST(HoverCraft, SlopePushesDownhillAndHeightFollowsTheGround) {
    GroundWorld world(false, 0, false, GroundWorld::kRampAlongX);
    // the ground rises by one unit per 12 along x: the slope pushes towards -x
    const Vector3 start(600.0, 600.0, 0.0);
    auto craft = makeCraft(world.get(), start, 90.0);
    const Vector3 n = world->getTerrain().normalAt(Vector2(start.x, start.y));
    ASSERT_LT(n.x, 0.0);
    craft->update(0.1);
    EXPECT_NEAR(craft->getVelocity().x, n.x * 100.0 * 0.1, 1e-9);
    EXPECT_NEAR(craft->getVelocity().y, n.y * 100.0 * 0.1, 1e-9);
    EXPECT_LT(craft->getPosition().x, start.x);
    // the craft never flies: z is the ground height under it
    const Vector3 p = craft->getPosition();
    EXPECT_DOUBLE_EQ(p.z, world->getTerrain().heightAt(Vector2(p.x, p.y)));
    EXPECT_NEAR(p.z, 50.0, 0.1);

    GroundWorld plateau(false, 77);
    auto hover = makeCraft(plateau.get(), Vector3(1000, 1000, 0));
    hover->update(0.02);
    EXPECT_DOUBLE_EQ(hover->getPosition().z, 77.0);
    EXPECT_EQ(hover->getVelocity(), Vector3());
}

TEST(HoverCraft, TurnRateGainsWithThrottleIsDampedOncePerUpdateEvenAStepOfZeroAndWrapsTheHeading) {
    GroundWorld world;
    auto craft = makeCraft(world.get(), Vector3(1000, 1000, 0), 0.0);
    craft->setController(new ScriptedController(1.0, 1.0));
    craft->update(0.01);
    // 1 * 20 * (1 + 0.2), then damped by 0.9
    EXPECT_NEAR(craft->getTurnRate(), 21.6, 1e-12);
    EXPECT_NEAR(craft->getHeading(), 0.216, 1e-12);
    for (int i = 0; i < 500; ++i) craft->update(0.001);
    EXPECT_NEAR(craft->getTurnRate(), 216.0, 1e-6);

    // left steering at zero throttle still turns, by the bias only
    auto slow = makeCraft(world.get(), Vector3(1000, 1000, 0), 100.0);
    slow->setController(new ScriptedController(-1.0, 0.0));
    slow->update(0.01);
    EXPECT_NEAR(slow->getTurnRate(), -3.6, 1e-12);
    EXPECT_LT(slow->getHeading(), 100.0);

    // without a controller nothing steers and nothing thrusts
    auto idle = makeCraft(world.get(), Vector3(1000, 1000, 0), 45.0);
    idle->update(0.5);
    EXPECT_EQ(idle->getTurnRate(), 0.0);
    EXPECT_EQ(idle->getHeading(), 45.0);
    EXPECT_EQ(idle->getVelocity(), Vector3());

    // a step of zero moves nothing but still damps and steers
    auto zero = makeCraft(world.get(), Vector3(1000, 1000, 0), 30.0);
    auto* control = new ScriptedController(1.0, 1.0);
    zero->setController(control);
    zero->setVelocity(Vector3(10, 5, 0));
    zero->update(0.0);
    EXPECT_EQ(control->updates, 1);
    EXPECT_EQ(zero->getPosition().x, 1000.0);
    EXPECT_EQ(zero->getPosition().y, 1000.0);
    EXPECT_EQ(zero->getHeading(), 30.0);
    EXPECT_NEAR(zero->getTurnRate(), 21.6, 1e-12);
    control->set(0.0, 0.0);
    zero->update(0.0);
    EXPECT_NEAR(zero->getTurnRate(), 21.6 * 0.9, 1e-12);
    EXPECT_EQ(zero->getHeading(), 30.0);

    // the heading wraps once each way (a turn rate of 20 * 0.2 * 0.9 = 3.6
    // at no throttle); 360 stays, and draws the frame of 0
    const double wraps[][3] = {{359.9, 1.0, 0.26}, {0.1, -1.0, 359.74}, {360.0, 0.0, 360.0}};
    for (const auto& w : wraps) {
        auto turning = makeCraft(world.get(), Vector3(1000, 1000, 0), w[0]);
        if (w[1] != 0.0) turning->setController(new ScriptedController(w[1], 0.0));
        turning->update(0.1);
        EXPECT_NEAR(turning->getHeading(), w[2], 1e-9) << w[0];
    }
    EXPECT_EQ(HoverCraft::frameIndex(360.0), HoverCraft::frameIndex(0.0));
}

TEST(HoverCraft, LeavingTheTrackAreaOrLosingItsPlacePutsItBackFrozenForSixSeconds) {
    GroundWorld world;
    // just outside, on each side
    for (const Vector3& outside : {Vector3(-0.001, 100, 0), Vector3(100, -0.001, 0), Vector3(3072.001, 100, 0),
                                   Vector3(100, 3072.001, 0)}) {
        HoverCraft* craft = crafttest::enterCraft(world.get(), outside);
        craft->update(0.01);
        EXPECT_TRUE(craft->isFrozen()) << outside.x << " " << outside.y;
        EXPECT_EQ(craft->getEffectTime(), 6.0);
        EXPECT_EQ(world->recordOf(*craft).timesOutOfBounds, 1) << "the race counts it";
    }
    // exactly on the edges is still inside
    for (const Vector3& edge : {Vector3(0, 0, 0), Vector3(3072, 3072, 0), Vector3(0, 3072, 0), Vector3(3072, 0, 0)}) {
        HoverCraft* craft = crafttest::enterCraft(world.get(), edge);
        craft->update(0.01);
        EXPECT_FALSE(craft->isFrozen()) << edge.x << " " << edge.y;
        EXPECT_EQ(craft->getEffectTime(), 0.0);
        EXPECT_EQ(world->recordOf(*craft).timesOutOfBounds, 0);
    }

    // driven off the map: back to the start point, still for six seconds
    const Vector3 start(50, 100, 0);
    auto craft = makeCraft(world.get(), start, 180.0);
    craft->addTurbo();
    auto* control = new ScriptedController(0.0, 1.0);
    craft->setController(control);
    craft->setVelocity(Vector3(-10000, 0, 0));
    craft->update(0.01);
    EXPECT_EQ(craft->getPosition(), start);
    EXPECT_TRUE(craft->isFrozen());
    EXPECT_EQ(craft->getEffectTime(), 6.0);
    EXPECT_EQ(craft->getTurboLevel(), 1);  // the turbo is not touched
    EXPECT_EQ(world->getSamplesPlayed(), 0);  // not the player
    for (int i = 0; i < 5; ++i) {
        craft->update(1.0);
        EXPECT_TRUE(craft->isFrozen()) << i;
        EXPECT_EQ(craft->getVelocity(), Vector3());
        EXPECT_EQ(craft->getPosition(), start);
    }
    EXPECT_EQ(control->updates, 6);
    craft->update(1.0);
    EXPECT_FALSE(craft->isFrozen());
    EXPECT_EQ(craft->getTurboLevel(), 0);
    // it moves again, along its heading of 180
    EXPECT_LT(craft->getVelocity().x, 0.0);
    EXPECT_LT(craft->getPosition().x, start.x);

    // the player sees the message and hears the effect sample
    auto player = makeCraft(world.get(), Vector3(-5, 100, 0));
    player->setPlayer(true);
    player->update(0.01);
    EXPECT_EQ(world->getMessage(), "Out of bounds");
    EXPECT_EQ(world->getMessageTime(), 5.0);
    EXPECT_EQ(world->getLastSample(), 41);
    EXPECT_EQ(world->getSamplesPlayed(), 1);

    // a position that is no number is put back the same way
    auto lost = makeCraft(world.get(), Vector3(300, 300, 0));
    lost->setVelocity(Vector3(std::numeric_limits<double>::quiet_NaN(), 0, 0));
    lost->update(0.01);
    EXPECT_EQ(lost->getPosition(), Vector3(300, 300, 0));
    EXPECT_TRUE(lost->isFrozen());
    lost->update(0.01);
    EXPECT_TRUE(isFinite(lost->getVelocity()));
}

TEST(HoverCraft, FrozenCraftStaysPutAndMovesInTheUpdateTheEffectEnds) {
    GroundWorld world;
    auto craft = makeCraft(world.get(), Vector3(1000, 1000, 0), 0.0);
    craft->setController(new ScriptedController(0.0, 1.0));
    craft->freeze();
    craft->update(7.95);
    EXPECT_TRUE(craft->isFrozen());
    EXPECT_NEAR(craft->getEffectTime(), 0.05, 1e-9);
    EXPECT_EQ(craft->getPosition().x, 1000.0);
    craft->update(0.06);
    EXPECT_FALSE(craft->isFrozen());
    EXPECT_GT(craft->getPosition().x, 1000.0);
    EXPECT_LT(craft->getEffectTime(), 0.0);

    // reaching exactly zero ends it as well
    auto exact = makeCraft(world.get(), Vector3(1000, 1000, 0), 0.0);
    exact->setController(new ScriptedController(0.0, 1.0));
    exact->freeze();
    exact->update(4.0);
    EXPECT_TRUE(exact->isFrozen());
    exact->update(4.0);
    EXPECT_FALSE(exact->isFrozen());
    EXPECT_EQ(exact->getEffectTime(), 0.0);
    EXPECT_GT(exact->getVelocity().x, 0.0);

    // meanwhile it stays put while its controller and the timer run
    auto still = makeCraft(world.get(), Vector3(1000, 1000, 0), 20.0);
    auto* control = new ScriptedController(1.0, 1.0);
    still->setController(control);
    still->setVelocity(Vector3(50, 0, 0));
    still->freeze();
    still->update(0.5);
    still->update(0.5);
    EXPECT_EQ(control->updates, 2);
    EXPECT_DOUBLE_EQ(still->getEffectTime(), 7.0);
    EXPECT_EQ(still->getVelocity(), Vector3());
    EXPECT_EQ(still->getImpulse(), Vector3());
    EXPECT_EQ(still->getPosition(), Vector3(1000, 1000, 0));
    EXPECT_EQ(still->getHeading(), 20.0);
    EXPECT_EQ(still->getTurnRate(), 0.0);
}

TEST(HoverCraft, EffectsReplaceAndStackByTheirRulesSpeakAndSoundOnlyForThePlayerAndWonkyDrives) {
    GroundWorld world;
    auto craft = makeCraft(world.get(), Vector3(1000, 1000, 0));
    craft->addTurbo();
    EXPECT_EQ(craft->getTurboLevel(), 1);
    EXPECT_EQ(craft->getEffectTime(), 16.0);
    craft->update(2.0);
    craft->addTurbo();
    EXPECT_EQ(craft->getTurboLevel(), 2);
    EXPECT_DOUBLE_EQ(craft->getEffectTime(), 30.0);
    craft->addTurbo();
    EXPECT_EQ(craft->getTurboLevel(), 2);
    EXPECT_DOUBLE_EQ(craft->getEffectTime(), 46.0);

    // a freeze ends the turbo and sets 8 s
    craft->freeze();
    EXPECT_TRUE(craft->isFrozen());
    EXPECT_EQ(craft->getTurboLevel(), 0);
    EXPECT_EQ(craft->getEffectTime(), 8.0);
    // wonky while frozen: still frozen, 8 s again
    craft->update(3.0);
    craft->makeWonky();
    EXPECT_TRUE(craft->isFrozen());
    EXPECT_TRUE(craft->isWonky());
    EXPECT_EQ(craft->getEffectTime(), 8.0);
    // a turbo ends frozen and wonky at once and starts from 16 s
    craft->addTurbo();
    EXPECT_FALSE(craft->isFrozen());
    EXPECT_FALSE(craft->isWonky());
    EXPECT_EQ(craft->getTurboLevel(), 1);
    EXPECT_EQ(craft->getEffectTime(), 16.0);
    // wonky keeps the turbo
    craft->makeWonky();
    EXPECT_EQ(craft->getTurboLevel(), 1);
    EXPECT_EQ(craft->getEffectTime(), 8.0);
    // clearing leaves the timer as it is
    craft->clearEffects();
    EXPECT_FALSE(craft->isWonky());
    EXPECT_EQ(craft->getTurboLevel(), 0);
    EXPECT_EQ(craft->getEffectTime(), 8.0);
    // all of it silent for an opponent; the player is told and hears each
    EXPECT_EQ(world->getSamplesPlayed(), 0);
    EXPECT_EQ(world->getMessage(), "");
    auto player = makeCraft(world.get(), Vector3(1000, 1000, 0));
    player->setPlayer(true);
    player->freeze();
    EXPECT_EQ(world->getMessage(), "Frozen");
    EXPECT_EQ(world->getLastSample(), 41);
    player->makeWonky();
    EXPECT_EQ(world->getMessage(), "Wonky");
    EXPECT_EQ(world->getLastSample(), 41);
    player->addTurbo();
    EXPECT_EQ(world->getMessage(), "Turbo");
    EXPECT_EQ(world->getLastSample(), 45);
    EXPECT_EQ(world->getSamplesPlayed(), 3);
    // the message runs out with the effect timer, the effects stay silent
    player->clearEffects();
    EXPECT_EQ(world->getSamplesPlayed(), 3);

    // a wonky craft thrusts and turns right without input
    auto wonky = makeCraft(world.get(), Vector3(1000, 1000, 0), 0.0);
    wonky->setController(new ScriptedController(-1.0, 0.0));
    wonky->makeWonky();
    wonky->update(0.01);
    // steering 0.5 and throttle 1: 0.5 * 20 * 1.2, damped by 0.9
    EXPECT_NEAR(wonky->getTurnRate(), 10.8, 1e-12);
    EXPECT_NEAR(wonky->getVelocity().x, 0.3, 1e-12);
    EXPECT_GT(wonky->getHeading(), 0.0);

    // with turbo 2 the throttle doubles and so does the turning gain
    auto fast = makeCraft(world.get(), Vector3(1000, 1000, 0), 0.0);
    fast->setController(new ScriptedController(1.0, 1.0));
    fast->addTurbo();
    fast->addTurbo();
    fast->update(0.01);
    EXPECT_NEAR(fast->getVelocity().x, 0.6, 1e-12);
    EXPECT_NEAR(fast->getTurnRate(), 20.0 * 2.2 * 0.9, 1e-12);
}

TEST(HoverCraft, WakesAreDroppedEveryEightUnitsOverWaterOnly) {
    GroundWorld world(false, 0, true);
    auto craft = makeCraft(world.get(), Vector3(1000, 1000, 0), 0.0);
    craft->setVelocity(Vector3(100, 0, 0));
    craft->update(0.01);
    // the first update over water drops one at once
    ASSERT_EQ(countWakes(*world), 1);
    auto* wake = dynamic_cast<Wake*>(world->getPendingObjects().back());
    ASSERT_NE(wake, nullptr);
    EXPECT_EQ(wake->getPosition().x, craft->getPosition().x);
    EXPECT_EQ(wake->getVelocity(), craft->getVelocity());
    EXPECT_FALSE(wake->isCollidable());

    // about one unit a step: the next wake comes once more than 8 units are behind
    double travelled = 0.0;
    double lastX = craft->getPosition().x;
    int steps = 0;
    while (countWakes(*world) == 1 && steps < 100) {
        craft->update(0.01);
        travelled += craft->getPosition().x - lastX;
        lastX = craft->getPosition().x;
        ++steps;
    }
    EXPECT_EQ(countWakes(*world), 2);
    EXPECT_GT(travelled, 8.0);
    EXPECT_LT(travelled, 9.0);

    // land between two stretches of water neither counts nor resets the
    // distance: about 4 units on the first stretch leave about 4 for the second
    GroundWorld mixed(false, 0, false);
    mixed.paintColumns(90, 91, crafttest::waterColour());   // water for 1068 < x <= 1080
    mixed.paintColumns(95, 256, crafttest::waterColour());  // and beyond x = 1128
    auto boat = makeCraft(mixed.get(), Vector3(1074.5, 1000, 0), 0.0);
    boat->setVelocity(Vector3(100, 0, 0));
    boat->update(0.01);
    EXPECT_EQ(countWakes(*mixed), 1);
    while (countWakes(*mixed) == 1 && boat->getPosition().x < 1200) boat->update(0.01);
    EXPECT_GT(boat->getPosition().x, 1128 + 2.0);
    EXPECT_LT(boat->getPosition().x, 1128 + 6.0);
}

TEST(HoverCraft, OwnsItsControllerAndReplacesIt) {
    GroundWorld world;
    bool firstGone = false, secondGone = false;
    {
        HoverCraft craft(world.get(), 1);
        craft.setController(new ScriptedController(0, 0, &firstGone));
        EXPECT_FALSE(firstGone);
        auto* second = new ScriptedController(0, 0, &secondGone);
        craft.setController(second);
        EXPECT_TRUE(firstGone);
        EXPECT_FALSE(secondGone);
        // handing it the one it has already must not delete it
        craft.setController(second);
        EXPECT_FALSE(secondGone);
        EXPECT_EQ(craft.getController(), second);
    }
    EXPECT_TRUE(secondGone);
    HoverCraft bare(world.get(), 1);
    bare.setController(nullptr);
    EXPECT_EQ(bare.getController(), nullptr);
}

namespace {

// A course of its own: a ground sloping down along +x, water beyond x = 500,
// and a record of what the craft tells it.
struct RecordingCourse : Racecourse {
    double groundHeight(const Vector2& p) const override { return 100.0 - p.x / 10.0; }
    Vector3 groundNormal(const Vector2&) const override { return Vector3(0.1, 0.0, 0.995); }
    bool isWater(const Vector2& p) const override { return p.x > 500.0; }
    void gateTouched(HoverCraft&, const CheckPoint& gate) override { gates.push_back(gate.getNumber()); }
    void leftTheIsland(HoverCraft&) override { ++left; }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void playSample(int index) override { samples.push_back(index); }
    void dropWake(const Vector3& at, const Vector3&, BITMAP*) override { wakes.push_back(at); }
    std::vector<int> gates, samples;
    std::vector<std::string> messages;
    std::vector<Vector3> wakes;
    int left = 0;
};

}  // namespace

TEST(HoverCraft, AsksItsCourseAloneForTheGroundAndTellsItOfGatesWakesAndTheIsland) {
    GroundWorld world;
    RecordingCourse course;
    auto craft = makeCraft(world.get(), Vector3(490, 100, 0));
    craft->setCourse(&course);
    // the course's slope pushes it along +x, onto its water and its height
    for (int i = 0; i < 60; ++i) craft->update(0.05);
    EXPECT_GT(craft->getVelocity().x, 0.0);
    EXPECT_NEAR(craft->getPosition().z, 100.0 - craft->getPosition().x / 10.0, 1e-9);
    EXPECT_FALSE(course.wakes.empty()) << "on the course's water";
    for (const Vector3& w : course.wakes) EXPECT_GT(w.x, 500.0);
    CheckPoint* gate = crafttest::addGate(world.get(), craft->getPosition(), 7);
    craft->collide(gate);
    EXPECT_EQ(course.gates, std::vector<int>{7});
    craft->setPlayer(true);
    craft->setPosition(Vector3(-1, 100, 0));
    craft->update(0.01);
    EXPECT_EQ(course.left, 1);
    EXPECT_EQ(course.messages, std::vector<std::string>{"Out of bounds"});
    EXPECT_EQ(course.samples, std::vector<int>{GameData::kEffectSample});
    EXPECT_EQ(world->getMessage(), "") << "the World heard nothing";
}
