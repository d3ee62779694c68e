#pragma once

// The application shell: graphics mode, the menu loop and the two kinds of run.
constexpr int kColourDepths[] = {16, 32, 24, 0};

bool setGraphicsMode(bool fullScreen);
void printError(const char* text);
void runMenus();
void runRace(int track);
// `newTrack`: the editor starts from no objects on the track's ground.
void runEditor(int track, bool newTrack = false);
