#include "world/FinalSave.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

}  // namespace

TEST(FinalSave, TheArmedSaveIsMadeOnceByWhicheverComesFirst) {
    int saves = 0;
    FinalSave::makeNow(5.0);
    {
        // the display's last moments first: the loop's end then saves nothing
        FinalSave::Armed armed([&] { ++saves; });
        FinalSave::makeNow(5.0);
        FinalSave::makeNow(5.0);
        EXPECT_EQ(saves, 1);
        EXPECT_FALSE(armed.claim());
    }
    EXPECT_EQ(saves, 1);
    FinalSave::makeNow(5.0);
    EXPECT_EQ(saves, 1) << "nothing is armed once the loop is over";
    {
        // the loop's end first: the last moments wait on its save, bounded
        FinalSave::Armed armed([&] { ++saves; });
        EXPECT_TRUE(armed.claim());
        const Clock::time_point t = Clock::now();
        FinalSave::makeNow(0.05);
        EXPECT_GE(secondsSince(t), 0.05);
        EXPECT_LT(secondsSince(t), 2.0);
        EXPECT_EQ(saves, 1) << "the loop saves, not the last moments";
    }
}

TEST(FinalSave, TheLastMomentsWaitForTheLoopsSaveToBeDone) {
    std::atomic<bool> loopSaved{false}, seenSaved{false};
    std::thread lastMoments;
    {
        FinalSave::Armed armed([] {});
        ASSERT_TRUE(armed.claim());
        lastMoments = std::thread([&] {
            FinalSave::makeNow(10.0);
            seenSaved = loopSaved.load();
        });
        // the loop's save, slow on a busy disk
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        loopSaved = true;
    }
    lastMoments.join();
    EXPECT_TRUE(seenSaved) << "the process would have ended in the middle of the loop's save";
}
