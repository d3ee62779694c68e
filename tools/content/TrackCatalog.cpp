#include "TrackCatalog.h"

namespace {

// Powerup kinds of the track file.
enum { kFrozen = 1, kWonky = 2, kOpponentsFrozen = 3, kTurbo = 4 };

TrackDesign::Plan easy() {
    TrackDesign::Plan s;
    s.title = "An easy track";
    // a wide road round the middle of the island in a deep bowl: three long
    // bends, all of one hand; wherever a craft runs wide the ground turns it
    // back, and the bowl's rim keeps it from the island's edge; a ford on
    // the right, the start on the near side
    s.corners = {{-1070, -618, 560}, {1070, -618, 560}, {0, 1236, 560}};
    s.startSide = 0;
    s.startAt = 0.5;
    s.halfWidth = 115;
    s.edgeMargin = 300;
    s.bankWidth = 250;
    s.wallHeight = 130;
    s.countryHeight = 20;
    s.baseHeight = 25;
    s.hillHeight = 6;
    s.hillWaves = 2;
    s.maxGradient = 0.03;
    s.maxDescent = 0.04;
    s.maxLinePull = 10;
    s.bankLean = 0.045;
    s.returnReach = 300;
    s.waterFrom = 0.30;
    s.waterTo = 0.37;
    s.gates = 16;
    s.waypointSpacing = 320;
    s.waypointTurn = 25;
    s.powerups = {{0.12, -105, kTurbo}, {0.30, 105, kFrozen}, {0.55, -105, kWonky}, {0.72, 105, kOpponentsFrozen},
                  {0.88, 0, kTurbo}};
    s.sceneryStep = 70;
    s.seed = 11;
    return s;
}

TrackDesign::Plan difficult() {
    TrackDesign::Plan s;
    s.title = "A difficult track";
    // a long oblong whose near side bends out towards the viewer and back,
    // so the lap turns both ways; a narrower road in a bowl of its own, a
    // ford on the left, rocks beside the road, the start late on the far
    // straight
    s.corners = {{1031, -525, 540}, {1031, 585, 540}, {-1030, 585, 540}, {-1030, -525, 540},
                 {-384, -525, 650}, {-50, -584, 750}, {284, -525, 650}};
    s.startSide = 1;
    s.startAt = 0.73;
    s.halfWidth = 100;
    s.edgeMargin = 150;
    s.bankWidth = 250;
    s.wallHeight = 100;
    s.countryHeight = 20;
    s.baseHeight = 50;
    s.hillHeight = 12;
    s.hillWaves = 3;
    s.maxGradient = 0.04;
    s.maxDescent = 0.04;
    s.maxLinePull = 10;
    s.bankLean = 0.045;
    s.returnReach = 200;
    s.waterFrom = 0.30;
    s.waterTo = 0.40;
    s.gates = 12;
    s.waypointSpacing = 320;
    s.waypointTurn = 25;
    s.powerups = {{0.10, 0, kTurbo}, {0.25, 78, kFrozen}, {0.45, -78, kWonky}, {0.62, 78, kOpponentsFrozen},
                  {0.75, -78, kFrozen}, {0.85, -78, kTurbo}};
    s.sceneryStep = 60;
    s.obstacles = {0.18, 0.77};
    s.seed = 23;
    return s;
}

TrackDesign::Plan impossible() {
    TrackDesign::Plan s;
    s.title = "An impossible track";
    // a bean turned across the island: the narrowest road in a canyon, a
    // bend back in on itself, long climbs and gentle descents, and a
    // straight along the island's near left shore, the start on it, where a
    // craft running wide goes over the edge into the sea
    s.corners = {{791, -905, 540}, {300, -414, 650}, {-187, -187, 750}, {-414, 300, 650},
                 {-905, 791, 540}, {-1775, -78, 540}, {-78, -1775, 540}};
    s.startSide = 5;
    s.startAt = 0.75;
    s.halfWidth = 75;
    s.edgeMargin = 80;
    s.bankWidth = 80;
    s.wallHeight = 75;
    s.countryHeight = 20;
    s.baseHeight = 55;
    s.hillHeight = 30;
    s.hillWaves = 3;
    s.maxGradient = 0.14;
    s.maxDescent = 0.04;
    s.maxLinePull = 20;
    s.bankLean = 0.08;
    s.returnReach = 60;
    s.waterFrom = 0.30;
    s.waterTo = 0.38;
    s.gates = 10;
    s.waypointSpacing = 320;
    s.waypointTurn = 32;
    s.powerups = {{0.08, -68, kWonky}, {0.20, 68, kFrozen}, {0.34, -68, kOpponentsFrozen}, {0.50, 0, kTurbo},
                  {0.64, -68, kFrozen}, {0.80, 68, kWonky}, {0.92, -68, kTurbo}};
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
