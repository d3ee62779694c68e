#include "craft/HoverCraft.h"

#include <allegro.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "control/Controller.h"
#include "math/Angles.h"
#include "objects/CheckPoint.h"
#include "objects/Wake.h"
#include "world/Texts.h"
#include "world/World.h"

namespace {
constexpr int kWakeWidth = 24;
constexpr int kWakeHeight = 12;
constexpr int kWakeWalks = 100;
constexpr int kWakeDots = 4;
constexpr double kFrameDrop = 20.0;
constexpr int kHeadingZeroFrame = 27;
}  // namespace

HoverCraft::HoverCraft(World* w, int c) : GameObject(w), colour(c) {
    radius = kRadius;
    makeSprites();
    clearEffects();
    effectTime = 0.0;
    wakeDistance = 0.0;
}

HoverCraft::~HoverCraft() {
    releaseSprites();
    delete controller;
}

void HoverCraft::releaseSprites() {
    if (sprites) {
        for (int i = 0; i < kFrameCount; ++i)
            if (sprites[i]) destroy_bitmap(sprites[i]);
        delete[] sprites;
        sprites = nullptr;
    }
    if (wakeSprite) {
        destroy_bitmap(wakeSprite);
        wakeSprite = nullptr;
    }
}

void HoverCraft::makeSprites() {
    releaseSprites();
    sprites = new BITMAP*[kFrameCount]();
    for (int i = 0; i < kFrameCount; ++i) {
        BITMAP* source = world->getBitmap(World::kFirstCraftFrame + i);
        BITMAP* frame = create_bitmap_ex(32, source->w, source->h);
        sprites[i] = frame;
        blit(source, frame, 0, 0, 0, 0, source->w, source->h);
        for (int x = 0; x < frame->w; ++x) {
            for (int y = 0; y < frame->h; ++y) {
                const int p = getpixel(frame, x, y);
                int r = getr32(p), g = getg32(p), b = getb32(p);
                tint(colour, r, g, b);
                // dark pixels vanish unless red clearly dominates them
                int alpha = 255;
                if (r + g + b <= 63) {
                    int k = 4 * (g + b - r) + 256;
                    if (k > 255) k = 255;
                    alpha = 255 - k;
                }
                putpixel(frame, x, y, makeacol_depth(32, r, g, b, alpha));
            }
        }
    }
    // every craft speckles its own wake image, so the four trails differ
    wakeSprite = create_bitmap(kWakeWidth, kWakeHeight);
    clear_to_color(wakeSprite, 0);
    for (int walk = 0; walk < kWakeWalks; ++walk) {
        int x = 8, y = 4, v = 255;
        for (int dot = 0; dot < kWakeDots; ++dot) {
            x += std::rand() % 7 - 3;
            y += std::rand() % 5 - 2;
            putpixel(wakeSprite, x, y, makecol(v, v, v));
            v -= 40;
        }
    }
}

void HoverCraft::tint(int colour, int& r, int& g, int& b) {
    if (colour == 2) std::swap(r, b);
    else if (colour == 3) std::swap(r, g);
    else if (colour == 4) g = r;
}

void HoverCraft::setPosition(const Vector3& p) {
    position = p;
    previousPosition = p;
    if (lastCheckpoint == -1) resetPosition = p;
    updateOrientation();
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
    Vector3 slope = world->getTerrain().normalAt(ground);
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

    position.z = world->getTerrain().heightAt(Vector2(position.x, position.y));
    updateOrientation();
    checkBounds();
}

void HoverCraft::dropWakes(const Vector3& step) {
    if (!world->getTerrain().isWater(Vector2(position.x, position.y))) return;
    wakeDistance -= length(step);
    if (wakeDistance < 0) {
        auto* wake = new Wake(world, wakeSprite);
        wake->setPosition(position);
        wake->setVelocity(velocity);
        world->addObject(wake);
        wakeDistance = kWakeSpacing;
    }
}

void HoverCraft::checkBounds() {
    // the negated test also catches a position that is no number at all
    const bool inside = position.x >= 0 && position.y >= 0 && position.x <= kTrackSize && position.y <= kTrackSize;
    if (inside) return;
    position = resetPosition;
    ++timesOutOfBounds;
    // put back, not driven there: no gate was passed on the way
    previousPosition = position;
    frozen = true;
    effectTime = kOutOfBoundsFreeze;
    if (isPlayer) {
        world->showMessage(gameText(kTextOutOfBounds));
        world->playSample(World::kEffectSample);
    }
}

void HoverCraft::freeze() {
    turboLevel = 0;
    wonky = false;
    frozen = true;
    effectTime = kEffectTime;
    if (isPlayer) {
        world->showMessage(gameText(kTextFrozen));
        world->playSample(World::kEffectSample);
    }
}

void HoverCraft::makeWonky() {
    wonky = true;
    effectTime = kEffectTime;
    if (isPlayer) {
        world->showMessage(gameText(kTextWonky));
        world->playSample(World::kEffectSample);
    }
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
    if (isPlayer) {
        world->showMessage(gameText(kTextTurbo));
        world->playSample(World::kBoostSample);
    }
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
    BITMAP* frame = sprites[frameIndex(heading)];
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
    if (auto* cp = dynamic_cast<CheckPoint*>(other)) passCheckpoint(cp);
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

void HoverCraft::passCheckpoint(CheckPoint* cp) {
    if (dot(position - cp->getPosition(), cp->getDirection()) < 0) return;
    if (finished) return;
    if (cp->getNumber() != nextCheckpoint) {
        // through a gate out of turn: told once, on the step that crosses its
        // line; the gate just passed, crossed again after a bounce, is no news
        const bool missed = cp->getNumber() != lastCheckpoint && cp->crossedForward(previousPosition, position);
        if (isPlayer && missed)
            world->showMessage(std::string(gameText(kTextMissedGate)) + " " + std::to_string(nextCheckpoint));
        return;
    }
    const int clock = world->getRaceTime();
    lastCheckpointTime = clock;
    lastCheckpoint = nextCheckpoint;
    resetPosition = position;
    if (nextCheckpoint == 0) {
        laps += 1;
        if (laps > 1) {
            lastLapTime = clock - lapStartTime;
            if (bestLapTime < 0 || lastLapTime < bestLapTime) bestLapTime = lastLapTime;
        }
        lapStartTime = clock;
        if (laps > world->getLapCount()) finished = true;
        const std::string text =
            finished ? std::string(gameText(kTextFinished)) : std::string(gameText(kTextLap)) + " " + std::to_string(laps);
        if (isPlayer) world->showMessage(text);
    }
    // the count is at least 1 whenever a gate exists; never divide by less
    const int count = world->getCheckpointCount() > 0 ? world->getCheckpointCount() : 1;
    nextCheckpoint = (nextCheckpoint + 1) % count;
    world->updateRanking();
}
