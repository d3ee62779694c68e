#include "world/FrameTimer.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr double kStep = FrameTimer::kStep;

// The steps of passes every `gap` seconds from `from` up to `to`.
int stepsOver(FrameTimer& t, double from, double to, double gap) {
    int steps = 0;
    for (double now = from; now < to - 1e-9; now += gap) steps += t.stepsDue(now);
    return steps;
}

// A timer past its still first second at 1.0 s, its first step due at 1.0 + 1/60.
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
    // the loop as World::run drives it: a pass, a rest until nextPass, waking
    // up to 6 ms late as a busy machine does
    std::mt19937 random(7);
    std::uniform_real_distribution<double> late(0.0, 0.006);
    double now = 10.0, previous = 10.0;
    int still = 0, steps = 0, passes = 0;
    for (; now < 10.0 + FrameTimer::kStartDelay - 1e-9; ++still) {
        EXPECT_EQ(t.stepsDue(now), 0);
        now = t.nextPass(now + 0.0003) + late(random);
    }
    EXPECT_FALSE(t.isRunning());
    EXPECT_NEAR(still, FrameTimer::kFrameRate, 1) << "the first second is drawn at 60 passes a second";
    for (; now < 13.0; ++passes) {
        const int n = t.stepsDue(now);
        if (passes > 0) {
            EXPECT_EQ(n, 1) << "pass " << passes << " at " << now;
        }
        steps += n;
        const double next = t.nextPass(now + 0.0003);
        EXPECT_GT(next, now);
        EXPECT_GE(next - previous, kStep * 0.999) << "two passes in one sixtieth";
        previous = next;
        now = next + late(random);
    }
    EXPECT_NEAR(steps, 2 * FrameTimer::kFrameRate, 1) << "two seconds of racing are 120 steps of 1/60 s";
    EXPECT_NEAR(passes, 2 * FrameTimer::kFrameRate, 1);

    // passes slower than the frame rate still keep game time to real time
    FrameTimer slow = runningAtOneSecond();
    const int at25 = stepsOver(slow, 1.04, 5.0, 0.04);
    EXPECT_NEAR(at25 * kStep, 4.96 - 1.0, kStep) << "25 passes a second";
    EXPECT_NEAR((at25 + stepsOver(slow, 5.04, 9.0, 0.08)) * kStep, 8.96 - 1.0, kStep) << "12.5 passes a second";
}

TEST(FrameTimer, AStallOfAnyLengthAddsAtMostATenthOfASecond) {
    for (double stall : {0.5, 3.0, 3.005, 3600.0}) {
        FrameTimer t = runningAtOneSecond();
        EXPECT_EQ(stepsOver(t, 1.0 + kStep, 2.0, kStep), 59);
        const int after = t.stepsDue(2.0 + stall);
        EXPECT_LE(after * kStep, 0.1 + 1e-9) << stall;
        EXPECT_EQ(after, FrameTimer::kMaxStepsPerPass) << stall;
        // the loop carries on from the stall, one step a pass again
        const double next = t.nextPass(2.0 + stall);
        EXPECT_GT(next, 2.0 + stall);
        EXPECT_LE(next, 2.0 + stall + kStep + 1e-9) << "no burst of catching-up passes";
        EXPECT_EQ(t.stepsDue(next), 1);
        EXPECT_EQ(t.stepsDue(next + kStep), 1);
    }
    // a clock that goes back owes nothing, and forward again counts from where it was
    FrameTimer t = runningAtOneSecond();
    EXPECT_EQ(t.stepsDue(0.5), 0);
    EXPECT_EQ(t.stepsDue(1.0 + 2 * kStep), 2);
}

TEST(FrameTimer, PausedTimeIsNeverOwedAndAPauseInTheStillSecondRestartsIt) {
    FrameTimer t = runningAtOneSecond();
    EXPECT_FALSE(t.spaceKey(true)) << "Space while running does nothing";
    t.spaceKey(false);
    t.pauseKey(true);
    EXPECT_TRUE(t.isPaused());
    EXPECT_EQ(stepsOver(t, 1.0 + kStep, 30.0, kStep), 0) << "half a minute paused";
    EXPECT_FALSE(t.spaceKey(false));
    EXPECT_TRUE(t.spaceKey(true));
    EXPECT_FALSE(t.isPaused());
    EXPECT_EQ(t.stepsDue(30.0), 1) << "the pass after the resume takes one step, not the pause";

    // paused half a second into the still first second: a whole second from the resume
    FrameTimer early;
    early.start(0.0, false, false);
    early.stepsDue(0.5);
    early.pauseKey(true);
    early.stepsDue(2.0);
    early.spaceKey(false);
    EXPECT_TRUE(early.spaceKey(true));
    EXPECT_EQ(stepsOver(early, 2.0 + kStep, 3.0 - kStep, kStep), 0);
    EXPECT_FALSE(early.isRunning());
    EXPECT_EQ(stepsOver(early, 3.0, 3.5, kStep), 29);
}

TEST(FrameTimer, PauseAndSpaceHeldTogetherKeepTheWorldStill) {
    FrameTimer t = runningAtOneSecond();
    double now = 1.0;
    // each pass reads Pause, then updates, then reads Space; both go down in
    // the same pass and stay down
    for (int pass = 0; pass < 5; ++pass) {
        t.pauseKey(true);
        EXPECT_EQ(t.stepsDue(now += kStep), 0) << pass;
        EXPECT_FALSE(t.spaceKey(true)) << pass;
    }
    // Pause let go (its release pauses again: nothing changes), Space still held
    t.pauseKey(false);
    EXPECT_FALSE(t.spaceKey(true));
    EXPECT_EQ(t.stepsDue(now += kStep), 0);
    // Space let go and pressed again: running
    EXPECT_FALSE(t.spaceKey(false));
    EXPECT_TRUE(t.spaceKey(true));
    EXPECT_EQ(t.stepsDue(now += kStep), 1);
}

TEST(FrameTimer, PauseReportedAsAToggleStillPausesOnEveryPress) {
    FrameTimer t;
    // a toggle left on by an earlier race is no press
    t.start(0.0, true, false);
    t.pauseKey(true);
    t.stepsDue(1.0);
    EXPECT_EQ(t.stepsDue(1.0 + kStep), 1);
    // first press: the state goes up to down and stays down after release
    t.pauseKey(false);
    EXPECT_TRUE(t.isPaused());
    EXPECT_FALSE(t.spaceKey(false));
    EXPECT_TRUE(t.spaceKey(true));
    t.spaceKey(false);
    for (int pass = 0; pass < 3; ++pass) {
        t.pauseKey(false);
        EXPECT_FALSE(t.isPaused()) << "the state left as it is does not pause again";
    }
    // the next press turns the toggle back: that pauses too
    t.pauseKey(true);
    EXPECT_TRUE(t.isPaused());
    EXPECT_FALSE(t.spaceKey(false));
    EXPECT_TRUE(t.spaceKey(true));
    EXPECT_FALSE(t.isPaused());
}
