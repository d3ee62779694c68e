#include "track/TrackFile.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <locale>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "craft/HoverCraft.h"
#include "editor/EditorCursor.h"
#include "objects/AiWaypoint.h"
#include "objects/CheckPoint.h"
#include "objects/Powerup.h"
#include "objects/StaticObject.h"
#include "objects/Wake.h"
#include "track/RecordTable.h"
#include "view/RaceView.h"
#include "world/TestFiles.h"
#include "world/Texts.h"
#include "world/World.h"

using testfiles::ScratchDir;

namespace {

// A World in a scratch folder with its own data.dat, on ground of height 30
// everywhere; the track file is tracks/track1.txt of that folder.
class TrackWorld : public ::testing::Test {
protected:
    void SetUp() override {
        testfiles::writeGameData("data.dat");
        mkdir("tracks", 0755);
        texture = create_bitmap_ex(32, 256, 256);
        clear_to_color(texture, makecol(40, 160, 40));
        makeWorld(false);
    }
    void TearDown() override {
        world.reset();
        destroy_bitmap(texture);
    }
    void makeWorld(bool editor) {
        world.reset();
        world.reset(new World(editor));
        std::vector<unsigned char> ground(Terrain::kHeightmapBytes, 30);
        world->getTerrain().setGround(ground.data(), texture);
        world->setTrackNumber(1);
    }
    // Reads `text` as the track file; returns what was printed.
    std::string load(const std::string& text) {
        testfiles::writeText("tracks/track1.txt", text);
        return loadFile();
    }
    std::string loadFile() {
        world->deleteAllObjects();
        ::testing::internal::CaptureStdout();
        world->loadTrackFile();
        const std::string printed = ::testing::internal::GetCapturedStdout();
        world->update(0.0);
        return printed;
    }
    const std::vector<GameObject*>& objects() { return world->getObjects(); }
    std::string written() {
        std::ostringstream out;
        TrackFile::write(objects(), out);
        return out.str();
    }
    template <class T>
    T* as(size_t i) {
        return i < objects().size() ? dynamic_cast<T*>(objects()[i]) : nullptr;
    }

    ScratchDir dir;
    std::unique_ptr<World> world;
    BITMAP* texture = nullptr;
};

// Decimal comma and dot grouping, as a German locale has.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

}  // namespace

TEST_F(TrackWorld, SceneryRecordSitsOnTheGroundAsOneOfTheFiveKinds) {
    EXPECT_EQ(load("S 10 20 5 3\nE\n"), "NUmber of checkpoints:0\n");
    ASSERT_EQ(objects().size(), 1u);
    auto* s = as<StaticObject>(0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->getKind(), 3);
    EXPECT_EQ(s->getPosition(), Vector3(10, 20, 30));
    EXPECT_TRUE(s->isSolid());
    EXPECT_EQ(s->getRadius(), 18.0) << "half of the 37 pixel wide sprite of kind 3, rounded down";
    // no space after the letter is needed
    load("S10 20 5 3");
    ASSERT_EQ(objects().size(), 1u);
    EXPECT_EQ(as<StaticObject>(0)->getPosition(), Vector3(10, 20, 30));
    // kinds outside the five become kind 0
    load("S 1 1 0 7 S 2 2 0 -1 S 3 3 0 4");
    ASSERT_EQ(objects().size(), 3u);
    EXPECT_EQ(as<StaticObject>(0)->getKind(), 0);
    EXPECT_EQ(as<StaticObject>(1)->getKind(), 0);
    EXPECT_EQ(as<StaticObject>(2)->getKind(), 4);
    EXPECT_EQ(as<StaticObject>(0)->getRadius(), 15.0) << "kind 0's sprite is 31 pixels wide";
    EXPECT_EQ(written(), "S 1 1 30 0\nS 2 2 30 0\nS 3 3 30 4\nE\n");
}

