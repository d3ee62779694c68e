#include "check/TrackJudge.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "check/DriverWatch.h"
#include "check/FlatGround.h"
#include "check/GoodLoop.h"
#include "check/SeriesWarnings.h"

namespace {

using Seat = TrackCheck::Seat;

TrackCheck::CraftResult craft(int number, int raced, Seat driver = Seat::Computer, bool finished = true) {
    TrackCheck::CraftResult r;
    r.number = number;
    r.driver = driver;
    r.finished = finished;
    r.raced = raced;
    return r;
}

// scenery on line 1, the route's three waypoints on lines 2 to 4
const char* const kRoute = "S 1000 1000 0 1\nW 900 900 0 0\nW 1100 900 0 1\nW 1100 1100 0 2\nE\n";

}  // namespace

TEST(DriverWatch, StandsAndMissesAreTakenWithWhereAndWhichWaypoint) {
    DriverWatch watch(Vector3(0, 0, 0));
    const Vector3 far(5000, 5000, 0);
    for (int i = 0; i < 10; ++i) watch.step(Vector3(DriverWatch::kStandReach, 0, 0), 1, far);
    EXPECT_EQ(watch.longestStand().steps, 10) << "as far as the reach is still the same spot";
    // a step beyond the reach starts a new stand there
    watch.step(Vector3(DriverWatch::kStandReach * 2 + 0.01, 0, 0), 2, far);
    for (int i = 0; i < 30; ++i) watch.step(Vector3(100, 10, 0), 2, far);
    EXPECT_EQ(watch.longestStand().steps, 30);
    EXPECT_EQ(watch.longestStand().position, Vector3(DriverWatch::kStandReach * 2 + 0.01, 0, 0));
    EXPECT_EQ(watch.longestStand().target, 2);
    // a shorter stand later leaves the longest as it was
    watch.step(Vector3(600, 0, 0), 3, far);
    for (int i = 0; i < 5; ++i) watch.step(Vector3(600, 0, 0), 3, far);
    EXPECT_EQ(watch.longestStand().target, 2);

    // passing near waypoint 3 and drawing away: one miss, once, by its place
    const Vector3 waypoint(1000, 0, 0);
    for (double x = 700; x <= 1300; x += 10) watch.step(Vector3(x, 60, 0), 3, waypoint);
    EXPECT_EQ(watch.missedWaypoints(), 1);
    EXPECT_EQ(watch.missesByPlace(), (std::map<int, int>{{3, 1}}));
    for (double x = 1300; x >= 700; x -= 10) watch.step(Vector3(x, 60, 0), 4, waypoint);
    EXPECT_EQ(watch.missesByPlace(), (std::map<int, int>{{3, 1}, {4, 1}}));
}

TEST(SeriesWarnings, MissedWaypointsAStandAndAFarSlowestAreNamedWithTheirLines) {
    SeriesWarnings clean(kRoute);
    // within the bounds: a 14 % spread, a stand of just under 15 s
    std::vector<TrackCheck::CraftResult> race = {craft(1, 100000), craft(2, 114000), craft(3, 101000),
                                                 craft(4, 0, Seat::Idle, false)};
    race[1].longestStand.steps = 899;
    clean.add(1, race, 100000, {});
    EXPECT_EQ(clean.judgedRaces(), 1);
    EXPECT_TRUE(clean.warnings().empty()) << clean.warnings()[0];

    SeriesWarnings warned(kRoute);
    race[0].missedWaypoints = 4;
    race[0].missedAt = {{1, 3}, {2, 1}};
    race[1].raced = 116000;
    race[1].longestStand = DriverWatch::Stand{900, Vector3(1010, 1040, 0), 2};
    race[2].missedWaypoints = 1;
    race[2].missedAt = {{0, 1}};
    warned.add(7, race, 100000, {});
    // the faster driver's own misses and the field it bumps are not judged;
    // only its not getting round is told
    std::vector<TrackCheck::CraftResult> faster = {craft(1, 200000), craft(2, 100000), craft(3, 100000),
                                                   craft(4, 0, Seat::Faster, false)};
    faster[0].missedWaypoints = 9;
    faster[0].missedAt = {{0, 9}};
    TrackCheck::Problem stuck;
    stuck.text = "craft 4 (the faster driver) did not finish: stuck";
    warned.add(9, faster, 100000, {TrackCheck::Problem(), stuck});
    warned.add(12, faster, 100000, {});
    faster[3].finished = true;
    warned.add(15, faster, 100000, {});
    EXPECT_EQ(warned.judgedRaces(), 1);
    const std::vector<std::string> w = warned.warnings();
    ASSERT_EQ(w.size(), 4u);
    EXPECT_EQ(w[0], "the computer drivers turned back for 5 missed waypoints in 1 of 1 race; missed most: waypoint 1 "
                    "(line 3) 3 times, waypoint 0 (line 2) 1 time, waypoint 2 (line 4) 1 time. They come at it too "
                    "fast or too wide: move it onto the line they drive, or place a waypoint before it so that they "
                    "turn sooner");
    EXPECT_EQ(w[1], "craft 2 stood held for 0:15.00 near (1010, 1040) in the race of seed 7, heading for waypoint 2 "
                    "(line 4), beside the scenery of line 1. Clear the way there: move the scenery or the waypoint, "
                    "or lead the route round what holds it");
    EXPECT_EQ(w[2].rfind("the slowest finisher came in 16 % behind the winner (craft 2 in the race of seed 7)", 0), 0u)
        << w[2];
    EXPECT_EQ(w[3], "the player's place, driven by the faster driver, did not get round in 2 of its 3 races, the "
                    "first seed 9: craft 4 (the faster driver) did not finish: stuck. A player who drives so may not "
                    "get round either: ease the bends and climbs there");

    // scenery further off is not blamed, a second long stand is counted, and
    // a driver that heads for no waypoint is not said to
    SeriesWarnings twice(kRoute);
    race[1].longestStand.position = Vector3(1000, 1000 + SeriesWarnings::kSceneryNear, 0);
    race[2].longestStand = DriverWatch::Stand{950, Vector3(1, 2, 0), 0};
    twice.add(3, race, 100000, {});
    EXPECT_EQ(twice.warnings()[1].rfind("craft 3 stood held for 0:15.83 near (1, 2) in the race of seed 3, heading for "
                                        "waypoint 0 (line 2) (2 times a driver stood 15 s or more). Clear",
                                        0),
              0u)
        << twice.warnings()[1];
    SeriesWarnings lost(kRoute);
    race[2].longestStand.target = -1;
    lost.add(3, race, 100000, {});
    EXPECT_EQ(lost.warnings()[1].find("heading"), std::string::npos) << lost.warnings()[1];

    // a turn back in one race in ten is a bump in the pack; in more, the route's
    SeriesWarnings bumps(kRoute);
    std::vector<TrackCheck::CraftResult> cleanRace = {craft(1, 100000), craft(2, 101000), craft(3, 102000),
                                                      craft(4, 0, Seat::Idle, false)};
    std::vector<TrackCheck::CraftResult> bumped = cleanRace;
    bumped[1].missedWaypoints = 1;
    bumped[1].missedAt = {{2, 1}};
    for (int k = 0; k < 20; ++k) bumps.add(k, k % 10 == 0 ? bumped : cleanRace, 100000, {});
    EXPECT_TRUE(bumps.warnings().empty()) << bumps.warnings()[0];
    bumps.add(20, bumped, 100000, {});
    ASSERT_EQ(bumps.warnings().size(), 1u);
    EXPECT_EQ(bumps.warnings()[0].rfind("the computer drivers turned back for 3 missed waypoints in 3 of 21 races", 0),
              0u)
        << bumps.warnings()[0];
}

