#include "check/TrackCheck.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>

#include "check/RouteLengthAndPull.h"
#include "check/TrackLayout.h"
#include "check/UnfinishedCraft.h"
#include "control/AiController.h"
#include "control/Seating.h"
#include "craft/HoverCraft.h"
#include "objects/AiWaypoint.h"
#include "objects/CheckPoint.h"
#include "terrain/Terrain.h"
#include "track/TrackFile.h"
#include "world/World.h"

namespace {

std::string whole(double v) { return TrackLayout::whole(v); }
std::string tenths(double v) { return TrackLayout::tenths(v); }

// How far a seeded race moves each craft on its grid place, along and across
// the start direction, and turns it, in degrees.
constexpr double kGridShift = 8.0;
constexpr double kGridTurn = 6.0;

const char* ordinal(int place) {
    switch (place) {
        case 1: return "1st";
        case 2: return "2nd";
        case 3: return "3rd";
        default: return "4th";
    }
}

}  // namespace

TrackCheck::TrackCheck(GroundLoader g, std::string text) : TrackCheck(std::move(g), std::move(text), Setup()) {}

TrackCheck::TrackCheck(GroundLoader g, std::string text, Setup s, RaceResources* r)
    : ground(std::move(g)), trackText(std::move(text)), shared(r), setup(s) {}

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

void TrackCheck::prepare() {
    if (prepared) return;
    prepared = true;
    world = std::make_unique<World>(false, shared);
    if (!shared) ground(world->getTerrain());
    world->setCheckpointCount(0);
    std::istringstream in(trackText);
    TrackFile::read(*world, in);
    layout = std::make_unique<TrackLayout>(*world, trackText);
    layoutProblems = layout->check();
    problems = layoutProblems;
    const RouteLengthAndPull route(*world);
    loopLength = route.length();
    steepestPull = route.steepestPull();
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
    HoverCraft* player = world->getPlayer();
    seatPlayer(player);
    if (setup.seed != 0) moveOnGrid();
    raceStart = world->getRaceTime();
    results.assign(craft.size(), CraftResult());
    slowSpells.assign(craft.size(), 0.0);
    watches.clear();
    for (std::size_t i = 0; i < craft.size(); ++i) {
        results[i].number = static_cast<int>(i) + 1;
        if (craft[i] == player) results[i].driver = setup.seat;
        results[i].lastProgressTime = raceStart;
        results[i].position = craft[i]->getPosition();
        watches.emplace_back(results[i].position);
    }
}

void TrackCheck::seatPlayer(HoverCraft* player) {
    // the player's craft stays quiet, whoever drives it
    player->setPlayer(false);
    Seating::computersBesides(*world, player);
    switch (setup.seat) {
        case Seat::Computer: Seating::computer(*world, *player, AiController::kDesiredSpeed); break;
        case Seat::Faster: Seating::computer(*world, *player, kFasterSpeed); break;
        // a player who never touches a key
        case Seat::Idle: Seating::nobody(*player); break;
        // it steers for what the race shows the player
        case Seat::Novice: Seating::novice(*world, *player); break;
    }
}

void TrackCheck::watchSpeed(std::size_t i, const Vector3& from) {
    CraftResult& r = results[i];
    const Vector3 to = craft[i]->getPosition();
    const bool slow = std::hypot(to.x - from.x, to.y - from.y) < kSlowSpeed * kStep;
    if (slow) slowSpells[i] += kStep;
    // a spell counts once it is over, or when the craft's race ends in it
    if ((!slow || r.finished) && slowSpells[i] > kStuckSpell) r.stuckTime += slowSpells[i];
    if (!slow || r.finished) slowSpells[i] = 0.0;
}

void TrackCheck::moveOnGrid() {
    // the same seed always makes the same race
    std::mt19937 random(setup.seed);
    auto spread = [&random](double range) { return (2.0 * random() / std::mt19937::max() - 1.0) * range; };
    for (HoverCraft* c : craft) {
        const Vector3 f = c->getForward();
        const Vector3 across(f.y, -f.x, 0.0);
        Vector3 p = c->getPosition() + f * spread(kGridShift) + across * spread(kGridShift);
        p.z = world->getTerrain().heightAt(Vector2(p.x, p.y));
        c->setPosition(p);
        c->setHeading(c->getHeading() + spread(kGridTurn));
    }
}

void TrackCheck::advance() {
    world->update(kStep);
    const int now = world->getRaceTime();
    bool allOver = true;
    for (std::size_t i = 0; i < craft.size(); ++i) {
        HoverCraft* c = craft[i];
        CraftResult& r = results[i];
        const Vector3 from = r.position;
        const RaceRecord& record = world->recordOf(*c);
        if (record.laps != r.laps || record.lastCheckpoint != r.lastCheckpoint) {
            if (record.laps > r.laps && record.laps > 1) r.lapTimes.push_back(record.lastLapTime);
            r.laps = record.laps;
            r.lastCheckpoint = record.lastCheckpoint;
            r.lastProgressTime = now;
        }
        if (!r.finished) {
            // the waypoint its driver heads for, if it drives along the route
            int target = -1;
            Vector3 waypoint;
            auto* ai = dynamic_cast<AiController*>(c->getController());
            if (ai && ai->getTargetWaypoint() < world->getWaypointCount()) {
                target = r.targetWaypoint = ai->getTargetWaypoint();
                waypoint = world->getWaypoint(target)->getPosition();
            }
            watches[i].step(c->getPosition(), target, waypoint);
            r.distance = watches[i].distance();
            r.missedWaypoints = watches[i].missedWaypoints();
            r.raced = now - raceStart;
        }
        if (record.finished && !r.finished) {
            r.finished = true;
            r.finishTime = now;
        }
        if (!r.finished || r.finishTime == now) watchSpeed(i, from);
        r.leftIsland = record.timesOutOfBounds;
        r.position = c->getPosition();
        if (!isFinite(r.position) || !isFinite(c->getVelocity())) r.finite = false;
        const bool stuck = now - r.lastProgressTime >= kStuckTime;
        if (!r.finished && !stuck && r.finite && r.driver != Seat::Idle) allOver = false;
    }
    if (allOver || now - raceStart >= kTimeLimit) finish();
}

