#include "app/Preview.h"

#include <allegro.h>

#include <string>

#include "app/KeyWait.h"
#include "app/ScaledScreen.h"
#include "view/RaceView.h"
#include "world/Texts.h"
#include "world/World.h"

void Preview::showStatus(const char* text) {
    BITMAP* canvas = ScaledScreen::canvas();
    if (!canvas) return;
    clear_to_color(canvas, makecol(0, 120, 0));
    textout_ex(canvas, font, text, 10, 10, makecol(255, 255, 255), -1);
    ScaledScreen::show(canvas);
}

void Preview::render(World& world, RaceView& view, int track) {
    showStatus(kGeneratingText);
    world.loadTrack(track);
    world.update(World::kSetupStep);
    view.renderPreviewMap();
    BITMAP* canvas = ScaledScreen::canvas();
    if (!canvas) return;
    clear_to_color(canvas, 0);
    stretch_blit(view.getMapBitmap(), canvas, 0, 0, RaceView::kMapWidth, RaceView::kMapHeight, 0, 0,
                 RaceView::kScreenWidth, RaceView::kScreenHeight * 2 / 3);
    drawTexts(canvas);
    ScaledScreen::show(canvas);
}

bool Preview::show(World& world, RaceView& view, int track) {
    render(world, view, track);
    // the key that chose the track, or keys pressed while the preview was
    // rendering, must not skip it
    KeyWait::untilReleased();
    return KeyWait::forPress();
}

void Preview::drawTexts(BITMAP* target) {
    const int white = makecol(255, 255, 255);
    textout_ex(target, font, gameText(kTextPreview), kTitleX, kTitleY, white, -1);
    const std::string prompt = std::string(gameText(kTextReady)) + " " + gameText(kTextPressAKey);
    textout_centre_ex(target, font, prompt.c_str(), RaceView::kScreenWidth / 2, kPromptY, white, -1);
}
