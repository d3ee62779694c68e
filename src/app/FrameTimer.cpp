#include "app/FrameTimer.h"

#include <algorithm>
#include <cmath>

namespace {

// Passes wake on their sixtieth of a second or a little after it, never
// before; a quarter of a step of credit keeps a pass that is a hair early by
// rounding from taking no step and its successor two.
constexpr double kEarlyMargin = FrameTimer::kStep / 4.0;

}  // namespace

void FrameTimer::start(double now, bool pauseDown, bool spaceDown) {
    lastPass = now;
    runningFrom = now + kStartDelay;
    owed = 0.0;
    gridStart = now;
    lastSlot = 0;
    running = false;
    paused = false;
    pauseWasDown = pauseDown;
    spaceWasDown = spaceDown;
}

int FrameTimer::stepsDue(double now) {
    now = std::max(now, lastPass);
    const double elapsed = now - lastPass;
    lastPass = now;
    // paused time is never owed: the World resumes where it stood
    if (paused) return 0;
    if (!running) {
        if (now < runningFrom) return 0;
        running = true;
        // from here on a pass owes one step for each sixtieth it is past the
        // one this pass belongs to
        const double intoSlot = now - (gridStart + static_cast<double>(lastSlot) * kStep);
        owed = std::fmod(std::max(0.0, intoSlot) + kEarlyMargin, kStep);
        return 0;
    }
    owed += elapsed;
    // whole steps beyond the most a pass takes are dropped; the part of a step
    // left over keeps the passes in step with the sixtieths
    const double rest = std::fmod(owed, kStep);
    const double due = std::round((owed - rest) / kStep);
    owed = rest;
    return static_cast<int>(std::min(due, static_cast<double>(kMaxStepsPerPass)));
}

double FrameTimer::nextPass(double now) {
    long long slot = static_cast<long long>(std::floor((now - gridStart) / kStep)) + 1;
    // never twice in one sixtieth, even when rounding puts `now` a hair early
    slot = std::max(slot, lastSlot + 1);
    lastSlot = slot;
    return gridStart + static_cast<double>(slot) * kStep;
}

void FrameTimer::pause() {
    paused = true;
    // only a press of Space after this one resumes
    spaceWasDown = true;
}

bool FrameTimer::resume() {
    if (!paused) return false;
    paused = false;
    // a pause in the still first second starts that second again
    if (!running) runningFrom = lastPass + kStartDelay;
    return true;
}

void FrameTimer::pauseKey(bool down) {
    if (down != pauseWasDown) pause();
    pauseWasDown = down;
}

bool FrameTimer::spaceKey(bool down) {
    const bool pressed = down && !spaceWasDown;
    spaceWasDown = down;
    return pressed && resume();
}

void FrameTimer::pausePressed() {
    if (!resume()) pause();
}
