#include "CourseRoute.h"

#include <algorithm>
#include <cmath>

#include "craft/HoverCraft.h"
#include "objects/AiWaypoint.h"

namespace {

constexpr double kPi = 3.141592653589793;
// A bend's hand is judged over this stretch, and a stretch turning by less
// than this many radians over it is straight.
constexpr double kHandSpan = 90.0;
constexpr double kStraightTurn = 0.02;
// A computer driver touches a waypoint this near: its craft's radius and the waypoint's.
constexpr double kTouch = HoverCraft::kRadius + AiWaypoint::kRadius;

}  // namespace

std::vector<double> CourseRoute::marks(const CourseLine& line, double turnDegrees, double longestStep) {
    const std::vector<CourseLine::Sample>& pts = line.samples();
    const int n = static_cast<int>(pts.size());
    const double turnStep = turnDegrees * kPi / 180.0;
    // the cost of the route up to each sample: its turning, or its length on a straight
    std::vector<double> turn(n), cost(n + 1, 0.0);
    for (int i = 0; i < n; ++i) {
        const CourseLine::Sample& a = pts[i];
        const CourseLine::Sample& b = pts[(i + 1) % n];
        turn[i] = std::atan2(a.tx * b.ty - a.ty * b.tx, a.tx * b.tx + a.ty * b.ty);
        cost[i + 1] = cost[i] + std::max(std::fabs(turn[i]) / turnStep, CourseLine::kStep / longestStep);
    }
    // the hand of the bend at each sample: +1, -1, or 0 on a straight
    const int half = static_cast<int>(kHandSpan / CourseLine::kStep / 2);
    std::vector<int> hand(n);
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int k = -half; k <= half; ++k) sum += turn[(i + k + n) % n];
        hand[i] = sum > kStraightTurn ? 1 : sum < -kStraightTurn ? -1 : 0;
    }
    // anchors: the start, and both ends of the straight between bends of
    // opposite hands (or its middle, when it is short)
    std::vector<int> anchors = {0};
    int last = 0, lastAt = 0;
    for (int i = 0; i < n; ++i) {
        if (hand[i] == 0) continue;
        if (last != 0 && hand[i] != last) {
            if ((i - lastAt) * CourseLine::kStep > 2 * kTouch) {
                anchors.push_back(lastAt);
                anchors.push_back(i);
            } else {
                anchors.push_back((lastAt + i) / 2);
            }
        }
        last = hand[i];
        lastAt = i;
    }
    anchors.erase(std::remove(anchors.begin() + 1, anchors.end(), 0), anchors.end());
    // between anchors, waypoints at even steps of the cost
    std::vector<double> marks;
    for (size_t a = 0; a < anchors.size(); ++a) {
        const int from = anchors[a], to = a + 1 < anchors.size() ? anchors[a + 1] : n;
        const double span = cost[to] - cost[from];
        const int count = std::max(1, static_cast<int>(std::lround(span)));
        int i = from;
        for (int k = 0; k < count; ++k) {
            const double want = cost[from] + span * k / count;
            while (cost[i + 1] < want) ++i;
            const double f = (want - cost[i]) / (cost[i + 1] - cost[i]);
            marks.push_back((i + f) * line.length() / n);
        }
    }
    return marks;
}
