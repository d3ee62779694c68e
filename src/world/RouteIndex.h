#pragma once
#include <cstddef>
#include <vector>

#include "math/Vector3.h"

// The segments of a closed route sorted into square cells of the ground, so
// that the one nearest a point is found by looking only near it: a route of
// 50,000 waypoints answers as fast as one of twenty. It answers exactly as a
// look at every segment in route order does, the earliest of equally near
// segments winning. A route it cannot sort sensibly (a point that is no
// number, or spread over more cells than a track can need) is left unsorted,
// and asked of it says so.
class RouteIndex {
public:
    static constexpr double kCellSize = 128.0;
    // More cells than this, in all or for one segment, and a look at every
    // segment is as quick.
    static constexpr std::size_t kMostCells = 1u << 20;
    static constexpr std::size_t kMostCellsASegment = 4096;

    // Segment i runs from points[i] to points[(i + 1) % n].
    void build(const std::vector<Vector3>& points);
    bool isSorted() const { return sorted; }

    // The ground distance from `p` to segment i, and how far along it (0 to
    // 1) its nearest point lies.
    static double distance(const Vector3& a, const Vector3& b, const Vector3& p, double& t);
    // The segment nearest `p`, the earliest of equals; only when sorted. A
    // point that is no number is nearest none, and the first is taken.
    std::size_t nearest(const Vector3& p) const;

private:
    void add(std::size_t segment, const Vector3& a, const Vector3& b);
    // The segments of the cells within `reach` of `p`, once each, in order;
    // true when those were all the cells.
    bool gather(const Vector3& p, double reach, std::vector<std::size_t>& out) const;

    std::vector<Vector3> points;
    bool sorted = false;
    double left = 0.0, top = 0.0;
    long columns = 0, rows = 0;
    std::vector<std::vector<std::size_t>> cells;
    mutable std::vector<unsigned> seen;  // the last gather each segment was taken in
    mutable unsigned gathers = 0;
};
