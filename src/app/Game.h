#pragma once

// The application shell: graphics mode, the menu loop and the two kinds of run.
constexpr int kColourDepths[] = {16, 32, 24, 0};
// The window's title.
constexpr const char* kGameTitle = "Hovercraft racer";

bool setGraphicsMode(bool fullScreen);
void printError(const char* text);
void runMenus();
void runRace(int track);
// `newTrack`: the editor starts from no objects on the track's ground.
void runEditor(int track, bool newTrack = false);
