#include "view/MessageLine.h"

#include <gtest/gtest.h>

TEST(MessageLine, AMessageWiderThanTheLineIsWrappedAtItsSpacesAndLongWordsCut) {
    const auto tenEach = [](const std::string& s) { return static_cast<int>(s.size()) * 10; };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(MessageLine::wrap("Missed  gate 2", 140, tenEach), Lines{"Missed  gate 2"});
    EXPECT_EQ(MessageLine::wrap("R U BLIND OR WOT? U R OFF THE MAP", 100, tenEach),
              (Lines{"R U BLIND", "OR WOT? U", "R OFF THE", "MAP"}));
    EXPECT_EQ(MessageLine::wrap("at tracks/a_long_name.txt", 100, tenEach), (Lines{"at", "tracks/a_l"}));
}
