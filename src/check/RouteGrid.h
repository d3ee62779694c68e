#pragma once
#include <vector>

#include "math/Vector2.h"
#include "math/Vector3.h"

// The computer drivers' route, a closed line through its waypoints, sorted
// into square cells of the ground so that the legs near a gate are found
// without measuring every leg: the track check stays linear in the number of
// gates and waypoints. Only the ground around the track area is covered;
// legs beyond it are too far from any gate on the area to matter.
class RouteGrid {
public:
    static constexpr double kCell = 48.0;
    // Legs one search measures at most, so that no pile of legs makes the
    // check crawl.
    static constexpr int kLegBudget = 1024;

    // Leg k runs from points[k] to points[k + 1], the last leg back to the
    // first point. `margin` is how far beyond the area (0 to `size` on x and
    // y) a leg may still be looked for.
    RouteGrid(const std::vector<Vector3>& points, double size, double margin);

    // The ground distance from p to the nearest leg, looked for up to `range`
    // away; `range` itself when no leg is nearer. The search ends as soon as
    // a leg nearer than `enough` turns up. When the budget runs out first the
    // answer is what no leg left unmeasured can be nearer than, which gives a
    // gate in a pile of legs the benefit of the doubt.
    double nearest(const Vector3& p, double range, double enough);

    // Cells visited and legs measured so far: what the searches cost.
    long long getWork() const { return work; }

private:
    void addLeg(int leg, const Vector2& a, const Vector2& b);
    void addCell(int column, int row, int leg);
    int cellOf(double v) const;

    std::vector<Vector3> points;
    double origin;     // ground x and y of the first cell's corner
    int cells;         // per side
    std::vector<std::vector<int>> legs;  // per cell, row by row
    std::vector<int> seen;  // the search that last measured each leg
    int search = 0;
    long long work = 0;
};