// Every row of the record table, as the reader, the writer and the scan use
// it: a record read and written back whole, and a record cut short at each
// field named by the field's row.
TEST_F(TrackWorld, EveryRowOfTheRecordTableIsReadWrittenAndNamedByItsFields) {
    const struct {
        const char* record;  // as written back: scenery and waypoints stand on the ground, 30 up
        const char* name;
        std::vector<const char*> fields;  // after x y z; whole numbers marked
    } rows[] = {{"S 11 12 30 4", "scenery", {"#kind"}},
                {"C 11 12 13 14.5 3 90.5", "checkpoint", {"radius", "#number", "angle"}},
                {"P 11 12 13 2", "powerup", {"#kind"}},
                {"W 11 12 30 0", "waypoint", {"#number"}}};
    for (const auto& row : rows) {
        const char letter = row.record[0];
        const RecordKind* kind = RecordTable::find(letter);
        ASSERT_NE(kind, nullptr) << letter;
        EXPECT_STREQ(kind->name, row.name);
        ASSERT_EQ(kind->fieldCount, static_cast<int>(row.fields.size())) << letter;
        load(std::string(row.record) + "\nE\n");
        EXPECT_EQ(written(), std::string(row.record) + "\nE\n");
        EXPECT_EQ(objects().at(0)->typeCode(), letter);
        // cut before each field in turn
        const std::vector<const char*> point = {"x", "y", "z"};
        std::vector<const char*> names = point;
        names.insert(names.end(), row.fields.begin(), row.fields.end());
        std::istringstream words(row.record);
        std::string text, word;
        words >> word;
        text = word;
        for (const char* name : names) {
            TrackFile::Break broke;
            TrackFile::scan(text + " q", &broke);
            const bool whole = name[0] == '#';
            EXPECT_EQ(broke.expected, std::string(whole ? "a whole number" : "a number") + " for the " +
                                          (name + whole) + " of a " + row.name + " record (" + letter + ")");
            words >> word;
            text += " " + word;
        }
    }
    for (char c : {'E', 'x', 's', ' ', '\0'}) EXPECT_EQ(RecordTable::find(c), nullptr) << c;
}

TEST_F(TrackWorld, EveryKindIsReadWithItsBodyInFileOrderAndGatesCounted) {
    load("W 5 6 99 1\nP 7 8 9 2\nC 1200 800 3 25 4 450\nW 1 2 3 0\nS 1536 1490 87 2\nE\n");
    ASSERT_EQ(objects().size(), 5u);
    ASSERT_NE(as<AiWaypoint>(0), nullptr);
    EXPECT_NEAR(as<AiWaypoint>(0)->getPosition().z, 30.0, 1e-9) << "a waypoint stands on the ground";
    auto* p = as<Powerup>(1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->getKind(), 2);
    EXPECT_EQ(p->getPosition().z, 9.0) << "a powerup keeps the z it was given";
    auto* c = as<CheckPoint>(2);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->getPosition(), Vector3(1200, 800, 3));
    EXPECT_EQ(c->getRadius(), 25.0);
    EXPECT_EQ(c->getNumber(), 4);
    EXPECT_EQ(c->getAngle(), 90.0);
    EXPECT_EQ(world->getWaypointCount(), 2);
    EXPECT_EQ(world->getWaypoint(0), objects()[0]);
    EXPECT_EQ(world->getWaypoint(1), objects()[3]);
    EXPECT_EQ(written(), "W 5 6 30 1\nP 7 8 9 2\nC 1200 800 3 25 4 90\nW 1 2 30 0\nS 1536 1490 30 2\nE\n");
    // the checkpoint count is the highest number plus one
    EXPECT_EQ(load("C 0 0 0 40 5 0\nC 0 0 0 40 0 0\nC 0 0 0 40 1 0\nE\n"), "NUmber of checkpoints:6\n");
    EXPECT_EQ(world->getCheckpointCount(), 6);
    // the count starts again from 0 for every file
    EXPECT_EQ(load("C 0 0 0 40 1 0"), "NUmber of checkpoints:2\n");
    EXPECT_EQ(load("C 0 0 0 40 2147483647 0"), "NUmber of checkpoints:2147483647\n");
}

TEST_F(TrackWorld, OtherCharactersAreSkippedOneAtATimeAndNothingAfterTheEndCounts) {
    load("X 1 2 3 S 10 20 5 3 E");
    ASSERT_EQ(objects().size(), 1u);
    EXPECT_EQ(as<StaticObject>(0)->getKind(), 3);
    EXPECT_EQ(as<StaticObject>(0)->getPosition().x, 10.0);
    // lower case is not a record letter
    load("s 1 2 3 4 c 5 6 7 8 w 1 2 3 4");
    EXPECT_TRUE(objects().empty());
    // nothing after the end record counts
    load("S 1 2 3 1\nE\nS 4 5 6 2\nC 0 0 0 40 9 0\n");
    ASSERT_EQ(objects().size(), 1u);
    EXPECT_EQ(world->getCheckpointCount(), 0);
    // without E the records up to the end of the file are all used
    load("S 1 2 3 1\nS 4 5 6 2\n");
    EXPECT_EQ(objects().size(), 2u);
    load("S 1 2 3 1\nS 4 5 6 2");
    ASSERT_EQ(objects().size(), 2u);
    EXPECT_EQ(as<StaticObject>(1)->getKind(), 2);
}

