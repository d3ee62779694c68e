// hover-check N FILE: checks the track FILE on the ground of track N and races
// the four computer drivers on it, without a window, then a series of seeded
// races with the player's place in turn raced, idle and driven faster. Exit
// status: 0 when every computer driver finishes three laps in every race, 1
// when the track cannot be raced, 2 when the check itself cannot run
// (arguments, files).
#include <allegro.h>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "track/RaceSeries.h"
#include "track/TrackCheck.h"

namespace {

constexpr int kRaceable = 0;
constexpr int kNotRaceable = 1;
constexpr int kCannotCheck = 2;

// A whole decimal number and nothing else.
bool parseNumber(const char* text, int& value) {
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE || n < -2147483647L || n > 2147483647L) return false;
    value = static_cast<int>(n);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int track = 0;
    if (argc != 3 || !parseNumber(argv[1], track)) {
        std::cerr << "Usage: hover-check N FILE" << std::endl;
        std::cerr << "  checks the track file FILE on the ground of track N (1 to 3) of tracks.dat" << std::endl;
        return kCannotCheck;
    }
    const std::string path = argv[2];
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    if (!in) {
        std::cerr << "Cannot read track file " << path << std::endl;
        return kCannotCheck;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::cerr << "Cannot start Allegro" << std::endl;
        return kCannotCheck;
    }
    set_color_depth(32);
    try {
        std::cout << "Checking " << path << " on the ground of track " << track << std::endl;
        TrackCheck check(TrackCheck::trackGround(track), text.str());
        check.run();
        check.report(std::cout);
        if (!check.isRaceable()) return kNotRaceable;
        RaceSeries series(TrackCheck::trackGround(track), text.str());
        series.run();
        series.report(std::cout);
        std::cout.flush();
        return series.computersFinished() ? kRaceable : kNotRaceable;
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << e.what() << std::endl;
        return kCannotCheck;
    }
}
END_OF_MAIN()
