#include "view/Hud.h"

#include <allegro.h>

#include <iomanip>
#include <sstream>
#include <string>

#include "craft/HoverCraft.h"
#include "view/RaceView.h"
#include "world/Texts.h"
#include "world/World.h"

void Hud::formatTime(std::ostream& out, int ms) {
    out.fill('0');
    out << std::setw(2) << ms / 60000 << ':' << std::setw(2) << (ms / 1000) % 60 << '.' << std::setw(3)
        << ms % 1000;
}

std::string Hud::line(const RaceRecord& craft, int raceTime) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << "lap:" << craft.laps << " current lap time:";
    formatTime(out, raceTime - craft.lapStartTime);
    out << " last lap time:";
    formatTime(out, craft.lastLapTime);
    out << " sector:" << craft.nextCheckpoint << " P" << craft.place;
    return out.str();
}

void Hud::drawHud(World& world, const HoverCraft& craft, BITMAP* target) {
    const std::string text = line(world.recordOf(craft), world.getRaceTime());
    // on a black band, as wide and as far below as the line lies from the
    // corner: a hut or a bright bank behind it never shows through its letters
    rectfill(target, 0, 0, 2 * kTextX + text_length(font, text.c_str()) - 1, 2 * kTextY + text_height(font) - 1,
             makecol(0, 0, 0));
    textout_ex(target, font, text.c_str(), kTextX, kTextY, makecol(255, 255, 255), -1);
    for (int i = 0; i < craft.getTurboLevel(); ++i) draw_sprite(target, world.getBitmap(GameData::kTurboSprite), kIconX, 8 * i);
    if (craft.isWonky()) draw_sprite(target, world.getBitmap(GameData::kWonkySprite), kIconX, 1);
    if (craft.isFrozen()) draw_sprite(target, world.getBitmap(GameData::kFrozenSprite), kIconX, 1);
}

void Hud::drawPaused(World& world, BITMAP* target) {
    FONT* big = static_cast<FONT*>(world.getData(GameData::kMessageFont));
    const int centre = RaceView::kScreenWidth / 2, white = makecol(255, 255, 255);
    const int resumeY = kPausedY + text_height(big) + kBandPadding;
    rectfill(target, 0, kPausedY - kBandPadding, RaceView::kScreenWidth - 1, resumeY + text_height(font) + kBandPadding,
             makecol(0, 0, 0));
    textout_centre_ex(target, big, gameText(kTextPaused), centre, kPausedY, white, -1);
    textout_centre_ex(target, font, gameText(kTextHowToResume), centre, resumeY, white, -1);
}
