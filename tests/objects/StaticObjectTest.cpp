#include "objects/StaticObject.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "Pixels.h"
#include "track/RecordBody.h"
#include "world/TestFiles.h"
#include "world/World.h"

// The scratch data.dat makes scenery kind k 31 + 2k pixels wide and 40 high.
class Scenery : public ::testing::Test {
protected:
    void SetUp() override { testfiles::writeGameData("data.dat"); }
    testfiles::ScratchDir dir;
};

TEST_F(Scenery, RadiusIsHalfTheSpriteWidthRoundedDown) {
    World w(false);
    const double expected[] = {15.0, 16.0, 17.0, 18.0, 19.0};
    for (int k = 0; k < 5; ++k) {
        StaticObject s(&w, k);
        EXPECT_EQ(s.getRadius(), expected[k]) << k;
        EXPECT_TRUE(s.isSolid());
        EXPECT_TRUE(s.isCollidable());
        EXPECT_EQ(s.typeCode(), 'S');
    }
    EXPECT_EQ(StaticObject(&w, 9).getKind(), 0);
    EXPECT_EQ(StaticObject(&w, -3).getKind(), 0);
    const int sprites[] = {1, 43, 44, 46, 47};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(StaticObject::spriteIndex(k), sprites[k]) << k;
}

TEST_F(Scenery, SitsOnTheGroundAndKeepsItThereAndReadsAndWritesItsKind) {
    World w(false);
    BITMAP* tex = create_bitmap(256, 256);
    std::vector<unsigned char> ground(65536, 42);
    w.getTerrain().setGround(ground.data(), tex);
    StaticObject s(&w, 2);
    s.setPosition(Vector3(600, 700, 500));
    EXPECT_NEAR(s.getPosition().z, 42.0, 1e-9);
    s.update(1.0);
    EXPECT_EQ(s.getPosition().x, 600.0);
    EXPECT_NEAR(s.getPosition().z, 42.0, 1e-9);

    // read and written as its kind
    StaticObject r(&w);
    EXPECT_EQ(r.getKind(), 0);
    EXPECT_EQ(r.getRadius(), 15.0) << "a reader's object has kind 0's sprite until its record says otherwise";
    records::readBody(r, "4");
    EXPECT_EQ(r.getKind(), 4);
    EXPECT_EQ(r.getRadius(), 19.0);
    EXPECT_EQ(records::bodyOf(r), "4");
    records::readBody(r, "99999999999");
    EXPECT_EQ(r.getKind(), 4) << "a kind no int holds is not read";
    destroy_bitmap(tex);
}

TEST_F(Scenery, SpriteIsCentredWithItsGroundPointAtEightyPercentOfItsHeight) {
    World w(false);
    BITMAP* target = create_bitmap(200, 200);
    clear_to_color(target, 0);
    StaticObject s(&w, 0);  // 31 x 40
    s.setPosition(Vector3(0, 0, 0));
    View view(Vector2(100, 100), target);
    s.draw(view);
    // x from 100 - 15 to 100 + 15, y from 100 - 32 to 100 + 7
    EXPECT_EQ(pixels::drawnBox(target, 0), (pixels::Box{85, 68, 115, 107}));
    destroy_bitmap(target);
}
