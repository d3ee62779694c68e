#include "control/NoviceController.h"

#include <gtest/gtest.h>

#include <cmath>

#include "craft/CraftTestSupport.h"

using crafttest::GroundWorld;
using crafttest::makeCraft;

namespace {

constexpr double kStep = 1.0 / 60;
// steps of a quarter of a second at the game's step
constexpr int kReactionSteps = 15;

// The point shown, at a bearing in degrees from a craft at (1000, 1000),
// 500 units away.
Vector3 atBearing(double degrees) {
    // exact on the axes, so that an angle of exactly 10 off can be asked for
    if (degrees == 0.0) return Vector3(1500, 1000, 0);
    const double r = degrees * 3.141592653589793 / 180.0;
    return Vector3(1000 + 500 * std::cos(r), 1000 - 500 * std::sin(r), 0);
}

}  // namespace

// The keys it presses for a point seen at a bearing, from a craft facing a
// heading: an arrow beyond 10 degrees either way, Up unless the point lies
// beyond 90 degrees; the angle off the nose is taken the short way round,
// whatever the heading; standing on the point, it presses nothing.
TEST(NoviceController, PressesArrowsOutsideItsDeadZoneAndUpInsideItsCone) {
    GroundWorld world;
    auto craft = makeCraft(world.get(), Vector3(1000, 1000, 0), 0.0);
    const struct {
        double heading, bearing, steering, throttle;
    } cases[] = {
        {0, 0, 0, 1},       {0, 9.9, 0, 1},     {0, -9.9, 0, 1},   {0, 10.1, 1, 1},   {0, -10.1, -1, 1},
        {0, 90, 1, 1},      {0, 90.1, 1, 0},    {0, -90.1, -1, 0}, {0, 179, 1, 0},    {0, -179, -1, 0},
        // exactly 10 off, either way round the turn of the heading, is still straight on
        {10, 0, 0, 1},      {350, 0, 0, 1},
        // the short way round: 340 off one way is 20 the other
        {350, 10, 1, 1},    {10, -10, -1, 1},   {20, -170, 1, 0},  {340, 170, -1, 0},
        {0, 180.5, -1, 0},  {180, -0.5, 1, 0},  {180, 0, -1, 0},
        // a heading below 0, as a gate's angle may give it: 190 one way is 170 the other
        {-20, 170, -1, 0},  {-10, 170.5, -1, 0},
    };
    for (const auto& c : cases) {
        craft->setHeading(c.heading);
        Vector3 target = atBearing(c.bearing);
        NoviceController novice(craft.get(), [&target](Vector3& p) {
            p = target;
            return true;
        });
        for (int i = 0; i <= kReactionSteps; ++i) novice.update(kStep);
        EXPECT_EQ(novice.steering(), c.steering) << c.heading << " " << c.bearing;
        EXPECT_EQ(novice.throttle(), c.throttle) << c.heading << " " << c.bearing;
    }
    craft->setHeading(30.0);
    NoviceController standing(craft.get(), [](Vector3& p) {
        p = Vector3(1000, 1000, 0);
        return true;
    });
    for (int i = 0; i <= kReactionSteps; ++i) standing.update(kStep);
    EXPECT_EQ(standing.steering(), 0.0);
    EXPECT_EQ(standing.throttle(), 0.0);
}

// It answers what it saw a quarter of a second ago: the point moved, or the
// craft turned, it keeps pressing what it pressed for 15 steps and changes
// on the 16th; until a quarter of a second has gone by, and whenever nothing
// was shown, it presses nothing.
TEST(NoviceController, AnswersWhatItSawAQuarterOfASecondAgo) {
    GroundWorld world;
    auto craft = makeCraft(world.get(), Vector3(1000, 1000, 0), 0.0);
    Vector3 target = atBearing(0);
    bool shown = true;
    NoviceController novice(craft.get(), [&](Vector3& p) {
        p = target;
        return shown;
    });
    for (int i = 0; i < kReactionSteps; ++i) {
        novice.update(kStep);
        EXPECT_EQ(novice.throttle(), 0.0) << "step " << i << ": no reaction yet";
    }
    novice.update(kStep);
    EXPECT_EQ(novice.throttle(), 1.0);
    EXPECT_EQ(novice.steering(), 0.0);

    target = atBearing(45);  // moved to the right
    for (int i = 0; i < kReactionSteps; ++i) {
        novice.update(kStep);
        EXPECT_EQ(novice.steering(), 0.0) << "step " << i << " after the point moved";
    }
    novice.update(kStep);
    EXPECT_EQ(novice.steering(), 1.0);

    craft->setHeading(90.0);  // the craft now faces past it: the point lies 45 to the left
    for (int i = 0; i < kReactionSteps; ++i) novice.update(kStep);
    EXPECT_EQ(novice.steering(), 1.0) << "the last step before it sees the turn";
    novice.update(kStep);
    EXPECT_EQ(novice.steering(), -1.0);

    shown = false;
    for (int i = 0; i <= kReactionSteps; ++i) novice.update(kStep);
    EXPECT_EQ(novice.steering(), 0.0);
    EXPECT_EQ(novice.throttle(), 0.0);
}

// The quarter of a second is game time: at steps of 1/30 s the first answer
// comes on the ninth, at 0.267 s, and steps of no time bring it no nearer.
TEST(NoviceController, ReactsOnGameTimeWhateverTheStep) {
    GroundWorld world;
    auto craft = makeCraft(world.get(), Vector3(1000, 1000, 0), 0.0);
    NoviceController novice(craft.get(), [](Vector3& p) {
        p = atBearing(0);
        return true;
    });
    for (int i = 0; i < 20; ++i) novice.update(0.0);
    EXPECT_EQ(novice.throttle(), 0.0);
    for (int i = 0; i < 8; ++i) novice.update(2 * kStep);
    EXPECT_EQ(novice.throttle(), 0.0);
    novice.update(2 * kStep);
    EXPECT_EQ(novice.throttle(), 1.0);
}
