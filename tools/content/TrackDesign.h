#pragma once
#include <allegro.h>

#include <memory>
#include <string>
#include <vector>

#include "CourseLine.h"
#include "CourseSurvey.h"

class ContentPalette;

// One track made from its description: the centre line carved into the
// ground as a valley whose banks keep craft on the course, the ground
// texture, and the objects of its track file.
class TrackDesign {
public:
    struct PowerupSpot {
        double lap;   // fraction of the lap after the start line
        double side;  // world units to the left of the centre line
        int kind;
    };
    struct Plan {
        std::string title;
        // corners of the course as the map shows it: x across the screen, y up
        // it, both in world units from the middle of the island
        std::vector<CourseLine::Corner> corners;
        int startSide;             // the start line is on this side (corner k to k + 1)
        double startAt;            // this share of the way along its straight
        double halfWidth;          // flat floor of the course either side of the line
        double edgeMargin;         // least ground between the floor and the island's edge
        // Beyond the floor the banks rise as a bowl, ever steeper: wallHeight
        // at bankWidth from the floor's edge, four times that at twice the
        // width, and so on up to the island's highest ground. Wherever a
        // craft leaves the road the ground leans it back, and the further it
        // goes the harder.
        double bankWidth;
        double wallHeight;
        double countryHeight;      // ripples on the banks and the high ground rise and fall this much
        double baseHeight;
        double hillHeight, hillWaves;      // rise and fall along the lap
        double maxGradient;                // steepest climb along the floor
        double maxDescent;                 // and steepest descent
        double bankLean;                   // rise across the floor towards the outside of a bend
        double maxLinePull;                // strongest pull of the ground on the floor
        double returnReach;                // beyond the floor, how far the ground never pulls away from it
        double waterFrom, waterTo;         // lap fractions of the stretch of water
        int gates;
        double waypointSpacing;            // the longest step of the route
        double waypointTurn;               // degrees the course turns from one waypoint to the next, about
        std::vector<PowerupSpot> powerups;
        double sceneryStep;
        std::vector<double> obstacles;     // lap fractions of rocks just beyond the edge of the floor
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

    double startLevel(double s) const;
    double hills(double s) const;
    double alongLine(const std::vector<double>& values, double s) const;
    double floorHeight(const CourseLine::Sample& near, double x, double y) const;
    void makeProfile();
    double courseHeight(double s) const;
    double waterWeight(double s) const;
    double floorHalfWidth(double s) const;
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
    std::vector<double> lean;     // rise of the floor per unit towards the right there
    std::vector<unsigned char> heightBytes;
    BITMAP* tex = nullptr;
    std::vector<Record> records;
    std::unique_ptr<CourseSurvey> survey;  // what the finished ground does to a craft
};
