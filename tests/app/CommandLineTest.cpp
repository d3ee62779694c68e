#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <vector>

namespace {
CommandLine parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"hover"};
    argv.insert(argv.end(), args);
    return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}
}  // namespace

TEST(CommandLine, NoArgumentsGiveMenusWindowedTrackOneElseEditorAndTrackInEitherOrder) {
    const CommandLine none = parse({});
    EXPECT_FALSE(none.fullScreen);
    EXPECT_FALSE(none.editor);
    EXPECT_EQ(none.track, 1);
    for (const CommandLine& c : {parse({"e", "2"}), parse({"2", "e"})}) {
        EXPECT_TRUE(c.editor);
        EXPECT_FALSE(c.fullScreen);
        EXPECT_EQ(c.track, 2);
    }
    EXPECT_TRUE(parse({"edit"}).editor);
    EXPECT_TRUE(parse({"fullscreen"}).fullScreen);
    // a new track: the editor on that ground with nothing on it
    for (const CommandLine& c : {parse({"e", "2", "new"}), parse({"new", "2"})}) {
        EXPECT_TRUE(c.editor);
        EXPECT_TRUE(c.newTrack);
        EXPECT_EQ(c.track, 2);
    }
    EXPECT_FALSE(parse({"e", "2"}).newTrack);
    EXPECT_FALSE(parse({"N"}).newTrack);
    const CommandLine both = parse({"fe"});
    EXPECT_TRUE(both.fullScreen);
    EXPECT_FALSE(both.editor) << "only the first character counts";
}

TEST(CommandLine, AnXWithANumberPicksTheScaleAndNeverTheTrack) {
    EXPECT_EQ(parse({}).scale, 0);
    const CommandLine editor = parse({"e", "x3", "2"});
    EXPECT_EQ(editor.scale, 3);
    EXPECT_EQ(editor.track, 2);
    EXPECT_TRUE(editor.editor);
    const struct {
        const char* word;
        int scale;
    } words[] = {{"x1", 1}, {"x2", 2}, {"x12", 12}, {"x", 0}, {"x0", 0}, {"x-2", 0}, {"xyz", 0}, {"X2", 0}, {"2x", 0}};
    for (const auto& w : words) {
        EXPECT_EQ(parse({w.word}).scale, w.scale) << w.word;
        EXPECT_EQ(parse({"3", w.word}).track, w.word[0] == '2' ? 2 : 3) << w.word;
    }
    EXPECT_EQ(parse({"x2", "x1"}).scale, 1) << "the last word wins";
}

TEST(CommandLine, OnlyTheFirstCharacterAndItsCaseCount) {
    const CommandLine dash = parse({"-e"});
    EXPECT_FALSE(dash.editor);
    EXPECT_EQ(dash.track, 1);
    const CommandLine e3 = parse({"e3"});
    EXPECT_TRUE(e3.editor);
    EXPECT_EQ(e3.track, 1);
    EXPECT_FALSE(parse({"F"}).fullScreen);
    EXPECT_FALSE(parse({"E"}).editor);
    EXPECT_FALSE(parse({""}).editor);
    EXPECT_EQ(parse({""}).track, 1);
}

TEST(CommandLine, TheLastNumberWinsZeroChangesNothingAndBeyondAnIntSaturates) {
    EXPECT_EQ(parse({"5", "7"}).track, 7);
    EXPECT_EQ(parse({"5", "0"}).track, 5);
    EXPECT_EQ(parse({"5", "x"}).track, 5);
    // read like atoi: leading blanks and a sign, digits up to the first other character
    EXPECT_EQ(parse({" 12"}).track, 12);
    EXPECT_EQ(parse({"+3"}).track, 3);
    EXPECT_EQ(parse({"-2"}).track, -2);
    EXPECT_EQ(parse({"3x"}).track, 3);
    EXPECT_EQ(parse({"1e5"}).track, 1);
    EXPECT_EQ(parse({"0x10"}).track, 1);
    // numbers beyond an int saturate
    EXPECT_EQ(parse({"99999999999"}).track, INT_MAX);
    EXPECT_EQ(parse({"2147483648"}).track, INT_MAX);
    EXPECT_EQ(parse({"2147483647"}).track, INT_MAX);
    EXPECT_EQ(parse({"-99999999999"}).track, INT_MIN);
    EXPECT_EQ(parse({"99999999999999999999999999"}).track, INT_MAX);
    EXPECT_EQ(parse({"40000"}).track, 40000);
}
