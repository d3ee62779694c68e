#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "check/TrackProblem.h"
#include "math/Vector3.h"
#include "track/TrackFile.h"

class World;
class GameObject;

// The layout half of the track check: what is wrong with a track's objects
// before any craft drives on them (gate and waypoint numbers, the drivers'
// route through the gates, the start grid, objects off the area, the map or
// the ground), each problem with its record line in the track text.
class TrackLayout {
public:
    // Fewer gates than this let a craft count laps by crossing the start
    // line back and forth.
    static constexpr int kFewestGates = 3;
    // How far past what a craft must reach the route is still measured, so a
    // report can say how far off it passes.
    static constexpr double kRouteSearch = 300.0;
    // A gate or waypoint written this far above or below the ground under it
    // was placed on another ground.
    static constexpr double kFarOffGround = 30.0;
    // Numbers this long are written in short exponent form.
    static constexpr double kLongestWhole = 1.0e7;

    // `world` holds the objects the track reader made from `text`, still
    // pending, in file order; both must outlive the layout.
    TrackLayout(World& world, const std::string& text);

    std::vector<TrackProblem> check();

    // The record line of an object read from the text, 0 for any other.
    int lineOf(const GameObject* o) const;
    // "checkpoint 3 at (1200, 1500)", "scenery of kind 2 at ...".
    std::string name(const GameObject* o) const;

    // Route legs measured and cells visited by the route check so far.
    long long getRouteWork() const { return routeWork; }

    // Ground coordinates in reports: "(1200, 1500)".
    static std::string at(const Vector3& p);
    static std::string whole(double v);
    // One decimal, for pulls and forces.
    static std::string tenths(double v);

private:
    void checkFile();
    void checkGround(const std::vector<GameObject*>& objects);
    void checkNumbers(const std::vector<GameObject*>& objects);
    void checkRadii(const std::vector<GameObject*>& objects);
    void checkRoute(const std::vector<GameObject*>& objects);
    void checkPlacement(const std::vector<GameObject*>& objects);
    void checkGrid(const std::vector<GameObject*>& objects);
    void addProblem(const GameObject* o, const std::string& text);

    World& world;
    std::vector<TrackFile::Record> records;
    TrackFile::Break broke;
    std::unordered_map<const GameObject*, std::size_t> recordOf;
    std::vector<TrackProblem> problems;
    long long routeWork = 0;
};
