#include "objects/CheckPoint.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <sstream>

#include "Pixels.h"
#include "craft/CraftTestSupport.h"
#include "math/Angles.h"
#include "track/RecordBody.h"
#include "view/ClippedDraw.h"
#include "view/RaceView.h"
#include "world/World.h"

namespace {
CheckPoint readGate(World& w, const char* body) {
    CheckPoint cp(&w);
    records::readBody(cp, body);
    return cp;
}
}  // namespace

TEST(CheckPoint, AngleIsBroughtBackOnceEachWayAndTheGateGeometryFollowsIt) {
    World w(false);
    CheckPoint cp(&w);
    const double cases[][2] = {{365, 5}, {-30, 330}, {360, 360}, {730, 370}, {0, 0}, {-400, -40},
                                {360.5, 0.5}, {-0.5, 359.5}};
    for (const auto& c : cases) {
        cp.setAngle(c[0]);
        EXPECT_DOUBLE_EQ(cp.getAngle(), c[1]) << c[0];
    }
    EXPECT_DOUBLE_EQ(readGate(w, "40 1 365").getAngle(), 5);

    CheckPoint fresh(&w);
    EXPECT_EQ(fresh.getDirection(), Vector3(0, 0, 0)) << "no geometry before the first angle";
    EXPECT_EQ(fresh.getRadius(), 40.0);
    cp.setAngle(0);
    EXPECT_EQ(cp.getDirection(), Vector3(1, 0, 0));
    EXPECT_EQ(cp.getHalfGate(), Vector3(0, -40, 0));
    cp.setAngle(90);
    EXPECT_NEAR(cp.getDirection().x, 0, 1e-15);
    EXPECT_DOUBLE_EQ(cp.getDirection().y, -1);
    EXPECT_DOUBLE_EQ(cp.getHalfGate().x, -40);
    EXPECT_NEAR(cp.getHalfGate().y, 0, 1e-14);
    // a new radius alone leaves the gate line at its old length
    cp.setRadius(100);
    EXPECT_DOUBLE_EQ(cp.getHalfGate().x, -40);
    cp.setAngle(90);
    EXPECT_DOUBLE_EQ(cp.getHalfGate().x, -100);
}

TEST(CheckPoint, ReadingRaisesTheCountToTheHighestNumberPlusOne) {
    for (const char* order : {"015", "510", "150"}) {
        World w(false);
        for (const char* c = order; *c; ++c) {
            std::string body = std::string("40 ") + *c + " 0";
            readGate(w, body.c_str());
        }
        EXPECT_EQ(w.getCheckpointCount(), 6) << order;
    }
    World w(false);
    readGate(w, "40 -5 0");
    EXPECT_EQ(w.getCheckpointCount(), 0) << "a negative number never lowers or wraps the count";
    readGate(w, "40 2147483647 0");
    EXPECT_EQ(w.getCheckpointCount(), INT_MAX) << "the count stops at the largest int";
    EXPECT_GT(w.getCheckpointCount(), 0);
}

TEST(CheckPoint, ReadFieldsCutShortKeepTheirStartingValuesAndWritesAreWhole) {
    World w(false);
    CheckPoint a = readGate(w, "x");
    EXPECT_EQ(a.getRadius(), 40.0);
    EXPECT_EQ(a.getNumber(), 0);
    EXPECT_EQ(a.getAngle(), 0.0);
    EXPECT_EQ(a.getDirection(), Vector3(1, 0, 0)) << "a gate read from a file always has its geometry";
    CheckPoint b = readGate(w, "25 3 x");
    EXPECT_EQ(b.getRadius(), 25.0);
    EXPECT_EQ(b.getNumber(), 3);
    EXPECT_EQ(b.getAngle(), 0.0);
    CheckPoint c = readGate(w, "1e999 3 10");
    EXPECT_EQ(c.getRadius(), 40.0) << "an out-of-range number is not taken";
    EXPECT_EQ(w.getCheckpointCount(), 4);
    // written as radius, number and angle
    CheckPoint cp(&w);
    cp.setNumber(2);
    cp.setAngle(90);
    EXPECT_EQ(records::bodyOf(cp), "40 2 90");
}

