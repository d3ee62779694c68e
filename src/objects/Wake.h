#pragma once
#include "objects/GameObject.h"

struct BITMAP;

// The fading trail a craft leaves on water; drifts, slows and fades away.
class Wake : public GameObject {
public:
    static constexpr double kLife = 1.2;

    Wake(World* world, BITMAP* sprite);

    void draw(View& view) override;
    void update(double dt) override;

    void setVelocity(const Vector3& v) { velocity = v; }
    Vector3 getVelocity() const { return velocity; }
    double getLife() const { return life; }
    // additive blend strength for the current life
    int alpha() const;

private:
    BITMAP* sprite;
    Vector3 velocity;
    double life = kLife;
    // zero: the first update damps at once, as every update after a drawn frame does
    double slowTimer = 0.0;
};
