#include "objects/AiWaypoint.h"

#include <allegro.h>

#include <string>

#include "view/ClippedDraw.h"
#include "world/World.h"

namespace {
// pixels: the red mark on the ground point, the label below it
constexpr int kMarkRadius = 5;
constexpr double kLabelDrop = 10.0;
}  // namespace

AiWaypoint::AiWaypoint(World* w) : GameObject(w) {
    radius = kRadius;
    visible = w->isEditorMode();
    fixedPlace = true;
    idle = true;
}

void AiWaypoint::setPosition(const Vector3& p) {
    position = Vector3(p.x, p.y, world->getTerrain().heightAt(Vector2(p.x, p.y)));
    placeChanged();
}

void AiWaypoint::update(double) {}

char AiWaypoint::typeCode() const { return kTypeCode; }

AiWaypoint::RecordFields AiWaypoint::recordFields() const { return {static_cast<double>(number)}; }

void AiWaypoint::takeRecordFields(const RecordFields& fields, int count) {
    if (count > 0) number = static_cast<int>(fields[0]);
}

void AiWaypoint::draw(View& view) {
    const int red = makecol(255, 0, 0);
    const Vector2 s = project(view, position);
    ClippedDraw::label(view.target, "WP " + std::to_string(number), Vector2(toPixel(s.x), toPixel(s.y) + kLabelDrop), red);
    ClippedDraw::disc(view.target, s, kMarkRadius, red);
}
