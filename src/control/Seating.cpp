#include "control/Seating.h"

#include "control/AiController.h"
#include "control/KeyboardController.h"
#include "control/NoviceController.h"
#include "craft/HoverCraft.h"
#include "world/World.h"

void Seating::playerAtTheKeys(World& world) {
    HoverCraft* player = world.getPlayer();
    computersBesides(world, player);
    if (player) player->setController(new KeyboardController);
}

void Seating::computersBesides(World& world, const HoverCraft* except) {
    for (HoverCraft* c : world.getCraftList())
        if (c != except) computer(world, *c, AiController::kDesiredSpeed);
}

void Seating::computer(World& world, HoverCraft& craft, double speed) {
    craft.setController(new AiController(&world, &craft, speed));
}

void Seating::novice(World& world, HoverCraft& craft) {
    World* w = &world;
    craft.setController(new NoviceController(&craft, [w](Vector3& point) {
        if (!w->getPacer().isShown()) return false;
        point = w->getPacer().point();
        return true;
    }));
}

void Seating::nobody(HoverCraft& craft) { craft.setController(nullptr); }
