#pragma once
#include <vector>

// The player's gamepad, read from the library's joystick state (the first
// pad of joy[]) as the keyboard is read from key[]: its left stick or its
// cross steers, its first button thrusts, its start button pauses. The
// library makes a stick of each pair of the pad's axes, in the order the
// system lists them, so the left stick is the first and a cross (listed after
// the sticks and triggers) the last.
class Gamepad {
public:
    // How far, of the library's 127, a stick leans before it steers: a
    // resting stick is never quite centred.
    static constexpr int kDeadZone = 32;
    static constexpr int kFullLean = 127;
    // The start button of most pads, or the one before it on pads with
    // fewer buttons.
    static constexpr int kStartButton = 9;

    // Which way the cross is pressed.
    struct Cross {
        bool left = false, right = false, up = false, down = false;
    };

    // Opens the first pad, if there is one, and notes how it rests.
    static void install();
    // The pad's latest state into joy[]; nothing without a pad.
    static void poll();
    // Notes which of the cross's axes rest centred: an axis that rests at one
    // end (a trigger where a cross is looked for) never presses it.
    static void noteRest();

    // -1 to 1: the cross, else the left stick beyond its dead zone.
    static double steering();
    static bool throttle();
    static bool pauseHeld();
    static bool anyButtonHeld();
    // The pad's own cross, apart from its first stick; none on a pad whose
    // cross is its first stick.
    static Cross cross();
    // The arrow keys (the library's scancodes) that the cross, as it went
    // from `before` to `now`, pressed: a direction held on is pressed once.
    static std::vector<int> arrowsPressed(const Cross& before, const Cross& now);
    // The stick's lean beyond the dead zone, -1 to 1.
    static double lean(int pos);

private:
    static inline bool crossRests[2] = {false, false};
};
