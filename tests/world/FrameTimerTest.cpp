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
    for (int i = 0; i < 10; ++i) t.passDone();
    t.onTick();
    // each pass tests Pause, then updates, then tests Space: with both held
    // the update always finds the loop paused
    for (int pass = 0; pass < 5; ++pass) {
        t.pause();
        EXPECT_FALSE(t.shouldUpdate()) << pass;
        EXPECT_TRUE(t.resume());
        t.passDone();
    }
    // Pause let go, Space still held: running again
    EXPECT_TRUE(t.shouldUpdate());
}