TEST_F(TrackWorld, ARecordCutShortIsPlacedWithWhatWasReadAndReadingStops) {
    load("P 1 2 3 x S 5 5 5 1");
    ASSERT_EQ(objects().size(), 1u);
    EXPECT_EQ(as<Powerup>(0)->getKind(), 4) << "the kind the reader made it with";
    EXPECT_EQ(as<Powerup>(0)->getPosition(), Vector3(1, 2, 3));
    load("C 1 2 3 x");
    ASSERT_EQ(objects().size(), 1u);
    EXPECT_EQ(as<CheckPoint>(0)->getRadius(), 40.0);
    EXPECT_EQ(world->getCheckpointCount(), 1);
    load("S 7 x");
    ASSERT_EQ(objects().size(), 1u);
    EXPECT_EQ(as<StaticObject>(0)->getKind(), 0);
    EXPECT_EQ(as<StaticObject>(0)->getPosition(), Vector3(7, 0, 30));
    EXPECT_EQ(as<StaticObject>(0)->getRadius(), 15.0);
    load("W 1 2 3 x W 4 5 6 7");
    ASSERT_EQ(objects().size(), 1u);
    EXPECT_EQ(world->getWaypointCount(), 1);
    load("S");
    ASSERT_EQ(objects().size(), 1u);
    EXPECT_EQ(as<StaticObject>(0)->getPosition(), Vector3(0, 0, 30));
}

namespace {
std::vector<int> recordLines(const std::string& text, TrackFile::Break& broke) {
    std::vector<int> lines;
    for (const TrackFile::Record& r : TrackFile::scan(text, &broke)) lines.push_back(r.line);
    return lines;
}
}  // namespace

TEST(TrackFile, ScanFollowsTheReaderAndSaysWhereItBreaks) {
    TrackFile::Break broke;
    // blank lines, skipped letters, a letter glued to its number, a record over two lines
    const std::string text = "\nS 10 20 5 3\nx X 1 2 3\nC10 20 0 40\n  1 90\n\nW 5 5 0 2 P 7 7 7 1\nE\nS 1 1 1 1\n";
    EXPECT_EQ(recordLines(text, broke), (std::vector<int>{2, 4, 7, 7}));
    EXPECT_EQ(broke.line, 0);
    EXPECT_EQ(TrackFile::scan(text)[2].position, Vector3(5, 5, 0));
    // an unreadable number ends the reading after that record, as the reader does
    EXPECT_EQ(recordLines("W 1 2 3 0\nW 1 oops 3 1\nW 4 5 6 2\n", broke), (std::vector<int>{1, 2}));
    EXPECT_EQ(broke.describe(), "line 2: expected a number for the y of a waypoint record (W), found \"oops\"");
    EXPECT_EQ(recordLines("", broke), std::vector<int>{});
    EXPECT_EQ(broke.describe(), "line 1: expected the end line E, found the end of the file");
    // the last number running into the end still makes its record; the E is missing
    EXPECT_EQ(recordLines("P 1 2 3 4", broke), std::vector<int>{1});
    EXPECT_EQ(broke.expected, "the end line E");
    // cut off: named on the line it was cut on, not on the blank lines after
    EXPECT_EQ(recordLines("S 1 2 3 1\nC 5 6 7 40\n\n\n", broke), (std::vector<int>{1, 2}));
    EXPECT_EQ(broke.describe(), "line 2: expected a whole number for the number of a checkpoint record (C), found the end of the file");
    recordLines("C 1 2 3 40 99999999999 0\nE\n", broke);
    EXPECT_EQ(broke.found, "\"99999999999\"");
    recordLines("C 1 2 3 40 0 abc", broke);
    EXPECT_EQ(broke.found, "\"abc\"") << "a word that ends the file is quoted to its end";
    EXPECT_FALSE(TrackFile::scan("C 1 2 3 40 99999999999 0\nE\n")[0].complete);
    EXPECT_TRUE(TrackFile::scan("C 1 2 3 40 9 0\nE\n")[0].complete);
    recordLines("S 1 2 3 1\n\n  W 4 5 \x01" + std::string(40, 'q') + "\n", broke);
    EXPECT_EQ(broke.found, "\"?qqqqqqqqqqqqqqq...\"");
}

