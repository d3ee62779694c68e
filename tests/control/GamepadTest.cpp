#include "control/Gamepad.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "control/PadOnTheDesk.h"

namespace {

// A pad of the usual kind: the left stick, the right stick beside the left
// trigger, the right trigger's pair, then the cross; the triggers rest at one end.
struct UsualPad : PadOnTheDesk {
    explicit UsualPad(int buttons = 11) : PadOnTheDesk(4, buttons) {
        axis(1, 0, -127);
        axis(2, 1, -127);
        Gamepad::noteRest();
    }
    static constexpr int kCross = 3;
};

}  // namespace

TEST(Gamepad, WithoutAPadNothingIsHeldWhateverTheStateSays) {
    {
        UsualPad pad;
        num_joysticks = 0;
        pad.axis(0, 0, 127);
        pad.axis(UsualPad::kCross, 0, -127);
        for (int b = 0; b < 11; ++b) pad.button(b, true);
        EXPECT_EQ(Gamepad::steering(), 0.0);
        EXPECT_FALSE(Gamepad::throttle());
        EXPECT_FALSE(Gamepad::pauseHeld());
        EXPECT_FALSE(Gamepad::anyButtonHeld());
        EXPECT_FALSE(Gamepad::cross().left);
    }
    Gamepad::poll();
    EXPECT_EQ(Gamepad::steering(), 0.0);
}

TEST(Gamepad, TheLeftStickSteersInProportionBeyondItsDeadZone) {
    UsualPad pad;
    const struct {
        int pos;
        double steering;
    } table[] = {
        {0, 0.0}, {20, 0.0}, {-Gamepad::kDeadZone, 0.0}, {Gamepad::kDeadZone, 0.0},
        {Gamepad::kDeadZone + 19, 0.2}, {-(Gamepad::kDeadZone + 19), -0.2},
        {Gamepad::kFullLean, 1.0}, {-Gamepad::kFullLean, -1.0}, {-128, -1.0},
    };
    for (const auto& row : table) {
        pad.axis(0, 0, row.pos);
        EXPECT_NEAR(Gamepad::steering(), row.steering, 1e-9) << row.pos;
    }
    // up and down on the stick steer nothing; the triggers at rest neither
    pad.axis(0, 0, 0);
    pad.axis(0, 1, 127);
    EXPECT_EQ(Gamepad::steering(), 0.0);
    EXPECT_FALSE(Gamepad::cross().up || Gamepad::cross().down || Gamepad::cross().left);
}

TEST(Gamepad, TheCrossSteersFullyOverTheStickAndMovesAsArrows) {
    UsualPad pad;
    pad.axis(0, 0, 100);
    pad.axis(UsualPad::kCross, 0, -127);
    EXPECT_EQ(Gamepad::steering(), -1.0) << "the cross wins over the stick";
    EXPECT_TRUE(Gamepad::cross().left);
    pad.axis(UsualPad::kCross, 0, 127);
    EXPECT_EQ(Gamepad::steering(), 1.0);
    pad.axis(UsualPad::kCross, 0, 0);
    pad.axis(UsualPad::kCross, 1, 127);
    const Gamepad::Cross down = Gamepad::cross();
    EXPECT_TRUE(down.down);
    EXPECT_FALSE(down.up || down.left || down.right);
    EXPECT_NEAR(Gamepad::steering(), Gamepad::lean(100), 1e-9) << "down on the cross: the stick steers";
    pad.axis(UsualPad::kCross, 1, -127);
    EXPECT_TRUE(Gamepad::cross().up);

    // a pad whose last pair is its triggers, resting at one end: no cross
    PadOnTheDesk triggers(3, 10);
    triggers.axis(2, 0, -127);
    triggers.axis(2, 1, -127);
    Gamepad::noteRest();
    triggers.axis(2, 0, 127);
    EXPECT_EQ(Gamepad::steering(), 0.0);
    EXPECT_FALSE(Gamepad::cross().right || Gamepad::cross().up);
    // a pad whose cross is its only stick: the stick's rule, the dialogs read it themselves
    PadOnTheDesk plain(1, 8);
    Gamepad::noteRest();
    plain.axis(0, 0, -127);
    EXPECT_EQ(Gamepad::steering(), -1.0);
    EXPECT_FALSE(Gamepad::cross().left);
}

TEST(Gamepad, TheFirstButtonThrustsAndTheStartButtonPauses) {
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
}

TEST(Gamepad, EachDirectionOfTheCrossPressesItsArrowOnceInTheDialogs) {
    using Cross = Gamepad::Cross;
    const Cross none, up{false, false, true, false}, upLeft{true, false, true, false}, down{false, false, false, true};
    EXPECT_EQ(Gamepad::arrowsPressed(none, up), std::vector<int>{KEY_UP});
    EXPECT_TRUE(Gamepad::arrowsPressed(up, up).empty()) << "held on: no second press";
    EXPECT_EQ(Gamepad::arrowsPressed(up, upLeft), std::vector<int>{KEY_LEFT});
    EXPECT_EQ(Gamepad::arrowsPressed(upLeft, down), std::vector<int>{KEY_DOWN});
    EXPECT_EQ(Gamepad::arrowsPressed(none, Cross{true, true, true, true}),
              (std::vector<int>{KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT}));
    EXPECT_TRUE(Gamepad::arrowsPressed(down, none).empty());
}
