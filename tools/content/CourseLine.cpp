#include "CourseLine.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace {

double catmullRom(double p0, double p1, double p2, double p3, double t) {
    const double t2 = t * t, t3 = t2 * t;
    return 0.5 * (2 * p1 + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2 + (-p0 + 3 * p1 - 3 * p2 + p3) * t3);
}

// Control points of a rounded loop lie about this far apart.
constexpr double kControlSpacing = 40.0;

// The arc that rounds off a corner: where it begins and ends, its centre and its turn.
struct Arc {
    double ax, ay, bx, by, cx, cy, turn, radius;
};

std::vector<Arc> cornerArcs(const std::vector<CourseLine::Corner>& corners) {
    const int n = static_cast<int>(corners.size());
    std::vector<Arc> arcs;
    for (int k = 0; k < n; ++k) {
        const CourseLine::Corner& p = corners[(k + n - 1) % n];
        const CourseLine::Corner& c = corners[k];
        const CourseLine::Corner& q = corners[(k + 1) % n];
        const double inLength = std::hypot(c.x - p.x, c.y - p.y), outLength = std::hypot(q.x - c.x, q.y - c.y);
        const double ix = (c.x - p.x) / inLength, iy = (c.y - p.y) / inLength;
        const double ox = (q.x - c.x) / outLength, oy = (q.y - c.y) / outLength;
        const double turn = std::atan2(ix * oy - iy * ox, ix * ox + iy * oy);
        const double reach = c.radius * std::tan(std::fabs(turn) / 2);
        // the centre lies to the side the course turns to
        const double side = turn >= 0 ? 1.0 : -1.0;
        const double ax = c.x - ix * reach, ay = c.y - iy * reach;
        arcs.push_back({ax, ay, c.x + ox * reach, c.y + oy * reach, ax - iy * side * c.radius,
                        ay + ix * side * c.radius, turn, c.radius});
    }
    return arcs;
}

// The side from corner k's arc to the next one's must run forwards, the way
// from corner k to the next: arcs too wide for it overlap.
void checkSideFits(const std::vector<CourseLine::Corner>& corners, const std::vector<Arc>& arcs, int k) {
    const int n = static_cast<int>(corners.size());
    const Arc& from = arcs[k];
    const Arc& to = arcs[(k + 1) % n];
    const double sx = to.ax - from.bx, sy = to.ay - from.by;
    const double cx = corners[(k + 1) % n].x - corners[k].x, cy = corners[(k + 1) % n].y - corners[k].y;
    if (sx * cx + sy * cy < -1.0)
        throw std::runtime_error("the arcs of corners " + std::to_string(k) + " and " + std::to_string((k + 1) % n) +
                                 " overlap");
}

// The control points of a rounded loop, laid side by side and arc by arc.
struct ControlPoints {
    std::vector<double> xs, ys;

    void straight(double x0, double y0, double x1, double y1) {
        const double l = std::hypot(x1 - x0, y1 - y0);
        // two arcs that meet need no side between them
        if (l < 1.0) return;
        const int steps = std::max(1, static_cast<int>(std::lround(l / kControlSpacing)));
        for (int i = 0; i < steps; ++i) {
            xs.push_back(x0 + (x1 - x0) * i / steps);
            ys.push_back(y0 + (y1 - y0) * i / steps);
        }
    }

    void arc(const Arc& a) {
        const double a0 = std::atan2(a.ay - a.cy, a.ax - a.cx);
        const double sweep = a.turn;
        const int steps = std::max(2, static_cast<int>(std::lround(std::fabs(sweep) * a.radius / kControlSpacing)));
        for (int i = 0; i < steps; ++i) {
            const double angle = a0 + sweep * i / steps;
            xs.push_back(a.cx + a.radius * std::cos(angle));
            ys.push_back(a.cy + a.radius * std::sin(angle));
        }
    }
};

}  // namespace

