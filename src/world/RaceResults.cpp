#include "world/RaceResults.h"

#include "craft/HoverCraft.h"
#include "world/World.h"

std::vector<ResultRow> RaceResults::rows(const World& world) {
    // The ranking is the finishing order already: a finished craft has one lap
    // more than any craft still racing, and finished craft, all last past the
    // start line, stand in the order of the clock there.
    std::vector<ResultRow> rows;
    for (const HoverCraft* c : world.getCraftList()) {
        const RaceRecord& record = world.recordOf(*c);
        ResultRow r;
        r.place = static_cast<int>(rows.size()) + 1;
        r.colour = c->getColour();
        r.finished = record.finished;
        // a finished craft counts no gate after the line, so its last one is the finish
        r.raceTime = record.lastCheckpointTime;
        r.bestLap = record.bestLapTime;
        r.player = c->isPlayerCraft();
        rows.push_back(r);
    }
    return rows;
}
