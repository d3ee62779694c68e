#pragma once
#include <vector>

#include "CourseLine.h"

// Where the computer drivers' waypoints stand along a course's centre line.
// A driver keeps to its route when each waypoint turns it by about the same
// angle: in bends they stand closer together, on straights as far apart as
// allowed. Where the course turns from one hand to the other a waypoint
// stands at each end of the straight between the two bends, so that a driver
// comes out of the one bend straight before it heads into the other.
class CourseRoute {
public:
    // Distances along `line` from its start, the first 0: one waypoint for
    // about every `turnDegrees` of turning, and never more than `longestStep`
    // of straight between two.
    static std::vector<double> marks(const CourseLine& line, double turnDegrees, double longestStep);
};
