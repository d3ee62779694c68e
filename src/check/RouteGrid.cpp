#include "check/RouteGrid.h"

#include <algorithm>
#include <cmath>

#include "math/Clip.h"

namespace {

// Ground distance from p to the segment a-b.
double distanceToSegment(const Vector3& p, const Vector3& a, const Vector3& b) {
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double ll = ex * ex + ey * ey;
    double t = ll > 0.0 ? ((p.x - a.x) * ex + (p.y - a.y) * ey) / ll : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = a.x + t * ex - p.x, dy = a.y + t * ey - p.y;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

RouteGrid::RouteGrid(const std::vector<Vector3>& route, double size, double margin)
    : points(route), origin(-margin), cells(static_cast<int>(std::ceil((size + 2 * margin) / kCell))),
      legs(static_cast<std::size_t>(cells) * cells), seen(route.size(), -1) {
    const int count = static_cast<int>(points.size());
    for (int k = 0; k < count; ++k) {
        Vector2 a(points[k].x, points[k].y), b(points[(k + 1) % count].x, points[(k + 1) % count].y);
        const double far = origin + cells * kCell;
        if (clipSegment(a, b, origin, origin, far, far)) addLeg(k, a, b);
    }
}

int RouteGrid::cellOf(double v) const {
    const double c = std::floor((v - origin) / kCell);
    if (!(c >= 0.0)) return 0;
    return c >= cells ? cells - 1 : static_cast<int>(c);
}

void RouteGrid::addCell(int column, int row, int leg) {
    std::vector<int>& list = legs[static_cast<std::size_t>(row) * cells + column];
    // a leg crossing a cell corner may come twice in a row
    if (list.empty() || list.back() != leg) list.push_back(leg);
}

void RouteGrid::addLeg(int leg, const Vector2& a, const Vector2& b) {
    // column by column, the rows the leg covers within the column
    const int first = cellOf(std::min(a.x, b.x)), last = cellOf(std::max(a.x, b.x));
    for (int column = first; column <= last; ++column) {
        double y0 = a.y, y1 = b.y;
        if (b.x != a.x) {
            const double left = origin + column * kCell, right = left + kCell;
            const double t0 = std::clamp((left - a.x) / (b.x - a.x), 0.0, 1.0);
            const double t1 = std::clamp((right - a.x) / (b.x - a.x), 0.0, 1.0);
            y0 = a.y + t0 * (b.y - a.y);
            y1 = a.y + t1 * (b.y - a.y);
        }
        const int top = cellOf(std::max(y0, y1));
        for (int row = cellOf(std::min(y0, y1)); row <= top; ++row) addCell(column, row, leg);
    }
}

double RouteGrid::nearest(const Vector3& p, double range, double enough) {
    ++search;
    double best = range;
    int budget = kLegBudget;
    const int count = static_cast<int>(points.size());
    const int column = cellOf(p.x), row = cellOf(p.y);
    const int rings = static_cast<int>(std::ceil(range / kCell)) + 1;
    for (int ring = 0; ring <= rings; ++ring) {
        // every cell of this ring lies at least ring - 1 cells away
        const double near = ring > 0 ? (ring - 1) * kCell : 0.0;
        if (near >= best) break;
        for (int j = row - ring; j <= row + ring; ++j) {
            if (j < 0 || j >= cells) continue;
            const bool edge = j == row - ring || j == row + ring;
            for (int i = column - ring; i <= column + ring; i += edge ? 1 : 2 * ring) {
                if (i < 0 || i >= cells) continue;
                ++work;
                for (int leg : legs[static_cast<std::size_t>(j) * cells + i]) {
                    if (seen[leg] == search) continue;
                    // a pile of legs round one spot: what is left lies no nearer than this ring
                    if (budget == 0) return std::min(best, near);
                    seen[leg] = search;
                    --budget;
                    ++work;
                    best = std::min(best, distanceToSegment(p, points[leg], points[leg + 1 == count ? 0 : leg + 1]));
                    if (best < enough) return best;
                }
            }
        }
    }
    return best;
}