TEST(CheckPoint, EditorDrawingShowsPostsOnTheGroundTheLabelAndBothLinesAtACostNoMoreThanTheFrame) {
    crafttest::GroundWorld w(true, 30);  // the ground 30 up, the gate at height 0
    BITMAP* target = create_bitmap(400, 300);
    const int background = makecol(0, 0, 90), yellow = makecol(255, 255, 0), white = makecol(255, 255, 255);
    clear_to_color(target, background);
    View view(Vector2(200, 750), target);  // the gate's point (600, 600, 0) lands on (200, 150)
    CheckPoint cp(w.get());
    cp.setPosition(Vector3(600, 600, 0));
    cp.setNumber(7);
    cp.setAngle(270);  // facing +y: both lines stay clear of the label
    cp.draw(view);
    // twelve posts of radius 4 every 30 degrees round the gate, on the ground
    for (int k = 0; k < 12; ++k) {
        const double a = k * kPi / 6;
        const Vector2 p = project(view, Vector3(600 + 40 * std::sin(a), 600 + 40 * std::cos(a), 30));
        EXPECT_EQ(getpixel(target, toPixel(p.x), toPixel(p.y)), yellow) << k;
    }
    EXPECT_EQ(getpixel(target, 164, 100), yellow) << "the post at (600, 640) is centred on (160, 100)";
    EXPECT_NE(getpixel(target, 165, 100), yellow);
    // the label from the gate's point, its letters on what lies below
    EXPECT_TRUE(pixels::showsText(target, font, "CP 7", 200, 150, white, -1));
    EXPECT_EQ(getpixel(target, 231, 157), background);
    // the gate line from (560, 600) to (640, 600), the facing line to (600, 640)
    for (const Vector2& p : {Vector2(160, 170), Vector2(220, 140), Vector2(240, 130), Vector2(180, 140), Vector2(160, 130)})
        EXPECT_EQ(getpixel(target, p.x, p.y), white) << p.x << ", " << p.y;
    for (const Vector2& p : {Vector2(158, 171), Vector2(242, 129), Vector2(158, 129)})
        EXPECT_NE(getpixel(target, p.x, p.y), white) << p.x << ", " << p.y;
    // drawn far off the bitmap, nothing reaches the library
    const ClippedDraw::Count before = ClippedDraw::count();
    View far(Vector2(1e300, -1e300), target);
    cp.draw(far);
    EXPECT_EQ(ClippedDraw::count().calls, before.calls);
    destroy_bitmap(target);

    // a gate of any width costs no more than the frame
    BITMAP* frame = create_bitmap(RaceView::kScreenWidth, RaceView::kScreenHeight);
    View middle(Vector2(320, 240), frame);
    CheckPoint wide(w.get());
    const auto cost = [&](double radius) {
        clear_to_color(frame, 0);
        wide.setRadius(radius);
        wide.setAngle(45);
        const ClippedDraw::Count before = ClippedDraw::count();
        wide.draw(middle);
        return ClippedDraw::Count{ClippedDraw::count().calls - before.calls, ClippedDraw::count().pixels - before.pixels};
    };
    const ClippedDraw::Count small = cost(40), huge = cost(1e300);
    EXPECT_EQ(small.calls, 15);  // twelve posts, the label, two lines
    EXPECT_LE(huge.calls, small.calls);
    // the gate line crosses the whole frame, cut to it: no more than two frame widths
    EXPECT_LE(huge.pixels, 2 * (RaceView::kScreenWidth + 3));
    EXPECT_GT(pixels::countColour(frame, makecol(255, 255, 255)), 300);
    // turned inside out, a gate still shows its posts
    EXPECT_EQ(cost(-184).calls, 15);
    destroy_bitmap(frame);
}
