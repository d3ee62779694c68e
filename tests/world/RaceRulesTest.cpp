#include "world/RaceRules.h"

#include <gtest/gtest.h>

#include <string>

#include "craft/CraftTestSupport.h"
#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"

using crafttest::GroundWorld;
using crafttest::addGate;
using crafttest::enterCraft;

TEST(RaceRules, CountedOnlyFromTheFrontAndInOrder) {
    GroundWorld world;
    CheckPoint* gate0 = addGate(world.get(), Vector3(500, 500, 0), 0);
    CheckPoint* gate1 = addGate(world.get(), Vector3(900, 500, 0), 1);
    world->setCheckpointCount(3);
    world->startRace();
    HoverCraft* craft = enterCraft(world.get(), Vector3(499, 500, 0), 0.0);

    // still before the line (facing +x): nothing
    craft->collide(gate0);
    EXPECT_EQ(world->recordOf(*craft).laps, 0);
    EXPECT_EQ(world->recordOf(*craft).lastCheckpoint, -1);
    // the wrong gate: nothing
    craft->setPosition(Vector3(901, 500, 0));
    craft->collide(gate1);
    EXPECT_EQ(world->recordOf(*craft).nextCheckpoint, 0);
    EXPECT_EQ(world->recordOf(*craft).lastCheckpoint, -1);

    world->update(0.25);
    const int clock = world->getRaceTime();
    EXPECT_EQ(clock, 350);  // the set-up step's 100 ms and these 250
    const Vector3 beyond(501, 500, 0);
    craft->setPosition(beyond);
    craft->collide(gate0);
    EXPECT_EQ(world->recordOf(*craft).laps, 1);
    EXPECT_EQ(world->recordOf(*craft).lastCheckpoint, 0);
    EXPECT_EQ(world->recordOf(*craft).nextCheckpoint, 1);
    EXPECT_EQ(world->recordOf(*craft).lastCheckpointTime, clock);
    EXPECT_EQ(world->recordOf(*craft).lapStartTime, clock);
    EXPECT_FALSE(world->recordOf(*craft).finished);
    EXPECT_EQ(world->recordOf(*craft).lastLapTime, 0);
    EXPECT_EQ(craft->getResetPosition(), beyond);
    // the same gate in the next frame does not count again
    craft->collide(gate0);
    EXPECT_EQ(world->recordOf(*craft).laps, 1);
    EXPECT_EQ(world->recordOf(*craft).nextCheckpoint, 1);
    // exactly on the line counts
    craft->setPosition(Vector3(900, 500, 0));
    craft->collide(gate1);
    EXPECT_EQ(world->recordOf(*craft).nextCheckpoint, 2);
    EXPECT_EQ(world->recordOf(*craft).lastCheckpoint, 1);
    // once past a gate, setPosition no longer moves the reset point
    EXPECT_EQ(craft->getResetPosition(), Vector3(900, 500, 0));
    craft->setPosition(Vector3(10, 10, 0));
    EXPECT_EQ(craft->getResetPosition(), Vector3(900, 500, 0));
}

