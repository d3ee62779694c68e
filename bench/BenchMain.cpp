// hover-bench: speed figures of the race frame, the map render, track loading
// and the update as the object count grows. Every figure is set against a
// floor measured in the same run, since absolute times vary from machine to
// machine and from run to run.
//
//   hover-bench [frame|terrain|load|scale|all] [--window] [--frames N]
//   hover-bench loop --window [--seconds S] [--frame-scale N]
//   hover-bench check [--gates N]
//
// Headless by default (memory bitmaps at 16 bits). With --window the library
// opens a 640 x 480 window at 16 bits on $DISPLAY (an Xvfb is fine), and the
// frame's copies and the World's draw() go to the real screen. `loop` runs
// the game's own race loop in the game's own window (of the scale
// --frame-scale asks, at the depth the game picks for it) for S seconds
// (default 30) and prints its CPU time and its race clock against the wall
// clock; scripts/bench runs it once undisturbed and once stopped for 3 s
// from outside, and once more in a window twice the size (--frame-scale 2),
// every frame shown enlarged as the game shows it. `check` runs the whole
// track check of a loop of N gates with a waypoint on each (default 50,000).
// Run it from the game folder: it reads data.dat, tracks.dat and tracks/.
#include <allegro.h>
#include <sys/resource.h>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "BenchClock.h"
#include "CheckBench.h"
#include "app/EndRequest.h"
#include "app/FrameTimer.h"
#include "app/Game.h"
#include "app/Preview.h"
#include "app/RaceLoop.h"
#include "app/ScaledScreen.h"
#include "control/AiController.h"
#include "craft/HoverCraft.h"
#include "math/View.h"
#include "objects/GameObject.h"
#include "objects/Powerup.h"
#include "objects/StaticObject.h"
#include "objects/Wake.h"
#include "terrain/Terrain.h"
#include "view/CraftMarks.h"
#include "view/GateGuide.h"
#include "view/Hud.h"
#include "view/RaceView.h"
#include "view/ResultsPanel.h"
#include "world/World.h"

using bench::median;
using bench::Stopwatch;

