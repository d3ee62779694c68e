#include "check/FlatGround.h"
#include "check/GoodLoop.h"
#include "check/RaceSeries.h"
#include "check/TrackCheck.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "check/TrackLayout.h"
#include "terrain/Terrain.h"
#include "track/TrackFile.h"
#include "world/TestFiles.h"
#include "world/World.h"

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::vector<TrackCheck::Problem> layoutOf(FlatGround& ground, const std::string& text) {
    TrackCheck check(ground.loader(), text);
    check.prepare();
    return check.getLayoutProblems();
}

// The first problem whose text holds `part`, or null.
const TrackCheck::Problem* find(const std::vector<TrackCheck::Problem>& list, const std::string& part) {
    for (const auto& p : list)
        if (p.text.find(part) != std::string::npos) return &p;
    return nullptr;
}

std::string all(const std::vector<TrackCheck::Problem>& list) {
    std::string s;
    for (const auto& p : list) s += p.describe() + "\n";
    return s;
}

// Whether a problem holding `part` is named, on line `line`.
::testing::AssertionResult named(const std::vector<TrackCheck::Problem>& list, const std::string& part, int line) {
    const TrackCheck::Problem* p = find(list, part);
    if (!p) return ::testing::AssertionFailure() << "nothing says \"" << part << "\" in\n" << all(list);
    if (p->line != line) return ::testing::AssertionFailure() << p->describe() << "\nis not on line " << line;
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(TrackCheck, FormatsTimesAsMinutesSecondsHundredths) {
    EXPECT_EQ(TrackCheck::formatTime(41200), "0:41.20");
    EXPECT_EQ(TrackCheck::formatTime(0), "0:00.00");
    EXPECT_EQ(TrackCheck::formatTime(61999), "1:01.99");
    EXPECT_EQ(TrackCheck::formatTime(20 * 60 * 1000 + 5), "20:00.00");
    EXPECT_EQ(TrackCheck::formatTime(-5), "0:00.00");
}

TEST(TrackCheck, NamesMissingJumpingAndMisplacedGateAndWaypointNumbersWithTheirLines) {
    FlatGround ground;
    auto problems = layoutOf(ground, kGoodLoop);
    EXPECT_TRUE(problems.empty()) << "a good loop: " << all(problems);
    problems = layoutOf(ground, replaced(kGoodLoop, "C 1200 1500 10 40 3 90", "C 1200 1500 10 40 4 90"));
    EXPECT_TRUE(named(problems, "checkpoint 4 at (1200, 1500): gates jump from 2 to 4", 4));
    EXPECT_TRUE(named(problems, "add gate 3", 4));

    problems = layoutOf(ground, replaced(kGoodLoop, "C 1500 1200 10 40 0 0", "C 1500 1200 10 40 5 0"));
    EXPECT_TRUE(named(problems, "no checkpoint 0", 0));
    EXPECT_NE(find(problems, "gates jump from 3 to 5"), nullptr) << all(problems);

    problems = layoutOf(ground, replaced(kGoodLoop, "C 1500 1800 10 40 2 180", "C 1500 1800 10 40 1 180"));
    EXPECT_TRUE(named(problems, "a second gate numbered 1", 3));
    EXPECT_TRUE(named(problems, "the first is on line 2", 3));

    problems = layoutOf(ground, "W 1 1 0 0\nE\n");
    EXPECT_NE(find(problems, "no checkpoints"), nullptr) << all(problems);

    // waypoint numbers must be their place in the file
    std::string text = replaced(kGoodLoop, "W 1800 1500 0 2", "W 1800 1500 0 3");
    text = replaced(text, "W 1800 1800 0 3", "W 1800 1800 0 2");
    problems = layoutOf(ground, text);
    ASSERT_EQ(problems.size(), 2u) << all(problems);
    EXPECT_TRUE(named(problems, "waypoint 3 at (1800, 1500)", 7));
    EXPECT_TRUE(named(problems, "its number must be 2", 7));
    EXPECT_TRUE(named(problems, "its number must be 3", 8));

    const auto empty = layoutOf(ground, "C 1500 1500 10 40 0 0\nE\n");
    EXPECT_NE(find(empty, "no waypoints"), nullptr) << all(empty);
}

TEST(TrackCheck, AGateTheRouteMissesIsNamed) {
    FlatGround ground;
    // gate 2 pulled 100 units outside the loop: the route passes 100 away, a craft must come within 56
    const auto problems =
        layoutOf(ground, replaced(kGoodLoop, "C 1500 1800 10 40 2 180", "C 1500 1900 10 40 2 180"));
    ASSERT_EQ(problems.size(), 1u) << all(problems);
    EXPECT_EQ(problems[0].line, 3);
    EXPECT_NE(problems[0].text.find("no nearer than 100"), std::string::npos) << problems[0].text;
    EXPECT_NE(problems[0].text.find("within 56"), std::string::npos) << problems[0].text;
    // 55 units away is still passed near
    EXPECT_TRUE(layoutOf(ground, replaced(kGoodLoop, "C 1500 1800 10 40 2 180", "C 1500 1855 10 40 2 180")).empty());
}

TEST(TrackCheck, ObjectsOutsideTheAreaOffTheMapOrOffTheGround) {
    FlatGround ground;
    std::string text = replaced(kGoodLoop, "E\n",
                                "P -0.5 1500 10 1\n"     // line 14: just outside the area
                                "P 3072 1500 10 1\n"     // line 15: on the far edge, inside
                                "P 150 150 10 2\n"       // line 16: inside, but below the map picture
                                "P 1500 1500 27 3\n"     // line 17: 17 above, radius 16
                                "P 1500 1400 -6 3\n"     // line 18: exactly 16 below: touched
                                "C 1500 1500 -31 40 9 0\n"  // line 19: 41 below a gate of radius 40
                                "E\n");
    const auto problems = layoutOf(ground, text);
    EXPECT_TRUE(named(problems, "outside the track area", 14));
    EXPECT_TRUE(named(problems, "off the map picture", 16));
    EXPECT_TRUE(named(problems, "17 above the ground", 17));
    EXPECT_TRUE(named(problems, "ground height 10", 17));
    EXPECT_TRUE(named(problems, "below the ground", 19));
    for (const auto& p : problems) {
        EXPECT_NE(p.line, 15) << p.describe();
        EXPECT_NE(p.line, 18) << p.describe();
    }
}

TEST(TrackCheck, GatesTooFewUnsoundOrOnAnotherGroundAndABrokenFile) {
    FlatGround ground;
    std::string two = replaced(kGoodLoop, "C 1500 1800 10 40 2 180\n", "");
    auto problems = layoutOf(ground, replaced(two, "C 1200 1500 10 40 3 90\n", ""));
    ASSERT_EQ(problems.size(), 1u) << all(problems);
    EXPECT_EQ(problems[0].text.find("only 2 gates: a lap needs at least 3"), 0u) << problems[0].text;

    // a negative radius is named with its fix, not measured against the route or the ground
    problems = layoutOf(ground, replaced(kGoodLoop, "C 1500 1800 10 40 2 180", "C 1500 1800 10 -184 2 180"));
    ASSERT_EQ(problems.size(), 1u) << all(problems);
    EXPECT_EQ(problems[0].describe(),
              "line 3: checkpoint 2 at (1500, 1800): its radius is -184, and a gate needs a radius above 0 for a craft "
              "to pass it; widen it with = (a new gate has 40)");
    problems = layoutOf(ground, replaced(kGoodLoop, "C 1800 1500 10 40 1 270", "C 1800 1500 10 1537 1 270"));
    ASSERT_EQ(problems.size(), 1u) << all(problems);
    EXPECT_EQ(problems[0].line, 2);
    EXPECT_NE(problems[0].text.find("its radius 1537 makes it wider than the island (3072 across)"), std::string::npos);
    EXPECT_TRUE(layoutOf(ground, replaced(kGoodLoop, "C 1800 1500 10 40 1 270", "C 1800 1500 10 1536 1 270")).empty());
    EXPECT_NE(find(layoutOf(ground, replaced(kGoodLoop, " 10 40 2 ", " 10 0 2 ")), "its radius is 0, and"), nullptr);

    // far numbers in short form, the rest of the line still there
    problems = layoutOf(ground, replaced(kGoodLoop, "P 1650 1200 10 4", "P 1e300 1200 10 4"));
    ASSERT_EQ(problems.size(), 1u) << all(problems);
    EXPECT_EQ(problems[0].text, "powerup of kind 4 at (1e+300, 1200): outside the track area (0 to 3072), where no "
                                "craft can go; move it inside");

    // checked on a ground 90 higher than the one it was made on
    FlatGround high(100);
    problems = layoutOf(high, kGoodLoop);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].text.find("12 of the 12 gates and waypoints were placed more than 30 above or below this "
                                    "ground: was the track made on another ground?"),
              0u)
        << all(problems);
    EXPECT_NE(find(problems, "stands 90 below the ground"), nullptr);

    // a wrong character on line 2: the reading stops there, and says so first
    problems = layoutOf(ground, replaced(kGoodLoop, "C 1800 1500", "C l800 1500"));
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].describe(),
              "line 2: the track file breaks off here: expected a number for the x of a checkpoint record (C), found "
              "\"l800\"; nothing after it is read, so mend this line or save the track again from the editor");
}

