#include "control/AiController.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "craft/CraftTestSupport.h"
#include "editor/EditorCursor.h"
#include "objects/AiWaypoint.h"
#include "objects/CheckPoint.h"

using crafttest::GroundWorld;
using crafttest::makeCraft;

namespace {

AiWaypoint* addWaypoint(World* world, const Vector3& p, int number) {
    auto* w = new AiWaypoint(world);
    w->setPosition(p);
    w->setNumber(number);
    world->addObject(w);
    world->addWaypoint(w);
    return w;
}

constexpr double kAny = 9.0;      // an answer the case does not pin
constexpr double kTurning = 8.0;  // any steering but none

}  // namespace

// One decision of a driver at (1000, 1000) for the World's only waypoint.
TEST(AiController, DecisionsFollowTheWishAndItsDeadZone) {
    const struct {
        Vector3 waypoint;
        double heading, speed, wanted, steering, throttle;  // wanted 0: the driver's own
        const char* why;
    } cases[] = {
        // the wish (120, 0) is straight behind: r = -180, q = 14400
        {{1500, 1000, 0}, 180, 0, 0, -1, 1, "at rest facing away it thrusts while turning"},
        {{1000, 600, 0}, 0, 0, 0, 1, 1, "waypoint to the right"},
        {{1000, 600, 0}, 180, 0, 0, -1, kAny, "waypoint to the left"},
        {{1500, 1000, 0}, 0, 120, 0, 0, 0, "at the wanted speed straight on it coasts"},
        // e = (-80, 0, 0): the wanted heading is 180 away
        {{1500, 1000, 0}, 0, 200, 0, kTurning, 1, "too fast: it turns round and thrusts"},
        {{1500, 1000, 0}, 180, 200, 0, 0, 1, "turned round it thrusts against the motion"},
        {{1500, 1000, 0}, 0, 200, 240, 0, 1, "wanting 240, 200 is too slow"},
        {{1500, 1000, 0}, 180, 200, 240, kTurning, kAny, "wanting 240 it turns nose first"},
        // a large error vector thrusts whatever the angle
        {{1500, 1000, 0}, -5, 0, 0, 0, 1, "-5 at rest"},
        {{1500, 1000, 0}, 355, 0, 0, 0, kAny, "355 at rest"},
        // q = 400: thrust only when the nose is within 5 degrees
        {{1500, 1000, 0}, -5, 100, 0, 0, 0, "-5 at 100"},
        {{1500, 1000, 0}, 5, 100, 0, 0, 0, "5 at 100"},
        {{1500, 1000, 0}, -4.9, 100, 0, 0, 1, "-4.9 at 100"},
        {{1500, 1000, 0}, -5.1, 100, 0, 1, 0, "-5.1 at 100"},
        {{1500, 1000, 0}, 5.1, 100, 0, -1, kAny, "5.1 at 100"},
        // q at most 25: no thrust even when aligned
        {{1500, 1000, 0}, 0, 116, 0, kAny, 0, "116 aligned"},
        {{1500, 1000, 0}, 0, 114, 0, kAny, 1, "114 aligned"},
    };
    for (const auto& c : cases) {
        GroundWorld world;
        addWaypoint(world.get(), c.waypoint, 0);
        auto craft = makeCraft(world.get(), Vector3(1000, 1000, 0), c.heading);
        craft->setVelocity(Vector3(c.speed, 0, 0));
        std::unique_ptr<AiController> ai(c.wanted ? new AiController(world.get(), craft.get(), c.wanted)
                                                  : new AiController(world.get(), craft.get()));
        ai->update(0.01);
        if (c.steering == kTurning) {
            EXPECT_NE(ai->steering(), 0.0) << c.why;
        } else if (c.steering != kAny) {
            EXPECT_EQ(ai->steering(), c.steering) << c.why;
        }
        if (c.throttle != kAny) {
            EXPECT_EQ(ai->throttle(), c.throttle) << c.why;
        }
    }
}

