#include "objects/Powerup.h"

#include <allegro.h>

#include <cmath>

#include "craft/HoverCraft.h"
#include "world/World.h"

namespace {
constexpr double kRadius = 16.0;
constexpr double kAnchor = 0.8;
constexpr double kBobHeight = 16.0;
}  // namespace

int Powerup::spriteIndex(int k) {
    switch (k) {
        case kFrozen: return GameData::kFrozenSprite;
        case kWonky: return GameData::kWonkySprite;
        case kOpponentsFrozen: return GameData::kOpponentsFrozenSprite;
        default: return GameData::kTurboSprite;
    }
}

Powerup::Powerup(World* w, int k) : GameObject(w), kind(k) {
    radius = kRadius;
    fixedPlace = true;
}

void Powerup::update(double dt) {
    if (respawnTimer > 0) {
        respawnTimer -= dt;
        if (respawnTimer <= 0) {
            visible = true;
            collidable = true;
        }
    }
    phase += dt;
    if (phase > 1) phase -= 1;
}

void Powerup::touchedBy(GameObject& other) {
    visible = false;
    respawnTimer = kRespawnTime;
    collidable = false;
    auto* craft = dynamic_cast<HoverCraft*>(&other);
    if (!craft) return;
    switch (kind) {
        case kFrozen: craft->freeze(); break;
        case kWonky: craft->makeWonky(); break;
        case kOpponentsFrozen: world->freezeOpponents(craft); break;
        case kTurbo: craft->addTurbo(); break;
        default: break;  // unknown kinds vanish for a while and do nothing
    }
}

void Powerup::draw(View& view) {
    BITMAP* sprite = world->getBitmap(spriteIndex(kind));
    const Vector2 s = project(view, position);
    // a triangle wave: at its ground anchor mid-cycle, 8 pixels up at either end
    const double y = s.y - kAnchor * sprite->h - kBobHeight * std::fabs(phase - 0.5);
    draw_sprite(view.target, sprite, toPixel(s.x - sprite->w / 2), toPixel(y));
}

char Powerup::typeCode() const { return kTypeCode; }

Powerup::RecordFields Powerup::recordFields() const { return {static_cast<double>(kind)}; }

void Powerup::takeRecordFields(const RecordFields& fields, int count) {
    if (count > 0) kind = static_cast<int>(fields[0]);
}
