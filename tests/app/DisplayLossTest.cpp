#include "app/DisplayLoss.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "app/EndRequest.h"
#include "app/FinalSave.h"
#include "world/TestFiles.h"

TEST(DisplayLossDeathTest, TheGameEndsWithTheEditorsWorkSavedWhicheverThreadMetTheLoss) {
    testfiles::ScratchDir dir;
    const std::string onMain = dir.path + "/main.txt", onInput = dir.path + "/input.txt";
    // met on the main thread, in the middle of a drawing call: saved at once
    EXPECT_EXIT(
        {
            DisplayLoss::install();
            FinalSave::Armed armed([&] { std::ofstream(onMain) << "saved"; });
            DisplayLoss::lost();
        },
        ::testing::ExitedWithCode(1), "^Lost the connection to the display\n$");
    // met on the library's input thread while the main thread waits on it for
    // good: saved after the grace, and the process ends all the same
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EXIT(
        {
            DisplayLoss::install();
            FinalSave::Armed armed([&] { std::ofstream(onInput) << "saved"; });
            std::thread([] { DisplayLoss::lost(); }).join();
        },
        ::testing::ExitedWithCode(1), "Lost the connection to the display");
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(took, DisplayLoss::kGrace);
    EXPECT_LT(took, 2.0) << "the game ends within two seconds";
    for (const std::string& path : {onMain, onInput}) EXPECT_TRUE(std::ifstream(path).good()) << path;

    // a signal before the loss keeps its status and its line, said once
    EXPECT_EXIT(
        {
            EndRequest::signal(15);
            DisplayLoss::tellSignal();
            DisplayLoss::lost();
        },
        ::testing::ExitedWithCode(143), "^Ended by signal 15\nLost the connection to the display\n$");
}
