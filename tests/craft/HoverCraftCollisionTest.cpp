#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "craft/CraftTestSupport.h"
#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"

using crafttest::GroundWorld;
using crafttest::makeCraft;
using crafttest::addGate;
using crafttest::ScriptedController;

namespace {

// Scenery stand-in: a solid sphere that needs no sprite.
class Rock : public GameObject {
public:
    Rock(World* w, const Vector3& p, double r) : GameObject(w) {
        position = p;
        radius = r;
        solid = true;
    }
    void draw(View&) override {}
    void update(double) override {}
};

// A gate that is solid as well, to see that a bounce stops the gate test.
class SolidGate : public CheckPoint {
public:
    explicit SolidGate(World* w) : CheckPoint(w) { solid = true; }
};

}  // namespace

TEST(HoverCraftCollision, SolidObjectReflectsTheSpeedTowardsTheFirstEndTouchingIt) {
    GroundWorld world;
    auto craft = makeCraft(world.get(), Vector3(100, 100, 0), 0.0);  // no controller: it bounces all the same
    ASSERT_EQ(craft->getController(), nullptr);
    craft->setVelocity(Vector3(100, 0, 0));
    Rock rock(world.get(), Vector3(120, 100, 0), 10.0);
    craft->collide(&rock);
    EXPECT_NEAR(craft->getImpulse().x, -200.0, 1e-9);
    EXPECT_NEAR(craft->getImpulse().y, 0.0, 1e-9);
    // the next update applies it: the craft leaves at 100 (less a step of drag)
    craft->update(0.001);
    EXPECT_NEAR(craft->getVelocity().x, -100.0 * (1 - 0.04 * 0.001), 1e-9);
    EXPECT_EQ(craft->getImpulse(), Vector3());

    // the push on a craft at `p` heading 0 moving at `v`
    const auto push = [&](const Vector3& p, const Vector3& v) {
        auto other = makeCraft(world.get(), p, 0.0);
        other->setVelocity(v);
        other->collide(&rock);
        return other->getImpulse();
    };
    EXPECT_EQ(push(Vector3(100, 100, 0), Vector3(-30, 0, 0)), Vector3()) << "moving away while still overlapping";
    EXPECT_EQ(push(Vector3(100, 100, 0), Vector3()), Vector3()) << "standing still against it";
    EXPECT_EQ(push(Vector3(94, 100, 0), Vector3(100, 0, 0)), Vector3()) << "the nose exactly 10 + 10 from it";
    // exactly at the nose: no direction there, so the tail answers instead,
    // and the tail, 12 away, is beyond 1 + 10
    Rock onNose(world.get(), craft->getNosePoint(), 1.0);
    craft->setVelocity(Vector3(10, 0, 0));
    craft->collide(&onNose);
    EXPECT_EQ(craft->getImpulse(), Vector3());

    // when both ends reach a rock only the nose pushes
    auto both = makeCraft(world.get(), Vector3(100, 100, 0), 0.0);
    both->setVelocity(Vector3(0, 50, 0));
    Rock near(world.get(), Vector3(100, 105, 0), 10.0);
    both->collide(&near);
    const Vector3 n = Vector3(-6, 5, 0) * (1.0 / std::sqrt(61.0));
    const double s = dot(n, Vector3(0, -50, 0));
    EXPECT_NEAR(both->getImpulse().x, n.x * s * 2.0, 1e-9);
    EXPECT_NEAR(both->getImpulse().y, n.y * s * 2.0, 1e-9);
    EXPECT_GT(both->getImpulse().x, 0.0);

    // the tail alone: its push is used when the nose is clear
    auto backing = makeCraft(world.get(), Vector3(100, 100, 0), 0.0);
    backing->setVelocity(Vector3(-40, 0, 0));
    Rock behind(world.get(), Vector3(80, 100, 0), 5.0);
    backing->collide(&behind);
    EXPECT_NEAR(backing->getImpulse().x, 80.0, 1e-9);

    // a solid gate bounced off is not passed; one left behind is
    world->setCheckpointCount(2);
    SolidGate gate(world.get());
    gate.setPosition(Vector3(110, 100, 0));
    gate.setAngle(180.0);
    auto bumping = makeCraft(world.get(), Vector3(100, 100, 0), 0.0);
    bumping->setVelocity(Vector3(10, 0, 0));
    bumping->collide(&gate);
    EXPECT_EQ(bumping->getLaps(), 0);
    EXPECT_LT(bumping->getImpulse().x, 0.0);
    bumping->setVelocity(Vector3(-10, 0, 0));
    bumping->collide(&gate);
    EXPECT_EQ(bumping->getLaps(), 1);
}

