#include "check/RaceSeries.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "check/TrackLayout.h"
#include "world/RaceResources.h"

namespace {

// The player's place in the races of a series, in turn.
constexpr TrackCheck::Seat kSeatTurns[] = {TrackCheck::Seat::Computer, TrackCheck::Seat::Idle,
                                            TrackCheck::Seat::Faster};
constexpr int kTurns = sizeof kSeatTurns / sizeof kSeatTurns[0];

// The smaller of a running minimum and v, where 0 means none yet.
int lowest(int sofar, int v) { return sofar == 0 ? v : std::min(sofar, v); }

std::string percent(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f %%", share * 100.0);
    return text;
}


}  // namespace

RaceSeries::RaceSeries(TrackCheck::GroundLoader g, std::string text) : ground(std::move(g)), trackText(std::move(text)) {}

TrackCheck::Setup RaceSeries::setup(int race) {
    TrackCheck::Setup s;
    if (race >= kTurnedRaces) {
        // the novice lines up on the grids the computer driver had
        s = setup((race - kTurnedRaces) * kTurns);
        s.seat = TrackCheck::Seat::Novice;
        return s;
    }
    // seed 0 is the unmoved grid of a real race; the series starts after it
    s.seed = static_cast<unsigned>(race) + 1;
    s.seat = kSeatTurns[race % kTurns];
    return s;
}

void RaceSeries::run(int races) {
    result = Figures();
    // data.dat, the ground and the craft's sprites once for every race
    RaceResources shared;
    ground(shared.ground);
    for (int k = 0; k < races; ++k) {
        const TrackCheck::Setup s = setup(k);
        TrackCheck check(ground, trackText, s, &shared);
        check.run();
        add(s.seed, check);
    }
}

bool RaceSeries::computersFinished() const {
    if (result.races == 0) return false;
    for (const Field& f : result.fields)
        if (f.unfinished > 0) return false;
    return true;
}

void RaceSeries::add(unsigned seed, const TrackCheck& check) {
    Figures& all = result;
    ++all.races;
    all.loopLength = check.routeLength();
    all.steepestPull = check.steepestRoutePull();
    if (!check.isRaceable()) {
        const std::vector<TrackCheck::Problem>& problems = check.getProblems();
        all.failures.push_back("seed " + std::to_string(seed) + ": " +
                               (problems.empty() ? std::string("the race did not finish") : problems.back().describe()));
    }
    TrackCheck::Seat seat = TrackCheck::Seat::Computer;
    for (const TrackCheck::CraftResult& r : check.getResults())
        if (r.driver != TrackCheck::Seat::Computer) seat = r.driver;
    Field& f = all.fields[static_cast<int>(seat)];
    ++f.races;
    const int winner = check.winnerTime();
    if (winner > 0) {
        f.fastestWinner = lowest(f.fastestWinner, winner);
        f.slowestWinner = std::max(f.slowestWinner, winner);
    }
    bool missed = false;
    for (const TrackCheck::CraftResult& r : check.getResults()) {
        const int time = r.raced;  // from the start to its finish
        if (r.driver == TrackCheck::Seat::Novice) {
            addNovice(r, winner);
            continue;
        }
        if (r.driver == TrackCheck::Seat::Faster) {
            ++all.fasterRaces;
            all.fasterMissedWaypoints += r.missedWaypoints;
            if (!r.finished) continue;
            ++all.fasterFinished;
            all.fastestFaster = lowest(all.fastestFaster, time);
            all.slowestFaster = std::max(all.slowestFaster, time);
            continue;
        }
        if (r.driver != TrackCheck::Seat::Computer) continue;
        f.missedWaypoints += r.missedWaypoints;
        missed = missed || r.missedWaypoints > 0;
        const double v = r.meanSpeed();
        f.lowestMeanSpeed = f.lowestMeanSpeed == 0.0 ? v : std::min(f.lowestMeanSpeed, v);
        f.highestMeanSpeed = std::max(f.highestMeanSpeed, v);
        if (!r.finished) {
            ++f.unfinished;
            continue;
        }
        if (winner > 0) f.widestSpread = std::max(f.widestSpread, static_cast<double>(time) / winner - 1.0);
        for (int lap : r.lapTimes) {
            f.shortestLap = lowest(f.shortestLap, lap);
            f.longestLap = std::max(f.longestLap, lap);
            if (time == winner) f.winnersLongestLap = std::max(f.winnersLongestLap, lap);
        }
        if (time == winner)
            f.slowestWinnerSpeed = f.slowestWinnerSpeed == 0.0 ? v : std::min(f.slowestWinnerSpeed, v);
    }
    if (missed) ++f.racesWithMisses;
}

