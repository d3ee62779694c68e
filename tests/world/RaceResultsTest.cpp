#include "world/RaceResults.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "craft/CraftTestSupport.h"
#include "objects/CheckPoint.h"

TEST(RaceResults, FinishersInTheOrderOfTheClockThenTheCraftStillRacing) {
    crafttest::GroundWorld world;
    crafttest::addGate(world.get(), Vector3(500, 500, 0));
    world->startRace();
    std::map<int, HoverCraft*> craft;
    for (HoverCraft* c : world->getCraftList()) craft[c->getColour()] = c;
    // beyond the only gate a craft counts a lap every step: `laps` steps of
    // `dt` there, then back to the grid; the clock at its last lap
    const auto drive = [&](int colour, int laps, double dt) {
        const Vector3 grid = craft[colour]->getPosition();
        craft[colour]->setPosition(Vector3(520, 500, 0));
        int clock = 0;
        for (int i = 0; i < laps; ++i, world->update(dt)) clock = world->getRaceTime();
        craft[colour]->setPosition(grid);
        return clock;
    };
    const int t2 = drive(2, 4, 0.5);
    drive(3, 2, 0.25);
    const int t1 = drive(1, 4, 0.3), t4 = drive(4, 4, 0.4);
    const std::vector<ResultRow> rows = RaceResults::rows(*world);
    ASSERT_EQ(rows.size(), 4u);
    const ResultRow expected[] = {{1, 2, true, t2, 500, false}, {2, 1, true, t1, 300, true},
                                  {3, 4, true, t4, 400, false}, {4, 3, false, rows[3].raceTime, 250, false}};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(rows[i] == expected[i]) << "line " << i + 1;
    // the last one finishes: its line gets its time
    const int t3 = drive(3, 2, 0.1);
    EXPECT_TRUE(RaceResults::rows(*world)[3] == (ResultRow{4, 3, true, t3, 100, false}));
}
