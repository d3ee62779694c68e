#pragma once
#include <string>

#include "math/Vector2.h"
#include "math/Vector3.h"

struct BITMAP;
class CheckPoint;
class HoverCraft;

// All a craft asks of the race it is in: the ground under a point, and a
// place to tell what happens to it (a gate touched, the island left, a
// message or a sample for the player, a wake dropped on water). The World
// is one; the race rules behind it keep the craft's laps and gates.
class Racecourse {
public:
    virtual ~Racecourse() = default;

    virtual double groundHeight(const Vector2& p) const = 0;
    virtual Vector3 groundNormal(const Vector2& p) const = 0;
    virtual bool isWater(const Vector2& p) const = 0;

    // The contact pass found `craft` touching `gate`.
    virtual void gateTouched(HoverCraft& craft, const CheckPoint& gate) = 0;
    // `craft` left the track area and was put back.
    virtual void leftTheIsland(HoverCraft& craft) = 0;
    virtual void showMessage(const std::string& text) = 0;
    virtual void playSample(int index) = 0;
    // A wake of `image` at `at`, drifting on at `velocity`.
    virtual void dropWake(const Vector3& at, const Vector3& velocity, BITMAP* image) = 0;
};
