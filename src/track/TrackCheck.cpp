#include "track/TrackCheck.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <locale>
#include <sstream>

#include "control/AiController.h"
#include "control/AiWaypoint.h"
#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"
#include "objects/Powerup.h"
#include "objects/StaticObject.h"
#include "terrain/Terrain.h"
#include "track/TrackFile.h"
#include "world/World.h"

namespace {

// Ground coordinates in reports: whole units are enough to find a spot.
std::string at(const Vector3& p) {
    char text[64];
    std::snprintf(text, sizeof text, "(%.0f, %.0f)", p.x, p.y);
    return text;
}

std::string whole(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", v);
    return text;
}

// A slope pulling this share of a craft's full thrust all but stops it
// climbing; a driver that overshoots its waypoint there never gets back.
constexpr double kSteepShare = 0.9;

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

const char* ordinal(int place) {
    switch (place) {
        case 1: return "1st";
        case 2: return "2nd";
        case 3: return "3rd";
        default: return "4th";
    }
}

}  // namespace

std::string TrackCheck::Problem::describe() const {
    return line > 0 ? "line " + std::to_string(line) + ": " + text : text;
}

TrackCheck::TrackCheck(GroundLoader g, std::string text) : ground(std::move(g)), trackText(std::move(text)) {}

TrackCheck::~TrackCheck() = default;

TrackCheck::GroundLoader TrackCheck::trackGround(int track) {
    return [track](Terrain& t) { t.load(track); };
}

TrackCheck::GroundLoader TrackCheck::copyGround(const Terrain& source) {
    return [&source](Terrain& t) {
        std::vector<unsigned char> bytes(Terrain::kHeightmapBytes);
        for (int i = 0; i < Terrain::GRID_SIZE; ++i) {
            for (int j = 0; j < Terrain::GRID_SIZE; ++j) {
                const double h = std::clamp(source.sampleHeight(i, j), 0.0, 255.0);
                bytes[j * Terrain::GRID_SIZE + i] = static_cast<unsigned char>(std::lround(h));
            }
        }
        t.setGround(bytes.data(), source.getTexture());
    };
}

