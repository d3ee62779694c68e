#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "check/RaceSeries.h"
#include "check/TrackCheck.h"
#include "craft/HoverCraft.h"
#include "world/World.h"

namespace {

bool haveFile(const std::string& path) { return std::ifstream(path).good(); }

// What each shipped track is built to: the winner's race, the computer
// drivers' laps (ms), the ground's pull on the route, whether the faster
// driver must get round, and how the novice fares: the races it finishes of
// ten, its race time against the winner's, and the times it may leave the
// island (-1: any).
struct Limits {
    int winner;
    int lapFrom, lapTo;
    double pull;
    bool fasterFinishes;
    int noviceFinishes;
    double noviceShare;
    int noviceLeaves;
};

constexpr double kLeastSpeed = 100.0;
constexpr double kWidestSpread = 0.30;

// The headless races of one shipped track: the game's own race of four
// computer drivers, then the seeded series with the player's place raced,
// idle and driven faster, on the real data.dat, tracks.dat and track file.
void raceTrack(int track, const Limits& limits) {
    const std::string path = "tracks/track" + std::to_string(track) + ".txt";
    if (!haveFile("data.dat") || !haveFile("tracks.dat") || !haveFile(path))
        GTEST_SKIP() << "needs data.dat, tracks.dat and " << path << " in the game folder";
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    TrackCheck check(TrackCheck::trackGround(track), text.str());
    check.prepare();
    check.getWorld()->useContactGridFrom(0);  // the contacts through the cells, however few the objects
    check.run();
    std::cout << "Track " << track << ":\n";
    check.report(std::cout);
    ASSERT_TRUE(check.raceStarted());
    ASSERT_TRUE(check.isRaceable()) << check.verdict();
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

    // the same race with every craft tested against every object: the same
    // contacts in the same order leave every craft in the same place
    TrackCheck plain(TrackCheck::trackGround(track), text.str());
    plain.prepare();
    plain.getWorld()->useContactGridFrom(SIZE_MAX);
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

    RaceSeries series(TrackCheck::trackGround(track), text.str());
    series.run();
    series.report(std::cout);
    const RaceSeries::Figures& f = series.figures();
    ASSERT_EQ(f.races, RaceSeries::kRaces);
    EXPECT_TRUE(series.computersFinished());
    if (limits.fasterFinishes) {
        EXPECT_EQ(f.fasterFinished, f.fasterRaces);
    }
    EXPECT_LE(f.steepestPull, limits.pull);
    for (const RaceSeries::Field& field : f.fields) {
        EXPECT_LE(field.slowestWinner, limits.winner);
        EXPECT_GE(field.shortestLap, limits.lapFrom);
    }
    // without the faster driver or the novice barging through the field,
    // the race is the track's own: every computer driver keeps to the lap
    // times and the speed, the slowest stays close to the winner, and a
    // driver turns back for a missed waypoint once in ten races at most (a
    // bump in the pack off the line)
    for (TrackCheck::Seat seat : {TrackCheck::Seat::Computer, TrackCheck::Seat::Idle}) {
        const RaceSeries::Field& field = f.field(seat);
        EXPECT_LE(field.longestLap, limits.lapTo) << static_cast<int>(seat);
        EXPECT_GE(field.lowestMeanSpeed, kLeastSpeed) << static_cast<int>(seat);
        EXPECT_LE(field.widestSpread, kWidestSpread) << static_cast<int>(seat);
        EXPECT_LE(field.missedWaypoints, 1) << static_cast<int>(seat);
    }
    // a newcomer at the keys, following the guidance, gets round
    EXPECT_EQ(f.novice.races, RaceSeries::kNoviceRaces);
    EXPECT_GE(f.novice.finished, limits.noviceFinishes);
    EXPECT_LE(f.novice.worstShare, limits.noviceShare);
    if (limits.noviceLeaves >= 0) {
        EXPECT_LE(f.novice.leftIsland, limits.noviceLeaves);
    }
    // with it, the winner still keeps the pace
    EXPECT_GE(f.field(TrackCheck::Seat::Faster).slowestWinnerSpeed, kLeastSpeed * 0.9);
}

}  // namespace

TEST(RaceCheck, Track1IsShortSmoothAndHoldsEveryDriver) {
    raceTrack(1, {150000, 30000, 45000, HoverCraft::kThrust / 3, true, 10, 1.5, 0});
}
TEST(RaceCheck, Track2IsShortSmoothAndHoldsEveryDriver) {
    raceTrack(2, {210000, 40000, 65000, HoverCraft::kThrust / 3, true, 10, 2.0, -1});
}
TEST(RaceCheck, Track3IsShortSmoothAndHoldsEveryComputerDriver) {
    raceTrack(3, {255000, 50000, 75000, HoverCraft::kThrust * 2 / 3, false, 8, 3.0, -1});
}
