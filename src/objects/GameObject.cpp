#include "objects/GameObject.h"

GameObject::GameObject(World* w) : world(w) {}

GameObject::~GameObject() = default;

void GameObject::setPosition(const Vector3& p) { position = p; }

char GameObject::typeCode() const { return 0; }

void GameObject::write(std::ostream&) const {}

void GameObject::read(std::istream&) {}

void GameObject::touchedBy(GameObject&) {}
