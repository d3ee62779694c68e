#include "world/ResultsPanel.h"

#include <allegro.h>

#include <sstream>
#include <string>

#include "craft/HoverCraft.h"
#include "world/Hud.h"
#include "world/RaceResults.h"
#include "world/Texts.h"
#include "world/World.h"

namespace {

// title, column heads, one line a craft, how to leave
constexpr int kRows = 2 + World::kCraftCount + 1;
const char* const kNoTime = "--:--.---";

std::string timeText(int ms) {
    if (ms < 0) return kNoTime;
    std::ostringstream out;
    out.imbue(std::locale::classic());
    Hud::formatTime(out, ms);
    return out.str();
}

}  // namespace

void ResultsPanel::draw(World& world, BITMAP* target) {
    const int bottom = kY + 2 * kPadding + kRows * kRowHeight - 1;
    const int white = makecol(255, 255, 255), grey = makecol(160, 160, 160), yellow = makecol(255, 255, 0);
    rectfill(target, kX, kY, kX + kWidth - 1, bottom, makecol(0, 0, 0));
    rect(target, kX, kY, kX + kWidth - 1, bottom, grey);
    const auto rowY = [](int row) { return kY + kPadding + row * kRowHeight; };
    textout_ex(target, font, gameText(kTextResults), kX + kPlaceColumn, rowY(0), yellow, -1);
    textout_ex(target, font, gameText(kTextRaceTime), kX + kTimeColumn, rowY(1), grey, -1);
    textout_ex(target, font, gameText(kTextBestLap), kX + kBestLapColumn, rowY(1), grey, -1);
    int row = 2;
    for (const ResultRow& r : RaceResults::rows(world.getCraftList())) {
        const int y = rowY(row++);
        if (r.player) rectfill(target, kX + 2, y - 3, kX + kWidth - 3, y + kRowHeight - 4, makecol(40, 40, 150));
        const int ink = r.player ? yellow : white;
        textout_ex(target, font, std::to_string(r.place).c_str(), kX + kPlaceColumn, y, ink, -1);
        int red = kPaintRed, green = kPaintGreen, blue = kPaintBlue;
        HoverCraft::tint(r.colour, red, green, blue);
        rectfill(target, kX + kSwatchColumn, y, kX + kSwatchColumn + kSwatchWidth - 1, y + 7, makecol(red, green, blue));
        const std::string time = r.finished ? timeText(r.raceTime) : gameText(kTextRacing);
        textout_ex(target, font, time.c_str(), kX + kTimeColumn, y, ink, -1);
        textout_ex(target, font, timeText(r.bestLap).c_str(), kX + kBestLapColumn, y, ink, -1);
    }
    textout_ex(target, font, gameText(kTextHowToLeave), kX + kPlaceColumn, rowY(row), grey, -1);
}
