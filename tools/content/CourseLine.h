#pragma once
#include <vector>

// The centre line of a closed course: a smooth loop through control points,
// sampled every few world units, with its length along the way.
class CourseLine {
public:
    struct Sample {
        double x, y;    // world ground position
        double tx, ty;  // unit direction of travel
        double s;       // distance along the line from the first control point
    };

    // A corner of a course drawn as a polygon: the course runs straight from
    // corner to corner and rounds each one off with an arc of its radius.
    struct Corner {
        double x, y, radius;
    };

    // Control points in world ground coordinates, in driving order.
    CourseLine(const std::vector<double>& xs, const std::vector<double>& ys);
    // The loop round `corners` (world ground coordinates, in driving order),
    // starting on the side from corner `startSide` to the next, `startAt` of
    // the way along its straight; throws when two corners' arcs do not fit on
    // the side between them.
    static CourseLine rounded(const std::vector<Corner>& corners, int startSide, double startAt);

    double length() const { return total; }
    // The line at distance s along it (wrapped into the lap).
    Sample at(double s) const;
    // Distance along the line of control point k.
    double controlDistance(int k) const { return controlS[k]; }
    // The nearest sample to a ground point and the distance to it.
    const Sample& nearest(double x, double y, double& distance) const;
    const std::vector<Sample>& samples() const { return points; }
    // Smallest radius of curvature along the line, over `span` units.
    double tightestRadius(double span) const;

    static constexpr double kStep = 3.0;

private:
    std::vector<Sample> points;
    std::vector<double> controlS;
    double total = 0.0;
    // coarse buckets of samples for the nearest-point search
    static constexpr int kBuckets = 32;
    static constexpr double kBucketSize = 3072.0 / kBuckets;
    std::vector<std::vector<int>> buckets;
};
