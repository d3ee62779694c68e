#include "terrain/Terrain.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "world/TestFiles.h"

using testfiles::ScratchDir;

namespace {

constexpr int N = Terrain::GRID_SIZE;

// A terrain whose ground is set by hand: heights from a function of (i, j),
// one texture colour (the texture is owned here, not by the terrain).
class HandTerrain {
public:
    template <class F>
    explicit HandTerrain(F height, int colour = -1) : texture(create_bitmap_ex(32, N, N)) {
        clear_to_color(texture, colour < 0 ? makecol(100, 150, 200) : colour);
        std::vector<unsigned char> bytes(Terrain::kHeightmapBytes);
        for (int j = 0; j < N; ++j)
            for (int i = 0; i < N; ++i) bytes[j * N + i] = static_cast<unsigned char>(height(i, j));
        terrain.setGround(bytes.data(), texture);
    }
    ~HandTerrain() { destroy_bitmap(texture); }
    Terrain terrain;
    BITMAP* texture;
};

void normaliseLight() {
    if (std::fabs(length(lightDirection) - 1.0) > 1e-12) normalize(lightDirection);
}

}  // namespace

TEST(Terrain, HeightAndNormalAreBilinearInsideTheGrid) {
    HandTerrain h([](int i, int j) { return (i * j) % 251; });  // curved: no two normals alike
    const Terrain& t = h.terrain;
    // on a sample: exactly that sample
    EXPECT_DOUBLE_EQ(t.heightAt(Vector2(12 * 10, 12 * 20)), t.sampleHeight(10, 20));
    EXPECT_DOUBLE_EQ(t.heightAt(Vector2(12 * 254, 12 * 254)), t.sampleHeight(254, 254));
    // halfway along x: the mean of the two neighbours
    EXPECT_DOUBLE_EQ(t.heightAt(Vector2(12 * 10 + 6, 12 * 20)),
                     (t.sampleHeight(10, 20) + t.sampleHeight(11, 20)) / 2);
    // middle of a cell: the mean of its four corners
    EXPECT_NEAR(t.heightAt(Vector2(12 * 40 + 6, 12 * 41 + 6)),
                (t.sampleHeight(40, 41) + t.sampleHeight(41, 41) + t.sampleHeight(40, 42) + t.sampleHeight(41, 42)) / 4,
                1e-9);
    // the last row is reached only through interpolation
    EXPECT_DOUBLE_EQ(t.heightAt(Vector2(12 * 254 + 6, 100 * 12)),
                     (t.sampleHeight(254, 100) + t.sampleHeight(255, 100)) / 2);
    // a quarter along x and three quarters along y, weighted the same way
    const Vector3 n = t.normalAt(Vector2(12 * 40 + 3, 12 * 41 + 9));
    const Vector3 expected = (t.sampleNormal(40, 41) * 0.25 + t.sampleNormal(40, 42) * 0.75) * 0.75 +
                             (t.sampleNormal(41, 41) * 0.25 + t.sampleNormal(41, 42) * 0.75) * 0.25;
    EXPECT_NEAR(n.x, expected.x, 1e-12);
    EXPECT_NEAR(n.y, expected.y, 1e-12);
    EXPECT_NEAR(n.z, expected.z, 1e-12);
}

