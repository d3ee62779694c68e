#pragma once
#include <allegro.h>

#include <functional>
#include <vector>

#include "CourseLine.h"
#include "math/Vector2.h"

// What the finished ground of a course does to a craft, measured with the
// game's own terrain: the pull on the driving line, the ground left between
// the floor and the island's edge, and beside the floor the pull away from
// the course, which a craft must beat to drive back.
class CourseSurvey {
public:
    using HalfWidth = std::function<double(double)>;  // the floor's half width at a distance along the line

    // `heights` as in tracks.dat; the ground beside the floor is measured out
    // to `reach` beyond its edge.
    CourseSurvey(const CourseLine& line, const std::vector<unsigned char>& heights, BITMAP* texture,
                 const HalfWidth& halfWidth, double reach);

    double linePull() const { return strongest; }
    Vector2 steepestPoint() const { return steepest; }
    double edgeDistance() const { return edge; }
    double awayPull() const { return away; }

private:
    double strongest = 0.0;
    Vector2 steepest;
    double edge = 1e300;
    double away = 0.0;
};
