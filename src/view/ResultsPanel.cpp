#include "view/ResultsPanel.h"

#include <allegro.h>

#include <sstream>
#include <string>

#include "craft/CraftSprites.h"
#include "view/Hud.h"
#include "world/Texts.h"
#include "world/World.h"

namespace {

// title, column heads, one line a craft, how to leave
constexpr int kRows = 2 + World::kCraftCount + 1;
constexpr int kHeight = 2 * ResultsPanel::kPadding + kRows * ResultsPanel::kRowHeight;
const char* const kNoTime = "--:--.---";

std::string timeText(int ms) {
    if (ms < 0) return kNoTime;
    std::ostringstream out;
    out.imbue(std::locale::classic());
    Hud::formatTime(out, ms);
    return out.str();
}

}  // namespace

ResultsPanel::~ResultsPanel() {
    if (image) destroy_bitmap(image);
}

void ResultsPanel::draw(World& world, BITMAP* target) {
    const std::vector<ResultRow> rows = RaceResults::rows(world);
    if (image && bitmap_color_depth(image) != bitmap_color_depth(target)) {
        destroy_bitmap(image);
        image = nullptr;
    }
    if (!image) {
        image = create_bitmap_ex(bitmap_color_depth(target), kWidth, kHeight);
        if (!image) return;
        shown.clear();
    }
    if (rows != shown || shown.empty()) render(rows);
    blit(image, target, 0, 0, kX, kY, kWidth, kHeight);
}

void ResultsPanel::render(const std::vector<ResultRow>& rows) {
    shown = rows;
    const int depth = bitmap_color_depth(image);
    const auto colour = [depth](int r, int g, int b) { return makecol_depth(depth, r, g, b); };
    const int white = colour(255, 255, 255), grey = colour(160, 160, 160), yellow = colour(255, 255, 0);
    clear_to_color(image, colour(0, 0, 0));
    rect(image, 0, 0, kWidth - 1, kHeight - 1, grey);
    const auto rowY = [](int row) { return kPadding + row * kRowHeight; };
    textout_ex(image, font, gameText(kTextResults), kPlaceColumn, rowY(0), yellow, -1);
    textout_ex(image, font, gameText(kTextRaceTime), kTimeColumn, rowY(1), grey, -1);
    textout_ex(image, font, gameText(kTextBestLap), kBestLapColumn, rowY(1), grey, -1);
    int row = 2;
    for (const ResultRow& r : rows) {
        const int y = rowY(row++);
        if (r.player) rectfill(image, 2, y - 3, kWidth - 3, y + kRowHeight - 4, colour(40, 40, 150));
        const int ink = r.player ? yellow : white;
        textout_ex(image, font, std::to_string(r.place).c_str(), kPlaceColumn, y, ink, -1);
        int red = kPaintRed, green = kPaintGreen, blue = kPaintBlue;
        CraftSprites::tint(r.colour, red, green, blue);
        rectfill(image, kSwatchColumn, y, kSwatchColumn + kSwatchWidth - 1, y + 7, colour(red, green, blue));
        const std::string time = r.finished ? timeText(r.raceTime) : gameText(kTextRacing);
        textout_ex(image, font, time.c_str(), kTimeColumn, y, ink, -1);
        textout_ex(image, font, timeText(r.bestLap).c_str(), kBestLapColumn, y, ink, -1);
    }
    textout_ex(image, font, gameText(kTextHowToLeave), kPlaceColumn, rowY(row), grey, -1);
}
