#include "editor/EditorCursor.h"

#include <allegro.h>

#include <climits>
#include <cmath>
#include <exception>
#include <iostream>
#include <sstream>

#include "check/TrackCheck.h"
#include "check/TrackJudge.h"
#include "check/TrackLayout.h"
#include "objects/AiWaypoint.h"
#include "objects/CheckPoint.h"
#include "objects/Powerup.h"
#include "objects/StaticObject.h"
#include "track/TrackFile.h"
#include "world/World.h"

namespace {

// One above the highest number held by an object of type T in the World
// (placed or still pending), 0 when there is none. Placing gates and
// waypoints in driving order thus numbers them in driving order. The readout
// asks every frame: the record letter sorts out the kind without a cast of
// every object.
template <typename T>
int nextNumber(const World& world) {
    long long highest = -1;
    for (const auto* list : {&world.getObjects(), &world.getPendingObjects()}) {
        for (GameObject* o : *list) {
            if (o->isDead() || o->typeCode() != T::kTypeCode) continue;
            if (auto* t = dynamic_cast<T*>(o))
                if (t->getNumber() > highest) highest = t->getNumber();
        }
    }
    return highest + 1 > INT_MAX ? INT_MAX : static_cast<int>(highest + 1);
}

}  // namespace

namespace {
const char* const kCheckingText = "Checking track";
const char* const kPowerupNames[] = {"", "frozen", "wonky", "opponents frozen", "turbo"};

double groundDistance(const Vector3& a, const Vector3& b) { return std::hypot(a.x - b.x, a.y - b.y); }

// What the readout says of an object: "gate CP 3  radius 40  angle 90".
std::string describe(const GameObject* o) {
    const std::string r = TrackLayout::whole(o->getRadius());
    if (auto* c = dynamic_cast<const CheckPoint*>(o))
        return "gate CP " + std::to_string(c->getNumber()) + "  radius " + r + "  angle " +
               TrackLayout::whole(c->getAngle());
    if (auto* w = dynamic_cast<const AiWaypoint*>(o)) return "waypoint WP " + std::to_string(w->getNumber());
    if (auto* p = dynamic_cast<const Powerup*>(o)) {
        const int k = p->getKind();
        return "powerup " + std::to_string(k) + (k >= 1 && k <= 4 ? std::string(" ") + kPowerupNames[k] : "");
    }
    if (auto* s = dynamic_cast<const StaticObject*>(o))
        return "scenery of kind " + std::to_string(s->getKind()) + "  radius " + r;
    return "object";
}

}  // namespace

EditorCursor::EditorCursor(World* w) : GameObject(w), exit(trackText()) {
    radius = kRadius;
    // what the author should know before the first key
    if (!world->getTrackFileError().empty())
        panel.setVerdict(world->getTrackFileError() + ". The editor starts on the bare " + groundName() +
                         "; an earlier newtrack.txt is replaced only once you place or change something");
    else if (!world->getTrackFileBreak().empty())
        panel.setVerdict(world->getTrackFileBreak());
    else if (world->isEmptyStart())
        panel.setVerdict("A new track on the " + groundName() +
                         ": place gates (C) and waypoints (W) in driving order, F5 checks, Escape saves "
                         "newtrack.txt");
}

EditorCursor::~EditorCursor() = default;

void EditorCursor::setPosition(const Vector3& p) {
    position = Vector3(p.x, p.y, world->getTerrain().heightAt(Vector2(p.x, p.y)));
}

void EditorCursor::draw(View& view) {
    const Vector2 s = project(view, position);
    circlefill(view.target, toPixel(s.x), toPixel(s.y - 5.0), 5, makecol(255, 255, 255));
}

void EditorCursor::command() {
    cooldown = kCommandLock;
    panel.clearVerdict();
}

std::string EditorCursor::groundName() const { return "ground of track " + std::to_string(world->getTrackNumber()); }

void EditorCursor::placeObject(GameObject* object) {
    object->setPosition(position);
    world->addObject(object);
    command();
}

void EditorCursor::deleteNearest() {
    GameObject* o = world->nearestObject(this);
    if (o)
        o->setDead(true);
    else
        std::cout << "Nothing to delete " << std::endl;
    command();
}

void EditorCursor::snapNearest() {
    GameObject* o = world->nearestObject(this);
    if (o)
        o->setPosition(getPosition());
    else
        std::cout << "Nothing to snap" << std::endl;
    command();
}

