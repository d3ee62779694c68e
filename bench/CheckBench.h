#pragma once

namespace bench {

// The whole track check of a loop of `gates` gates with a waypoint on each,
// on flat land: the layout check, then the headless race, with its steps a
// second and the time of the whole check.
void benchCheck(int gates);

}  // namespace bench
