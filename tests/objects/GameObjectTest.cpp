#include "objects/GameObject.h"

#include <gtest/gtest.h>

#include <sstream>

#include "track/TrackFile.h"
#include "world/World.h"

namespace {
class Plain : public GameObject {
public:
    explicit Plain(World* w) : GameObject(w) {}
    void draw(View&) override {}
    void update(double) override {}
};
}  // namespace

TEST(GameObject, BaseStartsAtTheOriginVisibleAliveAndCollidable) {
    World w(false);
    Plain o(&w);
    EXPECT_EQ(o.getPosition(), Vector3(0, 0, 0));
    EXPECT_TRUE(o.isVisible());
    EXPECT_FALSE(o.isDead());
    EXPECT_TRUE(o.isCollidable());
    EXPECT_FALSE(o.isSolid());
    EXPECT_EQ(o.getWorld(), &w);
    EXPECT_EQ(o.typeCode(), 0);
    // the base copies the point as given, z included
    o.setPosition(Vector3(1, 2, 300));
    EXPECT_EQ(o.getPosition(), Vector3(1, 2, 300));
    // it has no record: none written, a record's fields change nothing
    EXPECT_EQ(TrackFile::text({&o}), "E\n");
    o.takeRecordFields({5, 6, 7}, 3);
    EXPECT_EQ(o.getPosition(), Vector3(1, 2, 300));
    EXPECT_EQ(o.getRadius(), 0.0);
    o.setDead(true);
    EXPECT_TRUE(o.isDead());
}
