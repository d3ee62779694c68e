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
#include "control/AiController.h"
#include "craft/HoverCraft.h"
#include "editor/EditorCursor.h"
#include "track/TrackFile.h"
#include "world/World.h"

namespace {

constexpr double kStep = FrameTimer::kStep;
constexpr int kRaceLimitSteps = 20 * 60 * 60;
constexpr int kCheckLimitSteps = 20000;

// Runs `steps` updates with a frame after each, as the game loop does.
void play(World& w, int steps) {
    for (int i = 0; i < steps; ++i) {
        w.update(kStep);
        w.composeFrame();
    }
}

bool allFinished(const World& w) {
    for (HoverCraft* c : w.getCraftList())
        if (!w.recordOf(*c).finished) return false;
    return true;
}

void race(int track) {
    World w(false);
    w.renderPreview(track);
    w.loadTrack(track);
    w.getPlayer()->setController(new AiController(&w, w.getPlayer()));
    int steps = 0;
    while (!allFinished(w) && steps < kRaceLimitSteps) {
        play(w, 1);
        ++steps;
    }
    std::printf("race on track %d: %s after %d steps, race clock %d ms\n", track,
                allFinished(w) ? "all four finished" : "not all finished", steps, w.getRaceTime());
}

// Holds `k` for one update, then lets the command lock run out.
void press(World& w, int k, bool shift = false) {
    key[k] = 1;
    if (shift) key[KEY_LSHIFT] = 1;
    play(w, 1);
    key[k] = 0;
    key[KEY_LSHIFT] = 0;
    play(w, static_cast<int>(EditorCursor::kCommandLock / kStep) + 2);
}

// Moves the cursor with a held direction key.
void walk(World& w, int k, int steps) {
    key[k] = 1;
    play(w, steps);
    key[k] = 0;
}

EditorCursor* cursorOf(World& w) { return dynamic_cast<EditorCursor*>(w.getFollowed()); }

void editor(int track) {
    World w(true);
    w.renderPreview(track);
    w.loadTrack(track);
    play(w, 2);
    for (int k : {KEY_1, KEY_2, KEY_3, KEY_4, KEY_5, KEY_C, KEY_W, KEY_F1, KEY_F2, KEY_F3, KEY_F4}) {
        press(w, k);
        walk(w, KEY_S, 6);
    }
    walk(w, KEY_A, 20);
    for (int k : {KEY_D, KEY_D, KEY_HOME, KEY_PGUP, KEY_PGDN, KEY_D}) press(w, k);
    walk(w, KEY_Z, 30);
    press(w, KEY_C);
    press(w, KEY_EQUALS);
    press(w, KEY_MINUS);
    press(w, KEY_EQUALS, true);
    press(w, KEY_W);
    press(w, KEY_HOME);

    // a check to its verdict, then one still running when the editor is left
    EditorCursor* cursor = cursorOf(w);
    press(w, KEY_F5);
    int steps = 0;
    while (cursor && cursor->isChecking() && steps < kCheckLimitSteps) {
        play(w, 1);
        ++steps;
    }
    std::printf("editor on track %d: track check %s after %d frames\n", track,
                cursor && !cursor->isChecking() ? "done" : "still running", steps);
    key[KEY_F5] = 1;
    play(w, 1);
    key[KEY_F5] = 0;
    play(w, 1);
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
