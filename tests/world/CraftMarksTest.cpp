#include "world/CraftMarks.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "craft/CraftTestSupport.h"
#include "math/Angles.h"
#include "math/View.h"

namespace {

constexpr int kSize = 200;

// Where the pixels of one colour lie, on the whole.
struct Patch {
    int count = 0;
    double x = 0, y = 0;
};

Patch patchOf(BITMAP* b, int colour) {
    Patch p;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (getpixel(b, x, y) == colour) {
                ++p.count;
                p.x += x;
                p.y += y;
            }
    if (p.count) p.x /= p.count, p.y /= p.count;
    return p;
}

// How wide the pixels not of `background` spread across the unit direction
// d ahead of and behind the point `middle` along d from (cx, cy).
std::pair<double, double> widthsAlong(BITMAP* b, int background, double cx, double cy, double dx, double dy,
                                      double middle) {
    double front = 0, back = 0;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (getpixel(b, x, y) != background) {
                const double a = (x - cx) * dx + (y - cy) * dy, c = std::fabs((x - cx) * -dy + (y - cy) * dx);
                if (a > middle + 2) front = std::max(front, c);
                if (a < middle - 2) back = std::max(back, c);
            }
    return {front, back};
}

// Degrees from the screen direction (dx, dy) to the patch as seen from (cx, cy).
double degreesOff(const Patch& p, double cx, double cy, double dx, double dy) {
    const double a = std::atan2(p.y - cy, p.x - cx) - std::atan2(dy, dx);
    return std::fabs(radToDeg(std::remainder(a, 2 * kPi)));
}

// A craft on flat ground whose ground point lies at the middle of a square
// target, and its marks drawn there.
class CraftMarksTest : public ::testing::Test {
protected:
    void SetUp() override {
        craft = crafttest::makeCraft(world.get(), Vector3(1000, 1000, 0));
        target = create_bitmap(kSize, kSize);
        view = View(Vector2(kSize / 2.0, kSize / 2.0 + 1000), target);
    }
    void TearDown() override { destroy_bitmap(target); }

    void draw(double heading, const Vector3& velocity) {
        craft->setHeading(heading);
        craft->setVelocity(velocity);
        clear_to_color(target, background);
        CraftMarks::draw(*craft, view);
    }
    // The window's direction of the ground step d from the craft.
    Vector2 screenWay(const Vector3& d) const {
        const Vector2 a = project(view, craft->getPosition()), b = project(view, craft->getPosition() + d);
        return Vector2(b.x - a.x, b.y - a.y);
    }

    crafttest::GroundWorld world;
    std::unique_ptr<HoverCraft> craft;
    BITMAP* target = nullptr;
    View view;
    const int background = makecol(60, 120, 60);
    const int white = makecol(255, 255, 255), yellow = makecol(255, 224, 0);
    // the middle of the sprite's body, a little above the ground point
    const double cx = kSize / 2.0, cy = kSize / 2.0 - CraftMarks::kBodyLift;
};

}  // namespace

TEST_F(CraftMarksTest, TheChevronLiesAheadOfTheNoseAtEveryHeading) {
    for (double h = 0; h < 360; h += 5) {
        for (double heading : {h, h + 2.5}) {
            draw(heading, Vector3());
            const Patch chevron = patchOf(target, white);
            const Vector2 nose = screenWay(Vector3(std::cos(degToRad(heading)), -std::sin(degToRad(heading)), 0));
            ASSERT_GT(chevron.count, 20) << heading;
            EXPECT_LT(degreesOff(chevron, cx, cy, nose.x, nose.y), 3.0) << heading;
            // clear of the sprite, near enough to belong to it
            const double middle = std::hypot(chevron.x - cx, chevron.y - cy);
            EXPECT_NEAR(middle, 29, 6) << heading;
            // a point ahead, its barbs behind
            const double l = std::hypot(nose.x, nose.y);
            const auto widths = widthsAlong(target, background, cx, cy, nose.x / l, nose.y / l, middle);
            EXPECT_GT(widths.second, widths.first + 2) << heading;
            EXPECT_EQ(patchOf(target, yellow).count, 0) << "no drift standing still";
            EXPECT_GT(patchOf(target, makecol(0, 0, 0)).count, 10) << heading << ": edged in black";
        }
    }
}

TEST_F(CraftMarksTest, DotsGoTheWayTheCraftSlidesMoreOfThemTheFasterItGoes) {
    // one dot's pixels, sliding slowly
    draw(0, Vector3(20, 0, 0));
    const int dot = patchOf(target, yellow).count;
    ASSERT_GT(dot, 10);
    for (double a = 0; a < 360; a += 10) {
        const Vector3 way(std::cos(degToRad(a)), -std::sin(degToRad(a)), 0);
        draw(90, way * 100.0 + Vector3(0, 0, -40));  // falling does not count
        const Patch dots = patchOf(target, yellow);
        const Vector2 slide = screenWay(way);
        EXPECT_LT(degreesOff(dots, cx, cy, slide.x, slide.y), 3.0) << a;
        EXPECT_EQ(dots.count, 4 * dot) << a << ": four dots at full speed";
        // the chevron keeps to the nose whatever the slide
        const Vector2 nose = screenWay(Vector3(0, -1, 0));
        EXPECT_LT(degreesOff(patchOf(target, white), cx, cy, nose.x, nose.y), 3.0) << a;
    }
    // none below walking pace, then one for each 28 units a second up to four
    const double speeds[][2] = {{4.9, 0}, {5.1, 1}, {28, 1}, {28.5, 2}, {84, 3}, {85, 4}, {3000, 4}};
    for (const auto& s : speeds) {
        draw(0, Vector3(0, s[0], 0));
        EXPECT_EQ(patchOf(target, yellow).count, s[1] * dot) << s[0];
        EXPECT_EQ(CraftMarks::dotCount(s[0]), s[1]) << s[0];
    }
    EXPECT_EQ(CraftMarks::dotCount(std::nan("")), 0);
    const Vector2 none = CraftMarks::onScreen(0, 0);
    EXPECT_TRUE(none.x == 0 && none.y == 0) << "no way on the ground, none on the screen";
}
