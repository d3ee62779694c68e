#include "world/World.h"

#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "app/EndRequest.h"
#include "app/FinalSave.h"
#include "app/FrameTimer.h"
#include "app/KeyPress.h"
#include "app/KeyWait.h"
#include "app/ScaledScreen.h"
#include "control/AiController.h"
#include "control/AiWaypoint.h"
#include "control/Gamepad.h"
#include "control/KeyboardController.h"
#include "craft/HoverCraft.h"
#include "editor/EditorCursor.h"
#include "objects/CheckPoint.h"
#include "objects/GameObject.h"
#include "objects/Wake.h"
#include "track/TrackFile.h"
#include "view/CraftMarks.h"
#include "view/GateGuide.h"
#include "view/Hud.h"
#include "view/MessageLine.h"
#include "view/PacerMark.h"
#include "view/WindowGeometry.h"
#include "world/Texts.h"

World::World(bool editor) : editorMode(editor) {
    mapBitmap = create_bitmap(kMapWidth, kMapHeight);
    if (!mapBitmap) throw std::runtime_error("Cannot create virtual screen");
    backBuffer = create_bitmap(kScreenWidth, kScreenHeight);
    if (!backBuffer) {
        destroy_bitmap(mapBitmap);
        mapBitmap = nullptr;
        throw std::runtime_error("Cannot create buffer screen");
    }
    raceTime = 0;
    raceTimeNanos = 0;
    messageTime = 0.0;
    playMusic = true;
}

World::~World() {
    deleteAllObjects();
    if (mapBitmap) destroy_bitmap(mapBitmap);
    if (backBuffer) destroy_bitmap(backBuffer);
}

void World::loadData() { gameData.load(); }

void World::unloadData() {
    deleteAllObjects();
    craftSprites.reset();
    gameData.unload();
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
    drawOrder.clear();
    followed = nullptr;
    // the player's craft was deleted with the rest; a World cleared again
    // (the editor check, a tool) must not draw the HUD of a freed craft
    player = nullptr;
}

void World::resetMapView() { mapView = View(Vector2(kMapOriginX, kMapOriginY), mapBitmap); }

void World::renderGround() {
    resetMapView();
    clear_to_color(mapBitmap, 0);
    terrain.renderMap(mapView);
    scrollX = 0;
    scrollY = 0;
}

void World::loadTrack(int track) {
    trackNumber = track;
    Hud::showStatus(kRenderingText);
    loadData();
    deleteAllObjects();
    terrain.load(track);
    renderGround();
    loadTrackFile();
    if (!editorMode) {
        startRace();
    } else {
        auto* cursor = new EditorCursor(this);
        cursor->setPosition(Vector3(1536.0, 1536.0, 0.0));
        addObject(cursor);
        followed = cursor;
    }
}

void World::renderPreview(int track) {
    trackNumber = track;
    Hud::showStatus("Generating preview");
    clear_to_color(mapBitmap, 0);
    loadData();
    deleteAllObjects();
    resetMapView();
    terrain.load(track);
    clear_to_color(mapBitmap, 0);
    loadTrackFile();
    update(kSetupStep);
    terrain.renderMap(mapView);
    // file order, no culling and no depth sort: later records lie on top
    for (GameObject* o : objects)
        if (o->isVisible()) o->draw(mapView);
    BITMAP* canvas = ScaledScreen::canvas();
    if (!canvas) return;
    clear_to_color(canvas, 0);
    stretch_blit(mapBitmap, canvas, 0, 0, kMapWidth, kMapHeight, 0, 0, kScreenWidth, kScreenHeight * 2 / 3);
    Hud::drawPreviewTexts(canvas);
    ScaledScreen::show(canvas);
}

