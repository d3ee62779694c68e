#include "view/GateGuide.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Pixels.h"
#include "craft/CraftTestSupport.h"
#include "math/View.h"
#include "objects/CheckPoint.h"
#include "view/WindowGeometry.h"

namespace {

// A 640 x 480 target cleared to grey, and a view that puts `p` at its middle.
int grey() { return makecol(90, 90, 90); }
View middleView(const Vector3& p, BITMAP* target) {
    clear_to_color(target, grey());
    return View(Vector2(320 - (p.x - p.y), 240 + (p.x + p.y) / 2 + p.z), target);
}

}  // namespace

TEST(GateGuide, TheNextGateFollowsThePlayersProgressUntilTheFinish) {
    crafttest::GroundWorld world;
    CheckPoint* gates[3];
    for (int n : {2, 0, 1})  // out of number order, as a track file may list them
        gates[n] = crafttest::addGate(world.get(), Vector3(600 + 400 * n, 1500, 0), n);
    world->setCheckpointCount(3);
    world->startRace();
    HoverCraft& player = *world->getPlayer();
    for (int pass = 0; pass < 10; ++pass) {  // the start line, then three laps of gates 1, 2, 0
        ASSERT_EQ(world->nextGate(player), gates[pass % 3]) << "pass " << pass;
        player.setPosition(gates[pass % 3]->getPosition() + Vector3(2, 0, 0));
        world->update(0.1);
    }
    EXPECT_EQ(world->nextGate(player), nullptr);
}

TEST(GateGuide, TheArrowAtTheEdgeHasAHeadOnAShaftOnTheLineToTheGate) {
    crafttest::GroundWorld world;
    const Vector3 gate(1500, 1500, 0);
    crafttest::startRaceBehind(world.get(), gate);
    HoverCraft& player = *world->getPlayer();
    BITMAP* b = create_bitmap(640, 480);
    const int m = WindowGeometry::kArrowMargin, pink = makecol(GateGuide::kRed, GateGuide::kGreen, GateGuide::kBlue);
    // where the gate lies from the window's middle: off each edge and corner (the top right one among them)
    for (const auto& o : {Vector2(-900, 0), Vector2(1200, 30), Vector2(-20, -700), Vector2(0, 800), Vector2(700, -500),
                          Vector2(500, -700), Vector2(-900, -600), Vector2(900, 700), Vector2(-600, 900)}) {
        player.setPosition(gate - Vector3((o.x - 2 * o.y) / 2, (-o.x - 2 * o.y) / 2, 0));  // flat ground
        View view = middleView(player.getPosition(), b);
        GateGuide::draw(*world, player, view);
        const double l = std::hypot(o.x, o.y), dx = o.x / l, dy = o.y / l;
        const pixels::Spread s = pixels::spreadAlong(b, grey(), 320, 240, dx, dy);
        // the point on the margin, where the line from the middle to the gate meets it
        const Vector2 tip(320 + dx * s.ahead, 240 + dy * s.ahead);
        EXPECT_NEAR(std::min({tip.x - m, 640 - m - tip.x, tip.y - m, 480 - m - tip.y}), 0, 1.5) << o.x << ", " << o.y;
        // long for its width and much wider at the point than behind, as no
        // triangle of about equal sides is; pink, edged in black
        EXPECT_GE(s.ahead - s.behind, std::max(24.0, 2.5 * s.side)) << o.x << ", " << o.y;
        EXPECT_GE(s.frontSide, 1.6 * s.backSide) << o.x << ", " << o.y;
        EXPECT_GT(pixels::countColour(b, pink), 150);
        EXPECT_GT(pixels::countColour(b, makecol(0, 0, 0)), 60);
    }
    // the gate itself while it is on the screen, and no arrow
    player.setPosition(gate + Vector3(100, 100, 0));
    View view = middleView(player.getPosition(), b);
    GateGuide::draw(*world, player, view);
    EXPECT_GT(pixels::countColour(b, pink), 150);
    EXPECT_EQ(pixels::drawnBox(b, grey(), {0, 0, 639, m - 1}), pixels::kNothing);
    destroy_bitmap(b);
}

TEST(GateGuide, TheGateIsTwoPostsTheLineBetweenThemAndAnArrowTheWayThrough) {
    crafttest::GroundWorld world(false, 30);
    BITMAP* b = create_bitmap(640, 480);
    const int pink = makecol(255, 0, 255), black = makecol(0, 0, 0), h = GateGuide::kPostHeight;
    CheckPoint* gate = crafttest::addGate(world.get(), Vector3(1500, 1500, 0));
    gate->setRadius(60);
    // turned so that on the screen the way through lies across the line: right, down, left and up
    for (double angle : {45.0, 135.0, 225.0, 315.0}) {
        gate->setAngle(angle);
        View view = middleView(gate->getPosition() + Vector3(0, 0, 30), b);
        GateGuide::drawGate(*world, *gate, view, pink);
        // posts edged in black on the ground at the ends of the line, three pixels thick between them
        Vector2 feet[2];
        for (int end : {0, 1}) {
            feet[end] = project(view, gate->getPosition() + gate->getHalfGate() * (2.0 * end - 1) + Vector3(0, 0, 30));
            const int x = toPixel(feet[end].x), y = toPixel(feet[end].y), w = GateGuide::kPostHalfWidth;
            EXPECT_EQ(getpixel(b, x, y - h + 1), pink) << angle << " post " << end;
            for (const Vector2& e : {Vector2(x - w - 1, y - h / 2), Vector2(x + w, y - h / 2), Vector2(x, y - h - 1),
                                     Vector2(x, y + 1)})
                EXPECT_EQ(getpixel(b, e.x, e.y), black) << angle << " post " << end;
        }
        const bool level = std::fabs(feet[1].x - feet[0].x) > std::fabs(feet[1].y - feet[0].y);
        for (double t : {0.3, 0.68})
            for (int k = -2; k <= 2; ++k)
                EXPECT_EQ(getpixel(b, toPixel(feet[0].x + (feet[1].x - feet[0].x) * t) + (level ? 0 : k),
                                   toPixel(feet[0].y + (feet[1].y - feet[0].y) * t) + (level ? k : 0)),
                          std::abs(k) < 2 ? pink : grey()) << angle << " the line at " << t << ", " << k;
        // the arrow from the gate's middle, its head on the side the gate is
        // passed to (the line across it left out)
        const Vector2 d = project(View(), gate->getDirection());
        const double l = std::hypot(d.x, d.y);
        const pixels::Spread s = pixels::spreadAlong(b, grey(), 320, 240, d.x / l, d.y / l, 30, 4);
        EXPECT_GT(s.frontSide, s.backSide + 3) << angle;
        EXPECT_NEAR(s.ahead, -s.behind, 3) << angle;
    }
    destroy_bitmap(b);
}
