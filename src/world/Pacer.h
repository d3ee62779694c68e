#pragma once
#include <vector>

#include "math/Vector3.h"
#include "world/RouteIndex.h"

// The point the race guidance runs ahead of the player along the drivers'
// route, the line a computer driver takes: never more than kLead ahead of the
// player, never faster than kPace, and never further than just past the gate
// the player must pass next, where it waits. A newcomer who keeps behind it
// takes the bends at a speed the craft holds, and one who strays is led back
// to the course. Without a route it stands on the next gate.
class Pacer {
public:
    static constexpr double kLead = 300.0;  // units along the route
    static constexpr double kPace = 130.0;  // units a second
    // It waits this far past the next gate's line, so that a craft driving
    // for it goes through the gate rather than to its middle.
    static constexpr double kPastGate = 80.0;
    // Overtaken, it falls no further than this behind the player.
    static constexpr double kFallBack = 100.0;
    // How far back and ahead along the route the player's place is looked
    // for: a craft never skips to a part of the loop it has not driven.
    static constexpr double kSearchBack = 300.0;
    static constexpr double kSearchAhead = 600.0;

    // The route's points in driving order, a closed loop; fewer than two make
    // no route.
    void setRoute(const std::vector<Vector3>& points);
    bool hasRoute() const { return loop > 0.0; }
    double routeLength() const { return loop; }

    // The race starts with the craft at `craft`: the pacer stands beside it.
    void start(const Vector3& craft);
    // One step of the race: the craft's place now and the gate it must pass
    // next (null once it has finished, when nothing is shown).
    void step(double dt, const Vector3& craft, const Vector3* nextGate);

    bool isShown() const { return shown; }
    // The point shown; its height is the route's.
    Vector3 point() const { return here; }
    // How far along the route the player has come, and the pacer, counted
    // from the first point and on over every lap.
    double playerProgress() const { return player; }
    double pacerProgress() const { return pacer; }

    // The point of the route `s` along it (any lap).
    Vector3 at(double s) const;
    // The distance along the route of the point nearest `p`, counted near
    // `near`: within [near - back, near + ahead] when `window`, else the
    // nearest point anywhere on the loop, in the lap that lies nearest `near`.
    double locate(const Vector3& p, double near, bool window) const;

private:
    // The distance along the route, in the lap nearest `near`, of segment
    // i's point nearest `p`, and how far that point lies from `p`.
    double placeOn(std::size_t i, const Vector3& p, double near, double& distance) const;
    // The segments whose stretch of the route may lie within the window round
    // `near`, in route order.
    void segmentsNear(double near, std::vector<std::size_t>& out) const;

    std::vector<Vector3> points;
    RouteIndex index;
    std::vector<double> along;  // distance of each point from the first
    double loop = 0.0;
    bool started = false;
    bool shown = false;
    double player = 0.0;
    double pacer = 0.0;
    Vector3 here;
};
