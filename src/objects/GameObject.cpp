#include "objects/GameObject.h"

#include "world/World.h"

GameObject::GameObject(World* w) : world(w) {}

GameObject::~GameObject() = default;

void GameObject::setPosition(const Vector3& p) {
    position = p;
    placeChanged();
}

void GameObject::setDead(bool d) {
    dead = d;
    if (d) world->objectDied(this);
}

void GameObject::placeChanged() {
    if (fixedPlace) world->objectMoved();
}

char GameObject::typeCode() const { return 0; }

GameObject::RecordFields GameObject::recordFields() const { return RecordFields(); }

void GameObject::takeRecordFields(const RecordFields&, int) {}

void GameObject::touchedBy(GameObject&) {}
