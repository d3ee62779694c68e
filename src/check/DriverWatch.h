#pragma once
#include <map>

#include "math/Vector3.h"

// Follows one craft through the track check's race: the ground it covers,
// the times it passes the waypoint its driver heads for without touching it,
// so that it has to turn back, and the longest it stood held in one spot.
class DriverWatch {
public:
    // A driver that came this near its waypoint and then drew this much
    // further away without touching it has missed it.
    static constexpr double kMissReach = 150.0;
    static constexpr double kMissTurn = 40.0;
    // A craft that stays this near one spot is standing there.
    static constexpr double kStandReach = 40.0;

    // The longest a craft stood: how many steps, where, and the place in the
    // route it headed for then (negative when none).
    struct Stand {
        int steps = 0;
        Vector3 position;
        int target = -1;
    };

    explicit DriverWatch(const Vector3& start = Vector3()) : last(start), spot(start) {}

    // One step of the race: where the craft is now, and the place in the
    // route and the position of the waypoint its driver heads for (a
    // negative place when nobody drives it along the route).
    void step(const Vector3& position, int target, const Vector3& waypoint);

    double distance() const { return covered; }
    int missedWaypoints() const { return missed; }
    // Misses by place in the route.
    const std::map<int, int>& missesByPlace() const { return missedAt; }
    const Stand& longestStand() const { return longest; }

private:
    Vector3 last;
    double covered = 0.0;
    int target = -1;
    double closest = 1.0e300;
    bool turned = false;
    int missed = 0;
    std::map<int, int> missedAt;
    Vector3 spot;
    int standing = 0;
    Stand longest;
};
