#include "world/ContactGrid.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "craft/HoverCraft.h"
#include "objects/GameObject.h"

ContactGrid::ContactGrid() {
    double cell = kFinestCell;
    for (Level& level : levels) {
        level.cell = cell;
        level.side = static_cast<int>(std::ceil(HoverCraft::kTrackSize / cell));
        level.cells.resize(static_cast<std::size_t>(level.side) * level.side);
        cell *= 2.0;
    }
}

int ContactGrid::levelOf(const GameObject& o) const {
    if (!o.staysPut()) return kLoose;
    const Vector3 p = o.getPosition();
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return kLoose;
    // a negative radius touches as far as its size: the contact test squares it
    const double r = std::fabs(o.getRadius());
    for (int k = 0; k < kLevels; ++k)
        if (r <= levels[k].cell) return k;
    return kLoose;  // too wide, or no number at all
}

int ContactGrid::cellOf(const Level& level, double at) {
    // clamped before it becomes an int: places off the track share the edge cells
    const double i = std::clamp(std::floor(at / level.cell), 0.0, static_cast<double>(level.side - 1));
    return static_cast<int>(i);
}

std::vector<ContactGrid::Entry>& ContactGrid::listOf(const GameObject& o, int k) {
    if (k == kLoose) return loose;
    Level& level = levels[k];
    const Vector3 p = o.getPosition();
    return level.cells[static_cast<std::size_t>(cellOf(level, p.y)) * level.side + cellOf(level, p.x)];
}

void ContactGrid::rebuild(const std::vector<GameObject*>& objects) {
    for (Level& level : levels) {
        for (std::vector<Entry>& cell : level.cells) cell.clear();
        level.count = 0;
    }
    loose.clear();
    nextOrder = 0;
    stale = false;
    for (GameObject* o : objects) join(o);
}

void ContactGrid::join(GameObject* o) {
    if (stale) return;
    const int k = levelOf(*o);
    // joining at the end of the list keeps every cell in list order
    listOf(*o, k).push_back(Entry{nextOrder++, o});
    if (k != kLoose) ++levels[k].count;
}

void ContactGrid::leave(GameObject* o) {
    if (stale) return;
    // an object that stays put is where it joined: a move makes the grid stale
    const int k = levelOf(*o);
    std::vector<Entry>& list = listOf(*o, k);
    const auto at = std::find_if(list.begin(), list.end(), [o](const Entry& e) { return e.object == o; });
    if (at == list.end()) {
        stale = true;  // not where it joined: sorting afresh is always right
        return;
    }
    list.erase(at);
    if (k != kLoose) --levels[k].count;
}

void ContactGrid::mergeRuns() {
    const auto earlier = [](const Entry& a, const Entry& b) { return a.order < b.order; };
    while (runs.size() > 2) {
        merged.clear();
        nextRuns.assign(1, 0);
        for (std::size_t i = 0; i + 1 < runs.size(); i += 2) {
            const auto a = found.begin() + static_cast<std::ptrdiff_t>(runs[i]);
            const auto b = found.begin() + static_cast<std::ptrdiff_t>(runs[i + 1]);
            const auto c = i + 2 < runs.size() ? found.begin() + static_cast<std::ptrdiff_t>(runs[i + 2]) : b;
            std::merge(a, b, b, c, std::back_inserter(merged), earlier);
            nextRuns.push_back(merged.size());
        }
        found.swap(merged);
        runs.swap(nextRuns);
    }
}

bool ContactGrid::gather(const Vector3& p, double r, std::vector<GameObject*>& out) {
    out.clear();
    const double reach = std::fabs(r) + kSlack;
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(reach)) return false;
    // each cell and the loose list are in list order already: the runs
    // gathered are merged, two by two, rather than sorted
    found.assign(loose.begin(), loose.end());
    runs.assign(1, 0);
    for (const Level& level : levels) {
        if (level.count == 0) continue;
        // an object of this level touches only within its cell side plus r
        const double far = level.cell + reach;
        const int x0 = cellOf(level, p.x - far), x1 = cellOf(level, p.x + far);
        const int y0 = cellOf(level, p.y - far), y1 = cellOf(level, p.y + far);
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const std::vector<Entry>& cell = level.cells[static_cast<std::size_t>(y) * level.side + x];
                if (cell.empty()) continue;
                runs.push_back(found.size());
                found.insert(found.end(), cell.begin(), cell.end());
            }
        }
    }
    runs.push_back(found.size());
    mergeRuns();
    out.reserve(found.size());
    for (const Entry& e : found) out.push_back(e.object);
    return true;
}
