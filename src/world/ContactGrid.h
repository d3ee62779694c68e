#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "math/Vector3.h"

class GameObject;

// The contact pass's first sieve. The objects that stay put (scenery, gates,
// waypoints, powerups) are kept in square cells over the track area by the
// place of their centre, so a craft is tested only against the objects of the
// cells within its reach and not against the whole track. Each object goes to
// the finest of a few levels of cells whose side is at least its radius; the
// rest (craft, wakes, objects wider than the coarsest cells or without a real
// place) are on a short list every craft is tested against. Entries carry
// their order in the World's list, so the craft still meet them in list order.
class ContactGrid {
public:
    // Side of the finest cells in world units; each coarser level doubles it.
    static constexpr double kFinestCell = 64.0;
    static constexpr int kLevels = 6;
    // Added to every reach: far above the rounding of any place on the track,
    // so a pair a hair inside the contact distance is never left out.
    static constexpr double kSlack = 1.0;
    // A list shorter than this is tested whole: walking a shipped track's
    // objects costs less than gathering and merging cells for them.
    static constexpr std::size_t kShortList = 256;

    ContactGrid();

    // The next gather has to sort the whole list into cells afresh.
    void invalidate() { stale = true; }
    bool isStale() const { return stale; }
    void rebuild(const std::vector<GameObject*>& objects);
    // An object joining the end of the list, one leaving it. Neither is
    // needed while the grid is stale.
    void join(GameObject* o);
    void leave(GameObject* o);
    // Every object that a sphere at p of radius r may touch, in list order;
    // false when the sphere has no bounded place and the whole list must be
    // tested. The grid must not be stale.
    bool gather(const Vector3& p, double r, std::vector<GameObject*>& out);

private:
    static constexpr int kLoose = -1;

    struct Entry {
        std::uint64_t order;
        GameObject* object;
    };
    struct Level {
        double cell = 0.0;
        int side = 0;
        int count = 0;
        std::vector<std::vector<Entry>> cells;
    };

    int levelOf(const GameObject& o) const;
    static int cellOf(const Level& level, double at);
    std::vector<Entry>& listOf(const GameObject& o, int level);
    // Merges the sorted runs of `found` that start at `runs` into one.
    void mergeRuns();

    Level levels[kLevels];
    std::vector<Entry> loose;
    std::vector<Entry> found, merged;
    std::vector<std::size_t> runs, nextRuns;
    std::uint64_t nextOrder = 0;
    bool stale = true;
};
