#pragma once
#include <memory>

#include "craft/CraftSprites.h"
#include "terrain/Terrain.h"
#include "world/GameData.h"

// What races are raced on and never change: data.dat, the ground, and the
// craft's sprites made from data.dat's frames. A World makes its own, or
// borrows one that many races share: the track check's forty races load
// data.dat and the ground once, and recolour the craft frames once.
class RaceResources {
public:
    GameData data;
    Terrain ground;

    // Made on first need, from data.dat (loaded then if it is not yet).
    const CraftSprites& craftSprites();
    // For tools that load one data.dat after another: the sprites go with it.
    void unloadData();

private:
    std::unique_ptr<CraftSprites> sprites;
};
