#include "app/FrameTimer.h"

#include <gtest/gtest.h>

#include "app/KeyPress.h"

#include <random>

namespace {

constexpr double kStep = FrameTimer::kStep;

// The steps of passes every `gap` seconds from `from` up to `to`.
int stepsOver(FrameTimer& t, double from, double to, double gap) {
    int steps = 0;
    for (double now = from; now < to - 1e-9; now += gap) steps += t.stepsDue(now);
    return steps;
}

// Started at 0 s, past its still first second at 1 s.
FrameTimer runningAtOneSecond() {
    FrameTimer t;
    t.start(0.0, false, false);
    t.stepsDue(1.0);
    return t;
}

}  // namespace

TEST(FrameTimer, StillForTheFirstSecondThenOneStepEachSixtiethAsTheLoopRuns) {
    FrameTimer t;
    t.start(10.0, false, false);
    // the loop as World::run drives it, waking up to 6 ms late as on a busy machine
    std::mt19937 random(7);
    std::uniform_real_distribution<double> late(0.0, 0.006);
    int steps = 0, passes = 0, stillPasses = 0;
    for (double now = 10.0; now < 13.0; ++passes) {
        const bool wasRunning = t.isRunning();
        const int n = t.stepsDue(now);
        if (wasRunning) {
            EXPECT_EQ(n, 1) << "pass at " << now;
        }
        stillPasses += !t.isRunning();
        steps += n;
        const double next = t.nextPass(now + 0.0003);
        EXPECT_GE(next - now, kStep - 0.0063) << "two passes in one sixtieth";
        now = next + late(random);
    }
    EXPECT_NEAR(stillPasses, FrameTimer::kFrameRate, 1) << "the first second is drawn, not played";
    EXPECT_NEAR(passes, 3 * FrameTimer::kFrameRate, 1);
    EXPECT_NEAR(steps, 2 * FrameTimer::kFrameRate, 1) << "two seconds of racing are 120 steps of 1/60 s";

    // passes slower than the frame rate still keep game time to real time
    FrameTimer slow = runningAtOneSecond();
    const int at25 = stepsOver(slow, 1.04, 5.0, 0.04);
    EXPECT_NEAR(at25 * kStep, 4.96 - 1.0, kStep) << "25 passes a second";
    EXPECT_NEAR((at25 + stepsOver(slow, 5.04, 9.0, 0.08)) * kStep, 8.96 - 1.0, kStep) << "12.5 a second";
}

TEST(FrameTimer, AStallOfAnyLengthAddsATenthOfASecondAndPausedTimeNothing) {
    for (double stall : {0.5, 3.005, 3600.0}) {
        FrameTimer t = runningAtOneSecond();
        EXPECT_EQ(stepsOver(t, 1.0 + kStep, 2.0, kStep), 59);
        EXPECT_EQ(t.stepsDue(2.0 + stall) * kStep, 0.1) << stall;
        // no burst of catching-up passes: one step a pass again
        const double next = t.nextPass(2.0 + stall);
        EXPECT_LE(next, 2.0 + stall + kStep + 1e-9);
        EXPECT_EQ(t.stepsDue(next), 1);
        EXPECT_EQ(t.stepsDue(next + kStep), 1);
    }
    FrameTimer t = runningAtOneSecond();
    t.pauseKey(true);
    EXPECT_EQ(stepsOver(t, 1.0 + kStep, 30.0, kStep), 0) << "half a minute paused";
    t.spaceKey(false);
    EXPECT_TRUE(t.spaceKey(true));
    EXPECT_EQ(t.stepsDue(30.0), 1) << "the pass after the resume owes one step, not the pause";

    // paused in the still first second: still for a whole second from the resume
    t.start(0.0, false, false);
    t.stepsDue(0.5);
    t.pauseKey(true);
    t.stepsDue(2.0);
    t.spaceKey(false);
    EXPECT_TRUE(t.spaceKey(true));
    EXPECT_EQ(stepsOver(t, 2.0 + kStep, 3.0 - kStep, kStep), 0);
    EXPECT_EQ(stepsOver(t, 3.0, 3.5, kStep), 29);
}

TEST(FrameTimer, PauseAndSpaceHeldTogetherOrPauseAsAToggleKeepTheirRules) {
    FrameTimer t = runningAtOneSecond();
    // each pass reads Pause, then updates, then reads Space; both go down in
    // the same pass and stay down: still paused
    for (int pass = 0; pass < 3; ++pass) {
        t.pauseKey(true);
        EXPECT_FALSE(t.spaceKey(true)) << pass;
    }
    // Pause let go (its release pauses again: nothing changes), Space still held
    t.pauseKey(false);
    EXPECT_FALSE(t.spaceKey(true));
    EXPECT_TRUE(t.isPaused());
    // Space let go and pressed again: running
    EXPECT_FALSE(t.spaceKey(false));
    EXPECT_TRUE(t.spaceKey(true));

    // Under X11 Pause is a toggle: a toggle left on by an earlier race is no
    // press, every change of it is one
    t.start(0.0, true, false);
    t.pauseKey(true);
    EXPECT_FALSE(t.isPaused());
    t.pauseKey(false);
    EXPECT_TRUE(t.isPaused());
    t.spaceKey(false);
    EXPECT_TRUE(t.spaceKey(true));
    t.pauseKey(false);
    EXPECT_FALSE(t.isPaused()) << "the state left as it is does not pause again";
    t.pauseKey(true);
    EXPECT_TRUE(t.isPaused());
}

TEST(FrameTimer, PPausesARunningRunAndResumesAPausedOneAsTheLoopReadsIt) {
    FrameTimer t = runningAtOneSecond();
    // the loop's reading of P, a pass each sixtieth; a finger holds it a few passes
    KeyPress p(true);
    double now = 1.0;
    const auto pass = [&](bool down) {
        if (p.pressed(down)) t.pausePressed();
        return t.stepsDue(now += kStep);
    };
    EXPECT_EQ(pass(true) + pass(false), 2) << "held since the race began: no press";
    for (bool down : {true, true, true, false}) EXPECT_EQ(pass(down), 0);
    for (int i = 0; i < 600; ++i) EXPECT_EQ(pass(false), 0);
    EXPECT_EQ(pass(true), 1) << "the next press resumes, and the pause is owed nothing";
    EXPECT_EQ(pass(true), 1);
    // Space resumes a pause of P only when pressed after it; P resumes a pause of the Pause key
    t.spaceKey(true);
    pass(false);
    pass(true);
    EXPECT_FALSE(t.spaceKey(true));
    t.spaceKey(false);
    EXPECT_TRUE(t.spaceKey(true));
    t.pauseKey(true);
    pass(false);
    EXPECT_EQ(pass(true), 1);
}
