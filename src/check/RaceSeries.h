#pragma once
#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "check/TrackCheck.h"

// Many races of the track check on one track, each with a seed of its own,
// and the worst of what they met: the figures a track is judged by. The
// player's place takes turns: a computer driver like the others, a player who
// never leaves the grid, and the faster driver; then the novice driver takes
// it on the grids of the races with a computer driver there.
class RaceSeries {
public:
    // Seeded races of one series by default: ten with each kind of player.
    static constexpr int kSeats = 4;
    static constexpr int kTurnedRaces = 30;  // the first three kinds, in turn
    static constexpr int kNoviceRaces = 10;
    static constexpr int kRaces = kTurnedRaces + kNoviceRaces;
    // Objects on a track beyond which a series would take minutes: on such a
    // track the check's own race is all hover-check runs.
    static constexpr std::size_t kMostObjects = 2000;

    // The computer drivers of the races with one kind of player, worst first.
    struct Field {
        int races = 0;
        int fastestWinner = 0, slowestWinner = 0;  // race times of the winner, ms
        double widestSpread = 0.0;  // slowest finisher's time over the winner's, less one
        int shortestLap = 0, longestLap = 0;  // ms
        int winnersLongestLap = 0;            // ms, the longest lap of a race's winner
        double lowestMeanSpeed = 0.0, highestMeanSpeed = 0.0;
        double slowestWinnerSpeed = 0.0;  // the lowest mean speed of a race's winner
        int missedWaypoints = 0;
        int racesWithMisses = 0;  // races in which a computer driver turned back for a waypoint
        int unfinished = 0;       // computer drivers that did not finish
    };

    // The novice driver in the races it drove.
    struct Novice {
        int races = 0, finished = 0;
        double worstShare = 0.0;  // its race time over the winner's, the largest of the races it finished
        int leftIsland = 0;
        double stuckTime = 0.0;   // seconds, summed over its races
    };

    struct Figures {
        int races = 0;
        double loopLength = 0.0;
        double steepestPull = 0.0;
        Field fields[kSeats];  // by TrackCheck::Seat
        // the faster driver, in the races it drove
        int fasterRaces = 0, fasterFinished = 0;
        int fastestFaster = 0, slowestFaster = 0;  // its race times, ms
        int fasterMissedWaypoints = 0;
        Novice novice;
        // "seed 7: craft 2 did not finish: ...", one line for each race that failed
        std::vector<std::string> failures;

        const Field& field(TrackCheck::Seat seat) const { return fields[static_cast<int>(seat)]; }
    };

    RaceSeries(TrackCheck::GroundLoader ground, std::string trackText);

    // The setup of race k of a series, counted from 0.
    static TrackCheck::Setup setup(int race);
    // Races `races` seeds and gathers their figures.
    void run(int races = kRaces);
    const Figures& figures() const { return result; }
    // Every computer driver of every race finished.
    bool computersFinished() const;
    void report(std::ostream& out) const;
    // "novice driver: finished F of 10, race time at most R x the winner's,
    // left the island L times, stuck S s"
    static std::string noviceLine(const Novice& novice);
    // Gathers the figures of one race run to its end, as run() does; for a
    // caller that runs the races itself, a slice at a time.
    void add(unsigned seed, const TrackCheck& check);

private:
    void addNovice(const TrackCheck::CraftResult& r, int winner);

    TrackCheck::GroundLoader ground;
    std::string trackText;
    Figures result;
};
