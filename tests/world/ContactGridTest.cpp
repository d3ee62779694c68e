#include "world/ContactGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"
#include "objects/Powerup.h"
#include "world/TestFiles.h"
#include "world/World.h"

namespace {

using Log = std::vector<std::pair<int, int>>;  // craft colour, object number

// Writes down every craft that touches it, after doing what its kind does.
template <class Kind>
struct Logged : Kind {
    template <class... Args>
    Logged(Log& l, int n, World* w, Args... args) : Kind(w, args...), log(l), number(n) {}
    void touchedBy(GameObject& craft) override {
        Kind::touchedBy(craft);
        log.emplace_back(static_cast<HoverCraft&>(craft).getColour(), number);
    }
    Log& log;
    int number;
};

// Moves by itself, so it is never kept in a cell; now and then it drops
// another that dies before it has joined the list.
struct Drifter : GameObject {
    explicit Drifter(World* w) : GameObject(w) { radius = 12.0; }
    void draw(View&) override {}
    void update(double) override {
        position += Vector3(7.0, -5.0, 0.0);
        if (++updates % 8 > 0) return;
        world->addObject(new Drifter(world));
        world->getPendingObjects().back()->setDead(true);
    }
    int updates = 0;
};

// Four craft thrown about a dense patch of gates of every width (NaN, 1e300
// and negative too), powerups and drifters; each step objects join, die, come
// back to life, move and change size.
Log race(bool broadPhase, long long& pairTests) {
    World w(false);
    w.useContactGridFrom(broadPhase ? 0 : SIZE_MAX);
    w.setCheckpointCount(4);
    Log log;
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> place(800.0, 1700.0);
    const double widths[] = {10, 40, 64, 65, 300, 2048, 2049, 1e300, std::nan(""), -50};
    std::vector<HoverCraft*> craft;
    for (int i = 1; i <= 4; ++i) w.addCraft(craft.emplace_back(new HoverCraft(&w, i)));
    int number = 0;
    const auto add = [&] {
        GameObject* o = number % 5 == 4 ? static_cast<GameObject*>(new Logged<Drifter>(log, number, &w))
                        : number % 5 == 3 ? static_cast<GameObject*>(new Logged<Powerup>(log, number, &w, 1 + number % 4))
                                          : new Logged<CheckPoint>(log, number, &w);
        if (auto* gate = dynamic_cast<CheckPoint*>(o)) {
            gate->setRadius(widths[random() % 10]);
            gate->setNumber(number % 4);
        }
        o->setPosition(Vector3(place(random), place(random), 0.0));
        w.addObject(o);
        if (++number % 7 == 0) o->setDead(true);  // gone after its first update
    };
    for (int i = 0; i < 300; ++i) add();
    for (int step = 0; step < 300; ++step) {
        for (HoverCraft* c : craft) c->setPosition(Vector3(place(random), place(random), 0.0));
        const std::vector<GameObject*>& objects = w.getObjects();
        const auto any = [&] { return objects[4 + random() % (objects.size() - 4)]; };
        GameObject* revived = nullptr;
        if (step % 3 == 0 || objects.size() < 10) {
            add();
        } else {
            GameObject* killed = any();
            revived = any();
            revived->setDead(true);
            revived->setDead(false);
            killed->setDead(true);
            if (killed == revived) revived = nullptr;
            auto* gate = dynamic_cast<CheckPoint*>(any());
            if (gate && step % 3 == 1) gate->setRadius(widths[random() % 10]);
            if (gate && step % 3 == 2) gate->setPosition(Vector3(place(random), 900.0, 0.0));
        }
        w.update(1.0 / 60);
        // the dead are out of the list, one set dead and alive again is not
        EXPECT_TRUE(std::none_of(objects.begin(), objects.end(), [](GameObject* o) { return o->isDead(); }));
        EXPECT_EQ(revived ? std::count(objects.begin(), objects.end(), revived) : 1, 1);
        // a craft with no place to be tests everything, and touches nothing
        craft[step % 4]->setPosition(Vector3(std::nan(""), 1000.0, 0.0));
        w.checkContacts();
    }
    pairTests = w.getPairTests();
    return log;
}

}  // namespace

TEST(ContactGrid, MeetsTheSamePairsInTheSameOrderAsTestingEveryObject) {
    testfiles::ScratchDir dir;
    testfiles::writeGameData("data.dat");
    long long sieved = 0, every = 0;
    const Log withGrid = race(true, sieved);
    const Log plain = race(false, every);
    EXPECT_GT(plain.size(), 5000u);
    EXPECT_TRUE(withGrid == plain) << withGrid.size() << " pairs against " << plain.size();
    EXPECT_LT(sieved, every);

    // a track of 40,000 gates: a step tests the few hundred near the craft
    World w(false);
    for (int i = 0; i < 40000; ++i) {
        w.addObject(new CheckPoint(&w));
        w.getPendingObjects().back()->setPosition(Vector3(15.0 * (i % 200), 15.0 * (i / 200), 0.0));
    }
    for (int i = 1; i <= 4; ++i) w.addCraft(new HoverCraft(&w, i));
    for (int i = 0; i < 4; ++i) w.getCraftList()[i]->setPosition(Vector3(700.0 * i, 1500.0, 0.0));
    w.update(1.0 / 60);
    w.update(1.0 / 60);
    EXPECT_LT(w.getPairTests(), 2 * 4 * 400);

    // cleared for the next track, the World forgets the old cells: two craft
    // where the gates stood test each other and nothing else
    w.deleteAllObjects();
    w.useContactGridFrom(0);
    for (int i = 1; i <= 2; ++i) {
        w.addCraft(new HoverCraft(&w, i));
        w.getPendingObjects().back()->setPosition(Vector3(1400.0 + 10.0 * i, 1500.0, 0.0));
    }
    const long long before = w.getPairTests();
    w.update(1.0 / 60);
    EXPECT_EQ(w.getPairTests() - before, 2);
}
