#include "world/Pacer.h"

#include <algorithm>
#include <cmath>

namespace {

double groundDistance(const Vector3& a, const Vector3& b) { return std::hypot(b.x - a.x, b.y - a.y); }

}  // namespace

void Pacer::setRoute(const std::vector<Vector3>& route) {
    points = route;
    along.assign(points.size() + 1, 0.0);
    loop = 0.0;
    if (points.size() < 2) return;
    for (std::size_t i = 0; i < points.size(); ++i)
        along[i + 1] = along[i] + groundDistance(points[i], points[(i + 1) % points.size()]);
    loop = along.back();
    // a route of points all in one place, or of no real numbers, is none
    if (!(loop > 0.0) || !std::isfinite(loop)) loop = 0.0;
    index.build(loop > 0.0 ? points : std::vector<Vector3>());
}

Vector3 Pacer::at(double s) const {
    if (!hasRoute()) return Vector3();
    s = std::fmod(s, loop);
    if (s < 0.0) s += loop;
    const std::size_t n = points.size();
    const std::size_t i = static_cast<std::size_t>(std::upper_bound(along.begin(), along.end(), s) - along.begin()) - 1;
    const std::size_t k = std::min(i, n - 1);
    const double length = along[k + 1] - along[k];
    const double t = length > 0.0 ? (s - along[k]) / length : 0.0;
    return points[k] + (points[(k + 1) % n] - points[k]) * t;
}

double Pacer::placeOn(std::size_t i, const Vector3& p, double near, double& d) const {
    const Vector3& a = points[i];
    const Vector3& b = points[(i + 1) % points.size()];
    const double dx = b.x - a.x, dy = b.y - a.y, squared = dx * dx + dy * dy;
    double t;
    d = RouteIndex::distance(a, b, p, t);
    // the lap of `near`, so that a point found is counted on over the laps
    double s = std::floor(near / loop) * loop + along[i] + t * std::sqrt(squared);
    // the same point one lap on or back, whichever lies nearest `near`
    if (s - near > loop / 2) s -= loop;
    if (near - s > loop / 2) s += loop;
    return s;
}

void Pacer::segmentsNear(double near, std::vector<std::size_t>& out) const {
    out.clear();
    const std::size_t n = points.size();
    const double lapStart = std::floor(near / loop) * loop;
    const auto segmentAt = [&](double s) {
        const auto it = std::upper_bound(along.begin(), along.begin() + static_cast<long>(n), s);
        return static_cast<long>(it - along.begin()) - 1;
    };
    // the window may reach into the lap before or after `near`'s
    for (int lap = -1; lap <= 1; ++lap) {
        const double from = near - kSearchBack - lapStart - lap * loop, to = near + kSearchAhead - lapStart - lap * loop;
        const long first = std::max(0L, segmentAt(from) - 1);
        const long last = std::min(static_cast<long>(n) - 1, segmentAt(to) + 1);
        for (long i = first; i <= last; ++i) out.push_back(static_cast<std::size_t>(i));
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

double Pacer::locate(const Vector3& p, double near, bool window) const {
    double d;
    const bool findable = index.isSorted() && std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(near);
    if (!window && findable) return placeOn(index.nearest(p), p, near, d);
    // in route order, as the window allows; the first of the nearest wins
    std::vector<std::size_t> segments;
    if (findable && kSearchBack + kSearchAhead < loop / 2) {
        segmentsNear(near, segments);
    } else {
        for (std::size_t i = 0; i < points.size(); ++i) segments.push_back(i);
    }
    double bestDistance = -1.0, best = near;
    for (std::size_t i : segments) {
        const double s = placeOn(i, p, near, d);
        if (window && (s < near - kSearchBack || s > near + kSearchAhead)) continue;
        if (bestDistance < 0.0 || d < bestDistance) {
            bestDistance = d;
            best = s;
        }
    }
    return best;
}

void Pacer::start(const Vector3& craft) {
    started = true;
    shown = true;
    player = hasRoute() ? locate(craft, 0.0, false) : 0.0;
    pacer = player;
    here = hasRoute() ? at(pacer) : craft;
}

void Pacer::step(double dt, const Vector3& craft, const Vector3* nextGate) {
    if (!started) start(craft);
    shown = nextGate != nullptr;
    if (!shown) return;
    if (!hasRoute()) {
        here = *nextGate;
        return;
    }
    // a craft put back after leaving the island may stand far from where it
    // was: then it is found anywhere on the loop
    const double found = locate(craft, player, true);
    const double anywhere = locate(craft, player, false);
    player = groundDistance(at(found), craft) > 2.0 * groundDistance(at(anywhere), craft) ? anywhere : found;
    // the gate in the lap nearest the player: behind it when the player
    // went past without passing, and the pacer leads back there
    const double gate = locate(*nextGate, player, false) + kPastGate;
    const double ahead = std::min({pacer + kPace * std::max(dt, 0.0), player + kLead, gate});
    // overtaken, it stays behind the player, never far: a player faster
    // than the pace sees it behind and lets the craft slow
    pacer = std::max(ahead, std::min(player - kFallBack, gate));
    here = at(pacer);
}
