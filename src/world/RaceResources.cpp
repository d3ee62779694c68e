#include "world/RaceResources.h"

const CraftSprites& RaceResources::craftSprites() {
    if (!sprites) sprites = std::make_unique<CraftSprites>(data);
    return *sprites;
}

void RaceResources::unloadData() {
    sprites.reset();
    data.unload();
}
