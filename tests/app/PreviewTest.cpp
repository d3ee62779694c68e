#include "app/Preview.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "Pixels.h"
#include "app/Game.h"
#include "craft/HoverCraft.h"
#include "editor/EditorCursor.h"
#include "view/RaceView.h"
#include "world/TestFiles.h"
#include "world/Texts.h"
#include "world/World.h"

namespace {

// A scratch folder with its own data.dat, and the English texts.
class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        testfiles::writeGameData("data.dat");
        saved = currentTexts;
        currentTexts = englishTexts;
    }
    void TearDown() override { currentTexts = saved; }
    testfiles::ScratchDir dir;
    const char* const* saved = nullptr;
};

}  // namespace

TEST_F(PreviewTest, ShowsWhatTheModeShowsAndLoadingStartsAfreshFromTheFile) {
    testfiles::writeTracks("tracks.dat", 1);  // flat ground 10 high
    mkdir("tracks", 0755);
    testfiles::writeText("tracks/track1.txt", "C 1536 1536 10 40 0 0\nP 1000 1000 10 1\nE\n");
    pixels::ScreenStandIn standIn(makecol(1, 2, 3));
    BITMAP* shrunk = create_bitmap(640, 480);
    const int yellow = makecol(255, 255, 0), sprite = makecol(180, 180, 180);
    // on the map: the powerup's sprite 19 above its point (1000, 1000, 10)
    // after one update, and the gate's post at (1496, 1536) on the ground
    auto powerupShown = [sprite](RaceView& v) { return getpixel(v.getMapBitmap(), 2560, 1851) == sprite; };
    auto postShown = [yellow](RaceView& v) { return getpixel(v.getMapBitmap(), 2520, 1354) == yellow; };
    for (bool editor : {false, true}) {
        World w(editor);
        RaceView view(w);
        ::testing::internal::CaptureStdout();
        Preview::render(w, view, 1);
        ::testing::internal::GetCapturedStdout();
        EXPECT_NE(getpixel(view.getMapBitmap(), 2560, 1600), 0) << "the ground under the objects";
        EXPECT_TRUE(powerupShown(view)) << editor;
        EXPECT_EQ(postShown(view), editor) << "gates show only in the editor";
        clear_to_color(shrunk, 0);
        stretch_blit(view.getMapBitmap(), shrunk, 0, 0, 5120, 2560, 0, 0, 640, 320);
        Preview::drawTexts(shrunk);
        EXPECT_TRUE(pixels::shows(screen, shrunk, 0, 0)) << "the map shrunk by 8 at the top, the title and prompt";

        ::testing::internal::CaptureStdout();
        if (editor)
            loadEditor(w, view, 1);
        else
            loadRace(w, view, 1);
        ::testing::internal::GetCapturedStdout();
        EXPECT_FALSE(powerupShown(view) || postShown(view)) << "the map is rendered again without objects";
        if (editor) {
            auto* cursor = dynamic_cast<EditorCursor*>(w.getFollowed());
            ASSERT_NE(cursor, nullptr);
            EXPECT_EQ(cursor->getPosition(), Vector3(1536, 1536, 10));
            EXPECT_EQ(w.getPendingObjects().size(), 3u) << "the gate, the powerup and the cursor";
        } else {
            EXPECT_EQ(w.getCraftList().size(), 4u) << "on the grid behind the file's gate";
            EXPECT_EQ(w.getFollowed(), w.getPlayer());
        }
    }
    destroy_bitmap(shrunk);
}


TEST(Preview, StatusIsWhiteTextOnAGreenScreen) {
    pixels::ScreenStandIn standIn(makecol(1, 2, 3));
    Preview::showStatus("Generating preview");
    const int green = makecol(0, 120, 0);
    EXPECT_TRUE(pixels::showsText(screen, font, "Generating preview", 10, 10, makecol(255, 255, 255), green));
    EXPECT_EQ(pixels::drawnBox(screen, green, {0, 20, 639, 479}), pixels::kNothing);
    EXPECT_EQ(getpixel(screen, 9, 9), green);
}
