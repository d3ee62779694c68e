#pragma once
#include <map>
#include <string>
#include <vector>

#include "check/TrackCheck.h"
#include "math/Vector3.h"
#include "track/TrackFile.h"

// What the seeded series shows of a track that its author cannot see on the
// map: computer drivers that miss waypoints and turn back for them, a
// slowest finisher far behind the winner, a driver held in one spot. These
// are judged in the races of computer drivers alone (the player's place
// raced by one, or idle on the grid): any other driver in the player's place
// overshoots or dawdles by design and bumps the rest; of those races only
// the player's place not getting round is told. Each warning names the
// record lines to look at and what to do; none stops a track being raced.
class SeriesWarnings {
public:
    // The shipped tracks' slowest finishers come within a few per cent of
    // the winner; a bump in the pack off the line costs up to about a tenth.
    static constexpr double kFarBehind = 0.15;
    // Races in which a driver turns back for a waypoint, at most one in this
    // many, are a bump in the pack, not the route's fault.
    static constexpr int kBumpsEvery = 10;
    // Longer than a frozen craft or one put back on the track stands still.
    static constexpr int kStandTime = 15000;  // ms
    // The waypoints a warning names, the most missed first.
    static constexpr int kMostNamed = 3;
    // Scenery this near a standing craft is named as what may hold it.
    static constexpr double kSceneryNear = 60.0;

    explicit SeriesWarnings(const std::string& trackText);

    // One race of the series, run to its end; races with another driver in
    // the player's place are left out.
    void add(unsigned seed, const TrackCheck& check);
    // The same from the race's figures: its craft, the winner's time (ms)
    // and the problems it named.
    void add(unsigned seed, const std::vector<TrackCheck::CraftResult>& results, int winner,
             const std::vector<TrackCheck::Problem>& problems);
    int judgedRaces() const { return races; }
    // One line each, the most telling first; empty for a track the computer
    // drivers race cleanly.
    std::vector<std::string> warnings() const;

private:
    std::string missedWarning() const;
    std::string standWarning() const;
    std::string behindWarning() const;
    void addOtherDriver(unsigned seed, const std::vector<TrackCheck::CraftResult>& results,
                        const std::vector<TrackCheck::Problem>& problems);
    // "waypoint 5 (line 23)": a place in the route, with its record's line.
    std::string waypointName(int place) const;

    std::vector<TrackFile::Record> records;
    std::vector<int> waypointLines;  // by place in the route
    int races = 0;
    int misses = 0;
    int racesWithMisses = 0;
    std::map<int, int> missedAt;
    double widest = 0.0;
    unsigned widestSeed = 0;
    int widestCraft = 0;
    struct Stand {
        int time = 0;  // ms
        Vector3 position;
        int target = -1;
        unsigned seed = 0;
        int craft = 0;
    };
    Stand longest;
    int longStands = 0;
    // races with another driver in the player's place, by kind of driver
    struct OtherDriver {
        int races = 0;
        int unfinished = 0;
        std::string first;  // "seed 9: craft 4 (the faster driver) did not finish: ..."
    };
    std::map<int, OtherDriver> others;
};
