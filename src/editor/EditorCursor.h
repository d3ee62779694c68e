#pragma once
#include "objects/GameObject.h"

// The editor's cursor: rides on the ground and places, deletes, snaps and
// turns track objects from the keyboard.
class EditorCursor : public GameObject {
public:
    static constexpr double kRadius = 5.0;
    static constexpr double kSpeed = 400.0;
    static constexpr double kCommandLock = 1.0;
    static constexpr double kAdjustStep = 8.0;

    explicit EditorCursor(World* world);

    void setPosition(const Vector3& p) override;
    void draw(View& view) override;
    void update(double dt) override;

    void placeObject(GameObject* object);
    void deleteNearest();
    void snapNearest();
    // Page Up / Page Down: the nearest gate's or waypoint's number by one,
    // never below 0.
    void renumberNearest(int change);
    double getCooldown() const { return cooldown; }

private:
    double cooldown = 0.0;
};
