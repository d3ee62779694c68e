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
