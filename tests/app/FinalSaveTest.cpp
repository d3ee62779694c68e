#include "app/FinalSave.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

TEST(FinalSave, TheArmedSaveIsMadeOnceByWhicheverComesFirstAndNeverCutShort) {
    int saves = 0;
    FinalSave::makeNow(5.0);
    {
        // the display's last moments first: the loop's end saves nothing
        FinalSave::Armed armed([&] { ++saves; });
        FinalSave::makeNow(5.0);
        FinalSave::makeNow(5.0);
        EXPECT_FALSE(armed.claim());
    }
    FinalSave::makeNow(5.0);
    EXPECT_EQ(saves, 1) << "once, and nothing armed once the loop is over";

    // the loop's end first: the last moments wait for its save to be done
    std::atomic<bool> loopSaved{false}, seenSaved{false};
    std::thread lastMoments;
    {
        FinalSave::Armed armed([&] { ++saves; });
        ASSERT_TRUE(armed.claim());
        lastMoments = std::thread([&] {
            FinalSave::makeNow(10.0);
            seenSaved = loopSaved.load();
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        loopSaved = true;
    }
    lastMoments.join();
    EXPECT_TRUE(seenSaved) << "the process would have ended in the middle of the loop's save";
    EXPECT_EQ(saves, 1);
}
