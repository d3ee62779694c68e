#pragma once

class World;
class Terrain;

// What the ground does along the computer drivers' route: its length, taken
// straight from waypoint to waypoint round the loop, and the strongest pull
// of the ground met on it.
class RouteLengthAndPull {
public:
    explicit RouteLengthAndPull(World& world);

    double length() const { return loop; }
    double steepestPull() const { return steepest; }

    // The ground's pull on a craft at a ground point; full thrust is the
    // craft's kThrust.
    static double pullAt(const Terrain& terrain, double x, double y);

private:
    double loop = 0.0;
    double steepest = 0.0;
};
