#include "app/Game.h"

#include <allegro.h>

#include <cstdio>
#include <string>

#include "app/EndRequest.h"
#include "app/Menus.h"
#include "app/Preview.h"
#include "app/RaceLoop.h"
#include "app/ScaledScreen.h"
#include "app/TestDrive.h"
#include "app/WindowFit.h"
#include "control/Seating.h"
#include "editor/EditorCursor.h"
#include "view/RaceView.h"
#include "world/Texts.h"
#include "world/World.h"

namespace {

// One mode at each colour depth in turn; 8-bit modes are never tried: the
// map render needs true colour. `enlarged`: the frame is shown larger than it is.
bool trySizes(int driver, int width, int height, bool enlarged) {
    for (int depth : WindowFit::depthsToTry(kColourDepths, desktop_color_depth(), enlarged)) {
        set_color_depth(depth);
        if (set_gfx_mode(driver, width, height, width, height) == 0) return true;
    }
    return false;
}

bool tryWindow(int scale) {
    if (!trySizes(GFX_AUTODETECT_WINDOWED, WindowFit::kFrameWidth * scale, WindowFit::kFrameHeight * scale, scale > 1))
        return false;
    ScaledScreen::setUp(scale, 0, 0);
    return true;
}

// Whether the display has a mode of the frame's own size. The library's full
// screen takes the nearest larger mode when it has none, and shows the frame
// small in its middle.
bool offersFrameMode() {
    GFX_MODE_LIST* list = get_gfx_mode_list(GFX_XWINDOWS_FULLSCREEN);
    if (!list) return false;
    bool found = false;
    for (int i = 0; i < list->num_modes; ++i)
        found = found || (list->mode[i].width == WindowFit::kFrameWidth && list->mode[i].height == WindowFit::kFrameHeight);
    destroy_gfx_mode_list(list);
    return found;
}

bool tryFullScreen(int scale) {
    // the mode of the frame itself where the display still offers it
    if (scale <= 1 && offersFrameMode() &&
        trySizes(GFX_AUTODETECT_FULLSCREEN, WindowFit::kFrameWidth, WindowFit::kFrameHeight, false)) {
        ScaledScreen::setUp(1, 0, 0);
        return true;
    }
    int width = 0, height = 0;
    // the whole desktop is copied to each frame, whatever the scale
    if (get_desktop_resolution(&width, &height) != 0 || !trySizes(GFX_AUTODETECT_FULLSCREEN, width, height, true))
        return false;
    const FramePlace place = WindowFit::fullScreen(SCREEN_W, SCREEN_H, scale);
    ScaledScreen::setUp(place.scale, place.x, place.y);
    return true;
}

bool tryWindowThatFits(int scale) {
    int width = 0, height = 0;
    if (get_desktop_resolution(&width, &height) != 0) width = height = 0;
    const int fit = WindowFit::windowScale(width, height, scale);
    // a window too large for the display's driver is still better than none
    return tryWindow(fit) || (fit > 1 && tryWindow(1));
}

}  // namespace

bool setGraphicsMode(bool fullScreen, int scale) {
    if (!(fullScreen ? tryFullScreen(scale) : tryWindowThatFits(scale))) {
        printError("Cannot set gfx mode");
        return false;
    }
    set_window_title(kGameTitle);
    EndRequest::installCloseButton();
    return true;
}

void printError(const char* text) {
    std::fputs(text, stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

void runMenus() {
    saveDialogFont();
    if (!chooseLanguage()) return;
    for (;;) {
        const int track = chooseTrack();
        if (track == 0) return;
        runRace(track);
        // the window was closed during the race: the program ends with it
        if (EndRequest::requested()) return;
    }
}

void loadRace(World& world, RaceView& view, int track) {
    Preview::showStatus(Preview::kRenderingText);
    world.loadTrack(track);
    view.renderGround();
    world.startRace();
    Seating::playerAtTheKeys(world);
}

EditorCursor* loadEditor(World& world, RaceView& view, int track) {
    Preview::showStatus(Preview::kRenderingText);
    world.loadTrack(track);
    view.renderGround();
    auto* cursor = new EditorCursor(&world);
    cursor->setPosition(Vector3(kEditorStartX, kEditorStartY, 0.0));
    world.addObject(cursor);
    world.setFollowed(cursor);
    view.setOverlay([cursor](BITMAP* frame) { cursor->drawScreen(frame); });
    World* editor = &world;
    cursor->setTestDrive([editor](const std::string& text) { return TestDrive::drive(*editor, text); });
    return cursor;
}

void runRace(int track) {
    World world(false);
    RaceView view(world);
    if (!Preview::show(world, view, track)) return;
    loadRace(world, view, track);
    RaceLoop::run(world, view, RaceLoop::Options());
}

void runEditor(int track, bool newTrack) {
    // the editor never shows the language dialog
    currentTexts = englishTexts;
    World world(true);
    RaceView view(world);
    world.setEmptyStart(newTrack);
    // closed on the preview: nothing was edited, and an earlier newtrack.txt stays
    if (!Preview::show(world, view, track)) return;
    EditorCursor* cursor = loadEditor(world, view, track);
    RaceLoop::Options quiet;
    quiet.music = false;
    RaceLoop::run(world, view, quiet, cursor);
}
