#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

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
        EXPECT_GE(r.place, 1);
        EXPECT_LE(r.place, World::kCraftCount);
    }

    // the same race with every craft tested against every object: the same
    // contacts in the same order leave every craft in the same place
    TrackCheck plain(TrackCheck::trackGround(track), text.str());
    plain.prepare();
    plain.getWorld()->setBroadPhase(false);
    plain.run();
    std::ostringstream sieved, every;
    check.report(sieved);
    plain.report(every);
    EXPECT_EQ(sieved.str(), every.str());
    for (size_t i = 0; i < plain.getResults().size() && i < check.getResults().size(); ++i) {
        const auto &a = check.getResults()[i], &b = plain.getResults()[i];
        EXPECT_TRUE(a.position.x == b.position.x && a.position.y == b.position.y && a.lapTimes == b.lapTimes)
            << "craft " << a.number;
    }
    EXPECT_LT(check.getWorld()->getPairTests(), plain.getWorld()->getPairTests());
}

}  // namespace

TEST(RaceCheck, FourDriversFinishTrack1) { raceTrack(1); }
TEST(RaceCheck, FourDriversFinishTrack2) { raceTrack(2); }
TEST(RaceCheck, FourDriversFinishTrack3) { raceTrack(3); }
