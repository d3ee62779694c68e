#include "world/RouteIndex.h"

#include <algorithm>
#include <cmath>

double RouteIndex::distance(const Vector3& a, const Vector3& b, const Vector3& p, double& t) {
    const double dx = b.x - a.x, dy = b.y - a.y, squared = dx * dx + dy * dy;
    t = squared > 0.0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / squared, 0.0, 1.0) : 0.0;
    return std::hypot(a.x + dx * t - p.x, a.y + dy * t - p.y);
}

void RouteIndex::build(const std::vector<Vector3>& route) {
    points = route;
    sorted = false;
    cells.clear();
    const std::size_t n = points.size();
    if (n < 2) return;
    double right = points[0].x, bottom = points[0].y;
    left = right;
    top = bottom;
    for (const Vector3& p : points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const double across = std::floor((right - left) / kCellSize) + 1, down = std::floor((bottom - top) / kCellSize) + 1;
    if (across * down > static_cast<double>(kMostCells)) return;
    columns = static_cast<long>(across);
    rows = static_cast<long>(down);
    cells.assign(static_cast<std::size_t>(columns * rows), {});
    sorted = true;
    for (std::size_t i = 0; i < n && sorted; ++i) add(i, points[i], points[(i + 1) % n]);
    if (!sorted) cells.clear();
    seen.assign(n, 0);
}

void RouteIndex::add(std::size_t segment, const Vector3& a, const Vector3& b) {
    const long x0 = static_cast<long>((std::min(a.x, b.x) - left) / kCellSize);
    const long x1 = static_cast<long>((std::max(a.x, b.x) - left) / kCellSize);
    const long y0 = static_cast<long>((std::min(a.y, b.y) - top) / kCellSize);
    const long y1 = static_cast<long>((std::max(a.y, b.y) - top) / kCellSize);
    if (static_cast<double>(x1 - x0 + 1) * (y1 - y0 + 1) > static_cast<double>(kMostCellsASegment)) {
        sorted = false;
        return;
    }
    for (long y = y0; y <= y1; ++y)
        for (long x = x0; x <= x1; ++x) cells[static_cast<std::size_t>(y * columns + x)].push_back(segment);
}

bool RouteIndex::gather(const Vector3& p, double reach, std::vector<std::size_t>& out) const {
    out.clear();
    if (++gathers == 0) {
        std::fill(seen.begin(), seen.end(), 0);
        gathers = 1;
    }
    const auto cell = [](double v) { return static_cast<long>(std::floor(v / kCellSize)); };
    const long x0 = std::max(0L, cell(p.x - reach - left)), x1 = std::min(columns - 1, cell(p.x + reach - left));
    const long y0 = std::max(0L, cell(p.y - reach - top)), y1 = std::min(rows - 1, cell(p.y + reach - top));
    for (long y = y0; y <= y1; ++y) {
        for (long x = x0; x <= x1; ++x) {
            for (std::size_t s : cells[static_cast<std::size_t>(y * columns + x)]) {
                if (seen[s] == gathers) continue;
                seen[s] = gathers;
                out.push_back(s);
            }
        }
    }
    std::sort(out.begin(), out.end());
    return x0 == 0 && y0 == 0 && x1 == columns - 1 && y1 == rows - 1;
}

std::size_t RouteIndex::nearest(const Vector3& p) const {
    const std::size_t n = points.size();
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return 0;
    // the cells round the point, ever wider, until the nearest segment found
    // lies within them: no segment outside can then be as near
    std::vector<std::size_t> near;
    for (double reach = kCellSize;; reach *= 2.0) {
        const bool whole = gather(p, reach, near);
        std::size_t best = n;
        double bestDistance = 0.0;
        for (std::size_t s : near) {
            double t;
            const double d = distance(points[s], points[(s + 1) % n], p, t);
            if (best == n || d < bestDistance) {
                best = s;
                bestDistance = d;
            }
        }
        if ((best < n && bestDistance <= reach) || whole) return best < n ? best : 0;
    }
}