TEST(Terrain, OffTheGridHeightIsZeroAndTheNormalUpJustBelowZeroTheFirstCellGoesOn) {
    HandTerrain h([](int i, int) { return i < 2 ? 10 + 10 * i : 30; });  // 10, 20, 30...
    const Terrain& t = h.terrain;
    EXPECT_EQ(t.heightAt(Vector2(3060, 100)), 0.0);
    EXPECT_EQ(t.heightAt(Vector2(100, 3060)), 0.0);
    EXPECT_EQ(t.heightAt(Vector2(3071.9, 100)), 0.0);
    EXPECT_EQ(t.heightAt(Vector2(-12, 100)), 0.0);
    EXPECT_EQ(t.heightAt(Vector2(100, -12.5)), 0.0);
    // inside (-12, 0) the cell index is 0 and fx negative: the first cell continued
    EXPECT_NEAR(t.heightAt(Vector2(-6, 100)), 5.0, 1e-9);
    // values no int can hold, and NaN, are simply off the grid
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {1e300, -1e300, nan, inf, -inf, 3.0e9, -3.0e9}) {
        EXPECT_EQ(t.heightAt(Vector2(v, 100)), 0.0) << v;
        EXPECT_EQ(t.heightAt(Vector2(100, v)), 0.0) << v;
        EXPECT_EQ(t.normalAt(Vector2(v, 100)), Vector3(0, 0, 1)) << v;
        if (!(v < 0)) {
            EXPECT_FALSE(t.isWater(Vector2(v, 100))) << v;
        }
    }

    // normals on flat ground point up, except on the outer ring
    HandTerrain level([](int, int) { return 50; });
    const Terrain& flat = level.terrain;
    EXPECT_EQ(flat.normalAt(Vector2(5000, 10)), Vector3(0, 0, 1));
    EXPECT_EQ(flat.normalAt(Vector2(-20, 10)), Vector3(0, 0, 1));
    const Vector3 inside = flat.normalAt(Vector2(1000.5, 2000.25));
    EXPECT_NEAR(inside.x, 0.0, 1e-12);
    EXPECT_NEAR(inside.y, 0.0, 1e-12);
    EXPECT_NEAR(inside.z, 1.0, 1e-12);
    // border samples keep a zero normal; blending towards them shortens the result
    EXPECT_EQ(flat.sampleNormal(0, 100), Vector3(0, 0, 0));
    EXPECT_EQ(flat.sampleNormal(255, 255), Vector3(0, 0, 0));
    EXPECT_NEAR(flat.normalAt(Vector2(6, 1200)).z, 0.5, 1e-12);
    EXPECT_NEAR(flat.normalAt(Vector2(12 * 254 + 3, 1200)).z, 0.75, 1e-12);
}

TEST(Terrain, WaterTestRoundsTheCellUp) {
    HandTerrain h([](int, int) { return 0; }, makecol(40, 160, 40));
    const int water = makecol(20, 40, 200);
    putpixel(h.texture, 2, 7, water);
    putpixel(h.texture, 0, 7, water);
    putpixel(h.texture, 255, 7, water);
    const Terrain& t = h.terrain;
    EXPECT_TRUE(t.isWater(Vector2(24, 84)));     // column 2 exactly
    EXPECT_FALSE(t.isWater(Vector2(24.5, 84)));  // column 3
    EXPECT_TRUE(t.isWater(Vector2(23.5, 84)));   // rounded up to column 2
    EXPECT_TRUE(t.isWater(Vector2(-30, 84)));    // negative column becomes 0
    EXPECT_TRUE(t.isWater(Vector2(3060, 84)));   // column 255
    EXPECT_FALSE(t.isWater(Vector2(3061, 84)));  // quotient above 255
    EXPECT_FALSE(t.isWater(Vector2(3073, 84)));
    EXPECT_FALSE(t.isWater(Vector2(24, 3073)));
    // blue must beat both red and green
    putpixel(h.texture, 4, 4, makecol(200, 10, 200));
    EXPECT_FALSE(t.isWater(Vector2(48, 48)));
    putpixel(h.texture, 4, 4, makecol(10, 200, 200));
    EXPECT_FALSE(t.isWater(Vector2(48, 48)));
}

TEST(Terrain, ShadeIsLitFromTheLightsSide) {
    normaliseLight();
    // the light comes from (2, -1, 2) / 3; slopes rise 12 a sample, the last 24
    const struct {
        int (*height)(int, int);
        int red;
    } slopes[] = {
        {[](int, int) { return 90; }, 160},                     // flat: 80 %
        {[](int i, int) { return 240 - 12 * (i - 90); }, 193},  // facing +x
        {[](int, int j) { return 12 * (j - 90); }, 164},        // facing -y
        {[](int, int j) { return 240 - 12 * (j - 90); }, 108},  // facing +y
        {[](int i, int) { return 12 * (i - 90); }, 80},         // facing -x, edge on
        {[](int i, int) { return 24 * (i - 95); }, 80},         // facing away: still 40 %
    };
    for (const auto& slope : slopes) {
        HandTerrain h([&](int i, int j) { return std::clamp(slope.height(i, j), 0, 255); }, makecol(200, 100, 255));
        EXPECT_EQ(getr(h.terrain.shade(100, 100)), slope.red) << &slope - slopes;
    }
    HandTerrain flat([](int, int) { return 90; }, makecol(200, 100, 255));
    EXPECT_EQ(flat.terrain.shade(100, 100), makecol(160, 80, 204));
    EXPECT_EQ(flat.terrain.shade(0, 100), makecol(80, 40, 102)) << "a border sample has no normal";
}

