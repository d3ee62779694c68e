#pragma once
#include <string>

// One thing the track check found wrong, with the record line it lies on in
// the track text (0 when no one record is to blame) and what to do about it.
struct TrackProblem {
    int line = 0;
    std::string text;

    std::string describe() const { return line > 0 ? "line " + std::to_string(line) + ": " + text : text; }
};
