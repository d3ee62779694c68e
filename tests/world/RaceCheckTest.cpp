#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "track/TrackCheck.h"
#include "world/World.h"

namespace {

bool haveFile(const std::string& path) { return std::ifstream(path).good(); }

// The headless race of the four computer drivers on one shipped track: the
// real data.dat, tracks.dat and track file, fixed steps, a game-time limit.
void raceTrack(int track) {
    const std::string path = "tracks/track" + std::to_string(track) + ".txt";
    if (!haveFile("data.dat") || !haveFile("tracks.dat") || !haveFile(path))
        GTEST_SKIP() << "needs data.dat, tracks.dat and " << path << " in the game folder";
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    TrackCheck check(TrackCheck::trackGround(track), text.str());
    check.run();
    std::cout << "Track " << track << ":\n";
    check.report(std::cout);

    ASSERT_TRUE(check.raceStarted());
    EXPECT_TRUE(check.isRaceable()) << check.verdict();
    EXPECT_LE(check.getRaceTime(), TrackCheck::kTimeLimit);
    ASSERT_EQ(check.getResults().size(), static_cast<size_t>(World::kCraftCount));
    for (const auto& r : check.getResults()) {
        EXPECT_TRUE(r.finite) << "craft " << r.number;
        EXPECT_TRUE(r.finished) << "craft " << r.number;
        // four crossings of the start line: three whole laps, each timed
        EXPECT_EQ(r.laps, World::kLaps + 1) << "craft " << r.number;
        EXPECT_EQ(r.lapTimes.size(), static_cast<size_t>(World::kLaps)) << "craft " << r.number;
        for (int t : r.lapTimes) EXPECT_GT(t, 0) << "craft " << r.number;
    }
    // places 1 to 4, in the order the craft finished
    std::vector<TrackCheck::CraftResult> byPlace = check.getResults();
    std::sort(byPlace.begin(), byPlace.end(), [](const auto& a, const auto& b) { return a.place < b.place; });
    for (size_t i = 0; i < byPlace.size(); ++i) {
        EXPECT_EQ(byPlace[i].place, static_cast<int>(i) + 1);
        if (i > 0) {
            EXPECT_LE(byPlace[i - 1].finishTime, byPlace[i].finishTime) << "place " << i + 1;
        }
    }
}

}  // namespace

TEST(RaceCheck, FourDriversFinishTrack1) { raceTrack(1); }
TEST(RaceCheck, FourDriversFinishTrack2) { raceTrack(2); }
TEST(RaceCheck, FourDriversFinishTrack3) { raceTrack(3); }