TEST(TrackCheck, TheRouteCheckOfFiftyThousandGatesAndWaypointsIsLinear) {
    FlatGround ground;
    // a circle of 50,000 waypoints, a gate on every one: each gate finds its
    // leg in the first cells it looks at; then every gate moved 200 off the
    // route, so each searches every cell within its reach and as far again
    constexpr int kCount = 50000;
    for (double offset : {0.0, 200.0}) {
        std::ostringstream text;
        for (int k = 0; k < kCount; ++k) {
            const double a = 6.283185307179586 * k / kCount;
            text << "C " << 1536 + (1000 + offset) * std::cos(a) << ' ' << 1536 + (1000 + offset) * std::sin(a)
                 << " 10 40 " << k << ' ' << 270 - a * 57.29577951308232 << '\n';
        }
        for (int k = 0; k < kCount; ++k) {
            const double a = 6.283185307179586 * k / kCount;
            text << "W " << 1536 + 1000 * std::cos(a) << ' ' << 1536 + 1000 * std::sin(a) << " 10 " << k << '\n';
        }
        text << "E\n";
        World world(false);
        ground.loader()(world.getTerrain());
        std::istringstream in(text.str());
        TrackFile::read(world, in);
        TrackLayout layout(world, text.str());
        const auto problems = layout.check();
        std::printf("route check of %d gates %.0f off a route of %d legs: %lld cells and legs\n", kCount, offset,
                    kCount, layout.getRouteWork());
        EXPECT_EQ(problems.size(), offset > 0 ? static_cast<std::size_t>(kCount) : 0u) << problems.front().describe();
        EXPECT_LT(layout.getRouteWork(), (offset > 0 ? 1500 : 20) * kCount);
    }
}