namespace {

constexpr double kStep = FrameTimer::kStep;
constexpr int kTracks = 3;
// Game time the race runs before a frame is timed: the field spreads out,
// wakes build up behind the craft on water.
constexpr double kWarmUpSeconds = 20.0;
// Game time the player's craft, on the computer driver, is given to finish
// three laps before the frames with the results panel are timed.
constexpr double kFinishWithin = 600.0;
constexpr double kCraftFrameDrop = 20.0;
constexpr double kSceneryAnchor = 0.8;
constexpr int kScaleSizes[] = {100, 1000, 10000};

bool windowed = false;
int windowScale = 1;
BITMAP* fakeScreen = nullptr;  // the screen stand-in of a headless run

// The track reader's "NUmber of checkpoints" line on every load would bury
// the figures; standard output is parked while a track loads.
class QuietOutput {
public:
    QuietOutput() : old(std::cout.rdbuf(sink.rdbuf())) {}
    ~QuietOutput() { std::cout.rdbuf(old); }

private:
    std::ostringstream sink;
    std::streambuf* old;
};

void figure(const std::string& name, double value, const char* unit) {
    std::printf("%s: %.4f %s\n", name.c_str(), value, unit);
}

void ratio(const std::string& name, double value, const char* bound = nullptr) {
    if (bound)
        std::printf("%s: %.3f x (target %s)\n", name.c_str(), value, bound);
    else
        std::printf("%s: %.3f x\n", name.c_str(), value);
}

std::string mode() { return windowed ? "window" : "memory"; }

// A race World and the view that shows it.
struct Race {
    World world{false};
    RaceView view{world};
};

void allOnAi(World& w) {
    if (HoverCraft* p = w.getPlayer()) p->setController(new AiController(&w, p));
}

void loadRace(Race& r, int track) {
    QuietOutput quiet;
    ::loadRace(r.world, r.view, track);
    allOnAi(r.world);
}

BITMAP* frameTarget() { return windowed ? screen : fakeScreen; }

// A frame composed and shown, as the game loop shows it.
void drawFrame(Race& r) {
    r.view.compose();
    if (windowed)
        ScaledScreen::show(r.view.getBackBuffer());
    else
        blit(r.view.getBackBuffer(), fakeScreen, 0, 0, 0, 0, RaceView::kScreenWidth, RaceView::kScreenHeight);
}

// One pass of the game loop: the update, the frame, its copy to the screen.
void gamePass(Race& r) {
    r.world.update(kStep);
    drawFrame(r);
}

// The two copies no frame can do without: the map window into the back
// buffer, the back buffer onto the screen.
void twoCopies(Race& r) {
    const RaceView& v = r.view;
    blit(v.getMapBitmap(), v.getBackBuffer(), v.getScrollX(), v.getScrollY(), 0, 0, RaceView::kScreenWidth,
         RaceView::kScreenHeight);
    blit(v.getBackBuffer(), frameTarget(), 0, 0, 0, 0, RaceView::kScreenWidth, RaceView::kScreenHeight);
}

// The library calls of one frame's scene, with no game logic around them: the
// same sprites at the same places with the same blenders, the HUD text, icons
// and message line.
struct SpriteCall {
    enum Kind { kPlain, kAlpha, kAdd } kind;
    BITMAP* sprite;
    int x, y, alpha;
};

struct Scene {
    std::vector<SpriteCall> sprites;
    std::string hudLine;
    std::string message;
    int messageLevel = 0;
    int turbo = 0;
    bool wonky = false, frozen = false;
    int craft = 0, wakes = 0, scenery = 0, powerups = 0;
};

Scene sceneOf(Race& r) {
    World& w = r.world;
    Scene s;
    const View view = r.view.frameView();
    BITMAP* wakeSprite = w.getCraftList().empty() ? nullptr : w.getCraftList().front()->getLook()->wake;
    for (GameObject* o : r.view.lastDrawOrder()) {
        const Vector2 p = project(view, o->getPosition());
        if (auto* c = dynamic_cast<HoverCraft*>(o)) {
            BITMAP* f = c->getLook()->frames[HoverCraft::frameIndex(c->getHeading())];
            s.sprites.push_back({SpriteCall::kAlpha, f, toPixel(p.x - f->w / 2),
                                 toPixel(p.y - f->h + kCraftFrameDrop), 0});
            ++s.craft;
        } else if (auto* k = dynamic_cast<Wake*>(o)) {
            s.sprites.push_back({SpriteCall::kAdd, wakeSprite, toPixel(p.x - wakeSprite->w / 2),
                                 toPixel(p.y - wakeSprite->h / 2), std::max(0, k->alpha())});
            ++s.wakes;
        } else if (auto* st = dynamic_cast<StaticObject*>(o)) {
            BITMAP* b = w.getBitmap(StaticObject::spriteIndex(st->getKind()));
            s.sprites.push_back({SpriteCall::kPlain, b, toPixel(p.x - b->w / 2), toPixel(p.y - kSceneryAnchor * b->h), 0});
            ++s.scenery;
        } else if (auto* pu = dynamic_cast<Powerup*>(o)) {
            BITMAP* b = w.getBitmap(Powerup::spriteIndex(pu->getKind()));
            s.sprites.push_back({SpriteCall::kPlain, b, toPixel(p.x - b->w / 2), toPixel(p.y - kSceneryAnchor * b->h), 0});
            ++s.powerups;
        }
    }
    if (HoverCraft* p = w.getPlayer()) {
        s.hudLine = Hud::line(w.recordOf(*p), w.getRaceTime());
        s.turbo = p->getTurboLevel();
        s.wonky = p->isWonky();
        s.frozen = p->isFrozen();
    }
    if (w.getMessageTime() > 0) {
        s.message = w.getMessage();
        s.messageLevel = std::min(255, static_cast<int>(w.getMessageTime() * 255));
    }
    return s;
}

void bareCalls(Race& r, const Scene& s) {
    World& w = r.world;
    BITMAP* bb = r.view.getBackBuffer();
    blit(r.view.getMapBitmap(), bb, r.view.getScrollX(), r.view.getScrollY(), 0, 0, RaceView::kScreenWidth,
         RaceView::kScreenHeight);
    for (const SpriteCall& c : s.sprites) {
        switch (c.kind) {
            case SpriteCall::kPlain: draw_sprite(bb, c.sprite, c.x, c.y); break;
            case SpriteCall::kAlpha:
                set_alpha_blender();
                draw_trans_sprite(bb, c.sprite, c.x, c.y);
                break;
            case SpriteCall::kAdd:
                set_add_blender(0, 0, 0, c.alpha);
                draw_trans_sprite(bb, c.sprite, c.x, c.y);
                break;
        }
    }
    if (!s.hudLine.empty()) textout_ex(bb, font, s.hudLine.c_str(), 5, 5, makecol(255, 255, 255), -1);
    for (int i = 0; i < s.turbo; ++i) draw_sprite(bb, w.getBitmap(GameData::kTurboSprite), 600, 8 * i);
    if (s.wonky) draw_sprite(bb, w.getBitmap(GameData::kWonkySprite), 600, 1);
    if (s.frozen) draw_sprite(bb, w.getBitmap(GameData::kFrozenSprite), 600, 1);
    if (!s.message.empty())
        textout_ex(bb, static_cast<FONT*>(w.getData(GameData::kMessageFont)), s.message.c_str(), 140, 200,
                   makecol(s.messageLevel, s.messageLevel, s.messageLevel), -1);
    blit(bb, frameTarget(), 0, 0, 0, 0, RaceView::kScreenWidth, RaceView::kScreenHeight);
}

// Runs the race on, update only, until the player's craft (on the computer
// driver here) has finished; false if it has not within `seconds` of game time.
bool raceToFinish(World& w, double seconds) {
    HoverCraft* p = w.getPlayer();
    const auto finished = [&w, p] { return p && w.recordOf(*p).finished; };
    for (int i = 0; p && !finished() && i < static_cast<int>(seconds / kStep); ++i) w.update(kStep);
    return finished();
}

size_t countWakes(const World& w) {
    size_t n = 0;
    for (GameObject* o : w.getObjects())
        if (dynamic_cast<Wake*>(o)) ++n;
    return n;
}

// The times of one track's frames, in ms, and what they showed.
struct FrameTimes {
    std::vector<double> pass, update, compose, copies, bare, guide, marks;
    // the frames that show wakes, the scene with the most blending
    std::vector<double> wakePass, wakeCopies, wakeBare;
    double wakesAlive = 0, drawn = 0, wakesDrawn = 0;
};

// Now and then, the parts of a pass over the frame on their own: the next
// gate and its arrow, the player's chevron and drift dots with the HUD line
// on its band, then an update and a frame (each one more step of the race).
void timeParts(Race& r, FrameTimes& t) {
    World& w = r.world;
    Stopwatch sg;
    View view = r.view.frameView();
    GateGuide::draw(w, *w.getPlayer(), view);
    t.guide.push_back(sg.ms());
    Stopwatch sm;
    CraftMarks::draw(*w.getPlayer(), view);
    Hud::drawHud(w, *w.getPlayer(), r.view.getBackBuffer());
    t.marks.push_back(sm.ms());
    Stopwatch su;
    w.update(kStep);
    t.update.push_back(su.ms());
    Stopwatch sd;
    drawFrame(r);
    t.compose.push_back(sd.ms());
}

// `frames` passes as the game loop runs them, each then against its two
// copies and against the bare library calls of its scene.
FrameTimes timeFrames(Race& r, int frames) {
    FrameTimes t;
    for (int i = 0; i < frames; ++i) {
        Stopwatch sp;
        gamePass(r);
        t.pass.push_back(sp.ms());
        const Scene scene = sceneOf(r);
        Stopwatch sc;
        twoCopies(r);
        t.copies.push_back(sc.ms());
        Stopwatch sb;
        bareCalls(r, scene);
        t.bare.push_back(sb.ms());
        if (i % 8 == 0) timeParts(r, t);
        if (scene.wakes > 0) {
            t.wakePass.push_back(t.pass.back());
            t.wakeCopies.push_back(t.copies.back());
            t.wakeBare.push_back(t.bare.back());
        }
        t.wakesAlive += static_cast<double>(countWakes(r.world));
        t.drawn += static_cast<double>(scene.sprites.size());
        t.wakesDrawn += scene.wakes;
    }
    return t;
}

void printFrames(const std::string& p, const FrameTimes& t, const World& w, int frames) {
    figure(p + ".pass", median(t.pass), "ms");
    figure(p + ".pass_p90", bench::quantile(t.pass, 0.9), "ms");
    figure(p + ".update", median(t.update), "ms");
    figure(p + (windowed ? ".draw" : ".compose"), median(t.compose), "ms");
    figure(p + ".two_copies", median(t.copies), "ms");
    figure(p + ".bare_calls", median(t.bare), "ms");
    figure(p + ".guide", median(t.guide), "ms");
    ratio(p + ".guide_vs_two_copies", median(t.guide) / median(t.copies));
    figure(p + ".marks_and_hud", median(t.marks), "ms");
    ratio(p + ".marks_and_hud_vs_two_copies", median(t.marks) / median(t.copies));
    figure(p + ".objects", static_cast<double>(w.getObjects().size()), "objects");
    figure(p + ".wakes_alive_mean", t.wakesAlive / frames, "wakes");
    figure(p + ".sprites_drawn_mean", t.drawn / frames, "sprites");
    figure(p + ".wakes_drawn_mean", t.wakesDrawn / frames, "wakes");
    figure(p + ".passes_per_second", 1000.0 / median(t.pass), "passes/s");
    ratio(p + ".pass_vs_two_copies", median(t.pass) / median(t.copies), windowed ? "<= 1.3" : nullptr);
    ratio(p + ".pass_vs_bare_calls", median(t.pass) / median(t.bare), windowed ? "~1.2" : nullptr);
    figure(p + ".frames_with_wakes", static_cast<double>(t.wakePass.size()), "frames");
    if (t.wakePass.empty()) return;
    figure(p + ".wake_frames.pass", median(t.wakePass), "ms");
    ratio(p + ".wake_frames.pass_vs_two_copies", median(t.wakePass) / median(t.wakeCopies),
          windowed ? "<= 1.3" : nullptr);
    ratio(p + ".wake_frames.pass_vs_bare_calls", median(t.wakePass) / median(t.wakeBare), windowed ? "~1.2" : nullptr);
}

// On to the player's finish: the same frames with the results panel over
// them; the passes and their copies join `allPass` and `allCopies`.
void timeResultsShown(Race& r, int frames, const std::string& p, std::vector<double>& allPass,
                      std::vector<double>& allCopies) {
    if (!raceToFinish(r.world, kFinishWithin)) {
        std::printf("%s.results_shown: the player's craft did not finish within %.0f s\n", p.c_str(), kFinishWithin);
        return;
    }
    std::vector<double> pass, copies, panel;
    ResultsPanel results;
    for (int i = 0; i < frames; ++i) {
        Stopwatch sp;
        gamePass(r);
        pass.push_back(sp.ms());
        if (i % 8 == 0) {
            Stopwatch sr;
            results.draw(r.world, r.view.getBackBuffer());
            panel.push_back(sr.ms());
        }
        Stopwatch sc;
        twoCopies(r);
        copies.push_back(sc.ms());
    }
    figure(p + ".results_shown.pass", median(pass), "ms");
    figure(p + ".results_shown.two_copies", median(copies), "ms");
    figure(p + ".results_shown.panel", median(panel), "ms");
    ratio(p + ".results_shown.panel_vs_two_copies", median(panel) / median(copies));
    ratio(p + ".results_shown.pass_vs_two_copies", median(pass) / median(copies), windowed ? "<= 1.3" : nullptr);
    allPass.insert(allPass.end(), pass.begin(), pass.end());
    allCopies.insert(allCopies.end(), copies.begin(), copies.end());
}

void benchFrame(int frames) {
    std::printf("# race frame (%s, 16 bits): update + draw of one pass, four craft on AI, %d frames a track,\n"
                "# then as many once the player's craft has finished, with the results panel showing\n",
                mode().c_str(), frames);
    std::vector<double> allPass, allCopies, allBare, allPanelPass, allPanelCopies;
    for (int t = 1; t <= kTracks; ++t) {
        Race r;
        loadRace(r, t);
        for (int i = 0; i < static_cast<int>(kWarmUpSeconds / kStep); ++i) gamePass(r);
        const FrameTimes times = timeFrames(r, frames);
        const std::string p = "frame." + mode() + ".track" + std::to_string(t);
        printFrames(p, times, r.world, frames);
        timeResultsShown(r, frames, p, allPanelPass, allPanelCopies);
        allPass.insert(allPass.end(), times.pass.begin(), times.pass.end());
        allCopies.insert(allCopies.end(), times.copies.begin(), times.copies.end());
        allBare.insert(allBare.end(), times.bare.begin(), times.bare.end());
    }
    const std::string p = "frame." + mode() + ".all";
    figure(p + ".pass", median(allPass), "ms");
    figure(p + ".two_copies", median(allCopies), "ms");
    figure(p + ".bare_calls", median(allBare), "ms");
    ratio(p + ".pass_vs_two_copies", median(allPass) / median(allCopies), windowed ? "<= 1.3" : nullptr);
    ratio(p + ".pass_vs_bare_calls", median(allPass) / median(allBare), windowed ? "~1.2" : nullptr);
    if (!allPanelPass.empty()) {
        figure(p + ".results_shown.pass", median(allPanelPass), "ms");
        ratio(p + ".results_shown.pass_vs_two_copies", median(allPanelPass) / median(allPanelCopies),
              windowed ? "<= 1.3" : nullptr);
    }
}

// The map render against its polygon3d_f calls alone: the same 129,032
// triangles with their projected corners and colours worked out beforehand.
void benchTerrain(int repeats) {
    std::printf("# map render (%s, 16 bits): renderMap against its bare polygon3d_f calls, %d runs\n",
                mode().c_str(), repeats);
    for (int t = 1; t <= kTracks; ++t) {
        Race r;
        loadRace(r, t);
        Terrain& terrain = r.world.getTerrain();
        View& view = r.view.getMapView();
        BITMAP* map = r.view.getMapBitmap();

        std::vector<V3D_f> corners;
        const int n = Terrain::GRID_SIZE;
        corners.reserve(static_cast<size_t>(2 * 3 * (n - 2) * (n - 2)));
        const auto corner = [&](int i, int j) {
            const Vector2 q = project(view, terrain.vertexAt(i, j));
            corners.push_back({static_cast<float>(q.x), static_cast<float>(q.y), 0, 0, 0, terrain.shade(i, j)});
        };
        for (int a = n - 2; a >= 1; --a) {
            for (int b = 1; b <= n - 2; ++b) {
                corner(a, b); corner(a, b - 1); corner(a - 1, b);
                corner(a - 1, b - 1); corner(a - 1, b); corner(a, b - 1);
            }
        }
        std::vector<double> full, bare;
        for (int r = 0; r < repeats; ++r) {
            clear_to_color(map, 0);
            Stopwatch sf;
            terrain.renderMap(view);
            full.push_back(sf.ms());
            clear_to_color(map, 0);
            Stopwatch sb;
            for (size_t i = 0; i < corners.size(); i += 3) {
                V3D_f* v[3] = {&corners[i], &corners[i + 1], &corners[i + 2]};
                polygon3d_f(map, POLYTYPE_GCOL, nullptr, 3, v);
            }
            bare.push_back(sb.ms());
        }
        const std::string p = "terrain." + mode() + ".track" + std::to_string(t);
        figure(p + ".triangles", static_cast<double>(corners.size() / 3), "triangles");
        figure(p + ".render_map", median(full), "ms");
        figure(p + ".bare_polygon3d_f", median(bare), "ms");
        ratio(p + ".render_vs_bare", median(full) / median(bare));
    }
}

void benchLoad(int repeats) {
    std::printf("# track loading (%s, 16 bits): loadTrack and the preview, %d runs each\n", mode().c_str(), repeats);
    Race r;
    {
        QuietOutput quiet;
        r.world.loadData();  // data.dat once, as the preview before a race has it loaded already
    }
    for (int t = 1; t <= kTracks; ++t) {
        std::vector<double> load, preview, render;
        for (int k = 0; k < repeats; ++k) {
            {
                QuietOutput quiet;
                Stopwatch sp;
                Preview::render(r.world, r.view, t);
                preview.push_back(sp.ms());
                Stopwatch sl;
                ::loadRace(r.world, r.view, t);
                load.push_back(sl.ms());
            }
            clear_to_color(r.view.getMapBitmap(), 0);
            Stopwatch sr;
            r.world.getTerrain().renderMap(r.view.getMapView());
            render.push_back(sr.ms());
        }
        const std::string p = "load." + mode() + ".track" + std::to_string(t);
        figure(p + ".load_track", median(load), "ms");
        figure(p + ".load_track_max", bench::quantile(load, 1.0), "ms");
        figure(p + ".render_preview", median(preview), "ms");
        figure(p + ".of_which_render_map", median(render), "ms");
        ratio(p + ".load_track_vs_500ms", median(load) / 500.0, "< 1");
    }
}

// Update (and frame) cost with n extra objects spread over the track area:
// nine in ten scenery, one in ten powerups, at fixed random places.
void benchScale(int steps) {
    std::printf("# update as objects grow (%s, 16 bits): track 1 plus n objects, %d steps each\n", mode().c_str(),
                steps);
    double firstPerObject = 0.0, lastUpdate = 0.0, lastCount = 0.0, firstMarginal = 0.0;
    int lastSize = 0;
    for (int n : kScaleSizes) {
        Race r;
        World& w = r.world;
        loadRace(r, 1);
        std::mt19937 random(12345);
        std::uniform_real_distribution<double> place(0.0, HoverCraft::kTrackSize);
        for (int i = 0; i < n; ++i) {
            GameObject* o = i % 10 == 9 ? static_cast<GameObject*>(new Powerup(&w, 1 + i % 4))
                                        : static_cast<GameObject*>(new StaticObject(&w, i % StaticObject::kKindCount));
            o->setPosition(Vector3(place(random), place(random), 0.0));
            w.addObject(o);
        }
        for (int i = 0; i < 60; ++i) gamePass(r);
        std::vector<double> update, compose;
        for (int i = 0; i < steps; ++i) {
            Stopwatch su;
            w.update(kStep);
            update.push_back(su.ms());
            Stopwatch sd;
            r.view.compose();
            compose.push_back(sd.ms());
        }
        const double count = static_cast<double>(w.getObjects().size());
        const double u = median(update);
        const double perObject = u * 1000.0 / count;
        if (firstPerObject == 0.0) firstPerObject = perObject;
        const std::string p = "scale." + mode() + ".n" + std::to_string(n);
        figure(p + ".objects", count, "objects");
        figure(p + ".update", u, "ms");
        figure(p + ".update_per_object", perObject, "us");
        figure(p + ".compose", median(compose), "ms");
        figure(p + ".compose_per_object", median(compose) * 1000.0 / count, "us");
        ratio(p + ".per_object_vs_n100", perObject / firstPerObject, "<= ~1 when linear");
        if (lastSize) {
            ratio(p + ".update_vs_previous_size", u / lastUpdate, "<= ~10 for 10x the objects");
            // the cost of each object added since the previous size: flat when linear
            const double marginal = (u - lastUpdate) * 1000.0 / (count - lastCount);
            if (firstMarginal == 0.0) firstMarginal = marginal;
            figure(p + ".update_per_added_object", marginal, "us");
            ratio(p + ".added_object_cost_vs_first_step", marginal / firstMarginal, "~1 when linear");
        }
        lastUpdate = u;
        lastCount = count;
        lastSize = n;
    }
}

double cpuSeconds() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1.0e6; };
    return seconds(r.ru_utime) + seconds(r.ru_stime);
}