TEST(AiController, TouchingItsWaypointMovesOnAndWrapsAndWithoutWaypointsItCoasts) {
    GroundWorld world;
    AiWaypoint* w0 = addWaypoint(world.get(), Vector3(500, 500, 0), 0);
    AiWaypoint* w1 = addWaypoint(world.get(), Vector3(900, 500, 0), 1);
    AiWaypoint* w2 = addWaypoint(world.get(), Vector3(900, 900, 0), 2);
    auto craft = makeCraft(world.get(), Vector3(100, 100, 0));
    AiController ai(world.get(), craft.get());
    EXPECT_EQ(ai.getTargetWaypoint(), 0);
    ai.objectTouched(w1);
    EXPECT_EQ(ai.getTargetWaypoint(), 0);
    ai.objectTouched(w0);
    EXPECT_EQ(ai.getTargetWaypoint(), 1);
    ai.objectTouched(w1);
    ai.objectTouched(w1);
    EXPECT_EQ(ai.getTargetWaypoint(), 2);
    ai.objectTouched(w1);
    EXPECT_EQ(ai.getTargetWaypoint(), 2);
    ai.objectTouched(w2);
    EXPECT_EQ(ai.getTargetWaypoint(), 0);
    // anything else is ignored
    CheckPoint gate(world.get());
    ai.objectTouched(&gate);
    ai.objectTouched(craft.get());
    ai.objectTouched(nullptr);
    EXPECT_EQ(ai.getTargetWaypoint(), 0);

    // without waypoints it coasts
    GroundWorld bare;
    auto coaster = makeCraft(bare.get(), Vector3(1000, 1000, 0), 10.0);
    auto* lost = new AiController(bare.get(), coaster.get());
    coaster->setController(lost);
    coaster->setVelocity(Vector3(50, 0, 0));
    for (int i = 0; i < 30; ++i) coaster->update(1.0 / 30);
    EXPECT_EQ(lost->steering(), 0.0);
    EXPECT_EQ(lost->throttle(), 0.0);
    EXPECT_EQ(coaster->getHeading(), 10.0);
    EXPECT_NEAR(coaster->getVelocity().x, 50.0 * 0.96, 0.05);
    AiWaypoint stray(bare.get());
    lost->objectTouched(&stray);
    EXPECT_EQ(lost->getTargetWaypoint(), 0);
}

TEST(AiController, OnTopOfItsWaypointItKeepsTheLastDecision) {
    GroundWorld world(false, 20);
    AiWaypoint* w = addWaypoint(world.get(), Vector3(1500, 1000, 0), 0);
    auto craft = makeCraft(world.get(), Vector3(1000, 1000, 20), 180.0);
    AiController ai(world.get(), craft.get());
    ai.update(0.01);
    ASSERT_EQ(ai.steering(), -1.0);
    ASSERT_EQ(ai.throttle(), 1.0);
    craft->setPosition(w->getPosition());
    ai.update(0.01);
    EXPECT_EQ(ai.steering(), -1.0);
    EXPECT_EQ(ai.throttle(), 1.0);
    // a position that is no number decides nothing either
    craft->setPosition(Vector3(std::numeric_limits<double>::quiet_NaN(), 0, 0));
    ai.update(0.01);
    EXPECT_EQ(ai.steering(), -1.0);
    EXPECT_EQ(ai.throttle(), 1.0);
}

TEST(AiController, DrivesRoundALoopOfWaypoints) {
    GroundWorld world;
    const Vector3 corners[] = {Vector3(800, 800, 0), Vector3(1400, 800, 0), Vector3(1400, 1400, 0),
                               Vector3(800, 1400, 0)};
    for (int i = 0; i < 4; ++i) addWaypoint(world.get(), corners[i], i);
    crafttest::startRaceBehind(world.get(), Vector3(600, 600, 0));
    HoverCraft* driver = nullptr;
    for (HoverCraft* c : world->getCraftList())
        if (c != world->getPlayer()) driver = c;
    auto* ai = dynamic_cast<AiController*>(driver->getController());
    ASSERT_NE(ai, nullptr);
    // the player drives too, so that no craft sits in the way
    world->getPlayer()->setController(new AiController(world.get(), world->getPlayer()));

    int advances = 0, last = ai->getTargetWaypoint();
    bool wrapped = false;
    for (int step = 0; step < 60 * 240 && !wrapped; ++step) {
        world->update(1.0 / 60);
        ASSERT_TRUE(isFinite(driver->getPosition())) << step;
        const int now = ai->getTargetWaypoint();
        if (now != last) {
            EXPECT_EQ(now, (last + 1) % 4);
            ++advances;
            if (now == 0) wrapped = true;
            last = now;
        }
    }
    EXPECT_TRUE(wrapped) << "reached " << advances << " waypoints";
    EXPECT_EQ(advances, 4);
}

TEST(AiWaypoint, DeletedInTheEditorItLeavesTheRoute) {
    GroundWorld world(true);
    AiWaypoint* keep = addWaypoint(world.get(), Vector3(500, 500, 0), 0);
    addWaypoint(world.get(), Vector3(900, 900, 0), 1);
    auto* cursor = new EditorCursor(world.get());
    cursor->setPosition(Vector3(905, 905, 0));
    world->addObject(cursor);
    world->update(0.01);
    ASSERT_EQ(world->getWaypointCount(), 2);
    cursor->deleteNearest();
    world->update(0.01);
    ASSERT_EQ(world->getWaypointCount(), 1);
    EXPECT_EQ(world->getWaypoint(0), keep);
    world->update(0.01);  // the deleted waypoint is freed here

    // a driver that aimed at the deleted one goes back to the first
    auto craft = makeCraft(world.get(), Vector3(100, 500, 0), 0.0);
    AiController ai(world.get(), craft.get());
    ai.objectTouched(keep);
    EXPECT_EQ(ai.getTargetWaypoint(), 0);  // one waypoint: wraps at once
    ai.update(0.01);
    EXPECT_EQ(ai.steering(), 0.0);
    EXPECT_EQ(ai.throttle(), 1.0);
}
