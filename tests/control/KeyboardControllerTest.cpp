#include "control/KeyboardController.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>

#include "control/PadOnTheDesk.h"
#include "craft/CraftTestSupport.h"

using crafttest::GroundWorld;
using crafttest::makeCraft;

namespace {

// Holds the given keys in the library's key array for the test's duration.
class HeldKeys {
public:
    HeldKeys(std::initializer_list<int> codes) {
        std::memset(const_cast<char*>(key), 0, KEY_MAX);
        for (int c : codes) key[c] = 1;
    }
    ~HeldKeys() { std::memset(const_cast<char*>(key), 0, KEY_MAX); }
};

struct Reading {
    double steering, throttle;
};

Reading readWith(std::initializer_list<int> codes) {
    HeldKeys held(codes);
    KeyboardController c;
    c.update(0.016);
    return Reading{c.steering(), c.throttle()};
}

// A controller that only decides nothing.
class Idle : public Controller {
public:
    void update(double) override {}
};

}  // namespace

TEST(KeyboardController, ArrowsGiveSteeringAndThrottleUntilTheNextUpdate) {
    EXPECT_EQ(readWith({}).steering, 0.0);
    EXPECT_EQ(readWith({}).throttle, 0.0);
    EXPECT_EQ(readWith({KEY_LEFT}).steering, -1.0);
    EXPECT_EQ(readWith({KEY_RIGHT}).steering, 1.0);
    // both held: right wins
    EXPECT_EQ(readWith({KEY_LEFT, KEY_RIGHT}).steering, 1.0);
    EXPECT_EQ(readWith({KEY_UP}).throttle, 1.0);
    EXPECT_EQ(readWith({KEY_UP}).steering, 0.0);
    EXPECT_EQ(readWith({KEY_UP, KEY_LEFT}).steering, -1.0);
    // there is no brake and no reverse
    EXPECT_EQ(readWith({KEY_DOWN}).throttle, 0.0);
    EXPECT_EQ(readWith({KEY_DOWN}).steering, 0.0);
    EXPECT_EQ(readWith({KEY_UP, KEY_DOWN}).throttle, 1.0);
    EXPECT_EQ(readWith({KEY_LEFT, KEY_RIGHT, KEY_DOWN, KEY_SPACE, KEY_LCONTROL}).throttle, 0.0);

    // released keys are forgotten at the next update
    KeyboardController c;
    {
        HeldKeys held({KEY_UP, KEY_RIGHT});
        c.update(0.0);
        // the decision stays until the next update
    }
    EXPECT_EQ(c.throttle(), 1.0);
    EXPECT_EQ(c.steering(), 1.0);
    c.update(0.0);
    EXPECT_EQ(c.throttle(), 0.0);
    EXPECT_EQ(c.steering(), 0.0);
}

TEST(KeyboardController, ThePadDrivesWhileNoArrowIsHeldAndEitherThrusts) {
    PadOnTheDesk pad(2, 10);
    pad.axis(0, 0, -127);
    EXPECT_EQ(readWith({KEY_UP}).steering, -1.0);
    EXPECT_EQ(readWith({KEY_RIGHT}).steering, 1.0) << "an arrow held wins over the pad";
    EXPECT_EQ(readWith({}).throttle, 0.0);
    pad.button(0, true);
    EXPECT_EQ(readWith({}).throttle, 1.0);
}

TEST(Controller, BaseKindGivesNeitherSteeringNorThrottle) {
    Idle idle;
    idle.update(1.0);
    EXPECT_EQ(idle.steering(), 0.0);
    EXPECT_EQ(idle.throttle(), 0.0);
    idle.objectTouched(nullptr);
    EXPECT_EQ(idle.steering(), 0.0);
}

TEST(KeyboardController, UpAcceleratesAlongTheHeadingAndRightTurnsItUp) {
    GroundWorld world;
    auto craft = makeCraft(world.get(), Vector3(1000, 1000, 0), 30.0);
    craft->setController(new KeyboardController);
    {
        HeldKeys held({KEY_UP});
        for (int i = 0; i < 60; ++i) craft->update(1.0 / 60);
    }
    const Vector3 v = craft->getVelocity();
    const Vector3 f = craft->getForward();
    EXPECT_GT(length(v), 25.0);
    EXPECT_NEAR(dot(v, f) / length(v), 1.0, 1e-9);
    EXPECT_EQ(craft->getHeading(), 30.0);
    // heading 30 points along (cos 30, -sin 30): up and to the right on the map
    EXPECT_GT(craft->getPosition().x, 1000.0);
    EXPECT_LT(craft->getPosition().y, 1000.0);
    {
        HeldKeys held({KEY_UP, KEY_RIGHT});
        for (int i = 0; i < 30; ++i) craft->update(1.0 / 60);
    }
    EXPECT_GT(craft->getHeading(), 30.0);
    const double turned = craft->getHeading();
    {
        HeldKeys held({KEY_UP, KEY_LEFT});
        for (int i = 0; i < 20; ++i) craft->update(1.0 / 60);
    }
    EXPECT_LT(craft->getTurnRate(), 0.0);
    EXPECT_LT(craft->getHeading(), turned);
}
