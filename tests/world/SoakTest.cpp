#include <allegro.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <chrono>
#include <cmath>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/FrameTimer.h"
#include "app/Game.h"
#include "control/AiController.h"
#include "craft/HoverCraft.h"
#include "objects/GameObject.h"
#include "objects/Powerup.h"
#include "objects/Wake.h"
#include "view/RaceView.h"
#include "world/World.h"

namespace {

// Half an hour of game time at a fixed step, every craft on the computer
// driver; a frame is composed every few steps, so that drawing (wakes reset
// their damping when drawn, the draw order is rebuilt) runs all along too
// while the half hour stays quick in a sanitizer build.
constexpr double kStep = FrameTimer::kStep;
constexpr int kDrawEvery = 4;
constexpr int kStepsPerSecond = FrameTimer::kFrameRate;
constexpr int kSoakSeconds = 30 * 60;
constexpr int kMemoryWarmUpSeconds = 120;
// Heap the race may gain after its warm-up, besides the wakes alive: room for
// the object list's capacity to follow a peak of wakes, nowhere near what one
// small allocation lost per step (108,000 of them) would add.
constexpr long kHeapSlack = 256 * 1024;

long heapInUse() { return static_cast<long>(mallinfo2().uordblks); }

// Object kinds by name, wakes apart: they are the one kind that comes and goes.
std::map<std::string, int> countKinds(const std::vector<GameObject*>& objects, int* wakes) {
    std::map<std::string, int> kinds;
    *wakes = 0;
    for (GameObject* o : objects) {
        if (dynamic_cast<Wake*>(o))
            ++*wakes;
        else
            ++kinds[typeid(*o).name()];
    }
    return kinds;
}

std::string describe(const std::map<std::string, int>& kinds) {
    std::ostringstream out;
    for (const auto& k : kinds) out << k.first << "=" << k.second << " ";
    return out.str();
}

void soak(int track) {
    const auto started = std::chrono::steady_clock::now();

    World w(false);
    RaceView view(w);
    loadRace(w, view, track);
    ASSERT_NE(w.getPlayer(), nullptr);
    w.getPlayer()->setController(new AiController(&w, w.getPlayer()));
    w.update(kStep);

    int wakes = 0;
    const std::map<std::string, int> kinds = countKinds(w.getObjects(), &wakes);
    std::vector<Powerup*> powerups;
    for (GameObject* o : w.getObjects())
        if (auto* p = dynamic_cast<Powerup*>(o)) powerups.push_back(p);
    std::vector<bool> available(powerups.size());
    for (size_t i = 0; i < powerups.size(); ++i) available[i] = powerups[i]->isCollidable();

    // one wake a craft a step at most, each living kLife seconds
    const int craftCount = static_cast<int>(w.getCraftList().size());
    const int wakeBound = craftCount * (static_cast<int>(std::ceil(Wake::kLife / kStep)) + 2);
    const int startClock = w.getRaceTime();

    int mostWakes = 0, taken = 0;
    long heapBase = 0;
    int wakesAtBase = 0;
    long worstGrowth = 0;
    for (int second = 1; second <= kSoakSeconds; ++second) {
        for (int s = 0; s < kStepsPerSecond; ++s) {
            w.update(kStep);
            if (s % kDrawEvery == 0) view.compose();
            for (size_t i = 0; i < powerups.size(); ++i) {
                const bool now = powerups[i]->isCollidable();
                if (available[i] && !now) ++taken;
                available[i] = now;
            }
        }
        const std::map<std::string, int> nowKinds = countKinds(w.getObjects(), &wakes);
        ASSERT_EQ(nowKinds, kinds) << "second " << second << ": " << describe(nowKinds) << "at the start "
                                   << describe(kinds);
        ASSERT_LE(wakes, wakeBound) << "second " << second;
        ASSERT_LE(w.getPendingObjects().size(), static_cast<size_t>(craftCount)) << "second " << second;
        ASSERT_LE(w.getRemovedObjects().size(), static_cast<size_t>(craftCount)) << "second " << second;
        ASSERT_EQ(w.getCraftList().size(), static_cast<size_t>(World::kCraftCount));
        if (wakes > mostWakes) mostWakes = wakes;
        for (GameObject* o : w.getObjects()) ASSERT_TRUE(isFinite(o->getPosition())) << "second " << second;
        for (HoverCraft* c : w.getCraftList()) {
            ASSERT_TRUE(isFinite(c->getVelocity())) << "second " << second;
            ASSERT_TRUE(std::isfinite(c->getHeading())) << "second " << second;
            const Vector3 p = c->getPosition();
            ASSERT_TRUE(p.x >= 0 && p.y >= 0 && p.x <= HoverCraft::kTrackSize && p.y <= HoverCraft::kTrackSize)
                << "craft at " << p.x << ", " << p.y << " in second " << second;
        }
        if (second % 60 == 0) {
            const long heap = heapInUse() - wakes * static_cast<long>(sizeof(Wake));
            if (second == kMemoryWarmUpSeconds) {
                heapBase = heap;
                wakesAtBase = wakes;
            } else if (second > kMemoryWarmUpSeconds) {
                worstGrowth = std::max(worstGrowth, heap - heapBase);
                ASSERT_LE(heap - heapBase, kHeapSlack)
                    << "heap in use grew by " << heap - heapBase << " bytes (wakes excepted) by minute " << second / 60;
            }
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "track " << track << ": " << kSoakSeconds << " s of racing in " << seconds << " s, "
              << describe(kinds) << "wakes at most " << mostWakes << " (bound " << wakeBound << "), powerups taken "
              << taken << ", heap growth after minute 2 at most " << worstGrowth << " bytes (wakes at minute 2: "
              << wakesAtBase << ")" << std::endl;

    // a fixed step of 1/60 s is 16,666,666 whole nanoseconds: 72 us short over the half hour
    EXPECT_NEAR(w.getRaceTime() - startClock, kSoakSeconds * 1000, 1);
    EXPECT_GT(mostWakes, 0) << "no craft crossed water: the wakes went untested";
    EXPECT_GT(taken, 0) << "no powerup was taken";
    for (HoverCraft* c : w.getCraftList()) EXPECT_TRUE(w.recordOf(*c).finished) << "craft " << c->getColour();
}

}  // namespace

TEST(Soak, HalfAnHourOnTrack1KeepsObjectsAndHeapBounded) { soak(1); }
TEST(Soak, HalfAnHourOnTrack2KeepsObjectsAndHeapBounded) { soak(2); }
TEST(Soak, HalfAnHourOnTrack3KeepsObjectsAndHeapBounded) { soak(3); }
