#pragma once
// A race World in a scratch folder on the scratch data.dat, the English
// texts chosen while it lives: for tests of craft on the grid and of what a
// race shows.
#include <gtest/gtest.h>

#include <memory>

#include "world/TestFiles.h"
#include "world/Texts.h"
#include "world/World.h"

class ScratchRace : public ::testing::Test {
protected:
    void SetUp() override {
        testfiles::writeGameData("data.dat");
        saved = currentTexts;
        currentTexts = englishTexts;
        world.reset(new World(false));
    }
    void TearDown() override {
        world.reset();
        currentTexts = saved;
    }
    testfiles::ScratchDir dir;
    std::unique_ptr<World> world;
    const char* const* saved = nullptr;
};