TEST(HoverCraftCollision, CraftExchangeTheirClosingSpeedOnlyWhereTheirEndsTouch) {
    GroundWorld world;
    auto a = makeCraft(world.get(), Vector3(100, 100, 0), 0.0);
    auto b = makeCraft(world.get(), Vector3(125, 100, 0), 180.0);
    a->setVelocity(Vector3(50, 0, 0));
    b->setVelocity(Vector3(-50, 0, 0));
    a->collide(b.get());
    b->collide(a.get());
    EXPECT_NEAR(a->getImpulse().x, -100.0, 1e-9);
    EXPECT_NEAR(b->getImpulse().x, 100.0, 1e-9);
    EXPECT_NEAR(a->getImpulse().y, 0.0, 1e-9);
    a->update(0.001);
    b->update(0.001);
    EXPECT_NEAR(a->getVelocity().x, -50.0, 0.01);
    EXPECT_NEAR(b->getVelocity().x, 50.0, 0.01);

    // the other's nose is tried against this tail, then this nose, then the
    // other's tail the same way; here the other's nose (heading 90) or tail
    // (heading 270) at (100, 110) reaches both ends, which push differently
    for (double heading : {90.0, 270.0}) {
        auto other = makeCraft(world.get(), Vector3(100, 116, 0), heading);
        auto craft = makeCraft(world.get(), Vector3(100, 100, 0), 0.0);  // nose (106, 100), tail (94, 100)
        craft->setVelocity(Vector3(0, 10, 0));
        craft->collide(other.get());
        // from the tail: n = (6, 10) / sqrt(136), closing at 100 / sqrt(136)
        EXPECT_NEAR(craft->getImpulse().x, -600.0 / 136, 1e-9) << heading;
        EXPECT_NEAR(craft->getImpulse().y, -1000.0 / 136, 1e-9) << heading;
    }

    // two craft in the very same place stay finite
    auto c = makeCraft(world.get(), Vector3(200, 200, 0), 45.0);
    auto d = makeCraft(world.get(), Vector3(200, 200, 0), 45.0);
    c->setVelocity(Vector3(5, 5, 0));
    c->collide(d.get());
    d->collide(c.get());
    EXPECT_TRUE(isFinite(c->getImpulse()));
    EXPECT_TRUE(isFinite(d->getImpulse()));
    c->update(0.01);
    d->update(0.01);
    EXPECT_TRUE(isFinite(c->getVelocity()));
    EXPECT_TRUE(isFinite(c->getPosition()));
    EXPECT_TRUE(isFinite(d->getPosition()));

    // side by side, 31 apart: inside the pair test (32), but every end point is 31 or more away
    HoverCraft* e = makeCraft(world.get(), Vector3(100, 100, 0), 90.0, 1).release();
    HoverCraft* f = makeCraft(world.get(), Vector3(131, 100, 0), 90.0, 2).release();
    e->setVelocity(Vector3(20, 0, 0));
    f->setVelocity(Vector3(-20, 0, 0));
    world->addCraft(e);
    world->addCraft(f);
    world->update(0.0);
    EXPECT_EQ(e->getImpulse(), Vector3());
    EXPECT_EQ(f->getImpulse(), Vector3());

    // 19 apart, nose to nose: both bounce in the same pass
    f->setPosition(Vector3(119, 100, 0));
    world->checkContacts();
    EXPECT_LT(e->getImpulse().x, 0.0);
    EXPECT_GT(f->getImpulse().x, 0.0);
}

TEST(HoverCraftCollision, ControllerHearsOfEveryObjectButCraft) {
    GroundWorld world;
    auto craft = makeCraft(world.get(), Vector3(100, 100, 0), 0.0);
    auto* control = new ScriptedController(0, 0);
    craft->setController(control);
    Rock rock(world.get(), Vector3(500, 500, 0), 10.0);
    CheckPoint* gate = addGate(world.get(), Vector3(100, 100, 0), 3);
    auto other = makeCraft(world.get(), Vector3(110, 100, 0), 180.0);
    craft->collide(&rock);
    craft->collide(other.get());
    craft->collide(gate);
    ASSERT_EQ(control->touched.size(), 2u);
    EXPECT_EQ(control->touched[0], &rock);
    EXPECT_EQ(control->touched[1], gate);
}

