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

// The point shown, at a bearing in degrees from a craft at (1000, 1000)
// facing heading 0, 500 units away.
Vector3 atBearing(double degrees) {
    const double r = degrees * 3.141592653589793 / 180.0;
    return Vector3(1000 + 500 * std::cos(r), 1000 - 500 * std::sin(r), 0);
}

}  // namespace

// The keys it presses for a point seen at a bearing off the nose: an arrow
// beyond 10 degrees either way, Up unless the point lies beyond 90 degrees.
TEST(NoviceController, PressesArrowsOutsideItsDeadZoneAndUpInsideItsCone) {
    GroundWorld world;
    auto craft = makeCraft(world.get(), Vector3(1000, 1000, 0), 0.0);
    const struct {
        double bearing, steering, throttle;
    } cases[] = {
        {0, 0, 1},       {9.9, 0, 1},     {-9.9, 0, 1},     {10.1, 1, 1},   {-10.1, -1, 1},
        {90, 1, 1},      {90.1, 1, 0},    {-90.1, -1, 0},   {179, 1, 0},    {-179, -1, 0},
        // the bearing is taken the short way round past 180
        {351, 0, 1},     {340, -1, 1},    {-340, 1, 1},
    };
    for (const auto& c : cases) {
        Vector3 target = atBearing(c.bearing);
        NoviceController novice(craft.get(), [&target](Vector3& p) {
            p = target;
            return true;
        });
        for (int i = 0; i <= kReactionSteps; ++i) novice.update(kStep);
        EXPECT_EQ(novice.steering(), c.steering) << c.bearing;
        EXPECT_EQ(novice.throttle(), c.throttle) << c.bearing;
    }
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
