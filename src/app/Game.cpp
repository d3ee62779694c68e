#include "app/Game.h"

#include <allegro.h>

#include <cstdio>
#include <memory>

#include "app/Menus.h"
#include "world/EndRequest.h"
#include "world/Texts.h"
#include "world/World.h"

bool setGraphicsMode(bool fullScreen) {
    const int driver = fullScreen ? GFX_AUTODETECT_FULLSCREEN : GFX_AUTODETECT_WINDOWED;
    // 8-bit modes are never tried: the map render needs true colour
    for (const int* depth = kColourDepths; *depth; ++depth) {
        set_color_depth(*depth);
        if (set_gfx_mode(driver, 640, 480, 640, 480) == 0) {
            set_window_title(kGameTitle);
            EndRequest::installCloseButton();
            return true;
        }
    }
    printError("Cannot set gfx mode");
    return false;
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

void runRace(int track) {
    auto world = std::make_unique<World>(false);
    if (!world->showPreview(track)) return;
    world->loadTrack(track);
    world->run();
}

void runEditor(int track, bool newTrack) {
    // the editor never shows the language dialog
    currentTexts = englishTexts;
    auto world = std::make_unique<World>(true);
    world->setPlayMusic(false);
    world->setEmptyStart(newTrack);
    // closed on the preview: nothing was edited, and an earlier newtrack.txt stays
    if (!world->showPreview(track)) return;
    world->loadTrack(track);
    world->run();
}
