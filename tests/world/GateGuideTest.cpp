#include "world/GateGuide.h"

#include <gtest/gtest.h>

#include "craft/CraftTestSupport.h"
#include "objects/CheckPoint.h"

TEST(GateGuide, TheNextGateFollowsThePlayersProgressUntilTheFinish) {
    crafttest::GroundWorld world;
    CheckPoint* gates[3];
    for (int n : {2, 0, 1})  // out of number order, as a track file may list them
        gates[n] = crafttest::addGate(world.get(), Vector3(600 + 400 * n, 1500, 0), n);
    world->setCheckpointCount(3);
    world->startRace();
    HoverCraft& player = *world->getPlayer();
    for (int pass = 0; pass < 10; ++pass) {  // the start line, then three laps of gates 1, 2, 0
        ASSERT_EQ(GateGuide::nextGate(*world, player), gates[pass % 3]) << "pass " << pass;
        player.setPosition(gates[pass % 3]->getPosition() + Vector3(2, 0, 0));
        world->update(0.1);
    }
    EXPECT_EQ(GateGuide::nextGate(*world, player), nullptr);
}
