#pragma once
#include <map>
#include <string>
#include <vector>

#include "math/Vector3.h"
#include "track/TrackProblem.h"

class World;
class GameObject;

// The layout half of the track check: what is wrong with a track's objects
// before any craft drives on them (gate and waypoint numbers, the drivers'
// route through the gates, the start grid, objects off the area, the map or
// the ground), each problem with its record line in the track text.
class TrackLayout {
public:
    // `world` holds the objects the track reader made from `text`, still
    // pending, in file order; both must outlive the layout.
    TrackLayout(World& world, const std::string& text);

    std::vector<TrackProblem> check();

    // The record line of an object read from the text, 0 for any other.
    int lineOf(const GameObject* o) const;
    // "checkpoint 3 at (1200, 1500)", "scenery of kind 2 at ...".
    std::string name(const GameObject* o) const;

    // The record line of every object the track reader makes from `text`, in
    // the order it makes them.
    static std::vector<int> recordLines(const std::string& text);
    // Ground coordinates in reports: "(1200, 1500)".
    static std::string at(const Vector3& p);
    static std::string whole(double v);

private:
    void checkNumbers(const std::vector<GameObject*>& objects);
    void checkRoute(const std::vector<GameObject*>& objects);
    void checkPlacement(const std::vector<GameObject*>& objects);
    void checkGrid(const std::vector<GameObject*>& objects);
    void addProblem(const GameObject* o, const std::string& text);

    World& world;
    std::map<const GameObject*, int> lines;
    std::vector<TrackProblem> problems;
};
