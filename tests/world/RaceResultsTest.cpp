#include "world/RaceResults.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "craft/CraftTestSupport.h"
#include "objects/CheckPoint.h"

using crafttest::GroundWorld;

TEST(RaceResults, FinishersInTheOrderOfTheClockThenTheCraftStillRacing) {
    GroundWorld world;
    auto* gate = new CheckPoint(world.get());
    gate->setPosition(Vector3(500, 500, 0));
    gate->setAngle(0.0);
    world->addObject(gate);
    world->startRace();
    std::map<int, HoverCraft*> byColour;
    for (HoverCraft* c : world->getCraftList()) byColour[c->getColour()] = c;
    // beyond the only gate a craft counts a lap every step; `laps` steps of
    // `dt` there, then back to the grid; the clock at its last lap
    const auto drive = [&](int colour, int laps, double dt) {
        HoverCraft* c = byColour[colour];
        const Vector3 grid = c->getPosition();
        c->setPosition(Vector3(520, 500, 0));
        int clock = 0;
        for (int i = 0; i < laps; ++i) {
            clock = world->getRaceTime();
            world->update(dt);
        }
        c->setPosition(grid);
        return clock;
    };
    const int first = drive(2, 4, 0.5);
    drive(3, 2, 0.25);
    const int player = drive(1, 4, 0.3);
    const int third = drive(4, 4, 0.4);
    const struct {
        int colour, time, best;
        bool finished;
    } expected[] = {{2, first, 500, true}, {1, player, 300, true}, {4, third, 400, true}, {3, 0, 250, false}};
    std::vector<ResultRow> rows = RaceResults::rows(world->getCraftList());
    ASSERT_EQ(rows.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rows[i].place, i + 1);
        EXPECT_EQ(rows[i].colour, expected[i].colour) << i;
        EXPECT_EQ(rows[i].finished, expected[i].finished) << i;
        EXPECT_EQ(rows[i].bestLap, expected[i].best) << i;
        EXPECT_EQ(rows[i].player, expected[i].colour == 1) << i;
        if (expected[i].finished) {
            EXPECT_EQ(rows[i].raceTime, expected[i].time) << i;
        }
    }
    // the last craft finishes: its line gets its time
    const int last = drive(3, 2, 0.1);
    rows = RaceResults::rows(world->getCraftList());
    EXPECT_TRUE(rows[3].finished);
    EXPECT_EQ(rows[3].raceTime, last);
    EXPECT_EQ(rows[3].bestLap, 100);
}