TEST(TrackCheck, TheGridMustStandInsideTheAreaOnLandAndOutOfScenery) {
    FlatGround ground;
    // gate 0 near the left edge facing +x: places 1 to 4 stand at x = 40, 10, -20, -50
    auto problems = layoutOf(ground, "C 70 1500 10 40 0 0\nW 70 1500 0 0\nE\n");
    EXPECT_TRUE(named(problems, "grid place 4 at (-50, 1520) behind gate 0 is outside the track area", 1));
    EXPECT_EQ(find(problems, "grid place 2 at (10, 1520) behind gate 0 is outside"), nullptr);
    // the water strip runs along x < 600
    problems = layoutOf(ground, "C 650 1500 10 40 0 0\nW 650 1500 0 0\nE\n");
    EXPECT_EQ(find(problems, "grid place 1 at (620, 1480) behind gate 0 is in water"), nullptr) << all(problems);
    EXPECT_NE(find(problems, "grid place 4 at (530, 1520) behind gate 0 is in water"), nullptr) << all(problems);
    // turned round, the same gate puts its grid on land
    problems = layoutOf(ground, "C 650 1500 10 40 0 180\nW 650 1500 0 0\nE\n");
    EXPECT_EQ(find(problems, "grid place"), nullptr) << all(problems);
    // nor in scenery
    problems = layoutOf(ground, replaced(kGoodLoop, "E\n", "S 1440 1220 0 1\nE\n"));
    const auto* scenery = find(problems, "grid place 2 at (1440, 1220) behind gate 0 is in scenery");
    ASSERT_NE(scenery, nullptr) << all(problems);
    EXPECT_NE(scenery->text.find("line 14"), std::string::npos);
}

