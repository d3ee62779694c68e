#include "TrackCatalog.h"

namespace {

// Powerup kinds of the track file.
enum { kFrozen = 1, kWonky = 2, kOpponentsFrozen = 3, kTurbo = 4 };

TrackDesign::Plan easy() {
    TrackDesign::Plan s;
    s.title = "An easy track";
    // a wide oval round the middle of the map; the start is on the long near straight
    s.u = {-600, 0, 600, 1200, 1600, 1250, 600, 0, -600, -1250, -1600, -1200};
    s.v = {800, 800, 800, 1000, 1500, 2000, 2200, 2150, 2200, 2000, 1500, 1000};
    s.startControl = 1;
    s.halfWidth = 95;
    s.bankWidth = 90;
    s.wallHeight = 70;
    s.baseHeight = 50;
    s.hillHeight = 8;
    s.hillWaves = 2;
    s.maxGradient = 0.05;
    s.waterFrom = 0.40;
    s.waterTo = 0.52;
    s.gates = 8;
    s.waypointSpacing = 250;
    s.powerups = {{0.12, 35, kTurbo}, {0.30, -40, kFrozen}, {0.62, 40, kWonky}, {0.80, -35, kOpponentsFrozen},
                  {0.90, 45, kTurbo}};
    s.sceneryStep = 70;
    s.seed = 11;
    return s;
}

TrackDesign::Plan difficult() {
    TrackDesign::Plan s;
    s.title = "A difficult track";
    // bends of both hands and an S through the right-hand side
    s.u = {-700, -100, 500, 1200, 1650, 1450, 950, 600, 850, 350, -300, -800, -1350, -1650, -1250, -1500, -1250};
    s.v = {760, 760, 760, 850, 1250, 1650, 1550, 1800, 2150, 2350, 2150, 2330, 2150, 1700, 1420, 1080, 800};
    s.startControl = 1;
    s.halfWidth = 75;
    s.bankWidth = 80;
    s.wallHeight = 75;
    s.baseHeight = 50;
    s.hillHeight = 16;
    s.hillWaves = 3;
    s.maxGradient = 0.04;
    s.waterFrom = 0.56;
    s.waterTo = 0.66;
    s.gates = 10;
    s.waypointSpacing = 170;
    s.powerups = {{0.10, 30, kTurbo}, {0.25, -30, kFrozen}, {0.45, 25, kWonky}, {0.70, -25, kOpponentsFrozen},
                  {0.86, 30, kFrozen}, {0.93, -30, kTurbo}};
    s.sceneryStep = 60;
    s.obstacles = {0.18, 0.77};
    s.seed = 23;
    return s;
}

TrackDesign::Plan impossible() {
    TrackDesign::Plan s;
    s.title = "An impossible track";
    // hairpins, a narrow floor, steep hills and rocks on the edge of the line
    s.u = {-900, -300, 300, 900, 1450, 1650, 1300, 750, 350, 700, 1150, 1450, 1150, 600, 100, -400, -1000, -1450,
           -1650, -1200, -800, -950, -1300, -1150};
    s.v = {700, 700, 700, 750, 900, 1250, 1380, 1280, 1450, 1680, 1680, 1950, 2280, 2330, 2080, 2330, 2270, 2030,
           1560, 1420, 1600, 1250, 1050, 780};
    s.startControl = 1;
    s.halfWidth = 58;
    s.bankWidth = 70;
    s.wallHeight = 80;
    s.baseHeight = 55;
    s.hillHeight = 26;
    s.hillWaves = 5;
    s.maxGradient = 0.13;
    s.waterFrom = 0.30;
    s.waterTo = 0.38;
    s.gates = 12;
    s.waypointSpacing = 130;
    s.powerups = {{0.08, 20, kWonky},  {0.20, -20, kFrozen}, {0.34, 20, kOpponentsFrozen}, {0.50, -20, kTurbo},
                  {0.64, 20, kFrozen}, {0.80, -20, kWonky},  {0.92, 20, kTurbo}};
    s.sceneryStep = 50;
    s.obstacles = {0.15, 0.45, 0.71, 0.87};
    s.seed = 37;
    return s;
}

}  // namespace

TrackDesign::Plan TrackCatalog::plan(int n) {
    if (n == 1) return easy();
    if (n == 2) return difficult();
    return impossible();
}
