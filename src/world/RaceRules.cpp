#include "world/RaceRules.h"

#include <algorithm>

#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"

void RaceRules::enter(HoverCraft* craft) {
    grid.push_back(craft);
    records.emplace_back();
    order.push_back(craft);
}

void RaceRules::clear() {
    grid.clear();
    records.clear();
    order.clear();
}

std::size_t RaceRules::indexOf(const HoverCraft& craft) const {
    std::size_t i = 0;
    while (i < grid.size() && grid[i] != &craft) ++i;
    return i;
}

RaceRecord* RaceRules::find(const HoverCraft& craft) {
    const std::size_t i = indexOf(craft);
    return i < records.size() ? &records[i] : nullptr;
}

const RaceRecord& RaceRules::of(const HoverCraft& craft) const {
    static const RaceRecord blank;
    const std::size_t i = indexOf(craft);
    return i < records.size() ? records[i] : blank;
}

RaceRules::Passage RaceRules::gateTouched(HoverCraft& craft, const CheckPoint& gate, int clock, int gates, int laps) {
    RaceRecord* r = find(craft);
    if (!r) return Passage::None;
    const Vector3 at = craft.getPosition();
    if (dot(at - gate.getPosition(), gate.getDirection()) < 0) return Passage::None;
    if (r->finished) return Passage::None;
    if (gate.getNumber() != r->nextCheckpoint) {
        // through a gate out of turn: told once, on the step that crosses its
        // line; the gate just passed, crossed again after a bounce, is no news
        const bool missed = gate.getNumber() != r->lastCheckpoint && gate.crossedForward(craft.getPreviousPosition(), at);
        return missed ? Passage::Missed : Passage::None;
    }
    r->lastCheckpointTime = clock;
    r->lastCheckpoint = r->nextCheckpoint;
    craft.setResetPosition(at);
    Passage passage = Passage::Gate;
    if (r->nextCheckpoint == 0) {
        r->laps += 1;
        if (r->laps > 1) {
            r->lastLapTime = clock - r->lapStartTime;
            if (r->bestLapTime < 0 || r->lastLapTime < r->bestLapTime) r->bestLapTime = r->lastLapTime;
        }
        r->lapStartTime = clock;
        if (r->laps > laps) r->finished = true;
        passage = r->finished ? Passage::Finish : Passage::Lap;
    }
    // the count is at least 1 whenever a gate exists; never divide by less
    r->nextCheckpoint = (r->nextCheckpoint + 1) % (gates > 0 ? gates : 1);
    return passage;
}

void RaceRules::leftTheIsland(const HoverCraft& craft) {
    if (RaceRecord* r = find(craft)) ++r->timesOutOfBounds;
}

void RaceRules::rank() {
    std::stable_sort(order.begin(), order.end(), [this](const HoverCraft* a, const HoverCraft* b) {
        const RaceRecord &x = of(*a), &y = of(*b);
        if (x.laps != y.laps) return x.laps > y.laps;
        if (x.lastCheckpoint != y.lastCheckpoint) return x.lastCheckpoint > y.lastCheckpoint;
        return x.lastCheckpointTime < y.lastCheckpointTime;
    });
    for (std::size_t i = 0; i < order.size(); ++i) find(*order[i])->place = static_cast<int>(i) + 1;
}
