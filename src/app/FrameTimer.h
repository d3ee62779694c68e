#pragma once
#include "world/World.h"

// The pace of a race or editor run. The World moves in fixed steps of 1/60 s
// of game time, as many in a pass as the real time since the previous pass
// calls for, so the race clock keeps to the wall clock whatever the frame
// rate; and the loop rests until the next sixtieth of a second, so it never
// draws more than 60 frames a second. The timer never reads a clock: the loop
// hands it the time, in seconds on a steady clock.
class FrameTimer {
public:
    // A pass a step: the loop draws as often as the World steps.
    static constexpr int kFrameRate = World::kStepsPerSecond;
    static constexpr double kStep = World::kStep;
    // The first second of a run stands still: the field waits under the "Go".
    static constexpr double kStartDelay = 1.0;
    // Steps one pass may catch up. A process stopped for a while (a busy
    // machine, a dragged window) loses the rest of that time rather than
    // letting the craft slide on while the player cannot react.
    static constexpr int kMaxStepsPerPass = 6;

    // The loop begins at `now`, with the keys as they are then (see pauseKey).
    void start(double now, bool pauseDown, bool spaceDown);
    // The steps the pass that begins at `now` takes: none in the first second
    // or while paused, otherwise one for each 1/60 s of real time since the
    // previous pass, at most kMaxStepsPerPass.
    int stepsDue(double now);
    // When the next pass begins: the next sixtieth of a second after `now`.
    double nextPass(double now);

    bool isPaused() const { return paused; }
    // The first second is over.
    bool isRunning() const { return running; }

    // The keys as the loop reads them each pass. Under X11 the library reports
    // Pause as a toggle (down after one press, up after the next), so every
    // change of its state is a press, and each press pauses. Space resumes
    // when it is pressed after the pause began: held together with Pause, or
    // from before, it does not undo the pause. start() takes the states the keys
    // have when the loop begins, so a toggle left on by an earlier race is no
    // press.
    void pauseKey(bool down);
    // True when this press of Space resumed a paused run.
    bool spaceKey(bool down);
    // A press of a button that both pauses and resumes (P on the keyboard, or
    // any other source that tells its presses): pauses a running run, resumes
    // a paused one.
    void pausePressed();

private:
    void pause();
    bool resume();

    double lastPass = 0.0;
    double runningFrom = 0.0;
    // real time not yet turned into steps, in seconds
    double owed = 0.0;
    // passes fall on a grid of sixtieths of a second from `gridStart`
    double gridStart = 0.0;
    long long lastSlot = 0;
    bool running = false;
    bool paused = false;
    bool pauseWasDown = false;
    bool spaceWasDown = false;
};
