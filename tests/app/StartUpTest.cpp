#include <allegro.h>
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>

#include "app/Game.h"
#include "world/TestFiles.h"
#include "world/Texts.h"

TEST(StartUp, NoGraphicsModeIsReportedOnStandardError) {
    // the headless system driver has no graphics modes at all
    ::testing::internal::CaptureStderr();
    const bool set = setGraphicsMode(false);
    const std::string err = ::testing::internal::GetCapturedStderr();
    set_color_depth(32);
    EXPECT_FALSE(set);
    EXPECT_EQ(err, "Cannot set gfx mode\n");
}

TEST(StartUp, EditorOnATrackThatDoesNotExistFailsWithTheLoadError) {
    testfiles::ScratchDir dir;
    testfiles::writeGameData("data.dat");
    testfiles::writeTracks("tracks.dat", 3);
    const char* const* saved = currentTexts;
    for (int track : {40000, INT_MAX, INT_MIN, 0, 4}) {
        try {
            runEditor(track);
            ADD_FAILURE() << "track " << track << " opened";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "Unable to load tracks datafile") << track;
        }
    }
    currentTexts = saved;
}

TEST(Texts, TablesKeepTheirRolesInEveryLanguage) {
    EXPECT_STREQ(languages[0].name, "English");
    EXPECT_STREQ(languages[1].name, "Francais");
    EXPECT_STREQ(languages[2].name, "IM A AOL USER!!1 LOL");
    EXPECT_EQ(languages[1].texts, frenchTexts);
    EXPECT_STREQ(frenchTexts[kTextTrackTitle], "Circuit");
    EXPECT_STREQ(frenchTexts[kTextTrack1], "Un circuit facile");
    EXPECT_STREQ(frenchTexts[kTextTrack3], "Un circuit impossible");
    for (int n : {kTextFrozen, kTextWonky, kTextTurbo, kTextOutOfBounds})
        EXPECT_STREQ(frenchTexts[n], englishTexts[n]) << n;
    EXPECT_STREQ(aolTexts[kTextTurbo], "TURBO!!!1 LOL");
    EXPECT_STREQ(englishTexts[kTextGo], "Go");
    EXPECT_STREQ(aolTexts[kTextOutOfBounds], "R U BLIND OR WOT? U R OFF THE MAP");
    const char* const* saved = currentTexts;
    currentTexts = nullptr;
    EXPECT_STREQ(gameText(kTextGo), "");
    currentTexts = englishTexts;
    EXPECT_STREQ(gameText(kTextLap), "Lap");
    EXPECT_STREQ(gameText(kTextCount), "");
    // a table one entry short would hand a null text to the screen
    for (const Language& l : languages)
        for (int n = 0; n < kTextCount; ++n) EXPECT_TRUE(l.texts[n] && *l.texts[n]) << l.name << " " << n;
    EXPECT_STREQ(gameText(-1), "");
    currentTexts = saved;
}
