#include "objects/GameObject.h"

#include <gtest/gtest.h>

#include <sstream>

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
    std::ostringstream out;
    o.write(out);
    EXPECT_TRUE(out.str().empty());
    std::istringstream in("5 6");
    o.read(in);
    int next = 0;
    in >> next;
    EXPECT_EQ(next, 5) << "the base reads nothing";
    o.setDead(true);
    EXPECT_TRUE(o.isDead());
}
