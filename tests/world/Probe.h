#pragma once
// An object that records what the World and its view do with it.
#include "objects/GameObject.h"
#include "world/World.h"

namespace worldtest {

// An object that records what the World does with it.
class Probe : public GameObject {
public:
    Probe(World* w, double r, int* deleted = nullptr) : GameObject(w), deleted_(deleted) { radius = r; }
    ~Probe() override {
        if (deleted_) ++*deleted_;
    }
    void draw(View& view) override {
        ++draws;
        lastView = view;
    }
    void update(double dt) override {
        ++updates;
        lastDt = dt;
        if (dieOnUpdate) setDead(true);
        if (spawnOnUpdate) world->addObject(new Probe(world, 1.0, deleted_));
    }
    void touchedBy(GameObject& craft) override { touchedByCraft = &craft; }
    void hide() { visible = false; }

    int updates = 0, draws = 0;
    double lastDt = -1;
    bool dieOnUpdate = false, spawnOnUpdate = false;
    GameObject* touchedByCraft = nullptr;
    View lastView;

private:
    int* deleted_;
};

// Places a probe so that its point lands on frame pixel (sx, sy) with scroll (0, 0).
inline Vector3 atScreen(double sx, double sy) {
    const double x = (sx - 2560.0) / 2.0;
    return Vector3(x, -x, 2880.0 - sy);
}

}  // namespace worldtest