std::vector<int> TrackCheck::recordLines(const std::string& text) {
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

int TrackCheck::lineOf(const GameObject* o) const {
    auto it = lines.find(o);
    return it == lines.end() ? 0 : it->second;
}

std::string TrackCheck::name(const GameObject* o) const {
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

void TrackCheck::addProblem(std::vector<Problem>& list, const GameObject* o, const std::string& text) {
    Problem p;
    p.line = o ? lineOf(o) : 0;
    p.text = text;
    list.push_back(p);
}

void TrackCheck::prepare() {
    if (prepared) return;
    prepared = true;
    world = std::make_unique<World>(false);
    world->setPlayMusic(false);
    ground(world->getTerrain());
    world->setCheckpointCount(0);
    std::istringstream in(trackText);
    TrackFile::read(*world, in);
    const std::vector<GameObject*>& objects = world->getPendingObjects();
    const std::vector<int> found = recordLines(trackText);
    if (found.size() == objects.size())
        for (std::size_t i = 0; i < objects.size(); ++i) lines[objects[i]] = found[i];
    checkLayout();
    problems = layoutProblems;
}

void TrackCheck::checkLayout() {
    // the reader's objects, in file order, before the race adds its craft
    const std::vector<GameObject*> objects = world->getPendingObjects();
    checkNumbers(objects);
    checkRoute(objects);
    checkGrid(objects);
    checkPlacement(objects);
}

void TrackCheck::checkNumbers(const std::vector<GameObject*>& objects) {
    std::map<int, std::vector<const CheckPoint*>> gates;
    for (const GameObject* o : objects)
        if (auto* c = dynamic_cast<const CheckPoint*>(o)) gates[c->getNumber()].push_back(c);

    if (gates.find(0) == gates.end())
        addProblem(layoutProblems, nullptr,
                   gates.empty() ? "no checkpoints: place gate 0 (C) across the start line, then the other gates in "
                                   "driving order"
                                 : "no checkpoint 0: the race has no start line; place gate 0 (C) across the start "
                                   "line or lower the first gate's number with Page Down");
    for (const auto& entry : gates) {
        if (entry.first < 0)
            addProblem(layoutProblems, entry.second.front(),
                       name(entry.second.front()) + ": a negative number is never reached; renumber it with Page Up");
        if (entry.second.size() > 1)
            for (std::size_t i = 1; i < entry.second.size(); ++i)
                addProblem(layoutProblems, entry.second[i],
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
            addProblem(layoutProblems, entry.second.front(),
                       name(entry.second.front()) + ": gates jump from " + std::to_string(previous) + " to " +
                           std::to_string(entry.first) + "; no craft can finish a lap: renumber it " +
                           std::to_string(previous + 1) + " (Page Down) or add gate " + std::to_string(previous + 1));
        previous = entry.first;
    }

    const int count = world->getWaypointCount();
    if (count == 0) {
        addProblem(layoutProblems, nullptr,
                   "no waypoints: the computer drivers have no route; place waypoints (W) in driving order through "
                   "every gate");
        return;
    }
    for (int k = 0; k < count; ++k) {
        const AiWaypoint* w = world->getWaypoint(k);
        if (w->getNumber() != k)
            addProblem(layoutProblems, w,
                       name(w) + ": it stands at place " + std::to_string(k) +
                           " of the route (counting from 0 in file order), so its number must be " + std::to_string(k) +
                           "; the drivers wait for ever for a number out of order (renumber it with Page Up / Page "
                           "Down)");
    }
}

void TrackCheck::checkRoute(const std::vector<GameObject*>& objects) {
    const int count = world->getWaypointCount();
    if (count == 0) return;
    for (const GameObject* o : objects) {
        auto* gate = dynamic_cast<const CheckPoint*>(o);
        if (!gate) continue;
        const double reach = gate->getRadius() + HoverCraft::kRadius;
        double nearest = 1.0e300;
        for (int k = 0; k < count; ++k) {
            const Vector3 a = world->getWaypoint(k)->getPosition();
            const Vector3 b = world->getWaypoint((k + 1) % count)->getPosition();
            nearest = std::min(nearest, distanceToSegment(gate->getPosition(), a, b));
        }
        if (nearest >= reach)
            addProblem(layoutProblems, gate,
                       name(gate) + ": the drivers' route passes no nearer than " + whole(nearest) +
                           " units, but a craft must come within " + whole(reach) +
                           "; place a waypoint in the gate or move the gate onto the route");
    }
}

void TrackCheck::checkGrid(const std::vector<GameObject*>& objects) {
    const CheckPoint* gate = nullptr;
    for (const GameObject* o : objects) {
        auto* c = dynamic_cast<const CheckPoint*>(o);
        if (c && c->getNumber() == 0) {
            gate = c;
            break;
        }
    }
    if (!gate) return;
    Terrain& terrain = world->getTerrain();
    // the grid of the race start: single file behind gate 0, alternately to each side
    const Vector3 f = gate->getDirection();
    Vector3 g = gate->getPosition() - f * World::kGridSpacing;
    Vector3 side = Vector3(f.y, -f.x, 0.0) * World::kGridSide;
    for (int i = 0; i < World::kCraftCount; ++i) {
        Vector3 p = g + side;
        const std::string place = "grid place " + std::to_string(i + 1) + " at " + at(p) + " behind gate 0";
        const std::string fix = "; move gate 0 or turn it (Left Shift with = or -) so the grid stands on open ground";
        if (!(p.x >= 0 && p.y >= 0 && p.x <= HoverCraft::kTrackSize && p.y <= HoverCraft::kTrackSize)) {
            addProblem(layoutProblems, gate,
                       place + " is outside the track area (0 to " + whole(HoverCraft::kTrackSize) + ")" + fix);
        } else {
            p.z = terrain.heightAt(Vector2(p.x, p.y));
            if (terrain.isWater(Vector2(p.x, p.y))) addProblem(layoutProblems, gate, place + " is in water" + fix);
            for (const GameObject* o : objects) {
                if (!dynamic_cast<const StaticObject*>(o)) continue;
                const double reach = o->getRadius() + HoverCraft::kRadius;
                if (lengthSquared(o->getPosition() - p) < reach * reach) {
                    const int line = lineOf(o);
                    addProblem(layoutProblems, gate,
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

void TrackCheck::checkPlacement(const std::vector<GameObject*>& objects) {
    Terrain& terrain = world->getTerrain();
    for (const GameObject* o : objects) {
        const Vector3 p = o->getPosition();
        if (!finite(p)) {
            addProblem(layoutProblems, o, name(o) + ": its position is not a number; delete it (D) and place it again");
            continue;
        }
        if (p.x < 0 || p.y < 0 || p.x > HoverCraft::kTrackSize || p.y > HoverCraft::kTrackSize) {
            addProblem(layoutProblems, o,
                       name(o) + ": outside the track area (0 to " + whole(HoverCraft::kTrackSize) +
                           "), where no craft can go; move it inside");
            continue;
        }
        const double across = p.x - p.y;
        const double up = (p.x + p.y) / 2 + p.z;
        const double low = World::kMapOriginY - World::kMapHeight;
        if (!(across >= -World::kMapOriginX && across < World::kMapWidth - World::kMapOriginX && up > low &&
              up <= World::kMapOriginY))
            addProblem(layoutProblems, o,
                       name(o) + ": off the map picture, so it is never drawn; move it further from the track's "
                                 "edge");
        const bool gate = dynamic_cast<const CheckPoint*>(o) != nullptr;
        if (gate || dynamic_cast<const Powerup*>(o)) {
            const double h = terrain.heightAt(Vector2(p.x, p.y));
            const double off = p.z - h;
            if (std::fabs(off) > o->getRadius())
                addProblem(layoutProblems, o,
                           name(o) + ": stands " + whole(std::fabs(off)) + (off > 0 ? " above" : " below") +
                               " the ground, more than its radius " + whole(o->getRadius()) +
                               ", so no craft touches it; set its z to the ground height " + whole(h) +
                               " (Home in the editor)");
        }
    }
}

void TrackCheck::startRace() {
    // without a start gate the World cannot line up a grid
    bool startGate = false;
    for (const GameObject* o : world->getPendingObjects()) {
        auto* c = dynamic_cast<const CheckPoint*>(o);
        if (c && c->getNumber() == 0) startGate = true;
    }
    if (!startGate) {
        raceError = "no checkpoint 0";
        Problem p;
        p.text = "the race cannot start without checkpoint 0";
        problems.push_back(p);
        done = true;
        return;
    }
    world->startRace();
    started = true;
    craft = world->getCraftList();  // still in grid order: nobody has passed a gate
    // all four are computer drivers; the player's craft stays quiet
    HoverCraft* player = world->getPlayer();
    player->setController(new AiController(world.get(), player));
    player->setPlayer(false);
    raceStart = world->getRaceTime();
    results.assign(craft.size(), CraftResult());
    for (std::size_t i = 0; i < craft.size(); ++i) {
        results[i].number = static_cast<int>(i) + 1;
        results[i].lastProgressTime = raceStart;
        results[i].position = craft[i]->getPosition();
    }
}

void TrackCheck::advance() {
    world->update(kStep);
    const int now = world->getRaceTime();
    bool allOver = true;
    for (std::size_t i = 0; i < craft.size(); ++i) {
        HoverCraft* c = craft[i];
        CraftResult& r = results[i];
        if (c->getLaps() != r.laps || c->getLastCheckpoint() != r.lastCheckpoint) {
            if (c->getLaps() > r.laps && c->getLaps() > 1) r.lapTimes.push_back(c->getLastLapTime());
            r.laps = c->getLaps();
            r.lastCheckpoint = c->getLastCheckpoint();
            r.lastProgressTime = now;
        }
        if (c->isFinished() && !r.finished) {
            r.finished = true;
            r.finishTime = now;
        }
        r.position = c->getPosition();
        if (auto* ai = dynamic_cast<AiController*>(c->getController())) r.targetWaypoint = ai->getTargetWaypoint();
        if (!finite(r.position) || !finite(c->getVelocity())) r.finite = false;
        const bool stuck = now - r.lastProgressTime >= kStuckTime;
        if (!r.finished && !stuck && r.finite) allOver = false;
    }
    if (allOver || now - raceStart >= kTimeLimit) finish();
}

void TrackCheck::finish() {
    done = true;
    for (std::size_t i = 0; i < craft.size(); ++i) {
        CraftResult& r = results[i];
        r.place = craft[i]->getRacePosition();
        if (r.finished) continue;
        std::string text = "craft " + std::to_string(r.number) + " did not finish: ";
        if (!r.finite) {
            text += "its position or speed stopped being a number near " + at(r.position);
            Problem p;
            p.text = text;
            problems.push_back(p);
            continue;
        }
        text += r.laps == 0 ? "it never reached the start line" : "on lap " + std::to_string(r.laps) + " of " +
                                                                        std::to_string(World::kLaps);
        int gateLine = 0;
        if (r.lastCheckpoint >= 0) {
            text += ", last gate passed " + std::to_string(r.lastCheckpoint);
            for (const GameObject* o : world->getObjects()) {
                auto* c = dynamic_cast<const CheckPoint*>(o);
                if (c && c->getNumber() == r.lastCheckpoint) {
                    gateLine = lineOf(c);
                    break;
                }
            }
            if (gateLine) text += " (line " + std::to_string(gateLine) + ")";
        } else {
            text += ", no gate passed";
        }
        text += ", next gate " + std::to_string(craft[i]->getNextCheckpoint());
        const int count = world->getWaypointCount();
        if (count > 0 && r.targetWaypoint < count) {
            const AiWaypoint* w = world->getWaypoint(r.targetWaypoint);
            text += ", heading for waypoint " + std::to_string(r.targetWaypoint) + " of the route";
            if (w->getNumber() != r.targetWaypoint) text += " (numbered " + std::to_string(w->getNumber()) + ")";
            text += " at " + at(w->getPosition());
            if (lineOf(w)) text += " (line " + std::to_string(lineOf(w)) + ")";
        } else {
            text += ", no waypoint to head for";
        }
        text += "; stuck near " + at(r.position) + ", no gate passed after " +
                formatTime(r.lastProgressTime - raceStart);
        // what holds it there: the ground's pull against full thrust, water, scenery
        Terrain& terrain = world->getTerrain();
        const Vector3 n = terrain.normalAt(Vector2(r.position.x, r.position.y));
        const double pull = HoverCraft::kSlopeFactor * std::sqrt(n.x * n.x + n.y * n.y);
        if (pull >= kSteepShare * HoverCraft::kThrust)
            text += ", on a slope that pulls " + whole(pull) + " against a full thrust of " +
                    whole(HoverCraft::kThrust) + ": keep the route off ground this steep";
        if (terrain.isWater(Vector2(r.position.x, r.position.y))) text += ", in water";
        // scenery it may be caught on
        const GameObject* nearest = nullptr;
        double best = 1.0e300;
        for (const GameObject* o : world->getObjects()) {
            if (!dynamic_cast<const StaticObject*>(o)) continue;
            const double d = lengthSquared(o->getPosition() - r.position);
            if (d < best) {
                best = d;
                nearest = o;
            }
        }
        if (nearest && std::sqrt(best) < nearest->getRadius() + 2 * HoverCraft::kRadius) {
            text += ", against " + name(nearest);
            if (lineOf(nearest)) text += " (line " + std::to_string(lineOf(nearest)) + ")";
        }
        Problem p;
        p.text = text;
        problems.push_back(p);
    }
}

bool TrackCheck::step(double budget) {
    if (!prepared) prepare();
    if (!started && !done) {
        startRace();
        return done;
    }
    if (done) return true;
    const auto start = std::chrono::steady_clock::now();
    do {
        advance();
    } while (!done && std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < budget);
    return done;
}

void TrackCheck::run() {
    while (!step(1.0e9)) {
    }
}

bool TrackCheck::isRaceable() const {
    if (!done || !started || results.size() != static_cast<std::size_t>(World::kCraftCount)) return false;
    for (const CraftResult& r : results)
        if (!r.finished || !r.finite) return false;
    return true;
}

int TrackCheck::bestLap() const {
    int best = 0;
    for (const CraftResult& r : results)
        for (int t : r.lapTimes)
            if (best == 0 || t < best) best = t;
    return best;
}

int TrackCheck::getRaceTime() const { return world ? world->getRaceTime() - raceStart : 0; }

std::string TrackCheck::verdict() const {
    if (!problems.empty()) return problems.front().describe();
    if (isRaceable()) return "Track OK: all four finished, best lap " + formatTime(bestLap());
    return done ? "the race did not finish" : "Checking track";
}

std::string TrackCheck::formatTime(int ms) {
    if (ms < 0) ms = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d.%02d", ms / 60000, ms / 1000 % 60, ms % 1000 / 10);
    return text;
}

void TrackCheck::report(std::ostream& out) const {
    out << "Layout: ";
    if (layoutProblems.empty())
        out << "no problems\n";
    else
        out << layoutProblems.size() << (layoutProblems.size() == 1 ? " problem\n" : " problems\n");
    for (const Problem& p : layoutProblems) out << "  " << p.describe() << '\n';
    if (!started) {
        out << "Race: not run (" << (raceError.empty() ? "not checked yet" : raceError) << ")\n";
    } else {
        out << "Race: four computer drivers, " << World::kLaps << " laps, fixed steps of 1/" << FrameTimer::kFrameRate << " s, at most "
            << kTimeLimit / 60000 << " minutes of game time; " << formatTime(getRaceTime()) << " raced\n";
        for (const CraftResult& r : results) {
            out << "  craft " << r.number << ": ";
            if (r.finished)
                out << "finished " << ordinal(r.place) << " in " << formatTime(r.finishTime - raceStart) << ", laps";
            else
                out << "did not finish, laps";
            if (r.lapTimes.empty()) out << " none";
            for (int t : r.lapTimes) out << ' ' << formatTime(t);
            out << '\n';
        }
        for (std::size_t i = layoutProblems.size(); i < problems.size(); ++i)
            out << "  " << problems[i].describe() << '\n';
    }
    out << "Verdict: " << verdict() << '\n';
}