TEST(TrackJudge, AComputerDriverLostInASeededRaceFailsTheTrackAndTheReportEndsWithTheVerdict) {
    FlatGround ground;
    // a square placed in the editor with its gates never turned: all face +x,
    // and a driver that meets one from behind must go round again
    const std::string text =
        "C 1536 1216 10 40 0 0\nW 1536 1216 10 0\nW 1856 1216 10 1\nC 1856 1536 10 40 1 0\nW 1856 1536 10 2\n"
        "W 1856 1856 10 3\nC 1536 1856 10 40 2 0\nW 1536 1856 10 4\nW 1216 1856 10 5\nC 1216 1536 10 40 3 0\n"
        "W 1216 1536 10 6\nW 1216 1216 10 7\nE\n";
    TrackJudge judge(ground.loader(), text);
    EXPECT_EQ(judge.verdict(), "Checking track");
    int slices = 0;
    while (!judge.step(0.0)) ++slices;
    EXPECT_GT(slices, RaceSeries::kRaces) << "a slice is no more than a race";
    EXPECT_TRUE(judge.getCheck().isRaceable()) << "the check's own race gets round";
    EXPECT_FALSE(judge.passed());
    EXPECT_EQ(judge.verdict().rfind("in the seeded races, seed ", 0), 0u) << judge.verdict();
    EXPECT_NE(judge.verdict().find(" did not finish: "), std::string::npos) << judge.verdict();
    std::ostringstream out;
    judge.report(out);
    const std::string report = out.str();
    EXPECT_EQ(report.find("Verdict: "), report.rfind("Verdict: ")) << "one verdict";
    EXPECT_LT(report.find("Series: " + std::to_string(RaceSeries::kRaces) + " seeded races"), report.find("Verdict: "));
    EXPECT_NE(report.find("\nVerdict: " + judge.verdict() + "\n"), std::string::npos) << report;

    // a track the check's own race cannot finish is not raced thirty times more
    TrackJudge broken(ground.loader(), std::string(kGoodLoop).substr(0, std::string(kGoodLoop).find("W 1500 1200 0 0")));
    broken.run();
    EXPECT_FALSE(broken.passed());
    EXPECT_EQ(broken.seriesRaces(), 0);
    EXPECT_EQ(broken.verdict(), broken.getCheck().verdict());
}

TEST(TrackJudge, ATrackTooBigForTheSeriesIsJudgedByItsOwnRace) {
    FlatGround ground;
    // the square loop, and a wood of scenery well away from it
    std::string text = std::string(kGoodLoop).substr(0, std::string(kGoodLoop).find("E\n"));
    for (std::size_t i = 0; i < RaceSeries::kMostObjects; ++i)
        text += "S " + std::to_string(2200 + i % 50 * 10) + " " + std::to_string(300 + i / 50 * 10) + " 10 1\n";
    TrackJudge judge(ground.loader(), text + "E\n");
    judge.run();
    EXPECT_TRUE(judge.passed()) << judge.verdict();
    EXPECT_EQ(judge.seriesRaces(), 0);
    EXPECT_TRUE(judge.getWarnings().empty());
    EXPECT_EQ(judge.verdict().rfind("Track OK: all four finished, best lap ", 0), 0u) << judge.verdict();
    std::ostringstream out;
    judge.report(out);
    EXPECT_NE(out.str().find("\nSeries: left out, "), std::string::npos) << out.str();
}
