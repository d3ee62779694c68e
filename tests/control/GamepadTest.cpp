#include "control/Gamepad.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "control/PadOnTheDesk.h"

namespace {

// The usual pad: the left stick, the right stick beside the left trigger, the
// right trigger's pair, then the cross; the triggers rest at one end.
struct UsualPad : PadOnTheDesk {
    explicit UsualPad(int buttons = 11) : PadOnTheDesk(4, buttons) {
        axis(1, 0, -127);
        axis(2, 1, -127);
        Gamepad::noteRest();
    }
    static constexpr int kCross = 3;
};

}  // namespace

TEST(Gamepad, TheLeftStickSteersInProportionBeyondItsDeadZoneAndOnlyWithAPad) {
    UsualPad pad;
    const struct {
        int pos;
        double steering;
    } table[] = {{0, 0.0},     {-Gamepad::kDeadZone, 0.0}, {Gamepad::kDeadZone, 0.0}, {Gamepad::kDeadZone + 19, 0.2},
                 {-51, -0.2}, {Gamepad::kFullLean, 1.0},  {-128, -1.0}};
    for (const auto& row : table) {
        pad.axis(0, 0, row.pos);
        EXPECT_NEAR(Gamepad::steering(), row.steering, 1e-9) << row.pos;
    }
    // up on the stick steers nothing, the triggers at rest press no cross
    pad.axis(0, 0, 0);
    pad.axis(0, 1, 127);
    EXPECT_EQ(Gamepad::steering(), 0.0);
    EXPECT_FALSE(Gamepad::cross().up || Gamepad::cross().down || Gamepad::cross().left);
    // unplugged, whatever the state says
    pad.axis(0, 0, 127);
    pad.button(0, true);
    num_joysticks = 0;
    EXPECT_EQ(Gamepad::steering(), 0.0);
    EXPECT_FALSE(Gamepad::throttle() || Gamepad::anyButtonHeld());
}

TEST(Gamepad, TheCrossSteersFullyOverTheStickWhereverThePadHasIt) {
    UsualPad pad;
    pad.axis(0, 0, 100);
    pad.axis(UsualPad::kCross, 0, -127);
    EXPECT_EQ(Gamepad::steering(), -1.0);
    pad.axis(UsualPad::kCross, 0, 127);
    EXPECT_EQ(Gamepad::steering(), 1.0);
    pad.axis(UsualPad::kCross, 0, 0);
    pad.axis(UsualPad::kCross, 1, 127);
    EXPECT_TRUE(Gamepad::cross().down);
    EXPECT_NEAR(Gamepad::steering(), Gamepad::lean(100), 1e-9) << "down on the cross: the stick steers";

    // a stick and a cross
    PadOnTheDesk two(2, 10);
    Gamepad::noteRest();
    two.axis(1, 1, -127);
    EXPECT_TRUE(Gamepad::cross().up);
    // a pad whose last pair is its triggers, resting at one end: no cross
    PadOnTheDesk triggers(3, 10);
    triggers.axis(2, 0, -127);
    triggers.axis(2, 1, -127);
    Gamepad::noteRest();
    triggers.axis(2, 0, 127);
    EXPECT_EQ(Gamepad::steering(), 0.0);
    EXPECT_FALSE(Gamepad::cross().right || Gamepad::cross().up);
    // a pad whose cross is its only stick steers by the stick's rule
    PadOnTheDesk plain(1, 8);
    Gamepad::noteRest();
    plain.axis(0, 0, -127);
    EXPECT_EQ(Gamepad::steering(), -1.0);
    EXPECT_FALSE(Gamepad::cross().left) << "the dialogs read the first stick themselves";
}

TEST(Gamepad, TheFirstButtonThrustsTheStartButtonPausesAndTheCrossPressesArrowsOnce) {
    // the start button: the tenth where there is one, else the ninth
    const struct {
        int buttons, start;
    } pads[] = {{11, 9}, {10, 9}, {9, 8}, {8, -1}};
    for (const auto& p : pads) {
        UsualPad pad(p.buttons);
        EXPECT_FALSE(Gamepad::anyButtonHeld());
        for (int b = 0; b < p.buttons; ++b) {
            pad.button(b, true);
            EXPECT_EQ(Gamepad::throttle(), b == 0) << p.buttons << " buttons, button " << b;
            EXPECT_EQ(Gamepad::pauseHeld(), b == p.start) << p.buttons << " buttons, button " << b;
            EXPECT_TRUE(Gamepad::anyButtonHeld());
            pad.button(b, false);
        }
    }
    using Cross = Gamepad::Cross;
    const Cross none, up{false, false, true, false}, upLeft{true, false, true, false};
    EXPECT_EQ(Gamepad::arrowsPressed(none, up), std::vector<int>{KEY_UP});
    EXPECT_TRUE(Gamepad::arrowsPressed(up, up).empty()) << "held on: no second press";
    EXPECT_EQ(Gamepad::arrowsPressed(up, upLeft), std::vector<int>{KEY_LEFT});
    EXPECT_EQ(Gamepad::arrowsPressed(none, Cross{true, true, true, true}),
              (std::vector<int>{KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT}));
    EXPECT_TRUE(Gamepad::arrowsPressed(upLeft, none).empty());
}
