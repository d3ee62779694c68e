#include "app/DisplayLoss.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "world/EndRequest.h"
#include "world/FinalSave.h"
#include "world/TestFiles.h"

namespace {

void writeSaved(const std::string& path) { std::ofstream(path) << "saved\n"; }

std::string contentOf(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

}  // namespace

TEST(DisplayLossDeathTest, TheGameEndsWithTheEditorsWorkSavedWhicheverThreadMetTheLoss) {
    testfiles::ScratchDir dir;
    const std::string onMain = dir.path + "/main.txt", onInput = dir.path + "/input.txt";
    // met on the main thread, in the middle of a drawing call: saved at once
    EXPECT_EXIT(
        {
            DisplayLoss::install();
            FinalSave::Armed armed([&] { writeSaved(onMain); });
            DisplayLoss::lost();
        },
        ::testing::ExitedWithCode(1), "^Lost the connection to the display\n$");
    EXPECT_EQ(contentOf(onMain), "saved");

    // met on the library's input thread while the main thread waits on it for
    // good: the last moments save after the grace, and end the process
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EXIT(
        {
            DisplayLoss::install();
            FinalSave::Armed armed([&] { writeSaved(onInput); });
            std::thread input([] { DisplayLoss::lost(); });
            input.join();
        },
        ::testing::ExitedWithCode(1), "Lost the connection to the display");
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(contentOf(onInput), "saved");
    EXPECT_GE(took, DisplayLoss::kGrace);
    EXPECT_LT(took, 2.0) << "the game ends within two seconds";
}

TEST(DisplayLossDeathTest, ASignalBeforeTheLossKeepsItsStatusAndItsLine) {
    EXPECT_EXIT(
        {
            DisplayLoss::install();
            EndRequest::signal(15);
            DisplayLoss::lost();
        },
        ::testing::ExitedWithCode(143), "Lost the connection to the display\nEnded by signal 15\n");
    // the main thread ending on its own says why only once
    EXPECT_EXIT(
        {
            EndRequest::signal(1);
            DisplayLoss::tellSignal();
            DisplayLoss::end();
        },
        ::testing::ExitedWithCode(129), "^Ended by signal 1\n$");
}
