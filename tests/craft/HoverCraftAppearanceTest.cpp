#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "Pixels.h"
#include "craft/CraftTestSupport.h"
#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"
#include "view/RaceView.h"

using crafttest::GroundWorld;
using crafttest::makeCraft;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The World's own copy of a craft frame from data.dat; tests paint known
// pixels into it before a craft is built, which copies and recolours it.
BITMAP* frameSource(World& world, int frame) { return world.getBitmap(GameData::kFirstCraftFrame + frame); }

struct Rgba {
    int r, g, b, a;
};

Rgba pixelOf(BITMAP* frame, int x, int y) {
    const int p = getpixel(frame, x, y);
    return Rgba{getr32(p), getg32(p), getb32(p), geta32(p)};
}

}  // namespace

TEST(HoverCraftFrame, IndexFollowsTheHeadingInTenDegreeStepsAndStaysInTheTableForAnyNumber) {
    // 0 is frame 27, 90 frame 0, 180 frame 9, each a step of ten degrees
    for (int h = 0; h < 360; ++h) EXPECT_EQ(HoverCraft::frameIndex(h), (h / 10 + 27) % 36) << h;
    EXPECT_EQ(HoverCraft::frameIndex(360.0), 27);
    EXPECT_EQ(HoverCraft::frameIndex(9.99), 27);
    EXPECT_EQ(HoverCraft::frameIndex(359.9), 26);
    // a true modulo: -5 is 355, -340 is 20
    EXPECT_EQ(HoverCraft::frameIndex(-5.0), 26);
    EXPECT_EQ(HoverCraft::frameIndex(-340.0), 29);
    EXPECT_EQ(HoverCraft::frameIndex(-360.0), 27);
    EXPECT_EQ(HoverCraft::frameIndex(-0.0), 27);
    // a sliver below 0 rounds to a full turn, which is heading 0
    EXPECT_EQ(HoverCraft::frameIndex(-1e-20), 27);
    // 1e12 = 2777777777 turns and 280 degrees
    EXPECT_EQ(HoverCraft::frameIndex(1e12), 19);
    EXPECT_EQ(HoverCraft::frameIndex(-1e300), HoverCraft::frameIndex(std::fmod(-1e300, 360.0) + 360.0));
    EXPECT_EQ(HoverCraft::frameIndex(kNaN), 27);
    EXPECT_EQ(HoverCraft::frameIndex(kInf), 27);
    EXPECT_EQ(HoverCraft::frameIndex(-kInf), 27);
    for (double h : {-1e300, -720.5, -359.999, -1e-300, 1e300, 719.0}) {
        const int i = HoverCraft::frameIndex(h);
        EXPECT_GE(i, 0) << h;
        EXPECT_LT(i, 36) << h;
    }
}

