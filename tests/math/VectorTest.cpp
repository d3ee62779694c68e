#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "math/Angles.h"
#include "math/Vector3.h"
#include "math/View.h"

TEST(Vector3, CrossAndNormalize) {
    EXPECT_EQ(cross(Vector3(1, 0, 0), Vector3(0, 1, 0)), Vector3(0, 0, 1));
    EXPECT_EQ(cross(Vector3(0, 1, 0), Vector3(1, 0, 0)), Vector3(0, 0, -1));
    const Vector3 a(2.5, -1, 7);
    EXPECT_EQ(cross(a, a), Vector3(0, 0, 0));
    Vector3 v(3, 4, 0);
    Vector3& r = normalize(v);
    EXPECT_EQ(&r, &v);
    EXPECT_DOUBLE_EQ(v.x, 0.6);
    EXPECT_DOUBLE_EQ(v.y, 0.8);
    EXPECT_EQ(v.z, 0.0);
    EXPECT_DOUBLE_EQ(dot(Vector3(1, 2, 3), Vector3(4, -5, 6)), 12.0);
    EXPECT_DOUBLE_EQ(length(Vector3(2, 3, 6)), 7.0);
    EXPECT_EQ(-Vector3(1, -2, 3), Vector3(-1, 2, -3));
    Vector3 m(1, 2, 3);
    (m *= 2) *= 0.5;
    EXPECT_EQ(m, Vector3(1, 2, 3));
    EXPECT_FALSE(isFinite(Vector3(0, std::nan(""), 0)));
    EXPECT_TRUE(isFinite(Vector3(1e308, 0, 0)));
}

TEST(View, IsometricProjection) {
    const View v(Vector2(2560, 2880), nullptr);
    auto check = [&](const Vector3& p, double x, double y) {
        const Vector2 s = project(v, p);
        EXPECT_EQ(s.x, x);
        EXPECT_EQ(s.y, y);
    };
    check(Vector3(0, 0, 0), 2560, 2880);
    check(Vector3(12, 0, 0), 2572, 2874);
    check(Vector3(0, 12, 0), 2548, 2874);
    check(Vector3(0, 0, 10), 2560, 2870);
}

TEST(View, PixelsTruncateAndFarPointsAreClamped) {
    EXPECT_EQ(toPixel(2.9), 2);
    EXPECT_EQ(toPixel(-2.9), -2);
    EXPECT_EQ(toPixel(1e300), 100000000);
    EXPECT_EQ(toPixel(-1e300), -100000000);
    EXPECT_EQ(toPixel(std::numeric_limits<double>::infinity()), 100000000);
    EXPECT_EQ(toPixel(-std::numeric_limits<double>::infinity()), -100000000);
    EXPECT_EQ(toPixel(std::nan("")), 0);
    EXPECT_EQ(toPixel(static_cast<double>(INT_MAX) * 4), 100000000);
}

TEST(Angles, DegreesAndRadians) {
    EXPECT_EQ(degToRad(180), kPi);
    EXPECT_EQ(radToDeg(kPi), 180.0);
    EXPECT_DOUBLE_EQ(degToRad(90), kPi / 2);
    EXPECT_DOUBLE_EQ(radToDeg(-kPi / 4), -45.0);
}
