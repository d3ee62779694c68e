#include "world/GateGuide.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Pixels.h"
#include "craft/CraftTestSupport.h"
#include "math/View.h"
#include "objects/CheckPoint.h"
#include "world/Pen.h"
#include "world/PlayArea.h"

namespace {

// A drawing read along the unit direction `d` from `from`: how far its
// pixels reach ahead and behind, and how far they spread to the sides in the
// front half of that reach and in its last third. Pixels further than
// `across` to the side or within `skip` of `from` along d are left out.
struct Reading {
    double ahead = -1e9, behind = 1e9, side = 0, frontWidth = 0, backWidth = 0;
};

Reading readAlong(BITMAP* b, int background, Vector2 from, Vector2 d, double across = 1e9, double skip = -1) {
    Reading r;
    const auto each = [&](auto&& f) {
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) {
                if (getpixel(b, x, y) == background) continue;
                const double a = (x - from.x) * d.x + (y - from.y) * d.y;
                const double c = std::fabs((x - from.x) * -d.y + (y - from.y) * d.x);
                if (c <= across && std::fabs(a) > skip) f(a, c);
            }
    };
    each([&](double a, double c) {
        r.ahead = std::max(r.ahead, a);
        r.behind = std::min(r.behind, a);
        r.side = std::max(r.side, c);
    });
    const double middle = (r.ahead + r.behind) / 2, tail = r.behind + (r.ahead - r.behind) / 3;
    each([&](double a, double c) {
        if (a > middle) r.frontWidth = std::max(r.frontWidth, c);
        if (a < tail) r.backWidth = std::max(r.backWidth, c);
    });
    return r;
}

Vector2 unit(double x, double y) {
    const double l = std::hypot(x, y);
    return Vector2(x / l, y / l);
}

// The player's view: its craft at the middle of a 640 x 480 target.
View viewOf(const HoverCraft& player, BITMAP* target) {
    const Vector3 p = player.getPosition();
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
        ASSERT_EQ(GateGuide::nextGate(*world, player), gates[pass % 3]) << "pass " << pass;
        player.setPosition(gates[pass % 3]->getPosition() + Vector3(2, 0, 0));
        world->update(0.1);
    }
    EXPECT_EQ(GateGuide::nextGate(*world, player), nullptr);
}

TEST(GateGuide, TheArrowAtTheEdgeIsLongerThanWideWithItsHeadOnTheLineToTheGate) {
    crafttest::GroundWorld world;
    const Vector3 gatePlace(1500, 1500, 0);
    crafttest::startRaceBehind(world.get(), gatePlace);
    HoverCraft& player = *world->getPlayer();
    BITMAP* b = create_bitmap(640, 480);
    const int background = makecol(90, 90, 90), m = PlayArea::kArrowMargin;
    // where the gate lies from the window's middle, in pixels: off each edge,
    // off each corner (the top right one among them) and at slants
    const double offsets[][2] = {{-900, 0},  {1200, 30}, {-20, -700}, {0, 800},  {700, -500},
                                 {500, -700}, {-900, -600}, {900, 700}, {-600, 900}, {400, -2000}};
    for (const auto& o : offsets) {
        // the craft put where the gate shows at that offset on the flat ground
        player.setPosition(gatePlace - Vector3((o[0] - 2 * o[1]) / 2, (-o[0] - 2 * o[1]) / 2, 0));
        clear_to_color(b, background);
        View view = viewOf(player, b);
        GateGuide::draw(*world, player, view);
        const Vector2 g = project(view, gatePlace), middle(320, 240);
        const Vector2 d = unit(g.x - middle.x, g.y - middle.y);
        const Reading r = readAlong(b, background, middle, d);
        const Vector2 tip(middle.x + d.x * r.ahead, middle.y + d.y * r.ahead);
        // the point at the margin, where the line from the middle to the gate meets it
        const double toEdge = std::min({tip.x - m, 640 - m - tip.x, tip.y - m, 480 - m - tip.y});
        EXPECT_NEAR(toEdge, 0, 1.5) << "tip at " << tip.x << ", " << tip.y << " for " << o[0] << ", " << o[1];
        EXPECT_GE(std::min({tip.x, 640 - tip.x, tip.y, 480 - tip.y}), m - 1.5);
        // a head on a shaft: long for its width, and much wider at the point
        // than behind it, which a triangle of about equal sides is not
        EXPECT_GE(r.ahead - r.behind, std::max(24.0, 2.5 * r.side)) << o[0] << ", " << o[1];
        EXPECT_GE(r.frontWidth, 1.6 * r.backWidth) << o[0] << ", " << o[1];
        // pink, edged in black to read over any ground
        EXPECT_GT(pixels::countColour(b, makecol(GateGuide::kRed, GateGuide::kGreen, GateGuide::kBlue)), 150);
        EXPECT_GT(pixels::countColour(b, makecol(0, 0, 0)), 60);
    }
    // the gate itself while it is on the screen, and no arrow
    player.setPosition(gatePlace + Vector3(100, 100, 0));
    clear_to_color(b, background);
    View view = viewOf(player, b);
    GateGuide::draw(*world, player, view);
    EXPECT_GT(pixels::countColour(b, makecol(GateGuide::kRed, GateGuide::kGreen, GateGuide::kBlue)), 150);
    EXPECT_EQ(pixels::drawnBox(b, background, {0, 0, 639, m - 1}), pixels::kNothing);
    destroy_bitmap(b);
}

