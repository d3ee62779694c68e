#include "objects/Wake.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "Pixels.h"
#include "world/World.h"

TEST(Wake, AlphaFollowsLifeUpToFullStrengthAndItDiesBelowZero) {
    World w(false);
    Wake wake(&w, nullptr);
    EXPECT_EQ(wake.alpha(), 128);
    wake.update(0.7);  // life 0.5
    EXPECT_EQ(wake.alpha(), 64);
    EXPECT_FALSE(wake.isCollidable());
    EXPECT_EQ(wake.typeCode(), 0);
    EXPECT_EQ(wake.getRadius(), 16.0);
    Wake young(&w, nullptr);
    young.update(0.1);  // life 1.1
    EXPECT_EQ(young.alpha(), 128);
    // it dies only once its life goes below zero
    Wake old(&w, nullptr);
    old.update(0.6);
    old.update(0.6);
    EXPECT_EQ(old.getLife(), 0.0);
    EXPECT_FALSE(old.isDead());
    old.update(0.001);
    EXPECT_TRUE(old.isDead());
}

TEST(Wake, DriftIsDampedAtOnceThenEveryHalfSecondUnlessDrawn) {
    World w(false);
    BITMAP* sprite = create_bitmap(16, 8);
    clear_to_color(sprite, makecol(40, 40, 40));
    BITMAP* target = create_bitmap(100, 100);
    clear_to_color(target, makecol(10, 10, 10));
    Wake wake(&w, sprite);
    wake.setPosition(Vector3(0, 0, 5));
    wake.setVelocity(Vector3(10, 0, 2));
    wake.update(0.1);  // damped at once
    EXPECT_DOUBLE_EQ(wake.getVelocity().x, 9.0);
    EXPECT_DOUBLE_EQ(wake.getPosition().x, 0.9);
    EXPECT_DOUBLE_EQ(wake.getPosition().z, 5.18) << "the wake does not follow the ground";
    // off screen: no damping until the timer of 0.5 s has run down
    for (int i = 0; i < 4; ++i) wake.update(0.1);
    EXPECT_DOUBLE_EQ(wake.getVelocity().x, 9.0);
    wake.update(0.1);
    wake.update(0.1);
    EXPECT_NEAR(wake.getVelocity().x, 8.1, 1e-12);
    // a drawn wake is damped on the next update; it is added onto what lies
    // below, centred on its point (50, 50)
    View view(Vector2(50, 50), target);
    wake.setPosition(Vector3(0, 0, 0));
    wake.draw(view);
    wake.update(0.01);
    EXPECT_NEAR(wake.getVelocity().x, 7.29, 1e-12);
    EXPECT_EQ(pixels::drawnBox(target, makecol(10, 10, 10)), (pixels::Box{42, 46, 57, 53}));
    EXPECT_GT(getr(getpixel(target, 50, 50)), 10);
    destroy_bitmap(target);
    destroy_bitmap(sprite);
}
