#include "world/FrameTimer.h"

std::atomic<bool> tickFlag{false};

void tick() { tickFlag = true; }

bool FrameTimer::resume() {
    if (!paused) return false;
    paused = false;
    frames = 0;
    return true;
}

void FrameTimer::onTick() {
    if (frames > 0) dt = 1.0 / frames;
    frames = 0;
}

void FrameTimer::start(bool pauseDown, bool spaceDown) {
    pauseWasDown = pauseDown;
    spaceWasDown = spaceDown;
}

void FrameTimer::pauseKey(bool down) {
    if (down != pauseWasDown) {
        pause();
        // only a press of Space after this one resumes
        spaceWasDown = true;
    }
    pauseWasDown = down;
}

bool FrameTimer::spaceKey(bool down) {
    const bool pressed = down && !spaceWasDown;
    spaceWasDown = down;
    return pressed && resume();
}
