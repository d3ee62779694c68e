#pragma once

class EditorCursor;
class RaceView;
class World;

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
// Where the editor's cursor starts: the middle of the ground.
constexpr double kEditorStartX = 1536.0, kEditorStartY = 1536.0;
void printError(const char* text);
void runMenus();
// Track `track` into a race: the loading line, data.dat, the ground, the
// objects, the map rendered, the craft on the grid, the player at the keys
// and computer drivers in the other places.
void loadRace(World& world, RaceView& view, int track);
// The same into an editor run: the cursor in the middle of the ground,
// followed, its lines over the map, the shell's test drive its F6.
EditorCursor* loadEditor(World& world, RaceView& view, int track);
void runRace(int track);
// `newTrack`: the editor starts from no objects on the track's ground.
void runEditor(int track, bool newTrack = false);
