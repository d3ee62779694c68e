#include "CourseSurvey.h"

#include <algorithm>
#include <cmath>

#include "craft/HoverCraft.h"
#include "terrain/Terrain.h"

CourseSurvey::CourseSurvey(const CourseLine& line, const std::vector<unsigned char>& heights, BITMAP* texture,
                           const HalfWidth& halfWidth, double reach) {
    Terrain ground;
    ground.setGround(heights.data(), texture);
    auto pull = [&ground](double x, double y) {
        const Vector3 n = ground.normalAt(Vector2(x, y));
        return Vector2(n.x * HoverCraft::kSlopeFactor, n.y * HoverCraft::kSlopeFactor);
    };
    const double island = HoverCraft::kTrackSize;
    for (const CourseLine::Sample& p : line.samples()) {
        const Vector2 f = pull(p.x, p.y);
        if (std::hypot(f.x, f.y) > strongest) {
            strongest = std::hypot(f.x, f.y);
            steepest = Vector2(p.x, p.y);
        }
        edge = std::min(edge, std::min({p.x, p.y, island - p.x, island - p.y}) - halfWidth(p.s));
    }
    // off the floor, the pull away from the course
    for (int j = 0; j < Terrain::GRID_SIZE; ++j) {
        for (int i = 0; i < Terrain::GRID_SIZE; ++i) {
            const double x = i * Terrain::CELL_SIZE, y = j * Terrain::CELL_SIZE;
            double d;
            const CourseLine::Sample& near = line.nearest(x, y, d);
            const double beyond = d - halfWidth(near.s);
            if (beyond <= 0.0 || beyond > reach) continue;
            const Vector2 f = pull(x, y);
            away = std::max(away, (f.x * (x - near.x) + f.y * (y - near.y)) / d);
        }
    }
}