TEST(HoverCraftFrame, ColourVariantsAndAlphaRuleWithDarkRedKeepingPartOfItsOpacity) {
    struct Case {
        int colour;
        Rgba red, darkRed, black, dim;
    };
    // (255,0,0), (40,10,10), (0,0,0), (0,0,64) after each variant; the alpha
    // is taken from the recoloured pixel, so (40,40,10) in variant 4 is bright
    const Case cases[] = {
        {1, {255, 0, 0, 255}, {40, 10, 10, 79}, {0, 0, 0, 0}, {0, 0, 64, 255}},
        {2, {0, 0, 255, 255}, {10, 10, 40, 0}, {0, 0, 0, 0}, {64, 0, 0, 255}},
        {3, {0, 255, 0, 255}, {10, 40, 10, 0}, {0, 0, 0, 0}, {0, 0, 64, 255}},
        {4, {255, 255, 0, 255}, {40, 40, 10, 255}, {0, 0, 0, 0}, {0, 0, 64, 255}},
    };
    // an unknown colour leaves the pixels as they are, and has no look
    int r = 40, g = 10, b = 10;
    CraftSprites::tint(7, r, g, b);
    EXPECT_EQ(r * 10000 + g * 100 + b, 401010);
    for (const Case& c : cases) {
        GroundWorld world;
        BITMAP* source = frameSource(*world, 0);
        ASSERT_GE(bitmap_color_depth(source), 24) << "craft frames must be true colour to test exact values";
        const int depth = bitmap_color_depth(source);
        putpixel(source, 0, 0, makecol_depth(depth, 255, 0, 0));
        putpixel(source, 1, 0, makecol_depth(depth, 40, 10, 10));
        putpixel(source, 2, 0, makecol_depth(depth, 0, 0, 0));
        putpixel(source, 3, 0, makecol_depth(depth, 0, 0, 64));
        // r + g + b = 64 is opaque whatever its colour; 63 with g + b >= r is not
        putpixel(source, 4, 0, makecol_depth(depth, 20, 20, 24));
        putpixel(source, 5, 0, makecol_depth(depth, 20, 20, 23));
        // dark pixels dominated by red: alpha = 4 (r - g - b) - 1
        putpixel(source, 6, 0, makecol_depth(depth, 63, 0, 0));
        putpixel(source, 7, 0, makecol_depth(depth, 33, 15, 15));
        putpixel(source, 8, 0, makecol_depth(depth, 32, 16, 15));
        CraftSprites sprites(world->getGameData());
        BITMAP* frame = sprites.of(c.colour)->frames[0];
        const Rgba expected[] = {c.red, c.darkRed, c.black, c.dim};
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(getpixel(frame, x, 0), makeacol32(expected[x].r, expected[x].g, expected[x].b, expected[x].a))
                << "colour " << c.colour << " pixel " << x;
        EXPECT_EQ(pixelOf(frame, 4, 0).a, 255) << c.colour;
        EXPECT_EQ(pixelOf(frame, 5, 0).a, 0) << c.colour;
        if (c.colour == 1) {
            EXPECT_EQ(pixelOf(frame, 6, 0).a, 251) << c.colour;
            EXPECT_EQ(pixelOf(frame, 7, 0).a, 11) << c.colour;
            EXPECT_EQ(pixelOf(frame, 8, 0).a, 3) << c.colour;
        }
    }
}

TEST(HoverCraftFrame, WakeImageIsGreySpecklesAroundItsStart) {
    GroundWorld world;
    std::srand(12345);
    CraftSprites sprites(world->getGameData());
    BITMAP* wake = sprites.of(1)->wake;
    BITMAP* other = sprites.of(2)->wake;
    EXPECT_EQ(bitmap_color_depth(wake), 32);
    int lit = 0, differing = 0, sumX = 0, sumY = 0;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 24; ++x) {
            const int p = getpixel(wake, x, y);
            if (p != getpixel(other, x, y)) ++differing;
            if (p == 0) continue;
            ++lit;
            sumX += x;
            sumY += y;
            const int v = getr(p);
            EXPECT_EQ(getg(p), v);
            EXPECT_EQ(getb(p), v);
            EXPECT_TRUE(v == 255 || v == 215 || v == 175 || v == 135) << v;
            // four steps of at most 3 across and 2 down from (8, 4)
            EXPECT_LE(std::abs(x - 8), 12);
            EXPECT_LE(std::abs(y - 4), 8);
        }
    }
    EXPECT_GT(lit, 10);
    // steps as likely one way as the other: the speckles gather round the start
    EXPECT_NEAR(static_cast<double>(sumX) / lit, 8.0, 1.0);
    EXPECT_NEAR(static_cast<double>(sumY) / lit, 4.0, 1.0);
    // the first dot of every walk lies within one step of the start
    int nearStart = 0;
    for (int y = 2; y <= 6; ++y)
        for (int x = 5; x <= 11; ++x)
            if (getpixel(wake, x, y) != 0) ++nearStart;
    EXPECT_GT(nearStart, 0);
    EXPECT_GT(differing, 0);
}