TEST(RaceRules, ThreeLapsFinishWithMessagesForThePlayerOnly) {
    GroundWorld world;
    CheckPoint* gates[3];
    for (int i = 0; i < 3; ++i) gates[i] = addGate(world.get(), Vector3(500 + 400 * i, 1500, 0), i);
    world->setCheckpointCount(3);
    world->startRace();
    ASSERT_EQ(world->getLapCount(), 3);
    HoverCraft* player = world->getPlayer();
    ASSERT_NE(player, nullptr);
    HoverCraft* opponent = nullptr;
    for (HoverCraft* c : world->getCraftList())
        if (c != player) opponent = c;
    EXPECT_EQ(world->recordOf(*player).place, 4);

    const char* expected[] = {"Lap 1", "Lap 2", "Lap 3", "Finished"};
    int lapStart = 0;
    for (int lap = 0; lap < 4; ++lap) {
        for (int i = 0; i < 3; ++i) {
            world->update(0.5);
            const int clock = world->getRaceTime();
            player->setPosition(gates[i]->getPosition() + Vector3(1, 0, 0));
            player->collide(gates[i]);
            if (i != 0) continue;
            EXPECT_EQ(world->recordOf(*player).laps, lap + 1);
            EXPECT_EQ(world->getMessage(), expected[lap]);
            EXPECT_EQ(world->recordOf(*player).lapStartTime, clock);
            if (lap > 0) {
                EXPECT_EQ(world->recordOf(*player).lastLapTime, clock - lapStart);
            }
            lapStart = clock;
            // the leader after each start-line pass, once the places are taken
            world->updateRanking();
            EXPECT_EQ(world->recordOf(*player).place, 1);
            if (lap == 3) break;
        }
    }
    EXPECT_TRUE(world->recordOf(*player).finished);
    EXPECT_EQ(world->recordOf(*player).laps, 4);
    // finished: no gate counts any more
    const int lastTime = world->recordOf(*player).lastCheckpointTime;
    player->setPosition(gates[1]->getPosition() + Vector3(1, 0, 0));
    player->collide(gates[1]);
    EXPECT_EQ(world->recordOf(*player).lastCheckpoint, 0);
    EXPECT_EQ(world->recordOf(*player).lastCheckpointTime, lastTime);

    // an opponent's lap shows nothing
    world->showMessage("unchanged");
    opponent->setPosition(gates[0]->getPosition() + Vector3(1, 0, 0));
    opponent->collide(gates[0]);
    EXPECT_EQ(world->recordOf(*opponent).laps, 1);
    EXPECT_EQ(world->getMessage(), "unchanged");
    world->updateRanking();
    EXPECT_EQ(world->recordOf(*opponent).place, 2);
}

TEST(RaceRules, SingleGateCountsALapEveryFrameAndNoGateCountIsSafe) {
    GroundWorld world;
    CheckPoint* gate = addGate(world.get(), Vector3(500, 500, 0), 0, 90.0);
    world->setCheckpointCount(1);
    world->startRace();
    // facing -y: the far side is y below 500
    HoverCraft* craft = enterCraft(world.get(), Vector3(500, 490, 0), 0.0);
    for (int i = 1; i <= 3; ++i) {
        craft->collide(gate);
        EXPECT_EQ(world->recordOf(*craft).laps, i);
        EXPECT_EQ(world->recordOf(*craft).nextCheckpoint, 0);
    }
    // a World that counted no gate must not divide by zero
    world->setCheckpointCount(0);
    craft->collide(gate);
    EXPECT_EQ(world->recordOf(*craft).laps, 4);
    EXPECT_TRUE(world->recordOf(*craft).finished);
    EXPECT_EQ(world->recordOf(*craft).nextCheckpoint, 0);
}

TEST(RaceRules, AGateOutOfTurnIsToldOncePerPassage) {
    GroundWorld world;
    CheckPoint* gate0 = addGate(world.get(), Vector3(500, 500, 0), 0);
    CheckPoint* gate1 = addGate(world.get(), Vector3(600, 500, 0), 1);
    world->setCheckpointCount(2);
    world->startRace();
    HoverCraft* craft = enterCraft(world.get(), Vector3(0, 0, 0), 0.0);
    craft->setPlayer(true);
    // through `gate` at 300 units a second from 10 before it and on inside it:
    // the steps that gave a message, the last message
    std::string said;
    const auto passage = [&](CheckPoint* gate) {
        craft->setPosition(gate->getPosition() - Vector3(10, 0, 0));
        int told = 0;
        for (int i = 0; i < 12; ++i, world->showMessage("")) {
            craft->setVelocity(Vector3(300, 0, 0));
            craft->update(0.01);
            craft->collide(gate);
            if (!world->getMessage().empty()) ++told, said = world->getMessage();
        }
        return told;
    };
    EXPECT_EQ(passage(gate1), 1);
    EXPECT_EQ(said, "Missed gate 0");
    EXPECT_EQ(passage(gate1), 1) << "a second passage";
    EXPECT_EQ(passage(gate0), 1);
    EXPECT_EQ(said, "Lap 1");
    EXPECT_EQ(passage(gate0), 0) << "the gate just passed, again";
    EXPECT_EQ(passage(gate1), 0) << "the right gate";
    EXPECT_EQ(world->recordOf(*craft).nextCheckpoint, 0);
}
