#include "track/TrackLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <locale>
#include <sstream>

#include "control/AiWaypoint.h"
#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"
#include "objects/Powerup.h"
#include "objects/StaticObject.h"
#include "terrain/Terrain.h"
#include "world/World.h"

namespace {

bool finite(const Vector3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// Ground distance from p to the segment a-b.
double distanceToSegment(const Vector3& p, const Vector3& a, const Vector3& b) {
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double ll = ex * ex + ey * ey;
    double t = ll > 0.0 ? ((p.x - a.x) * ex + (p.y - a.y) * ey) / ll : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = a.x + t * ex - p.x, dy = a.y + t * ey - p.y;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

TrackLayout::TrackLayout(World& w, const std::string& text) : world(w) {
    const std::vector<GameObject*>& objects = world.getPendingObjects();
    const std::vector<int> found = recordLines(text);
    if (found.size() == objects.size())
        for (std::size_t i = 0; i < objects.size(); ++i) lines[objects[i]] = found[i];
}

// Ground coordinates in reports: whole units are enough to find a spot.
std::string TrackLayout::at(const Vector3& p) {
    char text[64];
    std::snprintf(text, sizeof text, "(%.0f, %.0f)", p.x, p.y);
    return text;
}

std::string TrackLayout::whole(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", v);
    return text;
}

std::vector<int> TrackLayout::recordLines(const std::string& text) {
    // The same reads, in the same order, as the track reader, so the n-th
    // object it makes is the n-th line found here.
    std::vector<int> result;
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    int line = 1;
    std::size_t counted = 0;
    char c;
    while (in >> c) {
        if (c == 'E') break;
        if (c != 'S' && c != 'C' && c != 'P' && c != 'W') continue;
        const std::size_t here = static_cast<std::size_t>(in.tellg()) - 1;
        line += static_cast<int>(std::count(text.begin() + counted, text.begin() + here, '\n'));
        counted = here;
        result.push_back(line);
        double d;
        int n;
        bool ok = static_cast<bool>(in >> d) && static_cast<bool>(in >> d) && static_cast<bool>(in >> d);
        if (ok) {
            if (c == 'C')
                ok = static_cast<bool>(in >> d) && static_cast<bool>(in >> n) && static_cast<bool>(in >> d);
            else
                ok = static_cast<bool>(in >> n);
        }
        if (!ok) break;
    }
    return result;
}

int TrackLayout::lineOf(const GameObject* o) const {
    auto it = lines.find(o);
    return it == lines.end() ? 0 : it->second;
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
    checkNumbers(objects);
    checkRoute(objects);
    checkGrid(objects);
    checkPlacement(objects);
    return problems;
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
    for (const GameObject* o : objects) {
        auto* gate = dynamic_cast<const CheckPoint*>(o);
        if (!gate) continue;
        const double reach = gate->getRadius() + HoverCraft::kRadius;
        double nearest = 1.0e300;
        for (int k = 0; k < count; ++k) {
            const Vector3 a = world.getWaypoint(k)->getPosition();
            const Vector3 b = world.getWaypoint((k + 1) % count)->getPosition();
            nearest = std::min(nearest, distanceToSegment(gate->getPosition(), a, b));
        }
        if (nearest >= reach)
            addProblem(gate,
                       name(gate) + ": the drivers' route passes no nearer than " + whole(nearest) +
                           " units, but a craft must come within " + whole(reach) +
                           "; place a waypoint in the gate or move the gate onto the route");
    }
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
        if (!(p.x >= 0 && p.y >= 0 && p.x <= HoverCraft::kTrackSize && p.y <= HoverCraft::kTrackSize)) {
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
        if (!finite(p)) {
            addProblem(o, name(o) + ": its position is not a number; delete it (D) and place it again");
            continue;
        }
        if (p.x < 0 || p.y < 0 || p.x > HoverCraft::kTrackSize || p.y > HoverCraft::kTrackSize) {
            addProblem(o,
                       name(o) + ": outside the track area (0 to " + whole(HoverCraft::kTrackSize) +
                           "), where no craft can go; move it inside");
            continue;
        }
        const double across = p.x - p.y;
        const double up = (p.x + p.y) / 2 + p.z;
        const double low = World::kMapOriginY - World::kMapHeight;
        if (!(across >= -World::kMapOriginX && across < World::kMapWidth - World::kMapOriginX && up > low &&
              up <= World::kMapOriginY))
            addProblem(o,
                       name(o) + ": off the map picture, so it is never drawn; move it further from the track's "
                                 "edge");
        const bool gate = dynamic_cast<const CheckPoint*>(o) != nullptr;
        if (gate || dynamic_cast<const Powerup*>(o)) {
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

