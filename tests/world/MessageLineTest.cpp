#include "world/MessageLine.h"

#include <gtest/gtest.h>

TEST(MessageLine, AMessageWiderThanTheLineIsWrappedAtItsSpacesAndLongWordsCut) {
    // ten pixels a letter, lines of 100
    const auto width = [](const std::string& s) { return static_cast<int>(s.size()) * 10; };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(MessageLine::wrap("Missed  gate 2", 140, width), Lines{"Missed  gate 2"});
    EXPECT_EQ(MessageLine::wrap("R U BLIND OR WOT? U R OFF THE MAP", 100, width),
              (Lines{"R U BLIND", "OR WOT? U", "R OFF THE", "MAP"}));
    EXPECT_EQ(MessageLine::wrap("at tracks/a_very_long_file_name.txt", 100, width), (Lines{"at", "tracks/a_v"}));
    EXPECT_EQ(MessageLine::wrap("XY", 5, width), Lines{"X"});
}
