#include "objects/Powerup.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>

#include "Pixels.h"
#include "craft/CraftTestSupport.h"
#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"
#include "track/RecordBody.h"
#include "world/TestFiles.h"

using crafttest::GroundWorld;
using crafttest::makeCraft;

namespace {

HoverCraft* firstOpponent(World& world) {
    for (HoverCraft* c : world.getCraftList())
        if (c != world.getPlayer()) return c;
    return nullptr;
}

}  // namespace

TEST(Powerup, StartsAvailableWithItsKindAndWritesAndReadsIt) {
    GroundWorld world;
    Powerup p(world.get(), 3);
    EXPECT_EQ(p.getKind(), 3);
    EXPECT_EQ(p.getRadius(), 16.0);
    EXPECT_TRUE(p.isVisible());
    EXPECT_TRUE(p.isCollidable());
    EXPECT_FALSE(p.isSolid());
    EXPECT_EQ(p.getPhase(), 0.0);
    EXPECT_EQ(p.getRespawnTimer(), 0.0);
    EXPECT_EQ(p.typeCode(), 'P');
    // the caller's height is kept
    p.setPosition(Vector3(10, 20, 33));
    EXPECT_EQ(p.getPosition(), Vector3(10, 20, 33));
    EXPECT_EQ(records::bodyOf(p), "3");
    records::readBody(p, " 7");
    EXPECT_EQ(p.getKind(), 7);
    // a field that is not a number keeps the kind it had
    records::readBody(p, " x");
    EXPECT_EQ(p.getKind(), 7);
}

TEST(Powerup, PhaseRunsRoundOnceASecondAlsoInTheEditor) {
    GroundWorld world(true);
    Powerup p(world.get(), 1);
    for (int i = 0; i < 4; ++i) p.update(0.25);
    // one is not above one: it stays
    EXPECT_EQ(p.getPhase(), 1.0);
    p.update(0.25);
    EXPECT_EQ(p.getPhase(), 0.25);
    p.update(0.5);
    p.update(0.5);
    EXPECT_EQ(p.getPhase(), 0.25);

    // placed in the editor and handed over before the first update, it is
    // updated by each of them, and never taken
    auto* placed = new Powerup(world.get(), 1);
    placed->setPosition(Vector3(100, 100, 0));
    world->addObject(placed);
    for (int i = 0; i < 10; ++i) world->update(0.05);
    EXPECT_NEAR(placed->getPhase(), 0.5, 1e-9);
    EXPECT_TRUE(placed->isCollidable());
    EXPECT_TRUE(placed->isVisible());
}

TEST(Powerup, SpriteIsCentredAndBobsEightPixelsAboveItsRestingPlace) {
    testfiles::ScratchDir dir;
    testfiles::writeGameData("data.dat");  // every powerup sprite a 16 x 16 square
    GroundWorld world;
    const int background = makecol(1, 2, 3);
    BITMAP* target = create_bitmap(200, 200);
    Powerup p(world.get(), 1);
    p.setPosition(Vector3(0, 0, 0));
    View view(Vector2(100, 150), target);  // the ground point lands on (100, 150)
    // its top 0.8 of 16 above the point at mid-cycle, 8 higher at the ends, 4 at a quarter
    const struct {
        double step;
        int top;
    } cases[] = {{0.5, 137}, {0.5, 129}, {0.25, 133}};
    for (const auto& c : cases) {
        p.update(c.step);
        clear_to_color(target, background);
        p.draw(view);
        EXPECT_EQ(pixels::drawnBox(target, background), (pixels::Box{92, c.top, 107, c.top + 15})) << p.getPhase();
    }
    destroy_bitmap(target);
}

TEST(Powerup, UnknownKindsDrawTheTurboSprite) {
    const std::pair<int, int> indices[] = {{1, 38}, {2, 0}, {3, 39}, {4, 48}, {0, 48}, {5, 48}, {-7, 48}};
    for (const auto& [kind, index] : indices) EXPECT_EQ(Powerup::spriteIndex(kind), index) << kind;
    GroundWorld world;
    BITMAP* turbo = create_bitmap(100, 100);
    BITMAP* odd = create_bitmap(100, 100);
    const int background = makecol(1, 2, 3);
    clear_to_color(turbo, background);
    clear_to_color(odd, background);
    Powerup four(world.get(), 4), five(world.get(), 5);
    View a(Vector2(50, 70), turbo), b(Vector2(50, 70), odd);
    four.draw(a);
    five.draw(b);
    EXPECT_NE(pixels::drawnBox(turbo, background), pixels::kNothing);
    EXPECT_TRUE(pixels::shows(odd, turbo, 0, 0));
    destroy_bitmap(turbo);
    destroy_bitmap(odd);
}

TEST(Powerup, TakenItVanishesForThirtyFiveSeconds) {
    GroundWorld world;
    auto craft = makeCraft(world.get(), Vector3(100, 100, 0));
    Powerup p(world.get(), 4);
    p.touchedBy(*craft);
    for (int i = 0; i < 69; ++i) {
        p.update(0.5);
        ASSERT_FALSE(p.isCollidable()) << i;
    }
    EXPECT_FALSE(p.isVisible());
    // the update that reaches 35 seconds brings it back; it keeps bobbing meanwhile
    p.update(0.5);
    EXPECT_TRUE(p.isVisible());
    EXPECT_TRUE(p.isCollidable());
    EXPECT_EQ(p.getPhase(), 1.0);

    // a step that overshoots brings it back as well
    p.touchedBy(*craft);
    p.update(34.0);
    EXPECT_FALSE(p.isCollidable());
    p.update(1.5);
    EXPECT_TRUE(p.isCollidable());
}

