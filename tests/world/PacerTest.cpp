#include "world/Pacer.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "math/View.h"
#include "view/PacerMark.h"

namespace {

constexpr double kStep = 1.0 / 60;

// A square route 1000 a side, driven with x growing first from (0, 0).
Pacer square() {
    Pacer p;
    p.setRoute({Vector3(0, 0, 5), Vector3(1000, 0, 5), Vector3(1000, 1000, 5), Vector3(0, 1000, 5)});
    return p;
}

// `seconds` of steps with the player standing at `craft` and its next gate at `gate`.
void hold(Pacer& p, double seconds, const Vector3& craft, const Vector3& gate) {
    for (int i = 0; i < std::lround(seconds / kStep); ++i) p.step(kStep, craft, &gate);
}

}  // namespace

TEST(Pacer, TheRouteIsALoopMeasuredAlongItsPoints) {
    Pacer p = square();
    ASSERT_TRUE(p.hasRoute());
    EXPECT_DOUBLE_EQ(p.routeLength(), 4000.0);
    EXPECT_DOUBLE_EQ(p.at(250).x, 250.0);
    EXPECT_DOUBLE_EQ(p.at(0.5).x, 0.5);
    EXPECT_DOUBLE_EQ(p.at(0.5).y, 0.0);
    EXPECT_DOUBLE_EQ(p.at(1500).y, 500.0);
    EXPECT_DOUBLE_EQ(p.at(3500).y, 500.0);
    EXPECT_DOUBLE_EQ(p.at(3500).x, 0.0);
    EXPECT_DOUBLE_EQ(p.at(4250).x, 250.0) << "on over the laps";
    EXPECT_DOUBLE_EQ(p.at(-250).y, 250.0) << "and back";
    EXPECT_DOUBLE_EQ(p.at(-0.5).y, 0.5) << "a hair before the start is the end of the lap";
    EXPECT_DOUBLE_EQ(p.at(-0.5).x, 0.0);
    // the nearest point, counted in the lap nearest where it is looked for
    EXPECT_DOUBLE_EQ(p.locate(Vector3(300, -40, 0), 0, false), 300.0);
    EXPECT_DOUBLE_EQ(p.locate(Vector3(300, -40, 0), 4100, false), 4300.0);
    EXPECT_DOUBLE_EQ(p.locate(Vector3(-40, 300, 0), 100, false), -300.0);
    // up to half a lap either way counts as this lap
    EXPECT_DOUBLE_EQ(p.locate(Vector3(1040, 800, 0), 0, false), 1800.0);
    EXPECT_DOUBLE_EQ(p.locate(Vector3(600, 1040, 0), 0, false), -1600.0);
    // within a window a side whose nearest point lies outside it is not
    // taken, however near; with nothing in it the place stays
    EXPECT_DOUBLE_EQ(p.locate(Vector3(990, 600, 0), 900, false), 1600.0);
    EXPECT_DOUBLE_EQ(p.locate(Vector3(990, 600, 0), 900, true), 990.0);
    EXPECT_DOUBLE_EQ(p.locate(Vector3(600, 20, 0), 1600, true), 1600.0);
    // fewer than two points, or all in one place, make no route
    Pacer none;
    none.setRoute({Vector3(5, 5, 0)});
    EXPECT_FALSE(none.hasRoute());
    none.setRoute({Vector3(5, 5, 0), Vector3(5, 5, 0)});
    EXPECT_FALSE(none.hasRoute());
}

// It sets off beside the player, runs at its pace, never further than its
// lead ahead, and waits just past the next gate.
TEST(Pacer, RunsAtItsPaceWithinItsLeadAndWaitsPastTheGate) {
    Pacer p = square();
    const Vector3 player(100, 30, 0);
    p.start(player);
    EXPECT_TRUE(p.isShown());
    EXPECT_DOUBLE_EQ(p.pacerProgress(), 100.0);
    hold(p, 1.0, player, Vector3(1000, 1000, 0));
    EXPECT_NEAR(p.pacerProgress(), 100.0 + Pacer::kPace, 1e-6);
    EXPECT_NEAR(p.point().x, 100.0 + Pacer::kPace, 1e-6);
    EXPECT_DOUBLE_EQ(p.point().z, 5.0);
    hold(p, 5.0, player, Vector3(1000, 1000, 0));
    EXPECT_NEAR(p.pacerProgress(), 100.0 + Pacer::kLead, 1e-6) << "it waits for a player who does not come";
    // a step back in time takes it nowhere
    const Vector3 far(1000, 1000, 0);
    Pacer r = square();
    r.start(player);
    r.step(kStep, player, &far);
    r.step(-1.0, player, &far);
    EXPECT_NEAR(r.pacerProgress(), 100.0 + Pacer::kPace * kStep, 1e-6);
    // a gate nearer than its lead holds it just past the gate line
    Pacer q = square();
    q.start(player);
    hold(q, 5.0, player, Vector3(200, 0, 0));
    EXPECT_NEAR(q.pacerProgress(), 200.0 + Pacer::kPastGate, 1e-6);
}