TEST(HoverCraftCheckpoint, CountedOnlyFromTheFrontAndInOrder) {
    GroundWorld world;
    CheckPoint* gate0 = addGate(world.get(), Vector3(500, 500, 0), 0);
    CheckPoint* gate1 = addGate(world.get(), Vector3(900, 500, 0), 1);
    world->setCheckpointCount(3);
    world->startRace();
    auto craft = makeCraft(world.get(), Vector3(499, 500, 0), 0.0);

    // still before the line (facing +x): nothing
    craft->collide(gate0);
    EXPECT_EQ(craft->getLaps(), 0);
    EXPECT_EQ(craft->getLastCheckpoint(), -1);
    // the wrong gate: nothing
    craft->setPosition(Vector3(901, 500, 0));
    craft->collide(gate1);
    EXPECT_EQ(craft->getNextCheckpoint(), 0);
    EXPECT_EQ(craft->getLastCheckpoint(), -1);

    world->update(0.25);
    const int clock = world->getRaceTime();
    EXPECT_EQ(clock, 350);  // the set-up step's 100 ms and these 250
    const Vector3 beyond(501, 500, 0);
    craft->setPosition(beyond);
    craft->collide(gate0);
    EXPECT_EQ(craft->getLaps(), 1);
    EXPECT_EQ(craft->getLastCheckpoint(), 0);
    EXPECT_EQ(craft->getNextCheckpoint(), 1);
    EXPECT_EQ(craft->getLastCheckpointTime(), clock);
    EXPECT_EQ(craft->getLapStartTime(), clock);
    EXPECT_FALSE(craft->isFinished());
    EXPECT_EQ(craft->getLastLapTime(), 0);
    EXPECT_EQ(craft->getResetPosition(), beyond);
    // the same gate in the next frame does not count again
    craft->collide(gate0);
    EXPECT_EQ(craft->getLaps(), 1);
    EXPECT_EQ(craft->getNextCheckpoint(), 1);
    // exactly on the line counts
    craft->setPosition(Vector3(900, 500, 0));
    craft->collide(gate1);
    EXPECT_EQ(craft->getNextCheckpoint(), 2);
    EXPECT_EQ(craft->getLastCheckpoint(), 1);
    // once past a gate, setPosition no longer moves the reset point
    EXPECT_EQ(craft->getResetPosition(), Vector3(900, 500, 0));
    craft->setPosition(Vector3(10, 10, 0));
    EXPECT_EQ(craft->getResetPosition(), Vector3(900, 500, 0));
}

TEST(HoverCraftCheckpoint, ThreeLapsFinishWithMessagesForThePlayerOnly) {
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
    EXPECT_EQ(player->getRacePosition(), 4);

    const char* expected[] = {"Lap 1", "Lap 2", "Lap 3", "Finished"};
    int lapStart = 0;
    for (int lap = 0; lap < 4; ++lap) {
        for (int i = 0; i < 3; ++i) {
            world->update(0.5);
            const int clock = world->getRaceTime();
            player->setPosition(gates[i]->getPosition() + Vector3(1, 0, 0));
            player->collide(gates[i]);
            if (i != 0) continue;
            EXPECT_EQ(player->getLaps(), lap + 1);
            EXPECT_EQ(world->getMessage(), expected[lap]);
            EXPECT_EQ(player->getLapStartTime(), clock);
            if (lap > 0) {
                EXPECT_EQ(player->getLastLapTime(), clock - lapStart);
            }
            lapStart = clock;
            // the leader after each start-line pass
            EXPECT_EQ(player->getRacePosition(), 1);
            if (lap == 3) break;
        }
    }
    EXPECT_TRUE(player->isFinished());
    EXPECT_EQ(player->getLaps(), 4);
    // finished: no gate counts any more
    const int lastTime = player->getLastCheckpointTime();
    player->setPosition(gates[1]->getPosition() + Vector3(1, 0, 0));
    player->collide(gates[1]);
    EXPECT_EQ(player->getLastCheckpoint(), 0);
    EXPECT_EQ(player->getLastCheckpointTime(), lastTime);

    // an opponent's lap shows nothing
    world->showMessage("unchanged");
    opponent->setPosition(gates[0]->getPosition() + Vector3(1, 0, 0));
    opponent->collide(gates[0]);
    EXPECT_EQ(opponent->getLaps(), 1);
    EXPECT_EQ(world->getMessage(), "unchanged");
    EXPECT_EQ(opponent->getRacePosition(), 2);
}

TEST(HoverCraftCheckpoint, SingleGateCountsALapEveryFrameAndNoGateCountIsSafe) {
    GroundWorld world;
    CheckPoint* gate = addGate(world.get(), Vector3(500, 500, 0), 0, 90.0);
    world->setCheckpointCount(1);
    world->startRace();
    // facing -y: the far side is y below 500
    auto craft = makeCraft(world.get(), Vector3(500, 490, 0), 0.0);
    for (int i = 1; i <= 3; ++i) {
        craft->collide(gate);
        EXPECT_EQ(craft->getLaps(), i);
        EXPECT_EQ(craft->getNextCheckpoint(), 0);
    }
    // a World that counted no gate must not divide by zero
    world->setCheckpointCount(0);
    craft->collide(gate);
    EXPECT_EQ(craft->getLaps(), 4);
    EXPECT_TRUE(craft->isFinished());
    EXPECT_EQ(craft->getNextCheckpoint(), 0);
}

TEST(HoverCraftCheckpoint, AGateOutOfTurnIsToldOncePerPassage) {
    GroundWorld world;
    CheckPoint* gate0 = addGate(world.get(), Vector3(500, 500, 0), 0);
    CheckPoint* gate1 = addGate(world.get(), Vector3(600, 500, 0), 1);
    world->setCheckpointCount(2);
    world->startRace();
    auto craft = makeCraft(world.get(), Vector3(0, 0, 0), 0.0);
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
    EXPECT_EQ(craft->getNextCheckpoint(), 0);
}