void EditorCursor::renumberNearest(int change) {
    GameObject* o = world->nearestObject(this);
    const auto step = [change](int n) {
        const long long m = static_cast<long long>(n) + change;
        return m < 0 ? 0 : (m > INT_MAX ? INT_MAX : static_cast<int>(m));
    };
    if (auto* c = dynamic_cast<CheckPoint*>(o)) {
        c->setNumber(step(c->getNumber()));
        const long long count = static_cast<long long>(c->getNumber()) + 1;
        const int wanted = count > INT_MAX ? INT_MAX : static_cast<int>(count);
        if (world->getCheckpointCount() < wanted) world->setCheckpointCount(wanted);
    } else if (auto* w = dynamic_cast<AiWaypoint*>(o)) {
        w->setNumber(step(w->getNumber()));
    } else {
        std::cout << "Nothing to renumber" << std::endl;
    }
    command();
}

void EditorCursor::startCheck() {
    cooldown = kCommandLock;
    // a second F5 while a check runs changes nothing
    if (check) return;
    // the check races copies made from the track's text, exactly as it would
    // be saved; the editor's own objects are never touched
    check = std::make_unique<TrackJudge>(TrackCheck::copyGround(world->getTerrain()), trackText());
    checkJustStarted = true;
    panel.setVerdict("F5 on the " + groundName() + ": " + kCheckingText);
    std::cout << kCheckingText << " on the " << groundName() << std::endl;
}

void EditorCursor::continueCheck() {
    if (checkJustStarted) {
        checkJustStarted = false;
        return;
    }
    std::vector<std::string> verdict;
    try {
        if (!check->step(kCheckBudget)) return;
        check->report(std::cout);
        std::cout.flush();
        verdict.push_back(check->verdict());
        for (const std::string& w : check->getWarnings()) verdict.push_back("warning: " + w);
    } catch (const std::exception& e) {
        verdict = {std::string("Track check failed: ") + e.what()};
        std::cout << verdict[0] << std::endl;
    }
    verdict[0] = "F5 on the " + groundName() + ": " + verdict[0];
    panel.setVerdict(verdict);
    check.reset();
}

std::string EditorCursor::trackText() const {
    // an object placed in the very pass that saves is still waiting to join
    std::vector<GameObject*> all = world->getObjects();
    all.insert(all.end(), world->getPendingObjects().begin(), world->getPendingObjects().end());
    return TrackFile::text(all);
}

void EditorCursor::testDrive() {
    // a check under way would see the editor's clock jump: it starts again with F5
    check.reset();
    const std::string why = testDriver ? testDriver(trackText()) : kNoTestDrive;
    panel.setVerdict(why.empty() ? "F6: back from the test drive; the track is as you left it"
                                 : "F6: no test drive: " + why +
                                       (why == "Cannot find the first checkpoint"
                                            ? ". Place gate 0 (C) across the start line, facing the way to drive"
                                            : ""));
}

void EditorCursor::saveNow() { exit.leaveNow(trackText()); }

EditorCursor::AfterPass EditorCursor::afterPass(EndAsked asked) {
    AfterPass next = AfterPass::Stay;
    if (driveWanted) {
        driveWanted = false;
        testDrive();
        // the Escape that ended the drive is not the editor's
        escapeArmed = false;
        next = AfterPass::Restart;
    }
    // a signal or a lost display: the end cannot wait
    if (asked == EndAsked::Forced) {
        saveNow();
        return AfterPass::Leave;
    }
    const bool escape = key[KEY_ESC];
    const bool pressed = escape && escapeArmed;
    escapeArmed = !escape;
    if (exit.hasFailed() && key[KEY_F10] && exit.leaveUnsaved()) return AfterPass::Leave;
    if (pressed || asked == EndAsked::CloseButton) {
        // the close button too waits for a save that works
        if (exit.leave(trackText())) return AfterPass::Leave;
        panel.setAlert(exit.failure());
    }
    return next;
}

std::vector<std::string> EditorCursor::readout() {
    std::vector<std::string> lines;
    lines.push_back("x " + TrackLayout::whole(position.x) + "  y " + TrackLayout::whole(position.y) + "  height " +
                    TrackLayout::whole(position.z) + "  " + groundName() + "  next CP " +
                    std::to_string(nextNumber<CheckPoint>(*world)) + " WP " +
                    std::to_string(nextNumber<AiWaypoint>(*world)) + "  H keys");
    const GameObject* o = world->nearestObject(this);
    if (o)
        lines.push_back("nearest, " + TrackLayout::whole(groundDistance(o->getPosition(), position)) + " away: " +
                        describe(o));
    else
        lines.push_back("nearest: nothing");
    return lines;
}