// Overtaken, it stays behind the player but never far; and once the player
// has gone past a gate without passing it, it leads back to the gate.
TEST(Pacer, FallsBackBehindAFastPlayerAndLeadsBackToAMissedGate) {
    Pacer p = square();
    p.start(Vector3(100, 0, 0));
    const Vector3 farGate(1000, 1000, 0);
    p.step(kStep, Vector3(100, 0, 0), &farGate);
    p.step(kStep, Vector3(700, 0, 0), &farGate);
    EXPECT_DOUBLE_EQ(p.playerProgress(), 700.0);
    EXPECT_NEAR(p.pacerProgress(), 700.0 - Pacer::kFallBack, 1e-6);
    p.step(kStep, Vector3(700, 0, 0), &farGate);
    EXPECT_NEAR(p.pacerProgress(), 700.0 - Pacer::kFallBack + Pacer::kPace * kStep, 1e-6) << "and sets off again";
    // the gate at 400 is behind the player at 700: the pacer goes back to it
    const Vector3 missed(400, 0, 0);
    p.step(kStep, Vector3(700, 0, 0), &missed);
    EXPECT_NEAR(p.pacerProgress(), 400.0 + Pacer::kPastGate, 1e-6);
}

// The player's place is followed along the loop and counted on over the
// laps; a player put back far from where it was is found anywhere; without a
// route the pacer stands on the next gate, and once the player has finished
// (no gate left) nothing is shown.
TEST(Pacer, FollowsThePlayerRoundTheLapsAndStandsOnTheGateWithoutARoute) {
    Pacer p = square();
    p.start(Vector3(0, 0, 0));
    const Vector3 gate(0, 0, 0);
    for (double s = 0; s <= 4400; s += 50) {
        const Vector3 at = p.at(s);
        p.step(kStep, Vector3(at.x + 20, at.y + 20, 0), &gate);
    }
    EXPECT_NEAR(p.playerProgress(), 4400.0, 30.0) << "a lap and a bit";
    // put back at the far corner: 2000 along is the nearest there
    p.step(kStep, Vector3(1000, 1000, 0), &gate);
    EXPECT_NEAR(p.playerProgress(), 4000.0 + 2000.0, 1e-6);
    p.step(kStep, Vector3(1000, 1000, 0), nullptr);
    EXPECT_FALSE(p.isShown());

    Pacer bare;
    bare.setRoute({});
    const Vector3 next(250, 260, 7);
    bare.step(kStep, Vector3(10, 10, 0), &next);
    EXPECT_TRUE(bare.isShown());
    EXPECT_EQ(bare.point().x, 250.0);
    EXPECT_EQ(bare.point().y, 260.0);
}

// The mark lies on the pacer's point and points the way the route runs on
// the screen: its tip ahead, its wide back behind; nothing is drawn once the
// pacer is not shown.
TEST(PacerMark, PointsTheWayTheRouteRunsAndVanishesWhenNotShown) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    BITMAP* target = create_bitmap(200, 200);
    for (const bool alongX : {true, false}) {
        clear_to_color(target, makecol(40, 90, 40));
        Pacer p;
        // a route along world x (screen right and up) or along world y (screen left and up)
        if (alongX)
            p.setRoute({Vector3(0, 0, 0), Vector3(1000, 0, 0), Vector3(1000, 10, 0)});
        else
            p.setRoute({Vector3(0, 0, 0), Vector3(0, 1000, 0), Vector3(10, 1000, 0)});
        p.start(alongX ? Vector3(500, 0, 0) : Vector3(0, 500, 0));
        View view;
        // the pacer's point lands on (100, 100)
        const Vector2 at = project(View(), p.point());
        view.originX = 100 - at.x;
        view.originY = 100 - at.y;
        view.target = target;
        PacerMark::draw(p, view);
        const double dx = alongX ? 2 / std::sqrt(5.0) : -2 / std::sqrt(5.0), dy = -1 / std::sqrt(5.0);
        int cyan = 0;
        double ahead = -1e9, behind = 1e9, widestAlong = 0, widest = 0;
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (getpixel(target, x, y) != makecol(PacerMark::kRed, PacerMark::kGreen, PacerMark::kBlue)) continue;
                ++cyan;
                const double along = (x - 100) * dx + (y - 100) * dy, across = std::fabs((x - 100) * dy - (y - 100) * dx);
                ahead = std::max(ahead, along);
                behind = std::min(behind, along);
                if (across > widest) {
                    widest = across;
                    widestAlong = along;
                }
            }
        }
        EXPECT_GT(cyan, 40) << alongX;
        EXPECT_NEAR(ahead, PacerMark::kLength / 2, 2.0) << alongX;
        EXPECT_NEAR(behind, -PacerMark::kLength / 2, 2.5) << alongX;
        EXPECT_NEAR(widest, PacerMark::kHalfWidth, 2.0) << alongX;
        EXPECT_LT(widestAlong, 0.0) << alongX << ": the wide back is behind the point";
        EXPECT_EQ(getpixel(target, 100 + static_cast<int>(dx * 30), 100 + static_cast<int>(dy * 30)),
                  makecol(40, 90, 40));
    }
    // past the finish nothing is shown, and nothing is drawn
    Pacer done;
    done.setRoute({Vector3(0, 0, 0), Vector3(1000, 0, 0)});
    done.step(1.0 / 60, Vector3(10, 0, 0), nullptr);
    clear_to_color(target, 0);
    View view(Vector2(100, 100), target);
    PacerMark::draw(done, view);
    int drawn = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) drawn += getpixel(target, x, y) != 0;
    EXPECT_EQ(drawn, 0);
    destroy_bitmap(target);
}