CourseLine::CourseLine(const std::vector<double>& xs, const std::vector<double>& ys) {
    const int n = static_cast<int>(xs.size());
    const int fine = 200;
    std::vector<double> fx, fy, fs;
    std::vector<int> controlAt;
    double run = 0.0;
    for (int k = 0; k < n; ++k) {
        const int a = (k + n - 1) % n, b = k, c = (k + 1) % n, d = (k + 2) % n;
        for (int step = 0; step < fine; ++step) {
            const double t = static_cast<double>(step) / fine;
            const double x = catmullRom(xs[a], xs[b], xs[c], xs[d], t);
            const double y = catmullRom(ys[a], ys[b], ys[c], ys[d], t);
            if (!fx.empty()) run += std::hypot(x - fx.back(), y - fy.back());
            if (step == 0) controlS.push_back(run);
            fx.push_back(x);
            fy.push_back(y);
            fs.push_back(run);
        }
    }
    total = run + std::hypot(fx.front() - fx.back(), fy.front() - fy.back());
    // resample evenly by distance
    const int count = static_cast<int>(total / kStep);
    size_t j = 0;
    for (int i = 0; i < count; ++i) {
        const double s = total * i / count;
        while (j + 1 < fs.size() && fs[j + 1] < s) ++j;
        const size_t next = (j + 1) % fs.size();
        const double segment = (next == 0 ? total : fs[next]) - fs[j];
        const double f = segment > 0 ? (s - fs[j]) / segment : 0.0;
        points.push_back({fx[j] + (fx[next] - fx[j]) * f, fy[j] + (fy[next] - fy[j]) * f, 0, 0, s});
    }
    for (size_t i = 0; i < points.size(); ++i) {
        const Sample& p = points[(i + points.size() - 1) % points.size()];
        const Sample& q = points[(i + 1) % points.size()];
        const double dx = q.x - p.x, dy = q.y - p.y, l = std::hypot(dx, dy);
        points[i].tx = dx / l;
        points[i].ty = dy / l;
    }
    buckets.assign(kBuckets * kBuckets, {});
    for (size_t i = 0; i < points.size(); ++i) {
        const int bx = std::clamp(static_cast<int>(points[i].x / kBucketSize), 0, kBuckets - 1);
        const int by = std::clamp(static_cast<int>(points[i].y / kBucketSize), 0, kBuckets - 1);
        buckets[by * kBuckets + bx].push_back(static_cast<int>(i));
    }
}

CourseLine::Sample CourseLine::at(double s) const {
    s = std::fmod(s, total);
    if (s < 0) s += total;
    const double exact = s / total * points.size();
    const size_t i = static_cast<size_t>(exact) % points.size();
    const size_t k = (i + 1) % points.size();
    const double f = exact - std::floor(exact);
    Sample out = points[i];
    out.x += (points[k].x - points[i].x) * f;
    out.y += (points[k].y - points[i].y) * f;
    out.s = s;
    return out;
}

const CourseLine::Sample& CourseLine::nearest(double x, double y, double& distance) const {
    const int bx = std::clamp(static_cast<int>(x / kBucketSize), 0, kBuckets - 1);
    const int by = std::clamp(static_cast<int>(y / kBucketSize), 0, kBuckets - 1);
    int best = -1;
    double bestSquared = 1e300;
    // widen the ring of buckets until a sample is found and no nearer one can lie outside
    for (int ring = 0; ring < kBuckets; ++ring) {
        for (int cy = by - ring; cy <= by + ring; ++cy) {
            for (int cx = bx - ring; cx <= bx + ring; ++cx) {
                if (cx < 0 || cy < 0 || cx >= kBuckets || cy >= kBuckets) continue;
                if (std::max(std::abs(cx - bx), std::abs(cy - by)) != ring) continue;
                for (int i : buckets[cy * kBuckets + cx]) {
                    const double dx = points[i].x - x, dy = points[i].y - y;
                    const double d2 = dx * dx + dy * dy;
                    if (d2 < bestSquared) {
                        bestSquared = d2;
                        best = i;
                    }
                }
            }
        }
        const double reach = ring * kBucketSize;
        if (best >= 0 && bestSquared <= reach * reach) break;
    }
    distance = std::sqrt(bestSquared);
    return points[best];
}

double CourseLine::tightestRadius(double span) const {
    const int k = std::max(1, static_cast<int>(span / kStep / 2));
    const int n = static_cast<int>(points.size());
    double tightest = 1e300;
    for (int i = 0; i < n; ++i) {
        const Sample& a = points[(i - k + n) % n];
        const Sample& b = points[(i + k) % n];
        double turn = std::atan2(a.tx * b.ty - a.ty * b.tx, a.tx * b.tx + a.ty * b.ty);
        turn = std::fabs(turn);
        if (turn > 1e-9) tightest = std::min(tightest, 2 * k * kStep / turn);
    }
    return tightest;
}

CourseLine CourseLine::rounded(const std::vector<Corner>& corners, int startSide, double startAt) {
    const int n = static_cast<int>(corners.size());
    const std::vector<Arc> arcs = cornerArcs(corners);
    ControlPoints points;
    for (int m = 0; m < n; ++m) {
        const int k = (startSide + m) % n;
        const Arc& from = arcs[k];
        const Arc& to = arcs[(k + 1) % n];
        checkSideFits(corners, arcs, k);
        // start on the start side, and end there
        if (m == 0) {
            points.straight(from.bx + (to.ax - from.bx) * startAt, from.by + (to.ay - from.by) * startAt, to.ax,
                            to.ay);
        } else {
            points.straight(from.bx, from.by, to.ax, to.ay);
        }
        points.arc(to);
        if (m == n - 1) {
            const Arc& first = arcs[(startSide + 1) % n];
            points.straight(to.bx, to.by, to.bx + (first.ax - to.bx) * startAt, to.by + (first.ay - to.by) * startAt);
        }
    }
    return CourseLine(points.xs, points.ys);
}
