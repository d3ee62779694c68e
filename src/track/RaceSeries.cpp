#include "track/RaceSeries.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace {

constexpr TrackCheck::Seat kSeats[] = {TrackCheck::Seat::Computer, TrackCheck::Seat::Idle,
                                       TrackCheck::Seat::Faster};
constexpr int kSeatCount = 3;

// The smaller of a running minimum and v, where 0 means none yet.
int lowest(int sofar, int v) { return sofar == 0 ? v : std::min(sofar, v); }

std::string percent(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f %%", share * 100.0);
    return text;
}

std::string fixed(double v, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

}  // namespace

RaceSeries::RaceSeries(TrackCheck::GroundLoader g, std::string text) : ground(std::move(g)), trackText(std::move(text)) {}

TrackCheck::Setup RaceSeries::setup(int race) {
    TrackCheck::Setup s;
    // seed 0 is the unmoved grid of a real race; the series starts after it
    s.seed = static_cast<unsigned>(race) + 1;
    s.seat = kSeats[race % kSeatCount];
    return s;
}

void RaceSeries::run(int races) {
    result = Figures();
    for (int k = 0; k < races; ++k) {
        const TrackCheck::Setup s = setup(k);
        TrackCheck check(ground, trackText, s);
        check.run();
        add(s.seed, check);
    }
}

void RaceSeries::add(unsigned seed, const TrackCheck& check) {
    Figures& f = result;
    ++f.races;
    f.loopLength = check.routeLength();
    f.steepestPull = check.steepestRoutePull();
    if (!check.isRaceable()) {
        const std::vector<TrackCheck::Problem>& problems = check.getProblems();
        f.failures.push_back("seed " + std::to_string(seed) + ": " +
                             (problems.empty() ? std::string("the race did not finish") : problems.back().describe()));
    }
    const int winner = check.winnerTime();
    if (winner > 0) {
        f.fastestWinner = lowest(f.fastestWinner, winner);
        f.slowestWinner = std::max(f.slowestWinner, winner);
    }
    for (const TrackCheck::CraftResult& r : check.getResults()) {
        const int time = r.raced;  // from the start to its finish
        if (r.driver == TrackCheck::Seat::Faster) {
            ++f.fasterRaces;
            f.fasterMissedWaypoints += r.missedWaypoints;
            if (!r.finished) continue;
            ++f.fasterFinished;
            f.fastestFaster = lowest(f.fastestFaster, time);
            f.slowestFaster = std::max(f.slowestFaster, time);
            continue;
        }
        if (r.driver != TrackCheck::Seat::Computer) continue;
        f.missedWaypoints += r.missedWaypoints;
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
        }
    }
}

void RaceSeries::report(std::ostream& out) const {
    const Figures& f = result;
    out << "Series: " << f.races << " seeded races, the player's place in turn a computer driver, idle on the grid "
        << "and a faster driver wanting " << fixed(TrackCheck::kFasterSpeed, 0) << " units/s\n";
    out << "  route " << fixed(f.loopLength, 0) << " units a lap, steepest pull on it " << fixed(f.steepestPull, 1) << "\n";
    out << "  winner " << TrackCheck::formatTime(f.fastestWinner) << " to " << TrackCheck::formatTime(f.slowestWinner)
        << ", the slowest computer driver at most " << percent(f.widestSpread) << " behind the winner\n";
    out << "  computer drivers: laps " << TrackCheck::formatTime(f.shortestLap) << " to "
        << TrackCheck::formatTime(f.longestLap) << ", mean speeds " << fixed(f.lowestMeanSpeed, 0) << " to "
        << fixed(f.highestMeanSpeed, 0) << " units/s, " << f.missedWaypoints << " missed waypoints, " << f.unfinished
        << " did not finish\n";
    out << "  faster driver: finished " << f.fasterFinished << " of " << f.fasterRaces;
    if (f.fasterFinished > 0)
        out << " in " << TrackCheck::formatTime(f.fastestFaster) << " to " << TrackCheck::formatTime(f.slowestFaster);
    out << ", " << f.fasterMissedWaypoints << " missed waypoints\n";
    for (const std::string& failure : f.failures) out << "  " << failure << '\n';
}
