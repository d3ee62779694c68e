#include "craft/HoverCraft.h"

#include <allegro.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "control/Controller.h"
#include "craft/Racecourse.h"
#include "math/Angles.h"
#include "objects/CheckPoint.h"
#include "world/GameData.h"
#include "world/Texts.h"
#include "world/World.h"

namespace {
constexpr double kFrameDrop = 20.0;
constexpr int kHeadingZeroFrame = 27;
}  // namespace

HoverCraft::HoverCraft(World* w, int c, const CraftSprites::Look* l) : GameObject(w), course(w), look(l), colour(c) {
    radius = kRadius;
    clearEffects();
    effectTime = 0.0;
    wakeDistance = 0.0;
}

HoverCraft::~HoverCraft() { delete controller; }

void HoverCraft::setPosition(const Vector3& p) {
    position = p;
    previousPosition = p;
    if (!resetHeld) resetPosition = p;
    updateOrientation();
}

void HoverCraft::setResetPosition(const Vector3& p) {
    resetPosition = p;
    resetHeld = true;
}

void HoverCraft::setHeading(double h) {
    heading = h;
    updateOrientation();
}

void HoverCraft::setController(Controller* c) {
    // handing over the controller it already drives must not delete it
    if (c == controller) return;
    delete controller;
    controller = c;
}

void HoverCraft::updateOrientation() {
    const double h = degToRad(heading);
    forward = Vector3(std::cos(h), -std::sin(h), 0.0);
    nosePoint = position + forward * kEndOffset;
    tailPoint = position - forward * kEndOffset;
}

void HoverCraft::update(double dt) {
    previousPosition = position;
    if (controller) controller->update(dt);
    if (effectTime > 0) {
        effectTime -= dt;
        if (effectTime <= 0) clearEffects();
    }
    if (frozen) {
        velocity = Vector3();
        impulse = Vector3();
        return;
    }
    velocity += impulse;
    impulse = Vector3();

    const Vector2 ground(position.x, position.y);
    Vector3 slope = course->groundNormal(ground);
    slope.z = 0.0;
    // drag acts in every direction, so a turning craft keeps sliding along its old course
    Vector3 force = slope * kSlopeFactor + velocity * -kDrag;

    double t = controller ? controller->throttle() : 0.0;
    if (wonky) t = 1.0;
    t = t * (1.0 + 0.5 * turboLevel);
    force += forward * (kThrust * t);

    velocity += force * dt;
    position += velocity * dt;
    dropWakes(velocity * dt);

    double s = controller ? controller->steering() : 0.0;
    if (wonky) s = 0.5;
    if (controller) turnRate += s * kTurnGain * (t + kTurnBias);
    // once per update, whatever the step
    turnRate *= kTurnDamping;

    heading += turnRate * dt;
    if (heading > 360) heading -= 360;
    if (heading < 0) heading += 360;

    position.z = course->groundHeight(Vector2(position.x, position.y));
    updateOrientation();
    checkBounds();
}

void HoverCraft::dropWakes(const Vector3& step) {
    if (!course->isWater(Vector2(position.x, position.y))) return;
    wakeDistance -= length(step);
    if (wakeDistance < 0) {
        course->dropWake(position, velocity, look ? look->wake : nullptr);
        wakeDistance = kWakeSpacing;
    }
}

void HoverCraft::checkBounds() {
    // the negated test also catches a position that is no number at all
    if (withinTrackArea(position)) return;
    position = resetPosition;
    course->leftTheIsland(*this);
    // put back, not driven there: no gate was passed on the way
    previousPosition = position;
    frozen = true;
    effectTime = kOutOfBoundsFreeze;
    tellPlayer(kTextOutOfBounds, GameData::kEffectSample);
}

void HoverCraft::tellPlayer(int text, int sample) {
    if (!isPlayer) return;
    course->showMessage(gameText(text));
    course->playSample(sample);
}

void HoverCraft::freeze() {
    turboLevel = 0;
    wonky = false;
    frozen = true;
    effectTime = kEffectTime;
    tellPlayer(kTextFrozen, GameData::kEffectSample);
}

void HoverCraft::makeWonky() {
    wonky = true;
    effectTime = kEffectTime;
    tellPlayer(kTextWonky, GameData::kEffectSample);
}

void HoverCraft::addTurbo() {
    frozen = false;
    wonky = false;
    if (turboLevel > 0)
        effectTime += kTurboTime;
    else
        effectTime = kTurboTime;
    turboLevel += 1;
    if (turboLevel > kMaxTurbo) turboLevel = kMaxTurbo;
    tellPlayer(kTextTurbo, GameData::kBoostSample);
}

void HoverCraft::clearEffects() {
    frozen = false;
    wonky = false;
    turboLevel = 0;
}

int HoverCraft::frameIndex(double h) {
    if (!std::isfinite(h)) return kHeadingZeroFrame;
    // a true modulo first: a heading below 0 (a gate angle of -340 copied at
    // the start) must not index before the frame table
    double wrapped = std::fmod(h, 360.0);
    if (wrapped < 0) wrapped += 360.0;
    if (wrapped >= 360.0) wrapped = 0.0;
    return (static_cast<int>(wrapped / 10.0) + kHeadingZeroFrame) % kFrameCount;
}

void HoverCraft::draw(View& view) {
    if (!look) return;
    BITMAP* frame = look->frames[frameIndex(heading)];
    const Vector2 s = project(view, position);
    set_alpha_blender();
    draw_trans_sprite(view.target, frame, toPixel(s.x - frame->w / 2), toPixel(s.y - frame->h + kFrameDrop));
}

void HoverCraft::collide(GameObject* other) {
    if (auto* craft = dynamic_cast<HoverCraft*>(other)) {
        collideCraft(craft);
        return;
    }
    if (controller) controller->objectTouched(other);
    if (other->isSolid()) {
        const Vector3 p = other->getPosition();
        const double r = other->getRadius();
        if (endContact(p, Vector3(), r, nosePoint, kSolidBounce)) return;
        if (endContact(p, Vector3(), r, tailPoint, kSolidBounce)) return;
    }
    if (auto* cp = dynamic_cast<CheckPoint*>(other)) course->gateTouched(*this, *cp);
}

void HoverCraft::collideCraft(HoverCraft* o) {
    const Vector3 v = o->velocity;
    if (endContact(o->nosePoint, v, kEndRadius, tailPoint, kCraftBounce)) return;
    if (endContact(o->nosePoint, v, kEndRadius, nosePoint, kCraftBounce)) return;
    if (endContact(o->tailPoint, v, kEndRadius, tailPoint, kCraftBounce)) return;
    endContact(o->tailPoint, v, kEndRadius, nosePoint, kCraftBounce);
}

bool HoverCraft::endContact(const Vector3& p, const Vector3& v, double r, const Vector3& end, double k) {
    Vector3 d = p - end;
    const double reach = r + kEndRadius;
    const double dd = lengthSquared(d);
    if (!(dd < reach * reach)) return false;
    // an end point exactly on the sphere's centre has no direction to push along
    if (dd == 0.0) return false;
    const Vector3 n = normalize(d);
    const double s = dot(n, v - velocity);
    if (s > 0) return false;
    impulse += n * (s * k);
    return true;
}
