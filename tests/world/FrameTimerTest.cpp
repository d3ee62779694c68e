#include "world/FrameTimer.h"

#include <gtest/gtest.h>

TEST(FrameTimer, NoUpdateBeforeTheFirstTickThenTheMeanPass) {
    FrameTimer t;
    EXPECT_FALSE(t.shouldUpdate());
    for (int i = 0; i < 50; ++i) t.passDone();
    EXPECT_FALSE(t.shouldUpdate());
    t.onTick();
    EXPECT_TRUE(t.shouldUpdate());
    EXPECT_DOUBLE_EQ(t.step(), 0.02);
    EXPECT_EQ(t.passes(), 0);
    for (int i = 0; i < 200; ++i) t.passDone();
    t.onTick();
    EXPECT_DOUBLE_EQ(t.step(), 0.005);
}

TEST(FrameTimer, TickWithoutPassesKeepsTheStep) {
    FrameTimer t;
    t.onTick();  // a tick left over before any pass: no step of 1/0
    EXPECT_EQ(t.step(), 0.0);
    EXPECT_FALSE(t.shouldUpdate());
    for (int i = 0; i < 40; ++i) t.passDone();
    t.onTick();
    t.onTick();
    EXPECT_DOUBLE_EQ(t.step(), 0.025);
}

TEST(FrameTimer, PauseHoldsUntilSpaceResumes) {
    FrameTimer t;
    for (int i = 0; i < 10; ++i) t.passDone();
    t.onTick();
    EXPECT_FALSE(t.resume()) << "Space while running does nothing";
    EXPECT_TRUE(t.shouldUpdate());
    t.pause();
    EXPECT_FALSE(t.shouldUpdate());
    // the step is still recomputed while paused
    for (int i = 0; i < 20; ++i) t.passDone();
    t.onTick();
    EXPECT_DOUBLE_EQ(t.step(), 0.05);
    EXPECT_FALSE(t.shouldUpdate());
    t.passDone();
    EXPECT_TRUE(t.resume());
    EXPECT_EQ(t.passes(), 0) << "the count restarts with the timer";
    EXPECT_TRUE(t.shouldUpdate());
}

TEST(FrameTimer, PauseAndSpaceHeldTogetherKeepTheWorldStill) {
    FrameTimer t;
    t.start(false, false);
    for (int i = 0; i < 10; ++i) t.passDone();
    t.onTick();
    // each pass reads Pause, then updates, then reads Space; both go down in
    // the same pass and stay down
    for (int pass = 0; pass < 5; ++pass) {
        t.pauseKey(true);
        EXPECT_FALSE(t.shouldUpdate()) << pass;
        EXPECT_FALSE(t.spaceKey(true)) << pass;
        t.passDone();
    }
    EXPECT_FALSE(t.shouldUpdate());
    // Pause let go (its release pauses again: nothing changes), Space still held
    t.pauseKey(false);
    EXPECT_FALSE(t.spaceKey(true));
    EXPECT_FALSE(t.shouldUpdate());
    // Space let go and pressed again: running
    EXPECT_FALSE(t.spaceKey(false));
    EXPECT_TRUE(t.spaceKey(true));
    EXPECT_TRUE(t.shouldUpdate());
}

TEST(FrameTimer, PauseReportedAsAToggleStillPausesOnEveryPress) {
    FrameTimer t;
    // a toggle left on by an earlier race is no press
    t.start(true, false);
    t.onTick();
    for (int i = 0; i < 10; ++i) t.passDone();
    t.onTick();
    t.pauseKey(true);
    EXPECT_TRUE(t.shouldUpdate());
    // first press: the state goes up to down and stays down after release
    t.pauseKey(false);
    EXPECT_FALSE(t.shouldUpdate());
    EXPECT_FALSE(t.spaceKey(false));
    EXPECT_TRUE(t.spaceKey(true));
    t.spaceKey(false);
    for (int pass = 0; pass < 3; ++pass) {
        t.pauseKey(false);
        EXPECT_TRUE(t.shouldUpdate()) << "the state left as it is does not pause again";
    }
    // the next press turns the toggle back: that pauses too
    t.pauseKey(true);
    EXPECT_FALSE(t.shouldUpdate());
    EXPECT_FALSE(t.spaceKey(false));
    EXPECT_TRUE(t.spaceKey(true));
    EXPECT_TRUE(t.shouldUpdate());
}
