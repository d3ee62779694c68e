#include "check/TrackLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "check/RouteGrid.h"
#include "craft/HoverCraft.h"
#include "objects/AiWaypoint.h"
#include "objects/CheckPoint.h"
#include "objects/Powerup.h"
#include "objects/StaticObject.h"
#include "terrain/Terrain.h"
#include "view/RaceView.h"
#include "world/World.h"

namespace {

// Half the island's width: a gate wider than the island is a slip.
constexpr double kWidestGate = HoverCraft::kTrackSize / 2;

// A gate is sound when a craft can pass it and it fits on the island.
bool soundRadius(double r) { return r > 0.0 && r <= kWidestGate; }

// Radii as the file writes them: "-184", "0.5", "1e+300".
std::string radiusText(double r) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", r);
    return text;
}

}  // namespace

TrackLayout::TrackLayout(World& w, const std::string& text) : world(w) {
    records = TrackFile::scan(text, &broke);
    const std::vector<GameObject*>& objects = world.getPendingObjects();
    if (records.size() == objects.size())
        for (std::size_t i = 0; i < objects.size(); ++i) recordOf[objects[i]] = i;
}

// Ground coordinates in reports: whole units are enough to find a spot.
std::string TrackLayout::at(const Vector3& p) { return "(" + whole(p.x) + ", " + whole(p.y) + ")"; }

std::string TrackLayout::whole(double v) {
    // far beyond the island a number needs only its size, not its 300 digits
    char text[32];
    std::snprintf(text, sizeof text, std::fabs(v) < kLongestWhole ? "%.0f" : "%.3g", v);
    return text;
}

