#pragma once
#include <string>

#include "check/TrackCheck.h"

class TrackLayout;
class World;

// What the check's report says of a craft that did not finish its race: how
// far it got (its lap, the last gate it passed and its line, the next), what
// its driver headed for, and where it stood stuck with what may hold it
// there (a steep slope, water, scenery beside it), each with the record line
// to look at.
class UnfinishedCraft {
public:
    // A slope pulling this share of a craft's full thrust all but stops it
    // climbing; a driver that overshoots its waypoint there never gets back.
    static constexpr double kSteepShare = 0.9;

    // `world` raced the craft of `r`, whose next gate is `nextGate`, from the
    // race clock `raceStart`; `layout` gives the lines of its objects.
    UnfinishedCraft(World& world, const TrackLayout& layout, int raceStart)
        : world(world), layout(layout), raceStart(raceStart) {}

    // "craft 2 did not finish: on lap 1 of 3, last gate passed 11 (line 12), ..."
    std::string describe(const TrackCheck::CraftResult& r, int nextGate) const;
    // " (the faster driver)" after a craft's number; nothing for a computer driver.
    static const char* seatName(TrackCheck::Seat seat);

private:
    std::string progress(const TrackCheck::CraftResult& r, int nextGate) const;
    std::string heading(const TrackCheck::CraftResult& r) const;
    std::string hold(const Vector3& at) const;

    World& world;
    const TrackLayout& layout;
    int raceStart;
};
