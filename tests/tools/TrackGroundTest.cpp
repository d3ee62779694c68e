// The ground of the shipped tracks as a craft meets it, driven with the
// game's own physics on the real tracks.dat and track files: wherever a craft
// leaves the road it can drive back, and the easy track's bowl keeps a craft
// off the island's edge.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "control/Controller.h"
#include "control/NoviceController.h"
#include "craft/HoverCraft.h"
#include "craft/Racecourse.h"
#include "objects/AiWaypoint.h"
#include "terrain/Terrain.h"
#include "track/TrackFile.h"
#include "world/Pacer.h"
#include "world/Texts.h"
#include "world/World.h"

namespace {

constexpr int kTracks = 3;
// What each shipped track is built to: the half width of its road, and how
// far beyond it the ground must turn a craft back to it.
constexpr double kRoad[kTracks] = {115, 100, 75};
constexpr double kBand[kTracks] = {600, 400, 400};
// The island's shore: within this of the edge the land falls to the sea.
constexpr double kShore = 80.0;
// The impossible track keeps its hazard: where its road runs along the
// shore, a craft running wide goes over the edge.
constexpr bool kShoreHazard[kTracks] = {false, false, true};
constexpr double kStep = 1.0 / 60;

// Steers by nothing and holds the throttle where it is set.
class HeldThrottle : public Controller {
public:
    explicit HeldThrottle(double t) : thrust(t) {}
    void update(double) override {}
    double throttle() const override { return thrust; }

private:
    double thrust;
};

// One shipped track loaded into a World of its own, and its route as a line.
class ShippedTrack {
public:
    explicit ShippedTrack(int n) : world(new World(false)) {
        currentTexts = englishTexts;
        world->getTerrain().load(n);
        std::ifstream in("tracks/track" + std::to_string(n) + ".txt");
        TrackFile::read(*world, in);
        std::vector<Vector3> points;
        for (int i = 0; i < world->getWaypointCount(); ++i) points.push_back(world->getWaypoint(i)->getPosition());
        route.setRoute(points);
    }

    // The route's nearest point to `p`, and how far it lies.
    Vector3 nearest(const Vector3& p) const { return route.at(route.locate(p, 0.0, false)); }
    double offRoad(const Vector3& p) const { return std::hypot(nearest(p).x - p.x, nearest(p).y - p.y); }

    // A craft on the track's ground, whose times off the island `course` counts afresh.
    std::unique_ptr<HoverCraft> craftAt(const Vector3& p, double heading) {
        std::unique_ptr<HoverCraft> c(new HoverCraft(world.get(), 1));
        course.left = 0;
        c->setCourse(&course);
        c->setPosition(Vector3(p.x, p.y, world->getTerrain().heightAt(Vector2(p.x, p.y))));
        c->setHeading(heading);
        return c;
    }

    // The ground of the track, and a count of the times a craft was put back on the island.
    struct Island : Racecourse {
        explicit Island(World& w) : world(w) {}
        double groundHeight(const Vector2& p) const override { return world.groundHeight(p); }
        Vector3 groundNormal(const Vector2& p) const override { return world.groundNormal(p); }
        bool isWater(const Vector2& p) const override { return world.isWater(p); }
        void gateTouched(HoverCraft&, const CheckPoint&) override {}
        void leftTheIsland(HoverCraft&) override { ++left; }
        void showMessage(const std::string&) override {}
        void playSample(int) override {}
        void dropWake(const Vector3&, const Vector3&, BITMAP*) override {}
        World& world;
        int left = 0;
    };

    std::unique_ptr<World> world;
    Pacer route;
    Island course{*world};
};

bool inland(const Vector3& p) {
    return p.x >= kShore && p.y >= kShore && p.x <= HoverCraft::kTrackSize - kShore &&
           p.y <= HoverCraft::kTrackSize - kShore;
}

double headingOf(const Vector3& d) { return std::atan2(-d.y, d.x) * 180.0 / 3.141592653589793; }

}  // namespace

