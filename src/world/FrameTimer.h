#pragma once
#include <atomic>

// Set once a second by the library's timer, read and cleared by the main loop;
// the only state the timer context touches.
extern std::atomic<bool> tickFlag;
void tick();

// The main loop's time step: the loop runs as fast as it can and, at every
// tick, takes 1 / (passes of the last second) as the step for the next second.
class FrameTimer {
public:
    double step() const { return dt; }
    bool isPaused() const { return paused; }
    int passes() const { return frames; }

    // Pause: the World stops updating (it is still drawn).
    void pause() { paused = true; }
    // Space while paused resumes; true when the caller must restart the
    // timer, after which a full second passes before the next tick.
    bool resume();
    // A tick came: the step becomes the mean pass of the last second. A tick
    // with no pass counted (left over from an earlier run, or right after a
    // resume) keeps the step it had rather than dividing by zero.
    void onTick();
    void passDone() { ++frames; }

    // The keys as the loop reads them each pass. Under X11 the library reports
    // Pause as a toggle (down after one press, up after the next), so every
    // change of its state is a press, and each press pauses. Space resumes
    // when it is pressed after the pause began: held together with Pause, or
    // from before, it does not undo the pause. start() takes the states the keys
    // have when the loop begins, so a toggle left on by an earlier race is no
    // press.
    void start(bool pauseDown, bool spaceDown);
    void pauseKey(bool down);
    // True when the caller must restart the timer (see resume).
    bool spaceKey(bool down);
    // Whether this pass updates the World.
    bool shouldUpdate() const { return dt > 0.0 && !paused; }

private:
    double dt = 0.0;
    int frames = 0;
    bool paused = false;
    bool pauseWasDown = false;
    bool spaceWasDown = false;
};