TEST_F(TrackWorld, ABrokenFileIsNamedOnceWithItsLineAndKeepsWhatWasReadAMissingOneIsEmpty) {
    ::testing::internal::CaptureStderr();
    load("C 800 800 50 105 0 44.9\nC l519.6 391.7 53 105 1 357.9\nC 2310.1 709.9 47.9 105 2 315.2\nE\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tracks/track1.txt, line 2: expected a number for the x of a checkpoint record (C), found \"l519.6\"\n");
    ASSERT_EQ(objects().size(), 2u);
    EXPECT_EQ(as<CheckPoint>(1)->getPosition(), Vector3(0, 0, 0));
    EXPECT_EQ(world->getCheckpointCount(), 1);
    // the preview and the run read the file twice: one line for both
    ::testing::internal::CaptureStderr();
    loadFile();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_NE(world->getTrackFileBreak().find("line 2"), std::string::npos);
    // broken on its very first line, it is named just the same
    ::testing::internal::CaptureStderr();
    load("C x\nE\n");
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(world->getTrackFileBreak().rfind("tracks/track1.txt, line 1: ", 0), 0u) << world->getTrackFileBreak();
    load("S 1 2 3 1\nE\n");
    EXPECT_EQ(world->getTrackFileBreak(), "");
    EXPECT_EQ(world->getTrackFileError(), "");
    // a missing or unreadable file gives an empty track, and says why
    std::remove("tracks/track1.txt");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(loadFile(), "NUmber of checkpoints:0\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "tracks/track1.txt cannot be read: there is no such file\n");
    EXPECT_EQ(world->getTrackFileError(), "tracks/track1.txt cannot be read: there is no such file");
    EXPECT_TRUE(objects().empty());
    mkdir("tracks/track1.txt", 0755);  // a folder where the file should be
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(loadFile(), "NUmber of checkpoints:0\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "tracks/track1.txt cannot be read: it is a folder\n");
    ::testing::internal::CaptureStderr();
    loadFile();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "once for the preview and the run";
    EXPECT_TRUE(objects().empty());
    rmdir("tracks/track1.txt");
    // a pipe in its place would wait for a writer for ever: the preview and the run go on
    ASSERT_EQ(mkfifo("tracks/track1.txt", 0644), 0);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(loadFile(), "NUmber of checkpoints:0\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "tracks/track1.txt cannot be read: it is a pipe, not a file\n");
    std::remove("tracks/track1.txt");
    EXPECT_EQ(load(""), "NUmber of checkpoints:0\n");
    EXPECT_TRUE(objects().empty());
}

TEST_F(TrackWorld, HostileNumbersNeverBreakTheWorld) {
    // far off the map, overflowing, not numbers at all: read, placed, updated
    // and drawn without undefined behaviour
    load("S 1e300 5 0 1\nC 1e300 -1e300 0 1e300 0 1e300\nP -1e308 1e308 1e308 3\n"
         "S 99999999999 1 1 99999999999\n");
    EXPECT_GE(objects().size(), 3u);
    load("C 5 5 5 40 0 nan S 1 1 1 1");
    EXPECT_EQ(objects().size(), 1u);
    load("S inf 5 0 1 S 2 2 2 2");
    EXPECT_EQ(objects().size(), 1u);
    load("C 1e999 1 1 40 0 0 S 2 2 2 2");
    ASSERT_EQ(objects().size(), 1u);
    EXPECT_EQ(as<CheckPoint>(0)->getPosition().x, 0.0) << "an overflowing number is not taken";
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) % 256);
    load(garbage);
    makeWorld(true);
    load("S 1e300 5 0 1\nC 3000 -1e300 0 40 -2147483648 -1e300\nW 1e300 1e300 0 -2147483648\n");
    world->update(0.1);
    RaceView view(*world);
    view.compose();
    view.renderPreviewMap();
    // all three kept through the update and the drawing, and written back
    EXPECT_EQ(objects().size(), 3u);
    const std::string text = written();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << text;
}

TEST_F(TrackWorld, TrackObjectsAloneAreWrittenWithSixSignificantDigits) {
    auto* cp = new CheckPoint(world.get());
    cp->setPosition(Vector3(1234.5678, 10, 0));
    cp->setNumber(2);
    cp->setAngle(90);
    world->addObject(cp);
    auto* s = new StaticObject(world.get(), 1);
    s->setPosition(Vector3(1e6, 0.5, 0));
    world->addObject(s);
    auto* p = new Powerup(world.get(), 1);
    p->setPosition(Vector3(1.5e-05, 40.0, -3));
    world->addObject(p);
    world->update(0.0);
    // craft, wakes and the cursor are never written
    world->addObject(new HoverCraft(world.get(), 1));
    world->addObject(new Wake(world.get(), nullptr));
    world->addObject(new EditorCursor(world.get()));
    world->update(0.0);
    // the scenery object lies off the grid, where the ground height is 0
    EXPECT_EQ(written(), "C 1234.57 10 0 40 2 90\nS 1e+06 0.5 0 1\nP 1.5e-05 40 -3 1\nE\n");
}

TEST_F(TrackWorld, NumbersAreClassicWhateverTheLocale) {
    std::locale german;
    try {
        german = std::locale("de_DE.UTF-8");
    } catch (const std::runtime_error&) {
        // no German locale installed here: one with its number punctuation
        german = std::locale(std::locale::classic(), new CommaDecimal);
    }
    const std::locale previous = std::locale::global(german);
    load("C 1234.5 1000 0 40.5 3 90\n");
    const std::string out = written();
    std::ostringstream saved;
    const bool ok = TrackFile::save(objects(), "newtrack.txt");
    std::locale::global(previous);
    ASSERT_EQ(objects().size(), 1u);
    EXPECT_EQ(as<CheckPoint>(0)->getPosition().x, 1234.5);
    EXPECT_EQ(as<CheckPoint>(0)->getRadius(), 40.5);
    EXPECT_EQ(out, "C 1234.5 1000 0 40.5 3 90\nE\n");
    EXPECT_TRUE(ok);
    EXPECT_EQ(testfiles::readText("newtrack.txt"), out);
}

TEST_F(TrackWorld, SavingReplacesTheFileWholeKeepsTheOneBeforeOrSaysWhyNot) {
    TrackFile::Failure why;
    EXPECT_TRUE(TrackFile::save("S 1 2 30 1\nE\n", "newtrack.txt", "newtrack.txt~", &why));
    EXPECT_EQ(testfiles::readText("newtrack.txt"), "S 1 2 30 1\nE\n");
    EXPECT_NE(access("newtrack.txt~", F_OK), 0) << "nothing stood there to keep";
    EXPECT_TRUE(TrackFile::save("S 9 9 30 2\nE\n", "newtrack.txt", "newtrack.txt~", &why));
    EXPECT_EQ(testfiles::readText("newtrack.txt"), "S 9 9 30 2\nE\n");
    EXPECT_EQ(testfiles::readText("newtrack.txt~"), "S 1 2 30 1\nE\n");
    EXPECT_NE(access("newtrack.txt.tmp", F_OK), 0) << "no temporary file is left behind";
    load("S 5 6 7 1\nC 5 6 7 40 0 10\n");
    EXPECT_TRUE(TrackFile::save(objects(), "newtrack.txt"));
    EXPECT_EQ(testfiles::readText("newtrack.txt"), "S 5 6 30 1\nC 5 6 7 40 0 10\nE\n");
    EXPECT_EQ(testfiles::readText("newtrack.txt~"), "S 1 2 30 1\nE\n") << "kept only when asked";

    // the one before cannot be kept: nothing is replaced (the editor's own
    // faults and their words are its test's)
    std::remove("newtrack.txt~");
    ASSERT_EQ(mkdir("newtrack.txt~", 0755), 0);
    EXPECT_FALSE(TrackFile::save("S 7 7 30 3\nE\n", "newtrack.txt", "newtrack.txt~", &why));
    EXPECT_EQ(why.describe(), "newtrack.txt~: it is a folder");
    EXPECT_EQ(testfiles::readText("newtrack.txt"), "S 5 6 30 1\nC 5 6 7 40 0 10\nE\n");
    EXPECT_NE(access("newtrack.txt.tmp", F_OK), 0) << "the temporary is removed";
    rmdir("newtrack.txt~");
    // a folder in the file's place is never moved away to keep it
    std::remove("newtrack.txt");
    ASSERT_EQ(mkdir("newtrack.txt", 0755), 0);
    EXPECT_FALSE(TrackFile::save("E\n", "newtrack.txt", "newtrack.txt~", &why));
    EXPECT_EQ(why.describe(), "newtrack.txt: it is a folder");
    struct stat st;
    EXPECT_EQ(stat("newtrack.txt", &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_NE(access("newtrack.txt~", F_OK), 0);
    EXPECT_NE(access("newtrack.txt.tmp", F_OK), 0);
    EXPECT_FALSE(TrackFile::save(objects(), "no/such/folder/newtrack.txt"));
    rmdir("newtrack.txt");
}

TEST_F(TrackWorld, AReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root: permissions do not stop writes";
    ASSERT_TRUE(TrackFile::save("S 1 2 30 1\nE\n", "newtrack.txt"));
    chmod(".", 0555);
    TrackFile::Failure why;
    const bool saved = TrackFile::save("S 5 5 30 2\nE\n", "newtrack.txt", "newtrack.txt~", &why);
    chmod(".", 0755);
    EXPECT_FALSE(saved);
    EXPECT_EQ(why.describe(), "newtrack.txt.tmp: permission denied");
    EXPECT_EQ(testfiles::readText("newtrack.txt"), "S 1 2 30 1\nE\n");
}

TEST(TrackFile, OnlyARegularFileOfSixteenMebibytesAtMostIsRead) {
    ScratchDir dir;
    std::string text = "untouched";
    TrackFile::Failure why;
    // a pipe with no writer, a device that never ends, a folder: refused at once
    ASSERT_EQ(mkfifo("pipe.txt", 0644), 0);
    EXPECT_FALSE(TrackFile::load("pipe.txt", text, &why));
    EXPECT_EQ(why.describe(), "pipe.txt: it is a pipe, not a file");
    EXPECT_FALSE(TrackFile::load("/dev/zero", text, &why));
    EXPECT_EQ(why.describe(), "/dev/zero: it is a device, not a file");
    EXPECT_FALSE(TrackFile::load(".", text, &why));
    EXPECT_EQ(why.describe(), ".: it is a folder");
    EXPECT_FALSE(TrackFile::load("none.txt", text, &why));
    EXPECT_EQ(why.describe(), "none.txt: there is no such file");
    EXPECT_EQ(text, "untouched");
    // up to the bound exactly, and not a byte more
    testfiles::writeText("track.txt", "S 1 2 3 1\nE\n");
    ASSERT_EQ(truncate("track.txt", TrackFile::kMostBytes), 0);
    EXPECT_TRUE(TrackFile::load("track.txt", text, &why));
    EXPECT_EQ(static_cast<long long>(text.size()), TrackFile::kMostBytes);
    EXPECT_EQ(text.substr(0, 12), "S 1 2 3 1\nE\n");
    ASSERT_EQ(truncate("track.txt", TrackFile::kMostBytes + 1), 0);
    EXPECT_FALSE(TrackFile::load("track.txt", text, &why));
    EXPECT_EQ(why.describe(), "track.txt: it is larger than 16 MiB, far more than a track");
}

// The tracks the game ships: load, save, load again gives the same objects.
TEST(TrackFile, ShippedTracksRoundTrip) {
    for (int track = 1; track <= 3; ++track) {
        World w(true), again(true);
        for (World* each : {&w, &again}) {
            each->loadData();
            each->getTerrain().load(track);
        }
        w.setTrackNumber(track);
        ::testing::internal::CaptureStdout();
        w.loadTrackFile();
        ::testing::internal::GetCapturedStdout();
        w.update(0.0);
        std::ostringstream first;
        TrackFile::write(w.getObjects(), first);
        EXPECT_GT(w.getObjects().size(), 4u) << track;
        EXPECT_GT(w.getCheckpointCount(), 0) << track;
        std::istringstream in(first.str());
        TrackFile::read(again, in);
        again.update(0.0);
        std::ostringstream second;
        TrackFile::write(again.getObjects(), second);
        EXPECT_EQ(first.str(), second.str()) << track;
        EXPECT_EQ(again.getCheckpointCount(), w.getCheckpointCount());
        EXPECT_EQ(again.getWaypointCount(), w.getWaypointCount());
    }
}
