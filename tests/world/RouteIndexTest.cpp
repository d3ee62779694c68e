#include "world/RouteIndex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "world/Pacer.h"

namespace {

// The earliest of the nearest segments, by looking at every one.
std::size_t everySegment(const std::vector<Vector3>& points, const Vector3& p) {
    std::size_t best = 0;
    double bestDistance = -1.0, t;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double d = RouteIndex::distance(points[i], points[(i + 1) % points.size()], p, t);
        if (bestDistance < 0.0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

}  // namespace

// Sorted into cells, a route answers as a look at every segment does: for
// winding routes of a few and of thousands of points, short and long steps,
// points on the route, off it and far off the island, and ties (a route that
// doubles back on itself) going to the earliest segment.
TEST(RouteIndex, FindsTheEarliestNearestSegmentAsALookAtEveryOneDoes) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> ground(0.0, 3072.0), wobble(-60.0, 60.0);
    for (int count : {3, 20, 2000}) {
        std::vector<Vector3> points;
        for (int i = 0; i < count; ++i) {
            const double a = 6.283185307179586 * i / count;
            points.push_back(Vector3(1536 + 1000 * std::cos(a) + wobble(random), 1536 + 700 * std::sin(a), 0));
        }
        RouteIndex index;
        index.build(points);
        ASSERT_TRUE(index.isSorted()) << count;
        for (int q = 0; q < 400; ++q) {
            const Vector3 p = q < 300 ? Vector3(ground(random), ground(random), 0)
                                      : Vector3(ground(random) * 40 - 60000, -ground(random) * 30, 0);
            EXPECT_EQ(index.nearest(p), everySegment(points, p)) << count << " " << p.x << " " << p.y;
        }
    }
    // out and back along one line: every point is as near two segments
    const std::vector<Vector3> back = {Vector3(0, 0, 0), Vector3(1000, 0, 0), Vector3(0, 0, 0), Vector3(0, 500, 0)};
    RouteIndex twice;
    twice.build(back);
    EXPECT_EQ(twice.nearest(Vector3(400, 30, 0)), 0u);
    EXPECT_EQ(twice.nearest(Vector3(400, 30, 0)), everySegment(back, Vector3(400, 30, 0)));
}

// A point that is no number, or a route spread over more cells than any
// track needs, is left unsorted: the pacer then looks at every segment.
TEST(RouteIndex, RoutesItCannotSortAreLeftToALookAtEverySegment) {
    RouteIndex index;
    index.build({Vector3(0, 0, 0), Vector3(std::numeric_limits<double>::quiet_NaN(), 5, 0), Vector3(5, 5, 0)});
    EXPECT_FALSE(index.isSorted());
    index.build({Vector3(0, 0, 0), Vector3(1.0e9, 0, 0), Vector3(0, 1.0e9, 0)});
    EXPECT_FALSE(index.isSorted());
    index.build({Vector3(0, 0, 0), Vector3(100, 0, 0)});
    EXPECT_TRUE(index.isSorted());
    EXPECT_EQ(index.nearest(Vector3(std::numeric_limits<double>::infinity(), 0, 0)), 0u);
    // the pacer finds the same places either way
    Pacer sorted, unsorted;
    sorted.setRoute({Vector3(0, 0, 0), Vector3(1000, 0, 0), Vector3(1000, 1000, 0), Vector3(0, 1000, 0)});
    unsorted.setRoute({Vector3(0, 0, 0), Vector3(1000, 0, 0), Vector3(1000, 1.0e9, 0), Vector3(1000, 1000, 0),
                       Vector3(0, 1000, 0)});
    EXPECT_DOUBLE_EQ(sorted.locate(Vector3(990, 600, 0), 900, true), 990.0);
    EXPECT_DOUBLE_EQ(sorted.locate(Vector3(990, 600, 0), 900, false), 1600.0);
    EXPECT_DOUBLE_EQ(unsorted.locate(Vector3(990, 600, 0), 900, false), 1600.0);
    EXPECT_DOUBLE_EQ(unsorted.locate(Vector3(990, 600, 0), 900, true), 990.0);
}