std::string TrackLayout::tenths(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

int TrackLayout::lineOf(const GameObject* o) const {
    auto it = recordOf.find(o);
    return it == recordOf.end() ? 0 : records[it->second].line;
}

std::string TrackLayout::name(const GameObject* o) const {
    std::string kind = "object";
    if (auto* c = dynamic_cast<const CheckPoint*>(o))
        kind = "checkpoint " + std::to_string(c->getNumber());
    else if (auto* w = dynamic_cast<const AiWaypoint*>(o))
        kind = "waypoint " + std::to_string(w->getNumber());
    else if (auto* p = dynamic_cast<const Powerup*>(o))
        kind = "powerup of kind " + std::to_string(p->getKind());
    else if (auto* s = dynamic_cast<const StaticObject*>(o))
        kind = "scenery of kind " + std::to_string(s->getKind());
    return kind + " at " + at(o->getPosition());
}

void TrackLayout::addProblem(const GameObject* o, const std::string& text) {
    TrackProblem p;
    p.line = o ? lineOf(o) : 0;
    p.text = text;
    problems.push_back(p);
}

std::vector<TrackProblem> TrackLayout::check() {
    problems.clear();
    // the reader's objects, in file order, before the race adds its craft
    const std::vector<GameObject*> objects = world.getPendingObjects();
    checkFile();
    checkGround(objects);
    checkNumbers(objects);
    checkRadii(objects);
    checkRoute(objects);
    checkGrid(objects);
    checkPlacement(objects);
    return problems;
}

void TrackLayout::checkFile() {
    if (broke.line == 0) return;
    TrackProblem p;
    p.line = broke.line;
    p.text = "the track file breaks off here: expected " + broke.expected + ", found " + broke.found +
             "; nothing after it is read, so mend this line or save the track again from the editor";
    problems.push_back(p);
}

void TrackLayout::checkGround(const std::vector<GameObject*>& objects) {
    // the z written in the file is the height of the ground the track was
    // made on; the reader puts waypoints on this ground, gates keep their z
    Terrain& terrain = world.getTerrain();
    int placed = 0, off = 0;
    for (const GameObject* o : objects) {
        if (!dynamic_cast<const CheckPoint*>(o) && !dynamic_cast<const AiWaypoint*>(o)) continue;
        auto it = recordOf.find(o);
        if (it == recordOf.end() || !records[it->second].complete) continue;
        const Vector3 p = records[it->second].position;
        if (!isFinite(p) || !HoverCraft::withinTrackArea(p))
            continue;
        ++placed;
        if (std::fabs(p.z - terrain.heightAt(Vector2(p.x, p.y))) > kFarOffGround) ++off;
    }
    if (off == 0) return;
    addProblem(nullptr, std::to_string(off) + " of the " + std::to_string(placed) +
                            " gates and waypoints " + (off == 1 ? "was" : "were") + " placed more than " +
                            whole(kFarOffGround) +
                            " above or below this ground: was the track made on another ground? Check it on the "
                            "ground it was made on (the N of e N), and race it as that track");
}

void TrackLayout::checkRadii(const std::vector<GameObject*>& objects) {
    for (const GameObject* o : objects) {
        auto* gate = dynamic_cast<const CheckPoint*>(o);
        if (!gate || soundRadius(gate->getRadius())) continue;
        const double r = gate->getRadius();
        if (std::isnan(r))
            addProblem(gate, name(gate) + ": its radius is not a number; delete it (D) and place it again (C)");
        else if (r <= 0.0)
            addProblem(gate, name(gate) + ": its radius is " + radiusText(r) +
                                 ", and a gate needs a radius above 0 for a craft to pass it; widen it with = (a "
                                 "new gate has " + radiusText(CheckPoint::kDefaultRadius) + ")");
        else
            addProblem(gate, name(gate) + ": its radius " + radiusText(r) + " makes it wider than the island (" +
                                 whole(HoverCraft::kTrackSize) + " across); narrow it with -, or delete it (D) and "
                                 "place a new gate (C)");
    }
}

void TrackLayout::checkNumbers(const std::vector<GameObject*>& objects) {
    std::map<int, std::vector<const CheckPoint*>> gates;
    for (const GameObject* o : objects)
        if (auto* c = dynamic_cast<const CheckPoint*>(o)) gates[c->getNumber()].push_back(c);

    if (gates.find(0) == gates.end())
        addProblem(nullptr,
                   gates.empty() ? "no checkpoints: place gate 0 (C) across the start line, then the other gates in "
                                   "driving order"
                                 : "no checkpoint 0: the race has no start line; place gate 0 (C) across the start "
                                   "line or lower the first gate's number with Page Down");
    for (const auto& entry : gates) {
        if (entry.first < 0)
            addProblem(entry.second.front(),
                       name(entry.second.front()) + ": a negative number is never reached; renumber it with Page Up");
        if (entry.second.size() > 1)
            for (std::size_t i = 1; i < entry.second.size(); ++i)
                addProblem(entry.second[i],
                           name(entry.second[i]) + ": a second gate numbered " + std::to_string(entry.first) +
                               (lineOf(entry.second.front()) ? " (the first is on line " +
                                                                    std::to_string(lineOf(entry.second.front())) + ")"
                                                              : "") +
                               "; either one counts, so give it a number of its own or delete it (D)");
    }
    const auto numbered = static_cast<int>(std::count_if(gates.begin(), gates.end(), [](const auto& e) { return e.first >= 0; }));
    if (numbered > 0 && numbered < kFewestGates)
        addProblem(nullptr, "only " + std::to_string(numbered) + (numbered == 1 ? " gate" : " gates") +
                                ": a lap needs at least " + std::to_string(kFewestGates) +
                                " round the course, or a craft counts laps by going back and forth over the start "
                                "line; place more gates (C) in driving order");
    int previous = -1;
    for (const auto& entry : gates) {
        if (entry.first < 0) continue;
        if (previous >= 0 && entry.first > previous + 1)
            addProblem(entry.second.front(),
                       name(entry.second.front()) + ": gates jump from " + std::to_string(previous) + " to " +
                           std::to_string(entry.first) + "; no craft can finish a lap: renumber it " +
                           std::to_string(previous + 1) + " (Page Down) or add gate " + std::to_string(previous + 1));
        previous = entry.first;
    }

    const int count = world.getWaypointCount();
    if (count == 0) {
        addProblem(nullptr,
                   "no waypoints: the computer drivers have no route; place waypoints (W) in driving order through "
                   "every gate");
        return;
    }
    for (int k = 0; k < count; ++k) {
        const AiWaypoint* w = world.getWaypoint(k);
        if (w->getNumber() != k)
            addProblem(w,
                       name(w) + ": it stands at place " + std::to_string(k) +
                           " of the route (counting from 0 in file order), so its number must be " + std::to_string(k) +
                           "; the drivers wait for ever for a number out of order (renumber it with Page Up / Page "
                           "Down)");
    }
}

void TrackLayout::checkRoute(const std::vector<GameObject*>& objects) {
    const int count = world.getWaypointCount();
    if (count == 0) return;
    std::vector<Vector3> route;
    route.reserve(count);
    for (int k = 0; k < count; ++k) route.push_back(world.getWaypoint(k)->getPosition());
    RouteGrid grid(route, HoverCraft::kTrackSize, kWidestGate + HoverCraft::kRadius + kRouteSearch);
    for (const GameObject* o : objects) {
        auto* gate = dynamic_cast<const CheckPoint*>(o);
        // gates off the area or of no sound width have their own problems
        if (!gate || !soundRadius(gate->getRadius())) continue;
        const Vector3 p = gate->getPosition();
        if (!isFinite(p) || !HoverCraft::withinTrackArea(p))
            continue;
        const double reach = gate->getRadius() + HoverCraft::kRadius;
        const double nearest = grid.nearest(p, reach + kRouteSearch, reach);
        if (nearest >= reach)
            addProblem(gate,
                       name(gate) + ": the drivers' route passes no nearer than " + whole(nearest) +
                           " units, but a craft must come within " + whole(reach) +
                           "; place a waypoint in the gate or move the gate onto the route");
    }
    routeWork += grid.getWork();
}

void TrackLayout::checkGrid(const std::vector<GameObject*>& objects) {
    const CheckPoint* gate = nullptr;
    for (const GameObject* o : objects) {
        auto* c = dynamic_cast<const CheckPoint*>(o);
        if (c && c->getNumber() == 0) {
            gate = c;
            break;
        }
    }
    if (!gate) return;
    Terrain& terrain = world.getTerrain();
    // the grid of the race start: single file behind gate 0, alternately to each side
    const Vector3 f = gate->getDirection();
    Vector3 g = gate->getPosition() - f * World::kGridSpacing;
    Vector3 side = Vector3(f.y, -f.x, 0.0) * World::kGridSide;
    for (int i = 0; i < World::kCraftCount; ++i) {
        Vector3 p = g + side;
        const std::string place = "grid place " + std::to_string(i + 1) + " at " + at(p) + " behind gate 0";
        const std::string fix = "; move gate 0 or turn it (Left Shift with = or -) so the grid stands on open ground";
        if (!HoverCraft::withinTrackArea(p)) {
            addProblem(gate,
                       place + " is outside the track area (0 to " + whole(HoverCraft::kTrackSize) + ")" + fix);
        } else {
            p.z = terrain.heightAt(Vector2(p.x, p.y));
            if (terrain.isWater(Vector2(p.x, p.y))) addProblem(gate, place + " is in water" + fix);
            for (const GameObject* o : objects) {
                if (!dynamic_cast<const StaticObject*>(o)) continue;
                const double reach = o->getRadius() + HoverCraft::kRadius;
                if (lengthSquared(o->getPosition() - p) < reach * reach) {
                    const int line = lineOf(o);
                    addProblem(gate,
                               place + " is in scenery (" + name(o) +
                                   (line ? ", line " + std::to_string(line) : std::string()) + ")" + fix +
                                   ", or move the scenery");
                }
            }
        }
        side = -side;
        g = g - f * World::kGridSpacing;
    }
}

void TrackLayout::checkPlacement(const std::vector<GameObject*>& objects) {
    Terrain& terrain = world.getTerrain();
    for (const GameObject* o : objects) {
        const Vector3 p = o->getPosition();
        if (!isFinite(p)) {
            addProblem(o, name(o) + ": its position is not a number; delete it (D) and place it again");
            continue;
        }
        if (!HoverCraft::withinTrackArea(p)) {
            addProblem(o,
                       name(o) + ": outside the track area (0 to " + whole(HoverCraft::kTrackSize) +
                           "), where no craft can go; move it inside");
            continue;
        }
        const double across = p.x - p.y;
        const double up = (p.x + p.y) / 2 + p.z;
        const double low = RaceView::kMapOriginY - RaceView::kMapHeight;
        if (!(across >= -RaceView::kMapOriginX && across < RaceView::kMapWidth - RaceView::kMapOriginX && up > low &&
              up <= RaceView::kMapOriginY))
            addProblem(o,
                       name(o) + ": off the map picture, so it is never drawn; move it further from the track's "
                                 "edge");
        const bool gate = dynamic_cast<const CheckPoint*>(o) != nullptr;
        if ((gate && soundRadius(o->getRadius())) || dynamic_cast<const Powerup*>(o)) {
            const double h = terrain.heightAt(Vector2(p.x, p.y));
            const double off = p.z - h;
            if (std::fabs(off) > o->getRadius())
                addProblem(o,
                           name(o) + ": stands " + whole(std::fabs(off)) + (off > 0 ? " above" : " below") +
                               " the ground, more than its radius " + whole(o->getRadius()) +
                               ", so no craft touches it; set its z to the ground height " + whole(h) +
                               " (Home in the editor)");
        }
    }
}

