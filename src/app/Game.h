#pragma once

// The application shell: graphics mode, the menu loop and the two kinds of run.
constexpr int kColourDepths[] = {16, 32, 24, 0};
// The window's title.
constexpr const char* kGameTitle = "Hovercraft racer";
// The window's instance and class names, as the desktop entry's
// StartupWMClass names them: the desktop shows the game's icon for the window
// and groups it with its launcher.
constexpr const char* kWindowClass = "hover-racer";

// A window of the 640 x 480 frame enlarged by `scale`, or by the largest that
// fits the desktop when `scale` is 0; a full screen of 640 x 480, or else of
// the desktop's size with the frame enlarged and centred.
bool setGraphicsMode(bool fullScreen, int scale = 0);
void printError(const char* text);
void runMenus();
void runRace(int track);
// `newTrack`: the editor starts from no objects on the track's ground.
void runEditor(int track, bool newTrack = false);
