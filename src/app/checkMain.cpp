// hover-check N [FILE]: checks the track FILE (tracks/trackN.txt when none is
// given) on the ground of track N and races the four computer drivers on it,
// without a window, then a series of seeded races with the player's place in
// turn raced, idle and driven faster. Exit status: 0 when the report names no
// problem and every driver finishes every race (warnings allowed), 1 when it
// names any problem, 2 when the check itself cannot run (arguments, a file
// that is not a readable track file, damaged content).
#include <allegro.h>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "check/TrackJudge.h"
#include "track/TrackFile.h"

namespace {

constexpr int kPassed = 0;
constexpr int kProblems = 1;
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
    if (argc < 2 || argc > 3 || !parseNumber(argv[1], track)) {
        std::cerr << "Usage: hover-check N [FILE]" << std::endl;
        std::cerr << "  checks the track file FILE on the ground of track N (1 to 3) of tracks.dat;" << std::endl;
        std::cerr << "  without FILE, the track's own file tracks/trackN.txt" << std::endl;
        return kCannotCheck;
    }
    const std::string path = argc == 3 ? argv[2] : "tracks/track" + std::to_string(track) + ".txt";
    std::string text;
    TrackFile::Failure why;
    if (!TrackFile::load(path, text, &why)) {
        std::cerr << "Cannot read track file " << path << ": " << TrackFile::reason(why.error) << std::endl;
        return kCannotCheck;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::cerr << "Cannot start Allegro" << std::endl;
        return kCannotCheck;
    }
    set_color_depth(32);
    try {
        std::cout << "Checking " << path << " on the ground of track " << track << std::endl;
        TrackJudge judge(TrackCheck::trackGround(track), text);
        judge.run();
        judge.report(std::cout);
        std::cout.flush();
        return judge.passed() ? kPassed : kProblems;
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << e.what() << std::endl;
        return kCannotCheck;
    }
}
END_OF_MAIN()