// A gap this long between two of the watcher's naps is a stop of the whole
// process, not a busy machine.
constexpr double kStopGap = 1.0;
constexpr int kWatcherNapMs = 20;

// The race loop as the game runs it: World::run on track 1 in the window,
// all four craft on the computer driver, ended after `seconds` of wall clock
// through the window's close button, pressed from a thread of our own as the
// library presses it from its. CPU time is the whole process's, the library's
// threads included. A watcher thread naps 20 ms at a time: a stop of the
// process from outside shows as the longest gap between its naps, less half a
// nap (the stop began somewhere in a nap: within 10 ms).
void benchLoop(double seconds) {
    std::printf("# race loop (%s, %d bits, frames shown at %dx): World::run on track 1, four craft on AI, %.0f s of "
                "wall clock\n",
                mode().c_str(), bitmap_color_depth(screen), windowScale, seconds);
    Race r;
    World& w = r.world;
    loadRace(r, 1);
    EndRequest::clear();
    std::atomic<bool> over{false};
    double longestGap = 0.0;
    std::thread watcher([&] {
        const Stopwatch since;
        double last = 0.0;
        while (!over) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kWatcherNapMs));
            const double now = since.ms() / 1000.0;
            longestGap = std::max(longestGap, now - last);
            last = now;
            if (now >= seconds) EndRequest::closeButton();
        }
    });
    const double cpu0 = cpuSeconds();
    const int clock0 = w.getRaceTime(), frames0 = r.view.getFramesComposed();
    const Stopwatch wall;
    RaceLoop::run(w, r.view, RaceLoop::Options());
    const double wallSeconds = wall.ms() / 1000.0;
    const double cpu = cpuSeconds() - cpu0;
    over = true;
    watcher.join();
    const double race = (w.getRaceTime() - clock0) / 1000.0;
    const double stop = longestGap >= kStopGap ? longestGap - kWatcherNapMs / 2000.0 : 0.0;
    // the first second of a run stands still by design; a stop is not play
    const double played = wallSeconds - FrameTimer::kStartDelay - stop;
    const double running = wallSeconds - stop;
    const std::string scaled = windowScale > 1 ? ".x" + std::to_string(windowScale) : "";
    const std::string p = "loop." + mode() + scaled + (stop > 0.0 ? ".stopped" : "");
    figure(p + ".wall", wallSeconds, "s");
    if (stop > 0.0) figure(p + ".stop", stop, "s");
    figure(p + ".passes_per_second", (r.view.getFramesComposed() - frames0) / running, "passes/s");
    figure(p + ".cpu", cpu, "s");
    std::printf("%s.cpu_share: %.2f %% of one core (target <= %s %%)\n", p.c_str(), 100.0 * cpu / running,
                windowScale > 1 ? "15" : "5");
    figure(p + ".race_clock", race, "s");
    figure(p + ".wall_less_first_second" + (stop > 0.0 ? "_and_stop" : ""), played, "s");
    ratio(p + ".race_clock_vs_wall", race / played, "0.98 to 1.02");
    if (stop > 0.0) std::printf("%s.game_time_the_stop_added: %.3f s (target <= 0.2 s)\n", p.c_str(), race - played);
}