TEST(Terrain, FlatGroundRendersAsAUniformDiamondWithADarkerRim) {
    HandTerrain h([](int, int) { return 0; }, makecol(200, 200, 200));
    BITMAP* map = create_bitmap(5120, 2560);
    clear_to_color(map, 0);
    View view(Vector2(2560, 2880), map);
    h.terrain.renderMap(view);
    const int inner = makecol(160, 160, 160);
    // the middle of the grid (1536, 1536) projects to (2560, 1344)
    EXPECT_EQ(getpixel(map, 2560, 1344), inner);
    EXPECT_EQ(getpixel(map, 2000, 1200), inner);
    EXPECT_EQ(getpixel(map, 3500, 1500), inner);
    // a point just inside the edge i = 0 (x = 2, y = 2000) blends towards the rim
    const Vector2 nearRim = project(view, Vector3(1, 2000, 0));
    const int c = getpixel(map, static_cast<int>(nearRim.x), static_cast<int>(nearRim.y));
    EXPECT_LT(getr(c), 160);
    EXPECT_GE(getr(c), 80);
    // the far corner lies above the bitmap; beyond the grid stays black
    EXPECT_EQ(getpixel(map, 10, 10), 0);
    EXPECT_EQ(getpixel(map, 5100, 10), 0);
    // cells from sample 0 to 254 both ways are drawn, none outside them
    auto drawn = [&](double x, double y) {
        const Vector2 p = project(view, Vector3(x, y, 0));
        return getpixel(map, toPixel(p.x), toPixel(p.y)) != 0;
    };
    for (double inside : {1.0, 3042.0}) {
        EXPECT_TRUE(drawn(inside, 1536)) << inside;
        EXPECT_TRUE(drawn(1536, inside)) << inside;
    }
    for (double outside : {-6.0, 3054.0}) {
        EXPECT_FALSE(drawn(outside, 1536)) << outside;
        EXPECT_FALSE(drawn(1536, outside)) << outside;
    }
    destroy_bitmap(map);
}

TEST(Terrain, CellsTakeTheirCornersColoursSplitAlongTheRisingDiagonalNearerOnesOnTop) {
    // one lit sample among dark ones lights the four cells round it; the cell
    // above it on the map is split from (101, 100) to (100, 101), so its top
    // half has only dark corners
    HandTerrain h([](int, int) { return 0; }, makecol(0, 0, 0));
    putpixel(h.texture, 100, 100, makecol(250, 250, 250));
    BITMAP* target = create_bitmap(200, 200);
    clear_to_color(target, makecol(0, 0, 90));
    View view(Vector2(100, 1350), target);  // sample (100, 100) lands on (100, 150)
    h.terrain.renderMap(view);
    for (const Vector2& p : {Vector2(100, 147), Vector2(100, 153), Vector2(97, 150), Vector2(103, 150)})
        EXPECT_GT(getr(getpixel(target, p.x, p.y)), 50) << p.x << ", " << p.y;
    EXPECT_EQ(getpixel(target, 100, 141), makecol(0, 0, 0));
    destroy_bitmap(target);

    // nearer cells are drawn over farther ones: a red spike at sample (100,
    // 100) on green ground hides the ground behind it
    HandTerrain spike([](int i, int j) { return i == 100 && j == 100 ? 200 : 0; }, makecol(0, 200, 0));
    putpixel(spike.texture, 100, 100, makecol(250, 0, 0));
    BITMAP* tall = create_bitmap(200, 300);
    View below(Vector2(100, 1450), tall);  // the foot of the spike lands on (100, 250)
    spike.terrain.renderMap(below);
    EXPECT_GT(getr(getpixel(tall, 100, 150)), 50);
    EXPECT_EQ(getr(getpixel(tall, 150, 150)), 0);
    destroy_bitmap(tall);
}

