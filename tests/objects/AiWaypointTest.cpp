#include "objects/AiWaypoint.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "craft/CraftTestSupport.h"
#include "track/RecordBody.h"

using crafttest::GroundWorld;

TEST(AiWaypoint, SitsOnTheGroundShowsOnlyInTheEditorAndWritesItsNumber) {
    GroundWorld race(false, 42);
    AiWaypoint hidden(race.get());
    EXPECT_FALSE(hidden.isVisible());
    EXPECT_TRUE(hidden.isCollidable());
    EXPECT_FALSE(hidden.isSolid());
    EXPECT_EQ(hidden.getRadius(), 30.0);
    EXPECT_EQ(hidden.getNumber(), 0);
    EXPECT_EQ(hidden.typeCode(), 'W');
    hidden.setPosition(Vector3(600, 700, 999));
    EXPECT_EQ(hidden.getPosition(), Vector3(600, 700, 42));

    GroundWorld editor(true);
    AiWaypoint shown(editor.get());
    EXPECT_TRUE(shown.isVisible());

    AiWaypoint w(race.get());
    w.setNumber(12);
    EXPECT_EQ(records::bodyOf(w), "12");
    records::readBody(w, " 3");
    EXPECT_EQ(w.getNumber(), 3);
    records::readBody(w, " x");
    EXPECT_EQ(w.getNumber(), 3);
}

TEST(AiWaypoint, MarkerIsARedDotWithItsLabelBelow) {
    GroundWorld world(true);
    BITMAP* target = create_bitmap(300, 200);
    const int red = makecol(255, 0, 0);
    for (int number : {7, INT_MIN}) {
        clear_to_color(target, 0);
        AiWaypoint w(world.get());
        w.setNumber(number);
        w.setPosition(Vector3(0, 0, 0));
        View view(Vector2(50, 60), target);
        w.draw(view);
        EXPECT_EQ(getpixel(target, 50, 60), red) << number;
        EXPECT_EQ(getpixel(target, 55, 60), red) << number;
        EXPECT_EQ(getpixel(target, 56, 60), 0) << number;
        // the label: 8-pixel glyphs from (50, 70) on, nothing red further right
        const int chars = number == 7 ? 4 : 14;  // "WP 7", "WP -2147483648"
        int top = 200, right = -1;
        for (int y = 66; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                if (getpixel(target, x, y) == red) {
                    if (y < top) top = y;
                    if (x > right) right = x;
                }
        EXPECT_GE(top, 70) << number;
        EXPECT_LE(top, 71) << number;
        EXPECT_GT(right, 50 + (chars - 1) * 8) << number;
        EXPECT_LT(right, 50 + chars * 8) << number;
    }
    destroy_bitmap(target);
}
