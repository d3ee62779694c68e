#include "app/CommandLine.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

int parseTrackNumber(const char* text) {
    errno = 0;
    long long v = std::strtoll(text, nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (arg[0] == 'f') line.fullScreen = true;
        if (arg[0] == 'e') line.editor = true;
        // a new track is only ever made in the editor
        if (arg[0] == 'n') line.newTrack = line.editor = true;
        // atoi gives 0 for a word beginning with x: a scale never changes the track
        if (arg[0] == 'x' && parseTrackNumber(arg + 1) > 0) line.scale = parseTrackNumber(arg + 1);
        int n = parseTrackNumber(arg);
        if (n != 0) line.track = n;
    }
    return line;
}