void EditorCursor::drawScreen(BITMAP* target) { panel.draw(target, readout()); }

// The editing commands, in the order a pass reads their keys: each key held
// once the lock is over runs its command, and every command locks the next.
const std::vector<EditorCursor::Command>& EditorCursor::commands() {
    static const std::vector<Command> table = {
        {KEY_1, [](EditorCursor& e) { e.placeObject(new StaticObject(e.world, 1)); }},
        {KEY_2, [](EditorCursor& e) { e.placeObject(new StaticObject(e.world, 2)); }},
        {KEY_3, [](EditorCursor& e) { e.placeObject(new StaticObject(e.world, 3)); }},
        {KEY_4, [](EditorCursor& e) { e.placeObject(new StaticObject(e.world, 4)); }},
        {KEY_5, [](EditorCursor& e) { e.placeObject(new StaticObject(e.world, 0)); }},
        {KEY_C, [](EditorCursor& e) { e.placeGate(); }},
        {KEY_W, [](EditorCursor& e) { e.placeWaypoint(); }},
        {KEY_F1, [](EditorCursor& e) { e.placeObject(new Powerup(e.world, 1)); }},
        {KEY_F2, [](EditorCursor& e) { e.placeObject(new Powerup(e.world, 2)); }},
        {KEY_F3, [](EditorCursor& e) { e.placeObject(new Powerup(e.world, 3)); }},
        {KEY_F4, [](EditorCursor& e) { e.placeObject(new Powerup(e.world, 4)); }},
        {KEY_D, [](EditorCursor& e) { e.deleteNearest(); }},
        {KEY_HOME, [](EditorCursor& e) { e.snapNearest(); }},
        {KEY_PGUP, [](EditorCursor& e) { e.renumberNearest(1); }},
        {KEY_PGDN, [](EditorCursor& e) { e.renumberNearest(-1); }},
        {KEY_F5, [](EditorCursor& e) { e.startCheck(); }},
        {KEY_F6, [](EditorCursor& e) { e.askForTestDrive(); }},
    };
    return table;
}

void EditorCursor::placeGate() {
    auto* c = new CheckPoint(world);
    c->setNumber(nextNumber<CheckPoint>(*world));
    placeObject(c);
}

void EditorCursor::placeWaypoint() {
    auto* w = new AiWaypoint(world);
    w->setNumber(nextNumber<AiWaypoint>(*world));
    world->addWaypoint(w);
    placeObject(w);
}

void EditorCursor::askForTestDrive() {
    driveWanted = true;
    command();
}

void EditorCursor::update(double dt) {
    moveByKeys(dt);
    if (cooldown > 0.0) {
        cooldown -= dt;
    } else {
        for (const Command& c : commands())
            if (key[c.key]) c.run(*this);
    }
    if (check) continueCheck();

    if (key[KEY_H] && !helpKeyHeld) panel.toggleHelp();
    helpKeyHeld = key[KEY_H];
    adjustNearestGate();
}

void EditorCursor::moveByKeys(double dt) {
    double dx = 0.0, dy = 0.0;
    if (key[KEY_S]) dx = kSpeed;
    if (key[KEY_Z]) dx = -kSpeed;
    if (key[KEY_A]) dy = kSpeed;
    if (key[KEY_X]) dy = -kSpeed;
    setPosition(Vector3(position.x + dx * dt, position.y + dy * dt, 0.0));
}

// = and - widen and narrow the nearest gate, or with Shift turn it; held,
// they go on each pass, with no lock
void EditorCursor::adjustNearestGate() {
    double amount = 0.0;
    if (key[KEY_EQUALS]) amount += kAdjustStep;
    if (key[KEY_MINUS]) amount -= kAdjustStep;
    if (amount == 0.0) return;
    if (auto* c = dynamic_cast<CheckPoint*>(world->nearestObject(this))) {
        if (key[KEY_LSHIFT])
            c->setAngle(c->getAngle() + amount);
        else
            c->setRadius(c->getRadius() + amount);
        panel.clearVerdict();
    }
}
