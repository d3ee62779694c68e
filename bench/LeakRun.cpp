// hover-leakrun: a whole headless race and a whole editor session, built for
// running under a leak checker (scripts/leakcheck runs it under valgrind).
//
//   hover-leakrun [TRACK]
//
// The race: preview, loadTrack, four computer drivers (the player's craft
// too) until all have finished, a frame composed after every step. The
// editor: preview, loadTrack in editing mode, then every editor command from
// held keys (placing each kind, deleting, snapping, renumbering, resizing and
// turning a gate), a track check run to its verdict and a second one left
// running when the session ends, and the save to newtrack.txt.
// Runs in the working directory, which needs data.dat, tracks.dat, tracks/.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <initializer_list>
#include <iostream>
#include <sstream>

#include "app/FrameTimer.h"
#include "app/Game.h"
#include "app/Preview.h"
#include "control/AiController.h"
#include "craft/HoverCraft.h"
#include "editor/EditorCursor.h"
#include "track/TrackFile.h"
#include "view/RaceView.h"
#include "world/World.h"

namespace {

constexpr double kStep = FrameTimer::kStep;
constexpr int kRaceLimitSteps = 20 * 60 * 60;
constexpr int kCheckLimitSteps = 20000;

// A race or an editor World and the view that shows it.
struct Run {
    explicit Run(bool editor) : world(editor), view(world) {}
    World world;
    RaceView view;
};

// Runs `steps` updates with a frame after each, as the game loop does.
void play(Run& r, int steps) {
    for (int i = 0; i < steps; ++i) {
        r.world.update(kStep);
        r.view.compose();
    }
}

bool allFinished(const World& w) {
    for (HoverCraft* c : w.getCraftList())
        if (!w.recordOf(*c).finished) return false;
    return true;
}

void race(int track) {
    Run r(false);
    World& w = r.world;
    Preview::render(w, r.view, track);
    loadRace(w, r.view, track);
    w.getPlayer()->setController(new AiController(&w, w.getPlayer()));
    int steps = 0;
    while (!allFinished(w) && steps < kRaceLimitSteps) {
        play(r, 1);
        ++steps;
    }
    std::printf("race on track %d: %s after %d steps, race clock %d ms\n", track,
                allFinished(w) ? "all four finished" : "not all finished", steps, w.getRaceTime());
}

// Holds `k` for one update, then lets the command lock run out.
void press(Run& r, int k, bool shift = false) {
    key[k] = 1;
    if (shift) key[KEY_LSHIFT] = 1;
    play(r, 1);
    key[k] = 0;
    key[KEY_LSHIFT] = 0;
    play(r, static_cast<int>(EditorCursor::kCommandLock / kStep) + 2);
}

// Moves the cursor with a held direction key.
void walk(Run& r, int k, int steps) {
    key[k] = 1;
    play(r, steps);
    key[k] = 0;
}

void editor(int track) {
    Run r(true);
    World& w = r.world;
    Preview::render(w, r.view, track);
    EditorCursor* cursor = loadEditor(w, r.view, track);
    play(r, 2);
    for (int k : {KEY_1, KEY_2, KEY_3, KEY_4, KEY_5, KEY_C, KEY_W, KEY_F1, KEY_F2, KEY_F3, KEY_F4}) {
        press(r, k);
        walk(r, KEY_S, 6);
    }
    walk(r, KEY_A, 20);
    for (int k : {KEY_D, KEY_D, KEY_HOME, KEY_PGUP, KEY_PGDN, KEY_D}) press(r, k);
    walk(r, KEY_Z, 30);
    press(r, KEY_C);
    press(r, KEY_EQUALS);
    press(r, KEY_MINUS);
    press(r, KEY_EQUALS, true);
    press(r, KEY_W);
    press(r, KEY_HOME);

    // a check to its verdict, then one still running when the editor is left
    press(r, KEY_F5);
    int steps = 0;
    while (cursor && cursor->isChecking() && steps < kCheckLimitSteps) {
        play(r, 1);
        ++steps;
    }
    std::printf("editor on track %d: track check %s after %d frames\n", track,
                cursor && !cursor->isChecking() ? "done" : "still running", steps);
    key[KEY_F5] = 1;
    play(r, 1);
    key[KEY_F5] = 0;
    play(r, 1);
    std::printf("editor on track %d: second track check %s when the editor is left\n", track,
                cursor && cursor->isChecking() ? "still running" : "already done");
    TrackFile::save(w.getObjects(), "newtrack.txt");
    std::printf("editor on track %d: %zu objects saved to newtrack.txt\n", track, w.getObjects().size());
}

}  // namespace

int main(int argc, char** argv) {
    const int track = argc > 1 ? std::atoi(argv[1]) : 1;
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    set_color_depth(32);
    try {
        race(track);
        editor(track);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
END_OF_MAIN()
