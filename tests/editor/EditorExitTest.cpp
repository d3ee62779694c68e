#include "editor/EditorExit.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "world/TestFiles.h"

using testfiles::readText;
using testfiles::ScratchDir;
using testfiles::writeText;

namespace {

const std::string kLoaded = "S 1 2 3 1\nE\n";
const std::string kEdited = "S 1 2 3 1\nC 5 6 7 40 0 0\nE\n";

bool present(const char* path) { return access(path, F_OK) == 0; }

}  // namespace

TEST(EditorExit, OnlyAChangedSessionReplacesNewtrackAndTheOneBeforeIsKept) {
    ScratchDir dir;
    // no newtrack.txt yet: even an unchanged session writes one
    EditorExit first(kLoaded);
    EXPECT_TRUE(first.leave(kLoaded));
    EXPECT_EQ(readText("newtrack.txt"), kLoaded);
    // an earlier one is never replaced by a session that changed nothing
    writeText("newtrack.txt", "S 9 9 9 2\nE\n");
    EditorExit idle(kLoaded);
    EXPECT_TRUE(idle.leave(kLoaded));
    EXPECT_EQ(idle.leaveNow(kLoaded), "");
    EXPECT_EQ(readText("newtrack.txt"), "S 9 9 9 2\nE\n");
    EXPECT_FALSE(present("newtrack.txt~"));
    // a changed one replaces it, and the one before becomes newtrack.txt~
    EditorExit edited(kLoaded);
    EXPECT_TRUE(edited.leave(kEdited));
    EXPECT_EQ(readText("newtrack.txt"), kEdited);
    EXPECT_EQ(readText("newtrack.txt~"), "S 9 9 9 2\nE\n");
    EXPECT_FALSE(edited.hasFailed());
    // leaving unsaved is only for after a failed save
    EXPECT_FALSE(edited.leaveUnsaved());
}

TEST(EditorExit, EachSaveFaultKeepsTheEditorOpenWithWhatToDoAndARetrySavesEverything) {
    ScratchDir dir;
    const struct {
        const char* folder;  // a folder made where a file must go
        const char* full;    // a link to /dev/full: the disk is full
        const char* says;
    } faults[] = {
        {"newtrack.txt", nullptr,
         "Not saved: newtrack.txt: it is a folder. Rename or remove the folder newtrack.txt, then Escape saves "
         "again; F10 leaves without saving."},
        {"newtrack.txt.tmp", nullptr,
         "Not saved: newtrack.txt.tmp: it is a folder. Rename or remove the folder newtrack.txt.tmp, then Escape "
         "saves again; F10 leaves without saving."},
        {nullptr, "newtrack.txt.tmp",
         "Not saved: newtrack.txt.tmp: the disk is full. Free some space on the disk, then Escape saves again; F10 "
         "leaves without saving."},
    };
    writeText("newtrack.txt", kLoaded);
    for (const auto& f : faults) {
        if (f.folder) {
            std::remove(f.folder);
            ASSERT_EQ(mkdir(f.folder, 0755), 0);
        }
        if (f.full) {
            ASSERT_EQ(symlink("/dev/full", f.full), 0);
        }
        EditorExit exit(kLoaded);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(exit.leave(kEdited));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), std::string(f.says) + "\n");
        EXPECT_EQ(exit.failure(), f.says);
        EXPECT_TRUE(exit.hasFailed());
        if (!f.folder || std::string(f.folder) != "newtrack.txt") {
            EXPECT_EQ(readText("newtrack.txt"), kLoaded) << "the file stays as it was: " << f.says;
        }
        EXPECT_FALSE(present("newtrack.txt.tmp") && f.full) << "the temporary is removed";
        // the fault cleared, the next Escape saves the session whole
        if (f.folder) rmdir(f.folder);
        EXPECT_TRUE(exit.leave(kEdited));
        EXPECT_EQ(readText("newtrack.txt"), kEdited);
        writeText("newtrack.txt", kLoaded);
        EXPECT_FALSE(exit.hasFailed());
    }
    // or the author leaves on purpose
    ASSERT_EQ(mkdir("newtrack.txt.tmp", 0755), 0);
    EditorExit exit(kLoaded);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(exit.leave(kLoaded + "W 1 1 1 0\n"));
    EXPECT_TRUE(exit.leaveUnsaved());
    EXPECT_EQ(::testing::internal::GetCapturedStderr().substr(0, 11), "Not saved: ");
    EXPECT_EQ(readText("newtrack.txt"), kLoaded) << "left as it was";
    EXPECT_EQ(EditorExit::remedy({"x", EACCES}), "make the game's folder writable");
    EXPECT_EQ(EditorExit::remedy({"x", EIO}), "mend that");
}

TEST(EditorExit, AnEndThatCannotWaitSavesUnderASpareNameTheTemporaryFolderOrOntoStandardError) {
    ScratchDir dir;
    EditorExit exit(kLoaded);
    EXPECT_EQ(exit.leaveNow(kEdited), "newtrack.txt");
    EXPECT_EQ(readText("newtrack.txt"), kEdited);
    // the name taken by a folder: the first spare name that is free
    std::remove("newtrack.txt");
    std::remove("newtrack.txt~");
    ASSERT_EQ(mkdir("newtrack.txt", 0755), 0);
    writeText("newtrack-1.txt", "an earlier one");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(exit.leaveNow(kEdited), "newtrack-2.txt");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Cannot save newtrack.txt (newtrack.txt: it is a folder); the track is saved as newtrack-2.txt "
              "instead\n");
    EXPECT_EQ(readText("newtrack-2.txt"), kEdited);
    EXPECT_EQ(readText("newtrack-1.txt"), "an earlier one");
    // every spare name taken: the temporary folder
    for (int n = 3; n <= EditorExit::kSpareNames; ++n) writeText("newtrack-" + std::to_string(n) + ".txt", "");
    ASSERT_EQ(mkdir("tmp", 0755), 0);
    const char* previous = std::getenv("TMPDIR");
    const std::string kept = previous ? previous : "";
    setenv("TMPDIR", (dir.path + "/tmp").c_str(), 1);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(exit.leaveNow(kEdited), dir.path + "/tmp/newtrack-1.txt");
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(readText("tmp/newtrack-1.txt"), kEdited);
    // nowhere at all: the track itself on standard error
    setenv("TMPDIR", (dir.path + "/no-such-folder").c_str(), 1);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(exit.leaveNow(kEdited), "");
    const std::string said = ::testing::internal::GetCapturedStderr();
    if (previous)
        setenv("TMPDIR", kept.c_str(), 1);
    else
        unsetenv("TMPDIR");
    EXPECT_EQ(said, "Cannot save newtrack.txt (newtrack.txt: it is a folder); nowhere else to save it, so here it "
                    "is:\n" +
                        kEdited);
}