TEST(TrackCheck, FourDriversFinishAGoodLoop) {
    FlatGround ground;
    TrackCheck check(ground.loader(), kGoodLoop);
    check.run();
    ASSERT_TRUE(check.raceStarted());
    EXPECT_TRUE(check.isRaceable()) << all(check.getProblems());
    ASSERT_EQ(check.getResults().size(), 4u);
    int best = 1 << 30;
    for (const auto& r : check.getResults()) {
        EXPECT_TRUE(r.finished);
        EXPECT_EQ(r.laps, 4);
        ASSERT_EQ(r.lapTimes.size(), 3u);
        for (int t : r.lapTimes) {
            EXPECT_GT(t, 5000);  // no lap without going round
            best = std::min(best, t);
        }
    }
    EXPECT_EQ(check.bestLap(), best);
    EXPECT_EQ(check.verdict(), "Track OK: all four finished, best lap " + TrackCheck::formatTime(best));
    EXPECT_LT(check.getRaceTime(), TrackCheck::kTimeLimit);
}

TEST(TrackCheck, SeededRacesMoveTheGridAndSeatThePlayerAsAsked) {
    FlatGround ground;
    // the square of eight waypoints, 300 apart, on level ground
    TrackCheck plain(ground.loader(), kGoodLoop);
    plain.step(0.0);
    EXPECT_DOUBLE_EQ(plain.routeLength(), 2400.0);
    EXPECT_LT(plain.steepestRoutePull(), 0.01);
    // a seed moves every craft a little on its grid place; the same seed, the same race
    TrackCheck::Setup moved;
    moved.seed = 5;
    TrackCheck seeded(ground.loader(), kGoodLoop, moved), again(ground.loader(), kGoodLoop, moved);
    seeded.step(0.0);
    again.step(0.0);
    for (size_t i = 0; i < 4; ++i) {
        const Vector3 a = plain.getResults()[i].position, b = seeded.getResults()[i].position;
        EXPECT_GT(std::hypot(a.x - b.x, a.y - b.y), 0.01) << i;
        EXPECT_LT(std::hypot(a.x - b.x, a.y - b.y), 12.0) << i;
        EXPECT_EQ(b.x, again.getResults()[i].position.x) << i;
    }
    // a player who never sets off: the other three race, and that is a good track
    TrackCheck::Setup idle;
    idle.seat = TrackCheck::Seat::Idle;
    TrackCheck quiet(ground.loader(), kGoodLoop, idle);
    quiet.run();
    EXPECT_TRUE(quiet.isRaceable()) << all(quiet.getProblems());
    ASSERT_EQ(quiet.getResults().size(), 4u);
    EXPECT_EQ(quiet.getResults()[3].driver, TrackCheck::Seat::Idle);
    EXPECT_EQ(quiet.getResults()[3].laps, 0);
    EXPECT_EQ(quiet.verdict().find("Track OK: all three finished"), 0u) << quiet.verdict();
    EXPECT_GT(quiet.winnerTime(), 0);
    for (size_t i = 0; i < 3; ++i) EXPECT_GT(quiet.getResults()[i].meanSpeed(), 50.0) << i;
    // the faster driver overshoots the square's corners and turns back for
    // them; without banks to hold it, it may never get round
    TrackCheck::Setup fast;
    fast.seat = TrackCheck::Seat::Faster;
    TrackCheck faster(ground.loader(), kGoodLoop, fast);
    faster.run();
    const TrackCheck::CraftResult& f = faster.getResults()[3];
    EXPECT_EQ(f.driver, TrackCheck::Seat::Faster);
    EXPECT_GT(f.missedWaypoints, 0);
    if (!f.finished) {
        EXPECT_NE(find(faster.getProblems(), "craft 4 (the faster driver) did not finish"), nullptr);
    }
    // a series takes the three kinds of player in turn, each race with a seed
    // of its own, then the novice on the grids the computer driver had
    EXPECT_EQ(RaceSeries::setup(0).seat, TrackCheck::Seat::Computer);
    EXPECT_EQ(RaceSeries::setup(4).seat, TrackCheck::Seat::Idle);
    EXPECT_EQ(RaceSeries::setup(5).seat, TrackCheck::Seat::Faster);
    EXPECT_EQ(RaceSeries::setup(29).seat, TrackCheck::Seat::Faster);
    EXPECT_NE(RaceSeries::setup(0).seed, 0u);
    EXPECT_NE(RaceSeries::setup(3).seed, RaceSeries::setup(0).seed);
    for (int k = 0; k < RaceSeries::kNoviceRaces; ++k) {
        const TrackCheck::Setup novice = RaceSeries::setup(RaceSeries::kTurnedRaces + k);
        EXPECT_EQ(novice.seat, TrackCheck::Seat::Novice) << k;
        EXPECT_EQ(novice.seed, RaceSeries::setup(3 * k).seed) << k;
    }
    EXPECT_EQ(RaceSeries::kRaces, 40);
}

