#include "control/AiWaypoint.h"

#include <allegro.h>

#include <istream>
#include <ostream>
#include <string>

#include "world/World.h"

AiWaypoint::AiWaypoint(World* w) : GameObject(w) {
    radius = kRadius;
    visible = w->isEditorMode();
}

void AiWaypoint::setPosition(const Vector3& p) {
    position = Vector3(p.x, p.y, world->getTerrain().heightAt(Vector2(p.x, p.y)));
}

void AiWaypoint::update(double) {}

char AiWaypoint::typeCode() const { return 'W'; }

void AiWaypoint::write(std::ostream& out) const { out << number; }

void AiWaypoint::read(std::istream& in) {
    int n;
    if (in >> n) number = n;
}

void AiWaypoint::draw(View& view) {
    const int red = makecol(255, 0, 0);
    const Vector2 s = project(view, position);
    const int x = toPixel(s.x), y = toPixel(s.y);
    const std::string label = "WP " + std::to_string(number);
    textout_ex(view.target, font, label.c_str(), x, y + 10, red, -1);
    circlefill(view.target, x, y, 5, red);
}
