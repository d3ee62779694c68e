#include "check/UnfinishedCraft.h"

#include <cmath>

#include "check/RouteLengthAndPull.h"
#include "check/TrackLayout.h"
#include "craft/HoverCraft.h"
#include "objects/AiWaypoint.h"
#include "objects/CheckPoint.h"
#include "objects/StaticObject.h"
#include "world/World.h"

namespace {

std::string lineNote(int line) { return line ? " (line " + std::to_string(line) + ")" : ""; }

}  // namespace

const char* UnfinishedCraft::seatName(TrackCheck::Seat seat) {
    switch (seat) {
        case TrackCheck::Seat::Idle: return " (idle on the grid)";
        case TrackCheck::Seat::Faster: return " (the faster driver)";
        case TrackCheck::Seat::Novice: return " (the novice driver)";
        default: return "";
    }
}

std::string UnfinishedCraft::describe(const TrackCheck::CraftResult& r, int nextGate) const {
    std::string text = "craft " + std::to_string(r.number) + seatName(r.driver) + " did not finish: ";
    if (!r.finite) return text + "its position or speed stopped being a number near " + TrackLayout::at(r.position);
    text += progress(r, nextGate) + heading(r);
    text += "; stuck near " + TrackLayout::at(r.position) + ", no gate passed after " +
            TrackCheck::formatTime(r.lastProgressTime - raceStart);
    return text + hold(r.position);
}

std::string UnfinishedCraft::progress(const TrackCheck::CraftResult& r, int nextGate) const {
    std::string text = r.laps == 0 ? "it never reached the start line"
                                   : "on lap " + std::to_string(r.laps) + " of " + std::to_string(World::kLaps);
    if (r.lastCheckpoint >= 0) {
        text += ", last gate passed " + std::to_string(r.lastCheckpoint);
        if (const CheckPoint* c = world.gateNumbered(r.lastCheckpoint)) text += lineNote(layout.lineOf(c));
    } else {
        text += ", no gate passed";
    }
    return text + ", next gate " + std::to_string(nextGate);
}

std::string UnfinishedCraft::heading(const TrackCheck::CraftResult& r) const {
    const int count = world.getWaypointCount();
    if (count <= 0 || r.targetWaypoint >= count) return ", no waypoint to head for";
    const AiWaypoint* w = world.getWaypoint(r.targetWaypoint);
    std::string text = ", heading for waypoint " + std::to_string(r.targetWaypoint) + " of the route";
    if (w->getNumber() != r.targetWaypoint) text += " (numbered " + std::to_string(w->getNumber()) + ")";
    return text + " at " + TrackLayout::at(w->getPosition()) + lineNote(layout.lineOf(w));
}

std::string UnfinishedCraft::hold(const Vector3& at) const {
    // the ground's pull against full thrust, water, scenery
    std::string text;
    const Terrain& terrain = world.getTerrain();
    const double pull = RouteLengthAndPull::pullAt(terrain, at.x, at.y);
    if (pull >= kSteepShare * HoverCraft::kThrust)
        text += ", on a slope that pulls " + TrackLayout::whole(pull) + " against a full thrust of " +
                TrackLayout::whole(HoverCraft::kThrust) + ": keep the route off ground this steep";
    if (terrain.isWater(Vector2(at.x, at.y))) text += ", in water";
    // scenery it may be caught on
    const GameObject* nearest = nullptr;
    double best = 1.0e300;
    for (const GameObject* o : world.getObjects()) {
        if (!dynamic_cast<const StaticObject*>(o)) continue;
        const double d = lengthSquared(o->getPosition() - at);
        if (d < best) {
            best = d;
            nearest = o;
        }
    }
    if (nearest && std::sqrt(best) < nearest->getRadius() + 2 * HoverCraft::kRadius)
        text += ", against " + layout.name(nearest) + lineNote(layout.lineOf(nearest));
    return text;
}
