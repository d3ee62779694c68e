#include "view/CraftMarks.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>

#include "Pixels.h"
#include "craft/CraftTestSupport.h"
#include "math/Angles.h"
#include "math/View.h"

namespace {

// The marks of a craft on flat ground whose ground point lies at (100, 106)
// of a 200 x 200 target, read along the screen direction of heading `a`
// from the body's middle (100, 100).
class CraftMarksTest : public ::testing::Test {
protected:
    void SetUp() override { craft = crafttest::makeCraft(world.get(), Vector3(1000, 1000, 0)); }
    void TearDown() override { destroy_bitmap(target); }

    pixels::Spread draw(double heading, const Vector3& velocity, double along, double across = 1e9) {
        craft->setHeading(heading);
        craft->setVelocity(velocity);
        clear_to_color(target, background);
        View view(Vector2(100, 100 + CraftMarks::kBodyLift + 1000), target);
        CraftMarks::draw(*craft, view);
        const Vector2 d = project(View(), way(along));
        const double l = std::hypot(d.x, d.y);
        return pixels::spreadAlong(target, background, 100, 100, d.x / l, d.y / l, across);
    }
    static Vector3 way(double a) { return Vector3(std::cos(degToRad(a)), -std::sin(degToRad(a)), 0); }

    crafttest::GroundWorld world;
    std::unique_ptr<HoverCraft> craft;
    BITMAP* target = create_bitmap(200, 200);
    const int background = makecol(60, 120, 60), yellow = makecol(255, 224, 0);
};

}  // namespace

TEST_F(CraftMarksTest, TheChevronLiesAheadOfTheNoseAtEveryHeading) {
    for (double heading = 0; heading < 360; heading += 2.5) {
        const pixels::Spread s = draw(heading, Vector3(), heading);
        // on the line of the nose, clear of the sprite, its point ahead and its barbs behind
        EXPECT_LE(s.side, 8.5) << heading;
        EXPECT_TRUE(s.behind > 20 && s.ahead < 40) << heading << ": " << s.behind << " to " << s.ahead;
        EXPECT_GT(s.backSide, s.frontSide + 2) << heading;
        EXPECT_GT(pixels::countColour(target, makecol(255, 255, 255)), 20);
        EXPECT_GT(pixels::countColour(target, makecol(0, 0, 0)), 10) << heading << ": edged in black";
        EXPECT_EQ(pixels::countColour(target, yellow), 0) << "no drift standing still";
    }
}

TEST_F(CraftMarksTest, DotsGoTheWayTheCraftSlidesMoreOfThemTheFasterItGoes) {
    draw(0, way(0) * 20, 0);
    const int dot = pixels::countColour(target, yellow);
    ASSERT_GT(dot, 10);
    for (double a = 0; a < 360; a += 10) {
        // nose and slide a quarter turn apart: each mark on its own line, three
        // dots for 80 units a second over the ground (falling does not count)
        const pixels::Spread dots = draw(a + 90, way(a) * 80 + Vector3(0, 0, -40), a, CraftMarks::kDotRadius + 1.5);
        EXPECT_EQ(pixels::countColour(target, yellow), 3 * dot) << a;
        EXPECT_NEAR(dots.ahead, CraftMarks::kFirstDot + 2 * CraftMarks::kDotSpacing + CraftMarks::kDotRadius, 2.5) << a;
        EXPECT_GT(dots.behind, CraftMarks::kFirstDot - CraftMarks::kDotRadius - 2.5) << a;
        const pixels::Spread nose = draw(a + 90, way(a) * 80, a + 90, 8.5);
        EXPECT_TRUE(nose.count > 20 && nose.ahead < 40) << a << ": the chevron keeps to the nose";
    }
    // none below walking pace, then one for each 28 units a second up to four
    for (const Vector2& s : {Vector2(4.9, 0), Vector2(5.1, 1), Vector2(28, 1), Vector2(28.5, 2), Vector2(85, 4),
                             Vector2(3000, 4)}) {
        draw(0, way(90) * s.x, 0);
        EXPECT_EQ(pixels::countColour(target, yellow), s.y * dot) << s.x;
    }
    EXPECT_EQ(CraftMarks::dotCount(std::nan("")), 0);
    const Vector2 none = CraftMarks::onScreen(0, 0);
    EXPECT_TRUE(none.x == 0 && none.y == 0) << "no way on the ground, none on the screen";
}