TEST(Terrain, LoadReadsTheHeightsAndTextureOfTracksInTheFileOnly) {
    ScratchDir dir;
    testfiles::writeTracks("tracks.dat", 3);
    Terrain t;
    t.load(2);
    EXPECT_EQ(t.sampleHeight(0, 0), 20.0);
    EXPECT_EQ(t.sampleHeight(3, 5), 102.0);  // byte 5 * 256 + 3 of track 2
    EXPECT_EQ(t.sampleHeight(5, 3), 20.0);
    ASSERT_NE(t.getTexture(), nullptr);
    EXPECT_EQ(getpixel(t.getTexture(), 7, 7), makecol(_rgb_scale_6[2], _rgb_scale_6[0], _rgb_scale_6[61]));
    // loading again replaces heights and texture
    t.load(3);
    EXPECT_EQ(t.sampleHeight(3, 5), 103.0);
    EXPECT_EQ(getpixel(t.getTexture(), 7, 7), makecol(_rgb_scale_6[3], _rgb_scale_6[0], _rgb_scale_6[60]));
    EXPECT_EQ(t.heightAt(Vector2(36, 60)), 103.0);
    // track numbers outside the file fail with the load error, and are named
    for (int track : {0, -1, 4, 40000, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(testfiles::tracksError(track), "Unable to load tracks datafile") << track;
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "tracks.dat has no ground for track " + std::to_string(track) + ": its grounds are 1 to 3\n");
    }
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(testfiles::tracksError(3), "loaded");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(Terrain, DamagedTracksFileFailsWithTheLoadError) {
    using namespace testfiles;
    ScratchDir dir;
    const std::string error = "Unable to load tracks datafile";
    // tracks.dat written as `bytes`, then track `n` loaded
    const auto loaded = [](const Bytes& bytes, int n) {
        writeFile("tracks.dat", bytes);
        return tracksError(n);
    };
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(tracksError(1), error) << "missing file";
    EXPECT_EQ(loaded(Bytes(5000, 0x5A), 2), error) << "garbage";
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "a damaged file names no track";
    EXPECT_EQ(loaded(Bytes(), 1), error) << "empty file";
    EXPECT_EQ(loaded(Bytes(5000, 0x5A), 1), error) << "garbage";
    const Bytes whole = datafileBytes(tracksObjects(3));
    EXPECT_EQ(loaded(Bytes(whole.begin(), whole.begin() + whole.size() / 2), 1), error) << "truncated";

    auto objects = tracksObjects(3);
    objects[0].data.resize(65536 * 2);  // heights for two tracks only
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(loaded(datafileBytes(objects), 3), error) << "short heightmaps";
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "tracks.dat has no ground for track 3: its grounds are 1 to 2\n");
    EXPECT_EQ(tracksError(2), "loaded");
    objects = tracksObjects(3);
    objects.pop_back();  // texture of track 3 missing
    EXPECT_EQ(loaded(datafileBytes(objects), 3), error) << "missing texture";
    EXPECT_EQ(loaded(datafileBytes(tracksObjects(2, 128)), 1), error) << "small texture";
    const struct {
        int index;
        DatObject object;
        const char* what;
    } swapped[] = {
        {1, rawObject(Bytes(1024, 0)), "no palette"},
        {2, sampleObject(), "texture of the wrong kind"},
        // a bitmap where the heightmaps belong is not bytes to read heights from
        {0, bitmap8Object(512, 512, Bytes(512 * 512, 7)), "heightmaps of the wrong kind"},
    };
    for (const auto& w : swapped) {
        objects = tracksObjects(2);
        objects[w.index] = w.object;
        EXPECT_EQ(loaded(datafileBytes(objects), 1), error) << w.what;
    }
    // one failed load leaves nothing half loaded behind: the next good one works
    writeTracks("tracks.dat", 1);
    EXPECT_EQ(tracksError(1), "loaded");
}