// A craft whose ground point projects to (100, 100) on a target filled with
// blue: every pixel of the frame's rectangle as the frame's alpha says.
TEST(HoverCraftDraw, BlendsItsFrameCentredAboveTheGroundPointAt32And16BitsHalfTransparentPixelsMixed) {
    for (int depth : {32, 16}) {
        GroundWorld world;
        BITMAP* source = frameSource(*world, 27);
        const int sd = bitmap_color_depth(source);
        // a dark surround and a bright body, whatever the content's art
        clear_to_color(source, makecol_depth(sd, 0, 0, 0));
        rectfill(source, 2, 3, source->w / 2, source->h / 2, makecol_depth(sd, 250, 250, 250));
        CraftSprites sprites(world->getGameData());
        auto craft = makeCraft(world.get(), Vector3(30, 10, 5), 0.0, 1, sprites.of(1));
        BITMAP* frame = sprites.of(1)->frames[27];

        BITMAP* target = create_bitmap_ex(depth, 200, 200);
        const int blue = makecol_depth(depth, 0, 0, 255);
        clear_to_color(target, blue);
        // project: x = ox + 30 - 10, y = oy - 20 - 5
        View view(Vector2(80, 125), target);
        craft->draw(view);
        const int left = 100 - frame->w / 2, top = 100 - frame->h + 20;
        int opaque = 0;
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x) {
                const int p = getpixel(target, x, y);
                const int fx = x - left, fy = y - top;
                const bool inFrame = fx >= 0 && fy >= 0 && fx < frame->w && fy < frame->h;
                const int a = inFrame ? geta32(getpixel(frame, fx, fy)) : 0;
                if (a == 0) {
                    EXPECT_EQ(p, blue) << depth << " bits at " << x << "," << y;
                } else if (a == 255) {
                    ++opaque;
                    const int f = getpixel(frame, fx, fy);
                    EXPECT_NEAR(getr_depth(depth, p), getr32(f), 8) << depth << " bits at " << x << "," << y;
                    EXPECT_NEAR(getg_depth(depth, p), getg32(f), 8) << depth << " bits at " << x << "," << y;
                    EXPECT_NEAR(getb_depth(depth, p), getb32(f), 8) << depth << " bits at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(opaque, 0) << depth;
        destroy_bitmap(target);
    }

    // a half transparent pixel mixes with the background
    GroundWorld world;
    BITMAP* source = frameSource(*world, 27);
    ASSERT_GE(bitmap_color_depth(source), 24);
    clear_to_color(source, 0);
    putpixel(source, 0, 0, makecol_depth(bitmap_color_depth(source), 40, 10, 10));
    CraftSprites sprites(world->getGameData());
    auto craft = makeCraft(world.get(), Vector3(0, 0, 0), 0.0, 1, sprites.of(1));
    BITMAP* target = create_bitmap_ex(32, 100, 100);
    clear_to_color(target, makecol32(0, 0, 255));
    BITMAP* frame = sprites.of(1)->frames[27];
    View view(Vector2(50, 50 + frame->h - 20), target);
    craft->draw(view);
    // alpha 79 of 255
    const int p = getpixel(target, 50 - frame->w / 2, 50);
    EXPECT_NEAR(getr32(p), 40 * 79 / 255, 2);
    EXPECT_NEAR(getb32(p), 255 * 176 / 255, 2);
    destroy_bitmap(target);
}

TEST(HoverCraftDraw, GridOnANegativeGateAngleDrawsItsFirstFrames) {
    // a gate read with angle -700 keeps -340 after its single turn back
    GroundWorld world;
    crafttest::startRaceBehind(world.get(), Vector3(1500, 1500, 0), -700.0);
    ASSERT_EQ(world->getCraftList().size(), 4u);
    for (HoverCraft* c : world->getCraftList()) EXPECT_EQ(c->getHeading(), -340.0);
    // before their first update the craft still face -340: that is the frame of 20
    HoverCraft* craft = world->getCraftList().front();
    BITMAP* first = create_bitmap_ex(32, 200, 200);
    BITMAP* wrapped = create_bitmap_ex(32, 200, 200);
    clear_to_color(first, 0);
    clear_to_color(wrapped, 0);
    const Vector3 p = craft->getPosition();
    View a(Vector2(100 - p.x + p.y, 100 + (p.x + p.y) / 2 + p.z), first);
    craft->draw(a);
    craft->setHeading(20.0);
    View b(Vector2(100 - p.x + p.y, 100 + (p.x + p.y) / 2 + p.z), wrapped);
    craft->draw(b);
    craft->setHeading(-340.0);
    EXPECT_NE(pixels::drawnBox(first, 0), pixels::kNothing);
    EXPECT_TRUE(pixels::shows(wrapped, first, 0, 0));
    destroy_bitmap(first);
    destroy_bitmap(wrapped);
    world->update(0.02);
    RaceView shown(*world);
    shown.compose();
    for (HoverCraft* c : world->getCraftList()) {
        EXPECT_GE(c->getHeading(), 0.0);
        EXPECT_LE(c->getHeading(), 360.0);
    }
    EXPECT_FALSE(shown.lastDrawOrder().empty());
}
