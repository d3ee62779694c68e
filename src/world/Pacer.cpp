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

double Pacer::locate(const Vector3& p, double near, bool window) const {
    const std::size_t n = points.size();
    double bestDistance = -1.0, best = near;
    // the lap of `near`, so that a point found is counted on over the laps
    const double lapStart = std::floor(near / loop) * loop;
    for (std::size_t i = 0; i < n; ++i) {
        const Vector3& a = points[i];
        const Vector3& b = points[(i + 1) % n];
        const double dx = b.x - a.x, dy = b.y - a.y, squared = dx * dx + dy * dy;
        const double t = squared > 0.0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / squared, 0.0, 1.0) : 0.0;
        const double d = std::hypot(a.x + dx * t - p.x, a.y + dy * t - p.y);
        double s = lapStart + along[i] + t * std::sqrt(squared);
        // the same point one lap on or back, whichever lies nearest `near`
        if (s - near > loop / 2) s -= loop;
        if (near - s > loop / 2) s += loop;
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
