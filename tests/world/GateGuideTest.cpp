#include "world/GateGuide.h"

#include <gtest/gtest.h>

#include "craft/CraftTestSupport.h"
#include "objects/CheckPoint.h"

using crafttest::GroundWorld;

TEST(GateGuide, TheNextGateFollowsThePlayersProgressUntilTheFinish) {
    GroundWorld world;
    CheckPoint* gates[3];
    // listed out of number order, as a track file may have them
    for (int n : {2, 0, 1}) {
        gates[n] = new CheckPoint(world.get());
        gates[n]->setPosition(Vector3(600 + 400 * n, 1500, 0));
        gates[n]->setNumber(n);
        gates[n]->setAngle(0.0);
        world->addObject(gates[n]);
    }
    world->setCheckpointCount(3);
    world->startRace();
    const HoverCraft& player = *world->getPlayer();
    // three laps: the start line, then gates 1, 2 and 0 again, three times
    for (int pass = 0; pass < 10; ++pass) {
        CheckPoint* next = gates[pass % 3];
        ASSERT_EQ(GateGuide::nextGate(*world, player), next) << "pass " << pass;
        world->getPlayer()->setPosition(next->getPosition() + Vector3(2, 0, 0));
        world->update(0.1);
    }
    EXPECT_TRUE(player.isFinished());
    EXPECT_EQ(GateGuide::nextGate(*world, player), nullptr);
    EXPECT_EQ(GateGuide::find(world->getObjects(), 7), nullptr);
}