void RaceSeries::addNovice(const TrackCheck::CraftResult& r, int winner) {
    Novice& n = result.novice;
    ++n.races;
    n.leftIsland += r.leftIsland;
    n.stuckTime += r.stuckTime;
    if (!r.finished) return;
    ++n.finished;
    if (winner > 0) n.worstShare = std::max(n.worstShare, static_cast<double>(r.raced) / winner);
}

std::string RaceSeries::noviceLine(const Novice& n) {
    // no race finished, no share of the winner's time
    char share[32] = "-";
    if (n.finished > 0) std::snprintf(share, sizeof share, "%.2f", n.worstShare);
    return "novice driver: finished " + std::to_string(n.finished) + " of " + std::to_string(n.races) +
           ", race time at most " + share + " x the winner's, left the island " + std::to_string(n.leftIsland) +
           (n.leftIsland == 1 ? " time" : " times") + ", stuck " + TrackLayout::tenths(n.stuckTime) + " s";
}

void RaceSeries::report(std::ostream& out) const {
    const Figures& all = result;
    static const char* const kSeatNames[kSeats] = {"raced by a computer driver", "idle on the grid",
                                                   "raced by the faster driver", "raced by the novice driver"};
    out << "Series: " << all.races << " seeded races, the grid moved a little in each; route "
        << TrackLayout::whole(all.loopLength) << " units a lap, steepest pull on it "
        << TrackLayout::tenths(all.steepestPull) << '\n';
    for (int k = 0; k < kSeats; ++k) {
        const Field& f = all.fields[k];
        if (f.races == 0) continue;
        out << "  " << f.races << " races with the player's place " << kSeatNames[k] << ": winner "
            << TrackCheck::formatTime(f.fastestWinner) << " to " << TrackCheck::formatTime(f.slowestWinner)
            << ", slowest at most " << percent(f.widestSpread) << " behind; computer drivers' laps "
            << TrackCheck::formatTime(f.shortestLap) << " to " << TrackCheck::formatTime(f.longestLap)
            << ", mean speeds " << TrackLayout::whole(f.lowestMeanSpeed) << " to "
            << TrackLayout::whole(f.highestMeanSpeed)
            << " units/s (winners at least " << TrackLayout::whole(f.slowestWinnerSpeed) << ", their laps at most "
            << TrackCheck::formatTime(f.winnersLongestLap) << "), " << f.missedWaypoints
            << (f.missedWaypoints == 1 ? " missed waypoint in " : " missed waypoints in ")
            << f.racesWithMisses << (f.racesWithMisses == 1 ? " race, " : " races, ") << f.unfinished
            << " did not finish\n";
    }
    out << "  faster driver (wanting " << TrackLayout::whole(TrackCheck::kFasterSpeed) << " units/s): finished "
        << all.fasterFinished << " of " << all.fasterRaces;
    if (all.fasterFinished > 0)
        out << " in " << TrackCheck::formatTime(all.fastestFaster) << " to "
            << TrackCheck::formatTime(all.slowestFaster);
    out << ", " << all.fasterMissedWaypoints << " missed waypoints\n";
    if (all.novice.races > 0) out << "  " << noviceLine(all.novice) << '\n';
    for (const std::string& failure : all.failures) out << "  " << failure << '\n';
}
