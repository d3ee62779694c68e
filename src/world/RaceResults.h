#pragma once
#include <vector>

class World;

// One line of the results.
struct ResultRow {
    int place = 0;
    int colour = 0;
    bool finished = false;
    // the race clock when the craft finished, in ms; meaningless while racing
    int raceTime = 0;
    // the craft's best lap in ms; -1 before its first whole lap
    int bestLap = -1;
    bool player = false;

    bool operator==(const ResultRow& o) const {
        return place == o.place && colour == o.colour && finished == o.finished && raceTime == o.raceTime &&
               bestLap == o.bestLap && player == o.player;
    }
};

// The results of a race as they stand: the craft that have finished, in the
// order the race clock saw them finish, then those still on the course in
// their race order.
class RaceResults {
public:
    // The craft of `world`, best placed first.
    static std::vector<ResultRow> rows(const World& world);
};