int usage() {
    std::fprintf(stderr,
                 "usage: hover-bench [frame|terrain|load|scale|all] [--window] [--frames N]\n"
                 "       hover-bench loop --window [--seconds S] [--frame-scale N]\n"
                 "       hover-bench check [--gates N]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string what = "all";
    int frames = 12000;
    double seconds = 30.0;
    int gates = 50000;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--window")) windowed = true;
        else if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) frames = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc) seconds = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--gates") && i + 1 < argc) gates = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--frame-scale") && i + 1 < argc) windowScale = std::atoi(argv[++i]);
        else if (argv[i][0] != '-') what = argv[i];
        else return usage();
    }
    if (frames < 1 || gates < 1 || !(seconds > 0.0) || (what == "loop" && !windowed) || windowScale < 1)
        return usage();
    if (install_allegro(windowed ? SYSTEM_AUTODETECT : SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "Cannot start the library\n");
        return 1;
    }
    set_color_depth(16);
    if (windowed) {
        // the race loop's window is the game's own, of the scale asked for
        const bool set = what == "loop" ? setGraphicsMode(false, windowScale)
                                        : set_gfx_mode(GFX_AUTODETECT_WINDOWED, RaceView::kScreenWidth,
                                                       RaceView::kScreenHeight, 0, 0) == 0;
        if (!set) {
            std::fprintf(stderr, "Cannot set gfx mode: %s\n", allegro_error);
            return 1;
        }
        std::printf("# window: %s, depth %d\n", gfx_driver ? gfx_driver->name : "?", bitmap_color_depth(screen));
        // the race loop gets what the game installs: its keyboard, mouse, timer and sound
        if (what == "loop") {
            install_timer();
            install_mouse();
            install_keyboard();
            install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, "");
        }
    } else {
        fakeScreen = create_bitmap(RaceView::kScreenWidth, RaceView::kScreenHeight);
    }
    try {
        const bool all = what == "all";
        if (all || what == "frame") benchFrame(frames);
        if (all || what == "terrain") benchTerrain(5);
        if (all || what == "load") benchLoad(5);
        if (all || what == "scale") benchScale(600);
        if (what == "loop") benchLoop(seconds);
        if (what == "check") bench::benchCheck(gates);
        if (!all && what != "frame" && what != "terrain" && what != "load" && what != "scale" && what != "loop" &&
            what != "check")
            return usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    if (fakeScreen) destroy_bitmap(fakeScreen);
    return 0;
}
END_OF_MAIN()
