#include "objects/CheckPoint.h"

#include <allegro.h>

#include <climits>
#include <string>

#include "math/Angles.h"
#include "view/ClippedDraw.h"
#include "world/World.h"

namespace {
constexpr double kPostStep = 0.5235987755982988;
constexpr double kFullTurn = 6.283185307179586;
constexpr int kPostRadius = 4;
}  // namespace

CheckPoint::CheckPoint(World* w) : GameObject(w) {
    radius = kDefaultRadius;
    visible = w->isEditorMode();
    fixedPlace = true;
    idle = true;
}

void CheckPoint::setPosition(const Vector3& p) {
    position = p;
    placeChanged();
}

void CheckPoint::update(double) {}

char CheckPoint::typeCode() const { return kTypeCode; }

void CheckPoint::setAngle(double a) {
    angle = a;
    computeGate();
}

void CheckPoint::setRadius(double r) {
    radius = r;
    placeChanged();
}

void CheckPoint::computeGate() {
    // brought back by one turn at most each way: 730 stays 370
    if (angle > 360) angle -= 360;
    if (angle < 0) angle += 360;
    const double t = angle * kPi / 180.0;
    direction = Vector3(std::cos(t), -std::sin(t), 0.0);
    halfGate = Vector3(-std::sin(t), -std::cos(t), 0.0) * radius;
}

CheckPoint::RecordFields CheckPoint::recordFields() const { return {radius, static_cast<double>(number), angle}; }

void CheckPoint::takeRecordFields(const RecordFields& fields, int count) {
    // a field that could not be read keeps its value
    if (count > 0) radius = fields[0];
    if (count > 1) number = static_cast<int>(fields[1]);
    if (count > 2) angle = fields[2];
    placeChanged();
    computeGate();
    // the count is the highest number plus one; the highest int has no
    // successor, so the count stops at the largest value it can hold
    const long long wanted = static_cast<long long>(number) + 1;
    const int gates = wanted > INT_MAX ? INT_MAX : static_cast<int>(wanted);
    if (world->getCheckpointCount() < gates) world->setCheckpointCount(gates);
}

void CheckPoint::draw(View& view) {
    const int white = makecol(255, 255, 255);
    drawGate(view, makecol(255, 255, 0), white);
    const Vector2 c = project(view, position);
    ClippedDraw::label(view.target, "CP " + std::to_string(number), c, white);
    ClippedDraw::line(view.target, c, project(view, position + direction * radius), white);
}

void CheckPoint::drawGate(View& view, int postColour, int lineColour) {
    const Terrain& terrain = world->getTerrain();
    for (double a = 0.0; a < kFullTurn; a += kPostStep) {
        Vector3 post = position + Vector3(radius * std::sin(a), radius * std::cos(a), 0.0);
        post.z = terrain.heightAt(Vector2(post.x, post.y));
        ClippedDraw::disc(view.target, project(view, post), kPostRadius, postColour);
    }
    ClippedDraw::line(view.target, project(view, position - halfGate), project(view, position + halfGate), lineColour);
}