// The novice in the player's place drives for the point the guidance shows:
// the pacer leads it through the first gates of the square; on flat ground,
// with nothing to turn it back, it slides wide of the square's corners and
// the report names it. Every craft's slow spells of more than two seconds
// add up as stuck time, so the player left idle on the grid, bumped now and
// then, is stuck for most of the race, while the drivers, who set off within
// a second, are not; nobody left the island.
TEST(TrackCheck, TheNoviceDrivesTheGuidanceAndSlowSpellsCountAsStuck) {
    FlatGround ground;
    TrackCheck::Setup novice;
    novice.seat = TrackCheck::Seat::Novice;
    TrackCheck check(ground.loader(), kGoodLoop, novice);
    check.run();
    ASSERT_EQ(check.getResults().size(), 4u);
    const TrackCheck::CraftResult& n = check.getResults()[3];
    EXPECT_EQ(n.driver, TrackCheck::Seat::Novice);
    EXPECT_GE(n.lastCheckpoint, 1);
    EXPECT_GT(n.distance, 1000.0);
    if (!n.finished) {
        EXPECT_NE(find(check.getProblems(), "craft 4 (the novice driver) did not finish"), nullptr);
    }
    for (const TrackCheck::CraftResult& r : check.getResults()) EXPECT_EQ(r.leftIsland, 0) << r.number;

    TrackCheck::Setup idle;
    idle.seat = TrackCheck::Seat::Idle;
    TrackCheck quiet(ground.loader(), kGoodLoop, idle);
    quiet.run();
    const double race = quiet.getRaceTime() / 1000.0;
    EXPECT_GT(quiet.getResults()[3].stuckTime, race * 0.6);
    EXPECT_LE(quiet.getResults()[3].stuckTime, race);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(quiet.getResults()[i].stuckTime, 0.0) << i;
}

TEST(RaceSeries, TheNovicesLineSaysHowItFaredInTheRacesItDrove) {
    RaceSeries::Novice n;
    n.races = 10;
    n.finished = 9;
    n.worstShare = 1.4567;
    n.leftIsland = 1;
    n.stuckTime = 12.34;
    EXPECT_EQ(RaceSeries::noviceLine(n),
              "novice driver: finished 9 of 10, race time at most 1.46 x the winner's, left the island 1 time, "
              "stuck 12.3 s");
    n.finished = 0;
    n.leftIsland = 3;
    EXPECT_EQ(RaceSeries::noviceLine(n),
              "novice driver: finished 0 of 10, race time at most - x the winner's, left the island 3 times, "
              "stuck 12.3 s");
}