TEST(Powerup, EachKindActsOnTheCollector) {
    GroundWorld world;
    // the known kinds go to opponents, the others to the player: not a sound, not a word
    const struct {
        int kind;
        bool frozen, wonky;
        int turbo;
        double effectTime;
    } kinds[] = {{1, true, false, 0, 8.0},   {2, false, true, 0, 8.0},   {4, false, false, 1, 16.0},
                 {0, false, false, 0, 0.0},  {5, false, false, 0, 0.0},  {-1, false, false, 0, 0.0}};
    for (const auto& k : kinds) {
        auto craft = makeCraft(world.get(), Vector3(100, 100, 0));
        craft->setPlayer(k.kind < 1 || k.kind > 4);
        Powerup p(world.get(), k.kind);
        p.touchedBy(*craft);
        EXPECT_FALSE(p.isCollidable()) << k.kind;
        EXPECT_FALSE(p.isVisible()) << k.kind;
        EXPECT_EQ(p.getRespawnTimer(), 35.0) << k.kind;
        EXPECT_EQ(craft->isFrozen(), k.frozen) << k.kind;
        EXPECT_EQ(craft->isWonky(), k.wonky) << k.kind;
        EXPECT_EQ(craft->getTurboLevel(), k.turbo) << k.kind;
        EXPECT_EQ(craft->getEffectTime(), k.effectTime) << k.kind;
    }
    EXPECT_EQ(world->getSamplesPlayed(), 0);
    EXPECT_EQ(world->getMessage(), "");
}

TEST(Powerup, OpponentsFrozenFreezesEveryCraftButItsCollectorAndOnlyTheFirstInRankingOrderGetsIt) {
    GroundWorld world;
    crafttest::startRaceBehind(world.get());
    HoverCraft* player = world->getPlayer();
    ASSERT_NE(player, nullptr);
    player->addTurbo();
    int before = world->getSamplesPlayed();
    Powerup p(world.get(), 3);
    p.touchedBy(*player);
    for (HoverCraft* c : world->getCraftList()) {
        if (c == player) continue;
        EXPECT_TRUE(c->isFrozen());
        EXPECT_EQ(c->getEffectTime(), 8.0);
    }
    // the collector keeps its own effects
    EXPECT_FALSE(player->isFrozen());
    EXPECT_EQ(player->getTurboLevel(), 1);
    EXPECT_EQ(world->getMessage(), "Opponents are Frozen");
    EXPECT_EQ(world->getLastSample(), 45);
    EXPECT_EQ(world->getSamplesPlayed(), before + 1);
    EXPECT_FALSE(p.isCollidable());

    // taken by an opponent, it freezes the player
    for (HoverCraft* c : world->getCraftList()) c->clearEffects();
    HoverCraft* collector = firstOpponent(*world);
    ASSERT_NE(collector, nullptr);
    world->showMessage("earlier");
    before = world->getSamplesPlayed();
    Powerup(world.get(), 3).touchedBy(*collector);
    EXPECT_FALSE(collector->isFrozen());
    int frozen = 0;
    for (HoverCraft* c : world->getCraftList())
        if (c->isFrozen()) ++frozen;
    EXPECT_EQ(frozen, 3);
    EXPECT_TRUE(player->isFrozen());
    // the player is told it is frozen; the collector gets nothing
    EXPECT_EQ(world->getMessage(), "Frozen");
    EXPECT_EQ(world->getLastSample(), 41);
    EXPECT_EQ(world->getSamplesPlayed(), before + 1);

    // only the first craft in ranking order gets a powerup
    for (HoverCraft* c : world->getCraftList()) c->clearEffects();
    const auto& craft = world->getCraftList();
    ASSERT_EQ(craft.size(), 4u);
    HoverCraft* first = craft[0];
    HoverCraft* second = craft[1];
    // two craft on the same spot, far from the rest
    first->setPosition(Vector3(800, 800, 0));
    second->setPosition(Vector3(805, 800, 0));
    auto* taken = new Powerup(world.get(), 1);
    taken->setPosition(Vector3(802, 800, 0));
    world->addObject(taken);
    world->update(0.001);  // brings the powerup into play
    EXPECT_TRUE(first->isFrozen());
    EXPECT_FALSE(second->isFrozen());
    EXPECT_FALSE(taken->isCollidable());

    // after the ranking changes, the leader is tested first
    second->setPosition(Vector3(1501, 1500, 0));
    world->checkContacts();  // second passes the start line and leads once ranked
    world->updateRanking();
    ASSERT_EQ(world->getCraftList()[0], second);
    auto* q = new Powerup(world.get(), 2);
    q->setPosition(Vector3(1200, 1200, 0));
    world->addObject(q);
    first->setPosition(Vector3(1200, 1201, 0));
    second->setPosition(Vector3(1201, 1200, 0));
    world->update(0.001);
    EXPECT_TRUE(second->isWonky());
    EXPECT_FALSE(first->isWonky());
}

