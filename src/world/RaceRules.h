#pragma once
#include <cstddef>
#include <vector>

#include "world/RaceRecord.h"

class CheckPoint;
class HoverCraft;

// The rules of a race for its craft: the grid order they entered in, a record
// of each, the gates each must pass in number order (only from the side a
// gate faces) to count a lap, the laps to finish, and the ranking.
class RaceRules {
public:
    // What touching a gate meant for a craft: nothing, a gate out of turn
    // crossed (the one it still needs is its record's next), the next gate,
    // a lap begun, the finish.
    enum class Passage { None, Missed, Gate, Lap, Finish };

    // `craft` joins the race at the back of the grid, with a fresh record.
    void enter(HoverCraft* craft);
    void clear();
    // Best placed first, as the last rank() left them.
    const std::vector<HoverCraft*>& ranking() const { return order; }
    // The record of a craft of the race; a blank one for any other.
    const RaceRecord& of(const HoverCraft& craft) const;

    // `craft` touches `gate` at race clock `clock`, in a race of `gates`
    // gates and `laps` laps. A gate in turn moves the craft's reset point
    // to where it passed it.
    Passage gateTouched(HoverCraft& craft, const CheckPoint& gate, int clock, int gates, int laps);
    void leftTheIsland(const HoverCraft& craft);
    // More laps first, then the later gate, then the earlier time there; ties
    // keep the order they had. Each craft's record gets its place.
    void rank();

private:
    // The craft's place in the grid order; the grid's size for any other.
    std::size_t indexOf(const HoverCraft& craft) const;
    RaceRecord* find(const HoverCraft& craft);

    std::vector<HoverCraft*> grid;
    std::vector<RaceRecord> records;  // in grid order
    std::vector<HoverCraft*> order;
};