TEST(TrackCheck, AFailedRaceSaysWhichCraftStoppedWhereOrWhichLapCameTooSoon) {
    FlatGround ground;
    // waypoint 2 renumbered 9: every driver circles it for ever after gate 1
    TrackCheck check(ground.loader(), replaced(kGoodLoop, "W 1800 1500 0 2", "W 1800 1500 0 9"));
    check.run();
    EXPECT_TRUE(check.isDone());
    EXPECT_FALSE(check.isRaceable());
    // given up once nobody passed a gate for the stuck time, well before the limit
    EXPECT_LT(check.getRaceTime(), TrackCheck::kStuckTime + 60 * 1000);
    const auto& problems = check.getProblems();
    ASSERT_EQ(problems.size(), 5u) << all(problems);
    EXPECT_EQ(problems[0].line, 7);
    EXPECT_EQ(check.verdict(), problems[0].describe());
    for (int craft = 1; craft <= 4; ++craft) {
        const auto& p = problems[craft];
        EXPECT_EQ(p.text.find("craft " + std::to_string(craft) + " did not finish: on lap 1 of 3"), 0u) << p.text;
        EXPECT_NE(p.text.find("last gate passed 1 (line 2)"), std::string::npos) << p.text;
        EXPECT_NE(p.text.find("heading for waypoint 2 of the route (numbered 9) at (1800, 1500) (line 7)"),
                  std::string::npos)
            << p.text;
        EXPECT_NE(p.text.find("stuck near ("), std::string::npos) << p.text;
    }
    for (const auto& r : check.getResults()) {
        EXPECT_FALSE(r.finished);
        EXPECT_NEAR(r.position.x, 1800, 150);
        EXPECT_NEAR(r.position.y, 1500, 150);
    }

    // one gate: every crossing of the start line counts a lap at once, which is no lap
    TrackCheck oneGate(ground.loader(), "C 1500 1200 10 40 0 0\nW 1500 1200 0 0\nW 1800 1200 0 1\nE\n");
    oneGate.run();
    EXPECT_FALSE(oneGate.isRaceable());
    const auto* lap = find(oneGate.getProblems(), " after the one before, without going round");
    ASSERT_NE(lap, nullptr) << all(oneGate.getProblems());
    EXPECT_EQ(lap->text.find("craft "), 0u);
    EXPECT_EQ(oneGate.verdict().find("only 1 gate"), 0u);
}

TEST(TrackCheck, ADriverHeldOnASteepSlopeIsToldSo) {
    // a ramp rising 4 a sample (a third of a unit per unit) across x < 760
    std::vector<unsigned char> heights(Terrain::kHeightmapBytes);
    for (int j = 0; j < Terrain::GRID_SIZE; ++j)
        for (int i = 0; i < Terrain::GRID_SIZE; ++i) heights[j * Terrain::GRID_SIZE + i] = static_cast<unsigned char>(std::min(255, 4 * i));
    BITMAP* texture = create_bitmap(Terrain::GRID_SIZE, Terrain::GRID_SIZE);
    clear_to_color(texture, makecol(60, 160, 60));
    // gate 0 at the foot of the ramp, the route straight up it
    TrackCheck check([&](Terrain& t) { t.setGround(heights.data(), texture); },
                     "C 100 1500 33.3 40 0 0\nW 100 1500 0 0\nW 600 1500 0 1\nE\n");
    check.run();
    destroy_bitmap(texture);
    EXPECT_FALSE(check.isRaceable());
    const auto* held = find(check.getProblems(), "on a slope that pulls ");
    ASSERT_NE(held, nullptr) << all(check.getProblems());
    EXPECT_NE(held->text.find("against a full thrust of 30"), std::string::npos) << held->text;
}

TEST(TrackCheck, ARaceWithoutGateZeroDoesNotStartAndOneWithItStepsInSlices) {
    FlatGround ground;
    TrackCheck check(ground.loader(), "C 1500 1200 10 40 1 0\nW 1500 1200 0 0\nE\n");
    EXPECT_TRUE(check.step(0.0));
    EXPECT_FALSE(check.raceStarted());
    EXPECT_FALSE(check.isRaceable());
    ASSERT_EQ(check.getProblems().size(), 3u);
    EXPECT_NE(check.getProblems()[0].text.find("no checkpoint 0"), std::string::npos);
    EXPECT_EQ(check.getProblems()[1].text.find("only 1 gate: a lap needs at least 3"), 0u);
    EXPECT_EQ(check.getProblems()[2].text, "the race cannot start without checkpoint 0");

    // a race that can start goes on in slices
    TrackCheck good(ground.loader(), kGoodLoop);
    EXPECT_FALSE(good.step(0.0));  // prepares and lines up the grid
    EXPECT_EQ(good.getRaceTime(), 0);
    EXPECT_FALSE(good.step(0.0));  // one step of game time at least
    EXPECT_EQ(good.getRaceTime(), 16);
    EXPECT_FALSE(good.isDone());
    EXPECT_EQ(good.verdict(), "Checking track");
}

namespace {

// Runs hover-check from the game folder; its exit status, with its output.
int runCheck(const std::string& arguments, std::string& output) {
    int status = -1;
    output = testfiles::commandOutput("./hover-check " + arguments + " 2>&1", &status);
    return status;
}

}  // namespace