TEST(GateGuide, TheGateIsTwoPostsTheLineBetweenThemAndAnArrowTheWayThrough) {
    crafttest::GroundWorld world(false, 30);
    BITMAP* b = create_bitmap(640, 480);
    const int background = makecol(90, 90, 90), pink = makecol(GateGuide::kRed, GateGuide::kGreen, GateGuide::kBlue);
    const int black = makecol(0, 0, 0);
    // turned so that on the screen the way through lies across the line:
    // right, down, left and up
    for (double angle : {45.0, 135.0, 225.0, 315.0}) {
        CheckPoint* gate = crafttest::addGate(world.get(), Vector3(1500, 1500, 0), 0, angle);
        gate->setRadius(60);
        gate->setAngle(angle);
        const View view(Vector2(320, 240 + 1500 + 30), b);
        clear_to_color(b, background);
        View v = view;
        GateGuide::drawGate(*world, *gate, v, pink);
        // the posts stand on the ground (30 high) at the ends of the gate line
        Vector2 feet[2];
        for (int end = 0; end < 2; ++end) {
            const Vector3 foot = gate->getPosition() + gate->getHalfGate() * (end ? 1.0 : -1.0) + Vector3(0, 0, 30);
            feet[end] = project(view, foot);
            const int x = toPixel(feet[end].x), y = toPixel(feet[end].y);
            EXPECT_EQ(getpixel(b, x, y - GateGuide::kPostHeight + 1), pink) << angle << " post " << end;
            // edged in black all round
            for (int side : {-GateGuide::kPostHalfWidth - 1, GateGuide::kPostHalfWidth})
                EXPECT_EQ(getpixel(b, x + side, y - GateGuide::kPostHeight / 2), black) << angle << " post " << end;
            EXPECT_EQ(getpixel(b, x, y - GateGuide::kPostHeight - 1), black);
            EXPECT_EQ(getpixel(b, x, y + 1), black);
        }
        // the line, three pixels thick across its run
        const bool level = std::fabs(feet[1].x - feet[0].x) > std::fabs(feet[1].y - feet[0].y);
        for (double t : {0.2, 0.35, 0.65, 0.8}) {
            const int x = toPixel(feet[0].x + (feet[1].x - feet[0].x) * t);
            const int y = toPixel(feet[0].y + (feet[1].y - feet[0].y) * t);
            for (int k : {-1, 0, 1})
                EXPECT_EQ(getpixel(b, x + (level ? 0 : k), y + (level ? k : 0)), pink) << angle << " the line at " << t;
        }
        // the arrow: its head on the side the gate is passed to, its shaft on the other
        const Vector3 way = gate->getDirection();
        const Vector2 centre = project(view, gate->getPosition() + Vector3(0, 0, 30));
        const Vector2 ahead = project(view, gate->getPosition() + way + Vector3(0, 0, 30));
        const Reading r = readAlong(b, background, centre, unit(ahead.x - centre.x, ahead.y - centre.y), 30, 4);
        EXPECT_GT(r.frontWidth, r.backWidth + 3) << angle;
        EXPECT_NEAR(r.ahead, -r.behind, 3) << angle << ": the arrow's middle is the gate's";
        world->deleteAllObjects();
    }
    destroy_bitmap(b);
}

TEST(GateGuide, AGateOfAnyWidthOrPlaceCostsNoMoreThanTheFrame) {
    crafttest::GroundWorld world;
    BITMAP* frame = create_bitmap(640, 480);
    CheckPoint* gate = crafttest::addGate(world.get(), Vector3(0, 0, 0), 0, 45);
    const auto cost = [&](const Vector3& place, double radius) {
        gate->setPosition(place);
        gate->setRadius(radius);
        gate->setAngle(30);
        View view(Vector2(320, 240), frame);
        const Pen::Count before = Pen::count();
        GateGuide::drawGate(*world, *gate, view, makecol(255, 64, 255));
        return Pen::Count{Pen::count().calls - before.calls, Pen::count().pixels - before.pixels};
    };
    const Pen::Count small = cost(Vector3(), 40);
    EXPECT_EQ(small.calls, 3 + 1 + 7 + 4) << "three lines, the arrow and its edges, two posts of two boxes";
    for (double radius : {1e300, -1e300, std::nan("")}) {
        const Pen::Count huge = cost(Vector3(), radius);
        EXPECT_LE(huge.calls, small.calls) << radius;
        EXPECT_LE(huge.pixels, small.pixels + 3 * 2 * (640 + 3)) << radius << ": the line cut to the frame";
    }
    for (double far : {1e6, 1e300, -1e300, std::nan("")})
        EXPECT_EQ(cost(Vector3(far, far / 3, 0), 40).calls, 0) << far;
    destroy_bitmap(frame);
}
