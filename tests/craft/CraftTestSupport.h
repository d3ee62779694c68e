#pragma once
// Helpers for the craft, controller and powerup tests: a World whose ground is
// set by hand, a controller that says what it is told, and the English texts.
#include <allegro.h>

#include <memory>
#include <vector>

#include "control/Controller.h"
#include "control/Seating.h"
#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"
#include "world/Texts.h"
#include "world/World.h"

namespace crafttest {

// A controller with fixed answers that counts what the craft asks of it.
class ScriptedController : public Controller {
public:
    ScriptedController(double steer, double thrust, bool* deleted = nullptr)
        : steer_(steer), thrust_(thrust), deleted_(deleted) {}
    ~ScriptedController() override {
        if (deleted_) *deleted_ = true;
    }
    void update(double) override { ++updates; }
    double steering() const override { return steer_; }
    double throttle() const override { return thrust_; }
    void objectTouched(GameObject* object) override { touched.push_back(object); }

    void set(double steer, double thrust) {
        steer_ = steer;
        thrust_ = thrust;
    }

    int updates = 0;
    std::vector<GameObject*> touched;

private:
    double steer_, thrust_;
    bool* deleted_;
};

// The ground texture colours the terrain reads as land and as water.
inline int landColour() { return makecol(40, 160, 40); }
inline int waterColour() { return makecol(20, 40, 200); }

// A World with a ground of height `level` everywhere (or a ramp rising by one
// unit per sample along x), all land or all water. The English texts are
// chosen while it lives.
class GroundWorld {
public:
    enum Shape { kFlat, kRampAlongX };

    explicit GroundWorld(bool editor = false, int level = 0, bool water = false, Shape shape = kFlat)
        : world(new World(editor)), texture(create_bitmap_ex(32, Terrain::GRID_SIZE, Terrain::GRID_SIZE)) {
        savedTexts = currentTexts;
        currentTexts = englishTexts;
        clear_to_color(texture, water ? waterColour() : landColour());
        setHeights(level, shape);
    }
    ~GroundWorld() {
        world.reset();
        destroy_bitmap(texture);
        currentTexts = savedTexts;
    }

    void setHeights(int level, Shape shape = kFlat) {
        std::vector<unsigned char> bytes(Terrain::kHeightmapBytes);
        for (int q = 0; q < Terrain::GRID_SIZE; ++q)
            for (int p = 0; p < Terrain::GRID_SIZE; ++p)
                bytes[q * Terrain::GRID_SIZE + p] =
                    static_cast<unsigned char>(shape == kFlat ? level : (p < 200 ? p : 200));
        world->getTerrain().setGround(bytes.data(), texture);
    }

    // Paints the ground texture over the sample columns [fromColumn, toColumn).
    void paintColumns(int fromColumn, int toColumn, int colour) {
        rectfill(texture, fromColumn, 0, toColumn - 1, Terrain::GRID_SIZE - 1, colour);
    }

    World& operator*() { return *world; }
    World* operator->() { return world.get(); }
    World* get() { return world.get(); }

    std::unique_ptr<World> world;
    BITMAP* texture;

private:
    const char* const* savedTexts;
};

// A craft placed at `p` with heading `h`, not handed to any World list: the
// test owns it.
inline std::unique_ptr<HoverCraft> makeCraft(World* world, const Vector3& p, double h = 0.0, int colour = 1,
                                             const CraftSprites::Look* look = nullptr) {
    std::unique_ptr<HoverCraft> c(new HoverCraft(world, colour, look));
    c->setPosition(p);
    c->setHeading(h);
    return c;
}

// A craft placed at `p` with heading `h` that races in the World: it is on
// the World's lists, which own it, and the race rules keep its record.
inline HoverCraft* enterCraft(World* world, const Vector3& p, double h = 0.0, int colour = 1) {
    auto* c = new HoverCraft(world, colour);
    c->setPosition(p);
    c->setHeading(h);
    world->addCraft(c);
    return c;
}

// A gate placed, turned and handed to the World, which owns it.
inline CheckPoint* addGate(World* world, const Vector3& p, int number = 0, double angle = 0.0) {
    auto* gate = new CheckPoint(world);
    gate->setPosition(p);
    gate->setNumber(number);
    gate->setAngle(angle);
    world->addObject(gate);
    return gate;
}

// A race of one gate, gate 0 at `p` facing `angle`, with the four craft on
// its grid, seated as the game seats them.
inline void startRaceBehind(World* world, const Vector3& p = Vector3(1500, 1500, 0), double angle = 0.0) {
    addGate(world, p, 0, angle);
    world->setCheckpointCount(1);
    world->startRace();
    Seating::playerAtTheKeys(*world);
}

}  // namespace crafttest
