#include "world/RaceResults.h"

#include "craft/HoverCraft.h"

std::vector<ResultRow> RaceResults::rows(const std::vector<HoverCraft*>& ranking) {
    // The ranking is the finishing order already: a finished craft has one lap
    // more than any craft still racing, and finished craft, all last past the
    // start line, stand in the order of the clock there.
    std::vector<ResultRow> rows;
    for (const HoverCraft* c : ranking) {
        ResultRow r;
        r.place = static_cast<int>(rows.size()) + 1;
        r.colour = c->getColour();
        r.finished = c->isFinished();
        // a finished craft counts no gate after the line, so its last one is the finish
        r.raceTime = c->getLastCheckpointTime();
        r.bestLap = c->getBestLapTime();
        r.player = c->isPlayerCraft();
        rows.push_back(r);
    }
    return rows;
}