bool World::showPreview(int track) {
    renderPreview(track);
    // the key that chose the track, or keys pressed while the preview was
    // rendering, must not skip it
    KeyWait::untilReleased();
    return KeyWait::forPress();
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

void World::run() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point origin = Clock::now();
    const auto seconds = [origin] { return std::chrono::duration<double>(Clock::now() - origin).count(); };
    FrameTimer timer;
    // a forced end saves the editor's work once: in the loop, or in the last
    // moments of a display that went away while the loop could not go on
    auto* editor = editorMode ? dynamic_cast<EditorCursor*>(followed) : nullptr;
    FinalSave::Armed lastSave([editor] {
        if (editor) editor->saveNow();
    });
    showMessage(gameText(openingText));
    if (playMusic) play_midi(static_cast<MIDI*>(getData(GameData::kRaceMusic)), 0);
    timer.start(seconds(), key[KEY_PAUSE], key[KEY_SPACE]);
    // P, an ordinary key, for the keyboards that have no Pause, and the
    // pad's start button: each press pauses or resumes; one held as the
    // loop begins is no press
    KeyPress pKey(key[KEY_P]);
    KeyPress padStart(true);
    for (;;) {
        Gamepad::poll();
        timer.pauseKey(key[KEY_PAUSE]);
        if (pKey.pressed(key[KEY_P])) timer.pausePressed();
        if (padStart.pressed(Gamepad::pauseHeld())) timer.pausePressed();
        for (int n = timer.stepsDue(seconds()); n > 0; --n) update(FrameTimer::kStep);
        timer.spaceKey(key[KEY_SPACE]);
        paused = timer.isPaused();
        draw();
        // the display's last moments made the save: nothing is left to do
        if (EndRequest::isForced() && !lastSave.claim()) break;
        // the editor leaves only once the author's work is safe, and may
        // have been away on a test drive
        const EditorCursor::AfterPass after =
            editor ? editor->afterPass()
                   : (key[KEY_ESC] || EndRequest::requested() ? EditorCursor::AfterPass::Leave
                                                              : EditorCursor::AfterPass::Stay);
        if (after == EditorCursor::AfterPass::Leave) break;
        if (after == EditorCursor::AfterPass::Restart) timer.start(seconds(), key[KEY_PAUSE], key[KEY_SPACE]);
        // a pass costs a fraction of a millisecond: the rest of the sixtieth is the machine's
        const std::chrono::duration<double> next(timer.nextPass(seconds()));
        std::this_thread::sleep_until(origin + std::chrono::duration_cast<Clock::duration>(next));
    }
    stop_midi();
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

    for (GameObject* o : removedObjects) delete o;
    removedObjects.clear();

    // Only objects that were set dead can be dead, so the list is sifted by
    // pointer and no other object is looked at; the rest keep their order.
    if (!dying.empty()) {
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

    if (followed && followed->isDead()) followed = nullptr;

    if (player) {
        const CheckPoint* gate = nextGate(*player);
        const Vector3 at = gate ? gate->getPosition() : Vector3();
        pacer.step(dt, player->getPosition(), gate ? &at : nullptr);
    }

    // whole nanoseconds, so no fraction of a millisecond is lost between steps;
    // a step that is not a sane number of seconds moves the clock by nothing
    double nanos = dt * 1.0e9;
    int n = nanos > 0.0 && nanos < 2.0e9 ? static_cast<int>(nanos) : 0;
    raceTimeNanos += n;
    raceTime += raceTimeNanos / 1000000;
    raceTimeNanos %= 1000000;

    messageTime -= dt;
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
    CheckPoint* gate = nullptr;
    for (GameObject* o : objects) {
        auto* cp = dynamic_cast<CheckPoint*>(o);
        if (cp && cp->getNumber() == 0) {
            gate = cp;
            break;
        }
    }
    if (!gate) throw std::runtime_error("Cannot find the first checkpoint");

    const Vector3 s = gate->getPosition();
    const Vector3 f = gate->getDirection();
    const double a = gate->getAngle();
    Vector3 g = s - f * kGridSpacing;
    Vector3 side = Vector3(f.y, -f.x, 0.0) * kGridSide;
    if (!craftSprites) craftSprites = std::make_unique<CraftSprites>(gameData);
    for (int i = 0; i < kCraftCount; ++i) {
        auto* c = new HoverCraft(this, kCraftCount - i, craftSprites->of(kCraftCount - i));
        // a gate close to an edge must not put the grid outside the track area,
        // where a craft would be sent back to the same place for ever
        Vector3 place = g + side;
        place.x = std::clamp(place.x, 0.0, HoverCraft::kTrackSize);
        place.y = std::clamp(place.y, 0.0, HoverCraft::kTrackSize);
        c->setPosition(place);
        c->setHeading(a);
        if (i == kCraftCount - 1) {
            c->setController(new KeyboardController);
            player = c;
            followed = c;
            c->setPlayer(true);
        } else {
            c->setController(new AiController(this, c));
        }
        addCraft(c);
        side = -side;
        g = g - f * kGridSpacing;
    }
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

View World::frameView() const {
    return View(Vector2(mapView.originX - scrollX, mapView.originY - scrollY), backBuffer);
}

void World::composeFrame() {
    if (followed) {
        const Vector2 q = project(mapView, followed->getPosition());
        scrollX = toPixel(q.x - kScreenWidth / 2);
        scrollY = toPixel(q.y - kScreenHeight / 2);
    }
    // the copy covers only what lies on the map: the rest would keep the last frame
    for (const ScreenRect& r : WindowGeometry::uncovered(scrollX, scrollY, kScreenWidth, kScreenHeight, kMapWidth, kMapHeight))
        rectfill(backBuffer, r.x, r.y, r.x + r.w - 1, r.y + r.h - 1, 0);
    blit(mapBitmap, backBuffer, scrollX, scrollY, 0, 0, kScreenWidth, kScreenHeight);
    View view = frameView();
    drawOrder.clear();
    for (GameObject* o : objects) {
        if (!o->isVisible()) continue;
        const Vector3 p = o->getPosition();
        const Vector2 s = project(view, p);
        // a gate turned inside out by a negative radius is still shown
        const double r = 2.0 * std::fabs(o->getRadius());
        if (s.x + r < 0 || s.x - r > kScreenWidth || s.y + r < 0 || s.y - 3 * r > kScreenHeight) continue;
        // an object without a real position has no place on screen, and a NaN
        // depth key would break the ordering of the whole frame
        if (std::isnan(s.x) || std::isnan(s.y) || std::isnan(p.x + p.y)) continue;
        // equal keys go after the ones already there: ties keep list order
        drawOrder.insert(std::make_pair(-(p.x + p.y), o));
    }
    for (auto& entry : drawOrder) entry.second->draw(view);
    // the editor's readout, verdict and keys lie over the map
    if (editorMode)
        if (auto* cursor = dynamic_cast<EditorCursor*>(followed)) cursor->drawScreen(backBuffer);
    if (player) GateGuide::draw(*this, *player, view);
    if (player) PacerMark::draw(pacer, view);
    if (player) CraftMarks::draw(*player, view);
    if (player) Hud::drawHud(*this, *player, backBuffer);
    if (messageTime > 0)
        MessageLine::draw(backBuffer, static_cast<FONT*>(getData(GameData::kMessageFont)), message, messageTime);
    if (paused) Hud::drawPaused(*this, backBuffer);
    if (player && recordOf(*player).finished) resultsPanel.draw(*this, backBuffer);
}

void World::draw() {
    ++framesDrawn;
    composeFrame();
    ScaledScreen::show(backBuffer);
}

std::vector<GameObject*> World::lastDrawOrder() const {
    std::vector<GameObject*> order;
    for (auto& entry : drawOrder) order.push_back(entry.second);
    return order;
}