// The route a craft drives pulls it little (the easy and difficult tracks a
// third of the thrust at most, the impossible one two thirds), the road keeps
// clear of the island's edge (the easy one far clear), and within each
// track's band beyond the road no ground pulls a craft away from it harder
// than a third of the thrust: only ripples may tilt that way.
TEST(TrackGround, RoadsHoldACraftAndTheGroundBesideLeansBack) {
    if (!std::ifstream("tracks.dat").good()) GTEST_SKIP() << "needs tracks.dat in the game folder";
    const double lineShare[kTracks] = {1.0 / 3, 1.0 / 3, 2.0 / 3};
    const double edgeClear[kTracks] = {500, 100, 60};
    for (int n = 1; n <= kTracks; ++n) {
        ShippedTrack track(n);
        const Terrain& ground = track.world->getTerrain();
        double steepest = 0.0, edge = 1e300;
        for (double s = 0; s < track.route.routeLength(); s += 4) {
            const Vector3 p = track.route.at(s);
            const Vector3 normal = ground.normalAt(Vector2(p.x, p.y));
            steepest = std::max(steepest, HoverCraft::kSlopeFactor * std::hypot(normal.x, normal.y));
            edge = std::min({edge, p.x, p.y, HoverCraft::kTrackSize - p.x, HoverCraft::kTrackSize - p.y});
        }
        EXPECT_LE(steepest, HoverCraft::kThrust * lineShare[n - 1]) << "track " << n;
        EXPECT_GE(edge - kRoad[n - 1], edgeClear[n - 1]) << "track " << n << ": the road comes close to the edge";
        double away = 0.0;
        for (int j = 1; j < Terrain::GRID_SIZE - 1; ++j) {
            for (int i = 1; i < Terrain::GRID_SIZE - 1; ++i) {
                const Vector3 p(i * Terrain::CELL_SIZE, j * Terrain::CELL_SIZE, 0.0);
                const Vector3 towards = track.nearest(p) - p;
                const double beyond = length(towards) - kRoad[n - 1];
                if (beyond < Terrain::CELL_SIZE || beyond > kBand[n - 1] || !inland(p)) continue;
                const Vector3 normal = ground.sampleNormal(i, j);
                away = std::max(away, -HoverCraft::kSlopeFactor * (normal.x * towards.x + normal.y * towards.y) /
                                          length(towards));
            }
        }
        EXPECT_LT(away, HoverCraft::kThrust / 3) << "track " << n;
    }
}

// From rest anywhere within its band beyond the road, a craft that steers
// for the road as a newcomer does, with full thrust, is back on the road
// within 30 s: no ground there pulls harder than the thrust away from the
// road, and none holds a craft in a hollow.
TEST(TrackGround, FromBesideTheRoadFullThrustDrivesBack) {
    if (!std::ifstream("tracks.dat").good()) GTEST_SKIP() << "needs tracks.dat in the game folder";
    for (int n = 1; n <= kTracks; ++n) {
        ShippedTrack track(n);
        ASSERT_TRUE(track.route.hasRoute()) << "track " << n;
        int tried = 0, stranded = 0;
        std::string first;
        for (double s = 0; s < track.route.routeLength(); s += 60) {
            const Vector3 a = track.route.at(s), b = track.route.at(s + 1);
            Vector3 across(b.y - a.y, a.x - b.x, 0.0);
            normalize(across);
            for (int side : {-1, 1}) {
                for (double beyond : {20.0, kBand[n - 1] / 2, kBand[n - 1]}) {
                    const Vector3 start = a + across * (side * (kRoad[n - 1] + beyond));
                    // off the island or on its shore, or on the road where the
                    // course passes by again
                    if (!inland(start) || track.offRoad(start) < kRoad[n - 1] + beyond / 2) continue;
                    ++tried;
                    auto craft = track.craftAt(start, headingOf(track.nearest(start) - start));
                    const HoverCraft* c = craft.get();
                    craft->setController(new NoviceController(c, [&track, c](Vector3& point) {
                        point = track.nearest(c->getPosition());
                        return true;
                    }));
                    bool back = false;
                    for (int step = 0; step < 30 * 60 && !back; ++step) {
                        craft->update(kStep);
                        back = track.offRoad(craft->getPosition()) <= kRoad[n - 1];
                    }
                    if (back) continue;
                    if (++stranded == 1)
                        first = "from " + std::to_string(static_cast<int>(start.x)) + ", " +
                                std::to_string(static_cast<int>(start.y));
                }
            }
        }
        EXPECT_GT(tried, 100) << "track " << n;
        EXPECT_EQ(stranded, 0) << "track " << n << ": " << stranded << " of " << tried
                               << " craft never got back to the road, the first " << first;
    }
}

