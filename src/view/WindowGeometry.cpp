#include "view/WindowGeometry.h"

#include <algorithm>
#include <cmath>

std::vector<ScreenRect> WindowGeometry::uncovered(int scrollX, int scrollY, int width, int height, int mapWidth,
                                            int mapHeight) {
    // the columns and rows of the window that the map covers, as half-open ranges
    const long long left = std::clamp(-static_cast<long long>(scrollX), 0LL, static_cast<long long>(width));
    const long long right =
        std::clamp(static_cast<long long>(mapWidth) - scrollX, left, static_cast<long long>(width));
    const long long top = std::clamp(-static_cast<long long>(scrollY), 0LL, static_cast<long long>(height));
    const long long bottom =
        std::clamp(static_cast<long long>(mapHeight) - scrollY, top, static_cast<long long>(height));
    std::vector<ScreenRect> strips;
    const auto add = [&strips](long long x, long long y, long long w, long long h) {
        if (w > 0 && h > 0)
            strips.push_back({static_cast<int>(x), static_cast<int>(y), static_cast<int>(w), static_cast<int>(h)});
    };
    // full-height strips left and right, then what is left above and below between them
    add(0, 0, left, height);
    add(right, 0, width - right, height);
    add(left, 0, right - left, top);
    add(left, bottom, right - left, height - bottom);
    return strips;
}

EdgeArrow WindowGeometry::arrowTo(const Vector2& target, int width, int height) {
    EdgeArrow arrow;
    const Vector2 centre(width / 2.0, height / 2.0);
    const double dx = target.x - centre.x, dy = target.y - centre.y;
    const double reachX = width / 2.0 - kArrowMargin, reachY = height / 2.0 - kArrowMargin;
    const double ax = std::fabs(dx), ay = std::fabs(dy);
    // inside, or no number at all: nothing to point at
    if (!(ax > reachX || ay > reachY)) return arrow;
    if (!std::isfinite(ax) || !std::isfinite(ay)) return arrow;
    // the shorter of the two ways to the margin: along x to a side, along y to the top or bottom
    const double t = std::min(ax > 0 ? reachX / ax : 1.0e300, ay > 0 ? reachY / ay : 1.0e300);
    const double length = std::hypot(dx, dy);
    arrow.shown = true;
    arrow.tip = Vector2(centre.x + dx * t, centre.y + dy * t);
    arrow.direction = Vector2(dx / length, dy / length);
    return arrow;
}
