#pragma once
#include <memory>
#include <string>

#include "app/RaceLoop.h"
#include "view/RaceView.h"
#include "world/World.h"

class Terrain;

// F6 in the editor: the track as it stands, raced. A race World of its own is
// built from the editor's objects as the track file would hold them, on a copy
// of the editor's ground: the player at the back of the grid, three computer
// drivers, the guidance and the results of a race from the menus. It runs in
// the shell's loop until Escape and is gone; the editor's World is never
// touched, so driving saves nothing and loses nothing. The shell hands the
// editor's cursor drive() as its test drive.
class TestDrive {
public:
    // The race and its view, ready to run.
    struct Race {
        std::unique_ptr<World> world;
        std::unique_ptr<RaceView> view;
    };

    // The race on ground `track` (named in the readout only); throws as a
    // race's set-up does ("Cannot find the first checkpoint"). `ground` must
    // outlive it: its texture is borrowed.
    static Race build(const Terrain& ground, const std::string& trackText, int track);
    // As quiet as the editor it comes from, opening with its own message.
    static RaceLoop::Options loopOptions();
    // Builds the race and runs it to its end; "" when it ran, otherwise why
    // it could not start.
    static std::string drive(World& editor, const std::string& trackText);
};
