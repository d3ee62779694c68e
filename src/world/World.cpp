#include "world/World.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "craft/HoverCraft.h"
#include "objects/AiWaypoint.h"
#include "objects/CheckPoint.h"
#include "objects/GameObject.h"
#include "objects/Wake.h"
#include "track/TrackFile.h"
#include "world/Texts.h"

World::World(bool editor, RaceResources* shared) : resources(shared), editorMode(editor) {
    if (!resources) {
        ownResources = std::make_unique<RaceResources>();
        resources = ownResources.get();
    }
}

World::~World() { deleteAllObjects(); }

void World::unloadData() {
    deleteAllObjects();
    resources->unloadData();
}

void World::addObject(GameObject* o) { pendingObjects.push_back(o); }

void World::addCraft(HoverCraft* c) {
    pendingObjects.push_back(c);
    rules.enter(c);
}

void World::addWaypoint(AiWaypoint* w) { waypoints.push_back(w); }

void World::deleteAllObjects() {
    for (auto* list : {&objects, &pendingObjects, &removedObjects}) {
        for (GameObject* o : *list) delete o;
        list->clear();
    }
    rules.clear();
    waypoints.clear();
    busy.clear();
    dying.clear();
    contacts.invalidate();
    followed = nullptr;
    // the player's craft was deleted with the rest; a World cleared again
    // (the editor check, a tool) must not draw the HUD of a freed craft
    player = nullptr;
}

void World::loadTrack(int track) {
    trackNumber = track;
    loadData();
    deleteAllObjects();
    resources->ground.load(track);
    loadTrackFile();
}

void World::loadTrackFile() {
    std::ostringstream path;
    path << "tracks/track" << trackNumber << ".txt";
    checkpointCount = 0;
    std::string text, broke, unread;
    TrackFile::Failure why;
    if (emptyStart) {
        // a new track reads nothing
    } else if (!TrackFile::load(path.str(), text, &why)) {
        unread = path.str() + " cannot be read: " + TrackFile::reason(why.error);
    } else {
        std::istringstream in(text);
        const TrackFile::Break stop = TrackFile::read(*this, in);
        if (stop.line > 0) broke = path.str() + ", " + stop.describe();
    }
    // the preview and the run read the same file: one line for both
    for (const std::string& line : {broke, unread})
        if (!line.empty() && line != trackFileBreak && line != trackFileError) std::cerr << line << std::endl;
    trackFileBreak = broke;
    trackFileError = unread;
    std::cout << "NUmber of checkpoints:" << checkpointCount << std::endl;
}

void World::joinPending() {
    for (GameObject* o : pendingObjects) {
        contacts.join(o);
        if (!o->isIdle()) busy.push_back(o);
        // set dead before it joined, its death was told while it was not
        // in the list: it leaves after its first update
        if (o->isDead()) dying.push_back(o);
    }
    objects.insert(objects.end(), pendingObjects.begin(), pendingObjects.end());
    pendingObjects.clear();
}

void World::update(double dt) {
    joinPending();
    // Every object in list order, less the idle ones (scenery, gates and
    // waypoints, whose update is empty and final): a track of 100,000 gates
    // would spend most of each step on calls that change nothing.
    for (size_t i = 0; i < busy.size(); ++i) busy[i]->update(dt);
    checkContacts();
    // the places as the pass left them: a gate passed in it counts from here
    rules.rank();
    removeTheDead();
    if (followed && followed->isDead()) followed = nullptr;
    stepPacer(dt);
    advanceClock(dt);
    messageTime -= dt;
}

void World::removeTheDead() {
    for (GameObject* o : removedObjects) delete o;
    removedObjects.clear();
    if (dying.empty()) return;
    // Only objects that were set dead can be dead, so the list is sifted by
    // pointer and no other object is looked at; the rest keep their order.
    const std::less<GameObject*> before;
    std::sort(dying.begin(), dying.end(), before);
    const auto leaves = [&](GameObject* o) {
        return std::binary_search(dying.begin(), dying.end(), o, before) && o->isDead();
    };
    busy.erase(std::remove_if(busy.begin(), busy.end(), leaves), busy.end());
    size_t kept = 0;
    for (GameObject* o : objects) {
        if (!leaves(o)) {
            objects[kept++] = o;
            continue;
        }
        contacts.leave(o);
        // a deleted waypoint leaves the drivers' route when it dies
        if (auto* w = dynamic_cast<AiWaypoint*>(o)) waypoints.erase(std::remove(waypoints.begin(), waypoints.end(), w), waypoints.end());
        removedObjects.push_back(o);
    }
    objects.resize(kept);
    dying.clear();
}

void World::stepPacer(double dt) {
    if (!player) return;
    const CheckPoint* gate = nextGate(*player);
    const Vector3 at = gate ? gate->getPosition() : Vector3();
    pacer.step(dt, player->getPosition(), gate ? &at : nullptr);
}

void World::advanceClock(double dt) {
    // whole nanoseconds, so no fraction of a millisecond is lost between steps;
    // a step that is not a sane number of seconds moves the clock by nothing
    double nanos = dt * 1.0e9;
    int n = nanos > 0.0 && nanos < 2.0e9 ? static_cast<int>(nanos) : 0;
    raceTimeNanos += n;
    raceTime += raceTimeNanos / 1000000;
    raceTimeNanos %= 1000000;
}