TEST(HoverCheck, StatusIsZeroOnlyWithoutAProblemOneWithAnyTwoWhenTheFileCannotBeRead) {
    if (!std::ifstream("hover-check")) GTEST_SKIP() << "needs hover-check in the game folder";
    std::string out;
    EXPECT_EQ(runCheck("", out), 2);
    EXPECT_NE(out.find("Usage: hover-check N [FILE]"), std::string::npos) << out;
    EXPECT_EQ(runCheck("one tracks/track1.txt", out), 2);
    EXPECT_NE(out.find("Usage: hover-check N [FILE]"), std::string::npos) << out;
    // what cannot be a track file is refused at once, without reading it
    const std::string scratch = "check-scratch";
    mkdir(scratch.c_str(), 0755);
    ASSERT_EQ(mkfifo((scratch + "/pipe.txt").c_str(), 0644), 0);
    testfiles::writeText(scratch + "/big.txt", "E\n");
    ASSERT_EQ(truncate((scratch + "/big.txt").c_str(), TrackFile::kMostBytes + 1), 0);
    const struct {
        std::string arguments, says;
    } unreadable[] = {
        {"1 no-such-track-file.txt", "no-such-track-file.txt: there is no such file"},
        {"1 tracks", "tracks: it is a folder"},
        {"1 " + scratch + "/pipe.txt", scratch + "/pipe.txt: it is a pipe, not a file"},
        {"1 /dev/zero", "/dev/zero: it is a device, not a file"},
        {"1 " + scratch + "/big.txt", scratch + "/big.txt: it is larger than 16 MiB"},
        {"77", "tracks/track77.txt: there is no such file"},
    };
    for (const auto& u : unreadable) {
        EXPECT_EQ(runCheck(u.arguments, out), 2) << u.arguments;
        EXPECT_NE(out.find("Cannot read track file " + u.says), std::string::npos) << out;
    }
    testfiles::writeText("check-good.txt", kGoodLoop);
    EXPECT_EQ(runCheck("99 check-good.txt", out), 2);
    EXPECT_NE(out.find("Unable to load tracks datafile"), std::string::npos) << out;
    EXPECT_NE(out.find("tracks.dat has no ground for track 99: its grounds are 1 to 3"), std::string::npos) << out;

    // any problem the report names is status 1, whether or not the race runs
    const std::string track1 = testfiles::readText("tracks/track1.txt");
    const std::string records = track1.substr(0, track1.rfind("E\n"));
    std::string twoGates, negative;
    std::istringstream lines(records);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string letter, x, y, z, radius, angle;
        int number = 0;
        fields >> letter >> x >> y >> z >> radius >> number >> angle;
        if (letter != "C" || number < 2) twoGates += line + "\n";
        // gate 0 narrowed below nothing
        negative += (letter == "C" && number == 0 ? "C " + x + " " + y + " " + z + " -200 0 " + angle : line) + "\n";
    }
    const std::string last = std::to_string(std::count(records.begin(), records.end(), '\n'));
    const std::string added = std::to_string(std::count(records.begin(), records.end(), '\n') + 1);
    const struct {
        std::string text, verdict;
    } faulty[] = {
        {records, "Verdict: line " + last + ": the track file breaks off here: expected the end line E"},
        {twoGates + "E\n", "Verdict: only 2 gates"},
        {negative + "E\n", "its radius is -200, and a gate needs a radius above 0"},
        {records + "S 3000 3050 0 1\nE\n",
         "Verdict: line " + added + ": scenery of kind 1 at (3000, 3050): off the map picture"},
        {replaced(kGoodLoop, "C 1500 1200 10 40 0 0", "C 1500 1200 10 40 7 0"), "no checkpoint 0"},
    };
    for (const auto& f : faulty) {
        testfiles::writeText("check-bad.txt", f.text);
        EXPECT_EQ(runCheck("1 check-bad.txt", out), 1) << out;
        EXPECT_NE(out.find(f.verdict), std::string::npos) << out;
    }
    EXPECT_EQ(runCheck("1", out), 0) << out;
    EXPECT_NE(out.find("Checking tracks/track1.txt on the ground of track 1"), std::string::npos) << out;
    EXPECT_NE(out.find("\nVerdict: Track OK: all four finished, best lap "), std::string::npos) << out;
    EXPECT_EQ(out.find("warning"), std::string::npos) << out;
    std::remove("check-bad.txt");
    std::remove("check-good.txt");
    testfiles::commandOutput("rm -rf " + scratch);
}
