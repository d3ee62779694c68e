#include "control/AiWaypoint.h"

#include <allegro.h>

#include <istream>
#include <ostream>
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

void AiWaypoint::write(std::ostream& out) const { out << number; }

void AiWaypoint::read(std::istream& in) {
    int n;
    if (in >> n) number = n;
}

void AiWaypoint::draw(View& view) {
    const int red = makecol(255, 0, 0);
    const Vector2 s = project(view, position);
    ClippedDraw::label(view.target, "WP " + std::to_string(number), Vector2(toPixel(s.x), toPixel(s.y) + kLabelDrop), red);
    ClippedDraw::disc(view.target, s, kMarkRadius, red);
}
