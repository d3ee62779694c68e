#include "objects/StaticObject.h"

#include <allegro.h>

#include "world/World.h"

namespace {
constexpr int kSpriteIndex[StaticObject::kKindCount] = {1, 43, 44, 46, 47};
constexpr double kAnchor = 0.8;
}  // namespace

int StaticObject::spriteIndex(int k) { return kSpriteIndex[k >= 0 && k < kKindCount ? k : 0]; }

StaticObject::StaticObject(World* w, int k) : GameObject(w), kind(k) { applyKind(); }

StaticObject::StaticObject(World* w) : GameObject(w) {
    // kind 0 until a record says otherwise, so an object whose kind could not
    // be read still has a sprite and a radius
    applyKind();
}

void StaticObject::applyKind() {
    if (kind < 0 || kind >= kKindCount) kind = 0;
    sprite = world->getBitmap(spriteIndex(kind));
    radius = static_cast<double>(sprite->w / 2);
    solid = true;
    fixedPlace = true;
    idle = true;
    placeChanged();
}

void StaticObject::setPosition(const Vector3& p) {
    position = Vector3(p.x, p.y, world->getTerrain().heightAt(Vector2(p.x, p.y)));
    placeChanged();
}

void StaticObject::draw(View& view) {
    const Vector2 s = project(view, position);
    // centred on its ground point, which lies at 80 % of the sprite's height
    draw_sprite(view.target, sprite, toPixel(s.x - sprite->w / 2), toPixel(s.y - kAnchor * sprite->h));
}

void StaticObject::update(double) {}

char StaticObject::typeCode() const { return kTypeCode; }

StaticObject::RecordFields StaticObject::recordFields() const { return {static_cast<double>(kind)}; }

void StaticObject::takeRecordFields(const RecordFields& fields, int count) {
    if (count > 0) kind = static_cast<int>(fields[0]);
    applyKind();
}
