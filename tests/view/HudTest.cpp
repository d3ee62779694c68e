#include "view/Hud.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <iomanip>
#include <locale>
#include <memory>
#include <sstream>
#include <string>

#include "Pixels.h"
#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"
#include "view/RaceView.h"
#include "world/TestFiles.h"
#include "world/Texts.h"
#include "world/World.h"

using pixels::Box;
using pixels::drawnBox;

namespace {

std::string timeText(int ms) {
    std::ostringstream out;
    Hud::formatTime(out, ms);
    return out.str();
}

// Digits grouped in threes, as some players' locales print them.
struct Grouping : std::numpunct<char> {
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
};

// A craft made from the scratch data.dat, and the World whose clock it reads.
class HudTest : public ::testing::Test {
protected:
    void SetUp() override {
        testfiles::writeGameData("data.dat");
        world.reset(new World(false));
        craft.reset(new HoverCraft(world.get(), 1));
    }
    testfiles::ScratchDir dir;
    std::unique_ptr<World> world;
    std::unique_ptr<HoverCraft> craft;
};

}  // namespace

TEST(Hud, TimesAreMinutesSecondsAndMillisecondsFilledWithZeros) {
    EXPECT_EQ(timeText(0), "00:00.000");
    EXPECT_EQ(timeText(7), "00:00.007");
    EXPECT_EQ(timeText(59999), "00:59.999");
    EXPECT_EQ(timeText(83456), "01:23.456");
    EXPECT_EQ(timeText(3723004), "62:03.004");
    std::ostringstream out;
    Hud::formatTime(out, 0);
    out << std::setw(3) << 5;
    EXPECT_EQ(out.str(), "00:00.000005") << "the stream keeps '0' as its fill";
}

TEST_F(HudTest, LineShowsLapTimesSectorAndPlaceInWhiteAtTheTopLeftAndEffectIconsAtTheRight) {
    EXPECT_EQ(Hud::line(world->recordOf(*craft), 200), "lap:0 current lap time:00:00.200 last lap time:00:00.000 sector:0 P0");
    // third, on its second lap since 64.6 s, the first of 61.5 s, heading for gate 1
    RaceRecord record;
    record.laps = 2;
    record.lapStartTime = 64600;
    record.lastLapTime = 61500;
    record.nextCheckpoint = 1;
    record.place = 3;
    const std::locale saved = std::locale::global(std::locale(std::locale::classic(), new Grouping));
    const std::string line = Hud::line(record, 64600 + 60083456);
    std::locale::global(saved);
    EXPECT_EQ(line, "lap:2 current lap time:1001:23.456 last lap time:01:01.500 sector:1 P3");

    BITMAP* target = create_bitmap(640, 480);
    const int background = makecol(0, 0, 90), turbo = makecol(0, 200, 0), wonky = makecol(200, 0, 0);
    const int frozen = makecol(0, 0, 200);
    clear_to_color(world->getBitmap(GameData::kTurboSprite), turbo);
    clear_to_color(world->getBitmap(GameData::kWonkySprite), wonky);
    clear_to_color(world->getBitmap(GameData::kFrozenSprite), frozen);
    const Box icons{600, 0, 639, 40}, effect{600, 1, 615, 16};  // the sprites are 16 x 16
    auto iconsDrawn = [&] {
        clear_to_color(target, background);
        Hud::drawHud(*world, *craft, target);
        return drawnBox(target, background, icons);
    };
    for (int step = 0; step < 43; ++step) world->update(step ? 1.5 : 1.6);
    EXPECT_EQ(iconsDrawn(), pixels::kNothing);
    ASSERT_EQ(world->getRaceTime(), 64600);
    const std::string now = Hud::line(world->recordOf(*craft), 64600);
    const int black = makecol(0, 0, 0);
    EXPECT_TRUE(pixels::showsText(target, font, now.c_str(), 5, 5, makecol(255, 255, 255), black));
    // on a black band from the corner, as far past the line as the line lies from the corner
    const int end = 5 + text_length(font, now.c_str());
    EXPECT_EQ(drawnBox(target, background, {0, 0, 599, 479}), (Box{0, 0, end + 4, 17}));
    for (const Box& margin : {Box{0, 0, end + 4, 4}, Box{0, 13, end + 4, 17}, Box{0, 0, 4, 17}, Box{end, 0, end + 4, 17}})
        EXPECT_TRUE(pixels::filled(target, margin, black)) << "round the line " << margin;
    craft->addTurbo();
    EXPECT_EQ(iconsDrawn(), (Box{600, 0, 615, 15}));
    craft->addTurbo();
    EXPECT_EQ(iconsDrawn(), (Box{600, 0, 615, 23})) << "one turbo icon 8 below the other";
    craft->makeWonky();
    EXPECT_EQ(iconsDrawn(), (Box{600, 0, 615, 23}));
    EXPECT_TRUE(pixels::filled(target, effect, wonky)) << "over the turbo icons";
    craft->freeze();
    EXPECT_EQ(iconsDrawn(), effect);
    EXPECT_TRUE(pixels::filled(target, effect, frozen));
    destroy_bitmap(target);
}

TEST_F(HudTest, PausedIsABlackBandAcrossTheWindowWithItsTwoLinesCentredInWhite) {
    BITMAP* b = create_bitmap(RaceView::kScreenWidth, RaceView::kScreenHeight);
    const int grey = makecol(90, 90, 90), black = makecol(0, 0, 0), white = makecol(255, 255, 255);
    clear_to_color(b, grey);
    const char* const* saved = currentTexts;
    currentTexts = englishTexts;
    Hud::drawPaused(*world, b);
    currentTexts = saved;
    FONT* big = static_cast<FONT*>(world->getData(GameData::kMessageFont));
    const int top = Hud::kPausedY - Hud::kBandPadding;
    const int resumeY = Hud::kPausedY + text_height(big) + Hud::kBandPadding;
    const int bottom = resumeY + text_height(font) + Hud::kBandPadding;
    EXPECT_EQ(drawnBox(b, grey), (Box{0, top, RaceView::kScreenWidth - 1, bottom})) << "the band, the rest untouched";
    const int bandPixels = RaceView::kScreenWidth * (bottom - top + 1);
    const int whites = pixels::countColour(b, white);
    EXPECT_GT(whites, 100);
    EXPECT_EQ(pixels::countColour(b, black) + whites, bandPixels) << "black and white only";
    // "Paused" in the message font from kPausedY, how to resume below it, both centred
    const Box paused = drawnBox(b, black, {0, top, RaceView::kScreenWidth - 1, resumeY - 1});
    const Box resume = drawnBox(b, black, {0, resumeY, RaceView::kScreenWidth - 1, bottom});
    EXPECT_GE(paused.y0, Hud::kPausedY);
    EXPECT_LT(paused.y1, Hud::kPausedY + text_height(big));
    EXPECT_GE(resume.y0, resumeY);
    for (const Box& line : {paused, resume}) EXPECT_NEAR(line.x0 + line.x1, RaceView::kScreenWidth, 3) << line;
    destroy_bitmap(b);
}
