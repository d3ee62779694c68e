#pragma once

// One craft's race as the race rules keep it: the gate it must pass next, the
// last one passed and when, its laps and lap times, whether it has finished,
// its place and the times it left the island. Times are the race clock's, in
// milliseconds.
struct RaceRecord {
    int nextCheckpoint = 0;
    int lastCheckpoint = -1;
    int lastCheckpointTime = 0;
    int lastLapTime = 0;
    // The shortest whole lap so far; -1 before the first one.
    int bestLapTime = -1;
    int lapStartTime = 0;
    // Start-line crossings: the first starts lap 1.
    int laps = 0;
    bool finished = false;
    int place = 0;
    int timesOutOfBounds = 0;
};