void World::checkContacts() {
    // the order the pass started with: every craft is tested exactly once
    const std::vector<HoverCraft*> order = rules.ranking();
    for (HoverCraft* c : order) {
        const Vector3 p = c->getPosition();
        const auto touch = [&](GameObject* o) {
            if (o == c || !o->isCollidable()) return;
            ++pairTests;
            const Vector3 d = o->getPosition() - p;
            const double reach = o->getRadius() + c->getRadius();
            if (lengthSquared(d) < reach * reach) {
                c->collide(o);
                o->touchedBy(*c);
            }
        };
        const bool sieve = objects.size() >= contactGridFrom;
        if (sieve && contacts.isStale()) contacts.rebuild(objects);
        if (!sieve || !contacts.gather(p, c->getRadius(), nearby)) {
            for (size_t i = 0; i < objects.size(); ++i) touch(objects[i]);
            continue;
        }
        // the objects near the craft, in list order
        for (size_t k = 0; k < nearby.size(); ++k) {
            touch(nearby[k]);
            if (!contacts.isStale()) continue;
            // the pair moved something that stays put: the rest of this
            // craft's objects come from the list itself
            auto rest = std::find(objects.begin(), objects.end(), nearby[k]);
            if (rest != objects.end())
                for (++rest; rest != objects.end(); ++rest) touch(*rest);
            break;
        }
    }
}

void World::startRace() {
    update(kSetupStep);
    const CheckPoint* gate = gateNumbered(0);
    if (!gate) throw std::runtime_error("Cannot find the first checkpoint");
    lineUpGrid(*gate);
    lapCount = kLaps;
    updateRanking();
    // the route as it stands at the start: waypoints never move in a race
    std::vector<Vector3> route;
    for (const AiWaypoint* w : waypoints) route.push_back(w->getPosition());
    pacer = Pacer();
    pacer.setRoute(route);
    pacer.start(player->getPosition());
    // the craft stand on the grid through the still first second: joined
    // now, they are drawn before the first step (and step as they would have)
    joinPending();
}

void World::lineUpGrid(const CheckPoint& gate) {
    const Vector3 f = gate.getDirection();
    Vector3 g = gate.getPosition() - f * kGridSpacing;
    Vector3 side = Vector3(f.y, -f.x, 0.0) * kGridSide;
    const CraftSprites& sprites = resources->craftSprites();
    for (int i = 0; i < kCraftCount; ++i) {
        auto* c = new HoverCraft(this, kCraftCount - i, sprites.of(kCraftCount - i));
        // a gate close to an edge must not put the grid outside the track area,
        // where a craft would be sent back to the same place for ever
        Vector3 place = g + side;
        place.x = std::clamp(place.x, 0.0, HoverCraft::kTrackSize);
        place.y = std::clamp(place.y, 0.0, HoverCraft::kTrackSize);
        c->setPosition(place);
        c->setHeading(gate.getAngle());
        // the player's place is the last: its messages and sounds are the player's
        if (i == kCraftCount - 1) {
            player = c;
            followed = c;
            c->setPlayer(true);
        }
        addCraft(c);
        side = -side;
        g = g - f * kGridSpacing;
    }
}

void World::gateTouched(HoverCraft& craft, const CheckPoint& gate) {
    const RaceRules::Passage passage = rules.gateTouched(craft, gate, raceTime, checkpointCount, lapCount);
    if (!craft.isPlayerCraft()) return;
    const RaceRecord& r = rules.of(craft);
    switch (passage) {
        case RaceRules::Passage::Missed:
            showMessage(std::string(gameText(kTextMissedGate)) + " " + std::to_string(r.nextCheckpoint));
            break;
        case RaceRules::Passage::Lap: showMessage(std::string(gameText(kTextLap)) + " " + std::to_string(r.laps)); break;
        case RaceRules::Passage::Finish: showMessage(gameText(kTextFinished)); break;
        default: break;
    }
}

void World::dropWake(const Vector3& at, const Vector3& velocity, BITMAP* image) {
    auto* wake = new Wake(this, image);
    wake->setPosition(at);
    wake->setVelocity(velocity);
    addObject(wake);
}

CheckPoint* World::gateNumbered(int number) const {
    // by record letter: a cast of every object, every frame, costs more than the gate's drawing
    for (GameObject* o : objects) {
        if (o->typeCode() != CheckPoint::kTypeCode) continue;
        auto* gate = static_cast<CheckPoint*>(o);
        if (gate->getNumber() == number) return gate;
    }
    return nullptr;
}

CheckPoint* World::nextGate(const HoverCraft& craft) const {
    const RaceRecord& r = rules.of(craft);
    return r.finished ? nullptr : gateNumbered(r.nextCheckpoint);
}

void World::showMessage(const std::string& text) {
    message = text;
    messageTime = kMessageTime;
}

void World::freezeOpponents(HoverCraft* collector) {
    for (HoverCraft* c : rules.ranking())
        if (c != collector) c->freeze();
    if (collector == player) {
        showMessage(gameText(kTextOpponentsFrozen));
        playSample(GameData::kBoostSample);
    }
}

GameObject* World::nearestObject(GameObject* from) {
    // Objects already marked dead this frame are still in the list until the
    // update ends; they are skipped, so a second delete in the same frame
    // finds the next object rather than the one already gone.
    GameObject* best = nullptr;
    double bestDistance = 1.0e12;
    const Vector3 p = from->getPosition();
    for (GameObject* o : objects) {
        if (o == from || o->isDead()) continue;
        const double d = lengthSquared(o->getPosition() - p);
        if (d < bestDistance) {
            bestDistance = d;
            best = o;
        }
    }
    return best;
}

