// hover-check N [FILE]: checks the track FILE (tracks/trackN.txt when none is
// given) on the ground of track N and races the four computer drivers on it,
// without a window, then a series of seeded races with the player's place in
// turn raced, idle and driven faster. Exit status: 0 when every computer
// driver finishes three laps in every race, 1 when the track cannot be raced,
// 2 when the check itself cannot run (arguments, files).
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "track/RaceSeries.h"
#include "track/TrackCheck.h"
#include "world/World.h"

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

// The whole file; false when it cannot be opened or read (a folder, no
// permission, a failing disk), which an empty file is not.
bool readFile(const std::string& path, std::string& text) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char chunk[1 << 14];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    int track = 0;
    if (argc < 2 || argc > 3 || !parseNumber(argv[1], track)) {
        std::cerr << "Usage: hover-check N [FILE]" << std::endl;
        std::cerr << "  checks the track file FILE on the ground of track N (1 to 3) of tracks.dat;" << std::endl;
        std::cerr << "  without FILE, the track's own file tracks/trackN.txt" << std::endl;
        return kCannotCheck;
    }
    const std::string path = argc == 3 ? argv[2] : "tracks/track" + std::to_string(track) + ".txt";
    std::string text;
    if (!readFile(path, text)) {
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
        TrackCheck check(TrackCheck::trackGround(track), text);
        check.run();
        check.report(std::cout);
        if (!check.isRaceable()) return kNotRaceable;
        const std::size_t objects = check.getWorld()->getObjects().size();
        if (objects > RaceSeries::kMostObjects) {
            std::cout << "Series: left out, " << objects << " objects are more than " << RaceSeries::kMostObjects
                      << " (forty races would take minutes); the race above is the check" << std::endl;
            return kRaceable;
        }
        RaceSeries series(TrackCheck::trackGround(track), text);
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
