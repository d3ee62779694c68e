#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "craft/CraftTestSupport.h"
#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"

using crafttest::GroundWorld;
using crafttest::makeCraft;
using crafttest::addGate;
using crafttest::enterCraft;
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
    HoverCraft* bumping = enterCraft(world.get(), Vector3(100, 100, 0), 0.0);
    bumping->setVelocity(Vector3(10, 0, 0));
    bumping->collide(&gate);
    EXPECT_EQ(world->recordOf(*bumping).laps, 0);
    EXPECT_LT(bumping->getImpulse().x, 0.0);
    bumping->setVelocity(Vector3(-10, 0, 0));
    bumping->collide(&gate);
    EXPECT_EQ(world->recordOf(*bumping).laps, 1);
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
