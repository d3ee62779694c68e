#pragma once
#include <allegro.h>

#include <string>
#include <vector>

#include "CourseLine.h"

class ContentPalette;

// One track made from its description: the centre line carved into the
// ground as a valley whose banks keep craft on the course, the ground
// texture, and the objects of its track file.
class TrackDesign {
public:
    struct PowerupSpot {
        double lap;   // fraction of the lap after the start line
        double side;  // world units to the right of the centre line
        int kind;
    };
    struct Plan {
        std::string title;
        std::vector<double> u, v;  // control points in map coordinates: x - y and (x + y) / 2
        int startControl;          // the start line sits on this control point
        double halfWidth;          // flat floor of the course either side of the line
        double bankWidth;          // how far the banks take to rise
        double wallHeight;
        double baseHeight;
        double hillHeight, hillWaves;      // rise and fall along the lap
        double maxGradient;                // steepest climb along the floor
        double waterFrom, waterTo;         // lap fractions of the stretch of water
        int gates;
        double waypointSpacing;
        std::vector<PowerupSpot> powerups;
        double sceneryStep;
        std::vector<double> obstacles;     // lap fractions of rocks at the edge of the floor
        unsigned seed;
    };

    TrackDesign(const Plan& plan, const ContentPalette& palette);
    ~TrackDesign();
    TrackDesign(const TrackDesign&) = delete;
    TrackDesign& operator=(const TrackDesign&) = delete;

    // 65,536 heights, line j holding samples i = 0..255 of row j.
    const std::vector<unsigned char>& heights() const { return heightBytes; }
    // The ground texture, 256 x 256 in the palette; owned by the design.
    BITMAP* texture() const { return tex; }
    // The track file text, ending with "E".
    std::string trackFile() const;
    // A short account of the course: length, tightest bend, closest approach.
    std::string summary() const;

    // A new top-down picture of the track, twice the grid's size: the texture
    // lit by the slopes, with the waypoints, gates and objects marked.
    BITMAP* preview() const;

    // The ground height as the game interpolates it.
    double heightAt(double x, double y) const;

private:
    struct Record {
        char letter;
        double x, y, z;
        std::string body;
    };

    double hills(double s) const;
    void makeProfile();
    double courseHeight(double s) const;
    double waterWeight(double s) const;
    double floorHalfWidth(double s) const;
    double lapDistance(double fraction) const;
    void carve();
    void paint();
    void place();
    void check() const;
    void addScenery(double x, double y, int kind, double clearance);

    Plan plan;
    const ContentPalette& palette;
    CourseLine line;
    double start;  // distance along the line of the start line
    double waterLevel = 0.0;
    std::vector<double> profile;  // floor height at every sample of the line
    std::vector<unsigned char> heightBytes;
    BITMAP* tex = nullptr;
    std::vector<Record> records;
};