// The easy track's bowl: a craft that leaves its road at 100 units a second
// towards the island's edge under full thrust, straight across or at a
// slant, or that leaves it either way coasting at 175, is turned back before
// the edge. (Full thrust held straight over the middle of the island brings
// a craft down the far side faster than any ground can hold.)
TEST(TrackGround, TheEasyTracksBowlKeepsACraftOnTheIsland) {
    if (!std::ifstream("tracks.dat").good()) GTEST_SKIP() << "needs tracks.dat in the game folder";
    ShippedTrack track(1);
    const struct {
        double speed, thrust, slant;
        bool inwards;
    } leaving[] = {{100, 1, 90, false}, {100, 1, 30, false}, {175, 0, 90, false},
                   {175, 0, 30, false}, {175, 0, 90, true},  {175, 0, 30, true}};
    int tried = 0, lost = 0;
    for (double s = 0; s < track.route.routeLength(); s += 100) {
        const Vector3 a = track.route.at(s), b = track.route.at(s + 1);
        Vector3 along = b - a;
        normalize(along);
        const Vector3 across(along.y, -along.x, 0.0);
        for (const auto& l : leaving) {
            // the course turns left: the middle of the island lies on its left
            const int side = l.inwards ? -1 : 1;
            const Vector3 edge = a + across * (side * kRoad[0]);
            const double slant = l.slant * 3.141592653589793 / 180.0;
            const Vector3 way = along * std::cos(slant) + across * (side * std::sin(slant));
            auto craft = track.craftAt(edge, headingOf(way));
            craft->setVelocity(way * l.speed);
            craft->setController(new HeldThrottle(l.thrust));
            ++tried;
            for (int step = 0; step < 30 * 60 && track.course.left == 0; ++step) craft->update(kStep);
            lost += track.course.left > 0;
        }
    }
    EXPECT_GT(tried, 100);
    EXPECT_EQ(lost, 0) << lost << " of " << tried << " craft left the island";
}

// A craft that leaves the road at the pace of the race, 130 units a second,
// straight across or at a slant, and only after a second turns back for it
// with full thrust, as a newcomer does, is on the road again within 20 s,
// unless it went over the island's edge where the road runs along the shore.
TEST(TrackGround, ACraftThatRunsWideComesBack) {
    if (!std::ifstream("tracks.dat").good()) GTEST_SKIP() << "needs tracks.dat in the game folder";
    for (int n = 1; n <= kTracks; ++n) {
        ShippedTrack track(n);
        int tried = 0, lost = 0, wandering = 0;
        for (double s = 0; s < track.route.routeLength(); s += 100) {
            const Vector3 a = track.route.at(s), b = track.route.at(s + 1);
            Vector3 along = b - a;
            normalize(along);
            const Vector3 across(along.y, -along.x, 0.0);
            for (int side : {-1, 1}) {
                for (double slant : {30.0, 90.0}) {
                    const double r = slant * 3.141592653589793 / 180.0;
                    const Vector3 way = along * std::cos(r) + across * (side * std::sin(r));
                    auto craft = track.craftAt(a + across * (side * kRoad[n - 1]), headingOf(way));
                    craft->setVelocity(way * 130.0);
                    const HoverCraft* c = craft.get();
                    double clock = 0.0;
                    craft->setController(new NoviceController(c, [&track, c, &clock](Vector3& point) {
                        point = track.nearest(c->getPosition());
                        return clock >= 1.0;
                    }));
                    ++tried;
                    bool back = false;
                    for (int step = 0; step < 21 * 60 && !back && track.course.left == 0; ++step) {
                        craft->update(kStep);
                        clock += kStep;
                        back = clock > 1.0 && track.offRoad(c->getPosition()) <= kRoad[n - 1];
                    }
                    lost += track.course.left > 0;
                    wandering += !back && track.course.left == 0;
                }
            }
        }
        EXPECT_GT(tried, 100) << "track " << n;
        EXPECT_EQ(wandering, 0) << "track " << n << ": " << wandering << " of " << tried << " craft never came back";
        if (kShoreHazard[n - 1])
            EXPECT_LT(lost, tried / 10) << "track " << n << ": " << lost << " of " << tried << " went over the edge";
        else
            EXPECT_EQ(lost, 0) << "track " << n << ": " << lost << " of " << tried << " craft went over the edge";
    }
}
