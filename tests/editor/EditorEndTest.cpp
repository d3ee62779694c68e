#include "editor/EditorWorld.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/EndRequest.h"
#include "app/RaceLoop.h"
#include "app/TestDrive.h"
#include "check/GoodLoop.h"
#include "check/TrackLayout.h"
#include "craft/HoverCraft.h"
#include "view/RaceView.h"
#include "world/TestFiles.h"
#include "world/Texts.h"

namespace {

// An editor in a scratch folder of its own, where it saves; data.dat comes
// from the game folder, so a test drive can load it.
class EditorEndTest : public EditorCheckTest {
protected:
    EditorEndTest() {
        currentTexts = englishTexts;
        EXPECT_EQ(symlink((dir.previous + "/data.dat").c_str(), "data.dat"), 0);
    }
    ~EditorEndTest() override { EndRequest::clear(); }
    // One pass of the shell's loop after a frame with `held`, those keys still held.
    EditorCursor::AfterPass pass(const std::vector<int>& held) {
        frame(held);
        for (int k : held) key[k] = 1;
        const EditorCursor::AfterPass next = RaceLoop::editorPass(*cursor);
        releaseKeys();
        return next;
    }
    std::string alert() {
        std::string text;
        for (const std::string& line : cursor->getPanel().getAlert()) text += (text.empty() ? "" : " ") + line;
        return text;
    }

    testfiles::ScratchDir dir;
};

using Next = EditorCursor::AfterPass;

}  // namespace

TEST_F(EditorEndTest, EscapeLeavesOncePressedInTheRunAndAFailedSaveKeepsTheEditorUntilItWorksOrF10) {
    load(kGoodLoop);
    // an Escape held over from the screen before is not a press
    EXPECT_EQ(pass({KEY_ESC}), Next::Stay);
    EXPECT_EQ(pass({}), Next::Stay);
    // a folder where newtrack.txt goes: the editor stays and says why
    ASSERT_EQ(mkdir("newtrack.txt", 0755), 0);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(pass({KEY_ESC}), Next::Stay);
    // held on, it does not try again every pass
    EXPECT_EQ(pass({KEY_ESC}), Next::Stay);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), cursor->getExit().failure() + "\n");
    EXPECT_EQ(alert(), cursor->getExit().failure());
    EXPECT_NE(alert().find("F10 leaves without saving"), std::string::npos) << alert();
    // the close button follows the same rule, and is forgotten when it fails
    EndRequest::closeButton();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(pass({}), Next::Stay);
    ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(EndRequest::requested());
    // the author goes on, frees the name, and the next Escape saves it all
    const std::string loaded = saved();
    commandAt(1300.0, 1300.0, {KEY_1});
    ASSERT_EQ(rmdir("newtrack.txt"), 0);
    EXPECT_EQ(pass({KEY_ESC}), Next::Leave);
    const std::string file = testfiles::readText("newtrack.txt");
    EXPECT_EQ(file, cursor->trackText());
    EXPECT_EQ(file.substr(0, loaded.size() - 2), loaded.substr(0, loaded.size() - 2));
    EXPECT_EQ(file.substr(loaded.size() - 2, 12), "S 1300 1300 ") << file;

    // F10 leaves without saving, but only once a save has failed
    EXPECT_EQ(pass({KEY_F10}), Next::Stay);
    commandAt(1400.0, 1400.0, {KEY_2});
    ASSERT_EQ(mkdir("newtrack.txt.tmp", 0755), 0);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(pass({KEY_ESC}), Next::Stay);
    EXPECT_EQ(pass({KEY_F10}), Next::Leave);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(testfiles::readText("newtrack.txt").find("\nS 1400 1400 "), std::string::npos);
}

TEST_F(EditorEndTest, ASignalSavesAtOnceAndEndsEvenWhenNewtrackCannotBeWritten) {
    load(kGoodLoop);
    EndRequest::signal(15);
    EXPECT_EQ(pass({}), Next::Leave);
    EXPECT_EQ(testfiles::readText("newtrack.txt"), saved());
    EndRequest::clear();
    // a signal while newtrack.txt cannot be written: a spare name, and the end
    commandAt(1300.0, 1300.0, {KEY_1});
    std::remove("newtrack.txt");
    ASSERT_EQ(mkdir("newtrack.txt", 0755), 0);
    EndRequest::closeButton();
    EndRequest::signal(1);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(pass({}), Next::Leave);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("saved as newtrack-1.txt instead"), std::string::npos);
    EXPECT_EQ(testfiles::readText("newtrack-1.txt"), cursor->trackText());
}

TEST_F(EditorEndTest, F6DrivesTheTrackAndComesBackWithEverythingAsItWas) {
    load(kGoodLoop);
    commandAt(1300.0, 1350.0, {KEY_W});
    moveCursor(1450.0, 1250.0);
    frame({});
    const std::string before = snapshot();
    const Vector3 where = cursor->getPosition();
    // F6 asks; the drive is taken after the pass, in the shell's loop, and
    // Escape ends it at once
    cursor->setTestDrive([this](const std::string& text) { return TestDrive::drive(world, text); });
    waitForLock();
    // a check started in the same pass would see the editor's clock jump:
    // it is dropped, and starts again with F5
    ::testing::internal::CaptureStdout();
    frame({KEY_F5, KEY_F6});
    ::testing::internal::GetCapturedStdout();
    ASSERT_TRUE(cursor->isChecking());
    EXPECT_TRUE(testfiles::readText("newtrack.txt").empty());
    key[KEY_ESC] = 1;
    EXPECT_EQ(cursor->afterPass(), Next::Restart);
    EXPECT_FALSE(cursor->isChecking());
    EXPECT_EQ(verdict(), "F6: back from the test drive; the track is as you left it");
    // the Escape that ended the drive does not leave the editor
    EXPECT_EQ(cursor->afterPass(), Next::Stay);
    releaseKeys();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(cursor->getPosition(), where);
    EXPECT_EQ(world.getPlayer(), nullptr);
    EXPECT_FALSE(std::ifstream("newtrack.txt").good()) << "driving saves nothing";
    // without gate 0 there is no grid to start from
    waitForLock();
    moveCursor(1500.0, 1200.0);
    frame({KEY_D});
    frame({});
    waitForLock();
    frame({KEY_F6});
    EXPECT_EQ(cursor->afterPass(), Next::Restart);
    EXPECT_EQ(verdict(), "F6: no test drive: Cannot find the first checkpoint. Place gate 0 (C) across the start "
                         "line, facing the way to drive");
}

TEST(EditorStart, ATrackFileThatCannotBeReadIsNamedBeforeTheAuthorStarts) {
    testfiles::ScratchDir dir;
    World world(true);
    world.setTrackNumber(3);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    world.loadTrackFile();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "tracks/track3.txt cannot be read: there is no such file\n");
    EditorCursor cursor(&world);
    std::string shown;
    for (const std::string& line : cursor.getPanel().getVerdict()) shown += line + " ";
    EXPECT_EQ(shown.rfind("tracks/track3.txt cannot be read: there is no such file. The editor starts on the bare "
                          "ground of track 3; an earlier newtrack.txt is replaced only once you place or change "
                          "something",
                          0),
              0u)
        << shown;
}