void TrackCheck::finish() {
    done = true;
    checkLapTimes();
    // a slow spell still going on when the race ends counts too
    for (std::size_t i = 0; i < craft.size(); ++i)
        if (!results[i].finished && slowSpells[i] > kStuckSpell) results[i].stuckTime += slowSpells[i];
    const UnfinishedCraft unfinished(*world, *layout, raceStart);
    for (std::size_t i = 0; i < craft.size(); ++i) {
        CraftResult& r = results[i];
        r.missedAt = watches[i].missesByPlace();
        r.longestStand = watches[i].longestStand();
        r.place = world->recordOf(*craft[i]).place;
        if (r.finished || r.driver == Seat::Idle) continue;
        Problem p;
        p.text = unfinished.describe(r, world->recordOf(*craft[i]).nextCheckpoint);
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
    for (const CraftResult& r : results) {
        if (r.driver == Seat::Idle) continue;
        if (!r.finished || !r.finite) return false;
        for (int t : r.lapTimes)
            if (t < kShortestLap) return false;
    }
    return true;
}

int TrackCheck::winnerTime() const {
    int best = 0;
    for (const CraftResult& r : results)
        if (r.finished && r.driver == Seat::Computer && (best == 0 || r.finishTime - raceStart < best))
            best = r.finishTime - raceStart;
    return best;
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
    if (isRaceable())
        return std::string("Track OK: all ") + (setup.seat == Seat::Idle ? "three" : "four") + " finished, best lap " +
               formatTime(bestLap());
    return done ? "the race did not finish" : "Checking track";
}

std::string TrackCheck::formatTime(int ms) {
    if (ms < 0) ms = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d.%02d", ms / 60000, ms / 1000 % 60, ms % 1000 / 10);
    return text;
}

void TrackCheck::report(std::ostream& out, bool withVerdict) const {
    out << "Layout: ";
    if (layoutProblems.empty())
        out << "no problems\n";
    else
        out << layoutProblems.size() << (layoutProblems.size() == 1 ? " problem\n" : " problems\n");
    for (const Problem& p : layoutProblems) out << "  " << p.describe() << '\n';
    if (!started) {
        out << "Race: not run (" << (raceError.empty() ? "not checked yet" : raceError) << ")\n";
    } else {
        const char* field = setup.seat == Seat::Computer ? "four computer drivers"
                            : setup.seat == Seat::Idle   ? "three computer drivers, the player's place idle"
                                                         : "three computer drivers and a faster one";
        out << "Route: " << whole(loopLength) << " units a lap, the steepest ground on it pulls "
            << tenths(steepestPull) << " against a full thrust of " << whole(HoverCraft::kThrust) << '\n';
        out << "Race: " << field << ", " << World::kLaps << " laps, fixed steps of 1/" << World::kStepsPerSecond
            << " s, at most "
            << kTimeLimit / 60000 << " minutes of game time; " << formatTime(getRaceTime()) << " raced\n";
        for (const CraftResult& r : results) {
            out << "  craft " << r.number << UnfinishedCraft::seatName(r.driver) << ": ";
            if (r.driver == Seat::Idle) {
                out << "stayed on the grid\n";
                continue;
            }
            if (r.finished)
                out << "finished " << ordinal(r.place) << " in " << formatTime(r.finishTime - raceStart) << ", laps";
            else
                out << "did not finish, laps";
            if (r.lapTimes.empty()) out << " none";
            for (int t : r.lapTimes) out << ' ' << formatTime(t);
            out << ", " << whole(r.meanSpeed()) << " units/s";
            if (r.missedWaypoints > 0)
                out << ", turned back for " << r.missedWaypoints << " missed waypoint"
                    << (r.missedWaypoints == 1 ? "" : "s");
            out << '\n';
        }
        for (std::size_t i = layoutProblems.size(); i < problems.size(); ++i)
            out << "  " << problems[i].describe() << '\n';
    }
    if (withVerdict) out << "Verdict: " << verdict() << '\n';
}

void TrackCheck::checkLapTimes() {
    // one problem for the first such lap: every craft meets the same gates
    for (const CraftResult& r : results) {
        for (std::size_t lap = 0; lap < r.lapTimes.size(); ++lap) {
            if (r.lapTimes[lap] >= kShortestLap) continue;
            Problem p;
            p.text = "craft " + std::to_string(r.number) + " counted lap " + std::to_string(lap + 2) + " " +
                     formatTime(r.lapTimes[lap]) +
                     " after the one before, without going round: a lap needs at least three gates, apart from each "
                     "other, numbered in driving order round the course";
            problems.push_back(p);
            return;
        }
    }
}
