#include "CheckBench.h"

#include <allegro.h>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "check/TrackCheck.h"
#include "math/Angles.h"
#include "terrain/Terrain.h"
#include "world/World.h"

namespace bench {

namespace {

constexpr int kGroundHeight = 10;
constexpr double kCentre = 1536.0;
constexpr double kLoopRadius = 1000.0;

// A circle of gates, each facing the way round, with a waypoint on every
// gate: the densest loop a file can hold, every craft inside hundreds of
// gates and waypoints at once.
std::string denseLoop(int gates) {
    std::ostringstream text;
    for (int k = 0; k < gates; ++k) {
        const double a = 2.0 * kPi * k / gates;
        text << "C " << kCentre + kLoopRadius * std::cos(a) << ' ' << kCentre + kLoopRadius * std::sin(a) << " 10 40 "
             << k << ' ' << 270 - a * 180.0 / kPi << '\n';
    }
    for (int k = 0; k < gates; ++k) {
        const double a = 2.0 * kPi * k / gates;
        text << "W " << kCentre + kLoopRadius * std::cos(a) << ' ' << kCentre + kLoopRadius * std::sin(a) << " 10 "
             << k << '\n';
    }
    text << "E\n";
    return text.str();
}

}  // namespace

void benchCheck(int gates) {
    std::printf("# track check: a loop of %d gates and %d waypoints on flat land, layout and race\n", gates, gates);
    const std::vector<unsigned char> heights(Terrain::kHeightmapBytes, kGroundHeight);
    BITMAP* texture = create_bitmap(Terrain::GRID_SIZE, Terrain::GRID_SIZE);
    clear_to_color(texture, makecol(60, 160, 60));
    {
        const Stopwatch whole;
        TrackCheck check([&](Terrain& t) { t.setGround(heights.data(), texture); }, denseLoop(gates));
        std::ostringstream sink;
        std::streambuf* old = std::cout.rdbuf(sink.rdbuf());
        const Stopwatch layout;
        check.prepare();
        const double layoutMs = layout.ms();
        std::cout.rdbuf(old);
        // each call races one step; the first lines up the grid
        std::vector<double> steps;
        const Stopwatch race;
        check.step(0.0);
        while (!check.isDone()) {
            const Stopwatch one;
            check.step(0.0);
            steps.push_back(one.ms());
        }
        const double raceSeconds = race.ms() / 1000.0;
        const double wholeSeconds = whole.ms() / 1000.0;
        const std::string p = "check.n" + std::to_string(gates);
        std::printf("%s.layout: %.1f ms\n", p.c_str(), layoutMs);
        std::printf("%s.race_steps: %zu steps\n", p.c_str(), steps.size());
        std::printf("%s.race_game_time: %s\n", p.c_str(), TrackCheck::formatTime(check.getRaceTime()).c_str());
        std::printf("%s.race_wall: %.2f s\n", p.c_str(), raceSeconds);
        std::printf("%s.steps_per_second: %.0f steps/s\n", p.c_str(), steps.size() / raceSeconds);
        std::printf("%s.step_median: %.4f ms\n", p.c_str(), median(steps));
        std::printf("%s.step_p90: %.4f ms\n", p.c_str(), quantile(steps, 0.9));
        std::printf("%s.pair_tests_per_step: %.0f\n", p.c_str(),
                    static_cast<double>(check.getWorld()->getPairTests()) / (steps.size() + 1));
        std::printf("%s.whole_check: %.2f s (target: seconds)\n", p.c_str(), wholeSeconds);
        std::printf("%s.verdict: %s\n", p.c_str(), check.verdict().c_str());
    }
    destroy_bitmap(texture);
}

}  // namespace bench
