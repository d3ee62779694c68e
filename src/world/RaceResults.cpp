#include "world/RaceResults.h"

#include <algorithm>

#include "craft/HoverCraft.h"

std::vector<ResultRow> RaceResults::rows(const std::vector<HoverCraft*>& ranking) {
    std::vector<ResultRow> rows;
    for (const HoverCraft* c : ranking) {
        ResultRow r;
        r.colour = c->getColour();
        r.finished = c->isFinished();
        // a finished craft counts no gate after the line, so its last one is the finish
        r.raceTime = c->getLastCheckpointTime();
        r.bestLap = c->getBestLapTime();
        r.player = c->isPlayerCraft();
        rows.push_back(r);
    }
    // finishers first, by their time; the rest keep the ranking's order
    std::stable_sort(rows.begin(), rows.end(), [](const ResultRow& a, const ResultRow& b) {
        if (a.finished != b.finished) return a.finished;
        return a.finished && a.raceTime < b.raceTime;
    });
    for (size_t i = 0; i < rows.size(); ++i) rows[i].place = static_cast<int>(i) + 1;
    return rows;
}
