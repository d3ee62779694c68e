#pragma once

// What the command line asks for: an argument beginning with f gives full
// screen, one beginning with e the editor, a number the editor's track, one
// beginning with n the editor on that track's ground with no objects (a new
// track), and x with a number the scale the 640 x 480 frame is shown at (x2:
// twice as wide and high).
struct CommandLine {
    bool fullScreen = false;
    bool editor = false;
    bool newTrack = false;
    int track = 1;
    // 0: the largest that fits the screen
    int scale = 0;
};

// Every argument gets all three tests, so "fe" is both; the last number wins.
// Numbers are read like atoi (leading blanks and sign, digits up to the first
// other character) but saturated to int instead of overflowing.
CommandLine parseCommandLine(int argc, const char* const* argv);

// The leading number of a text as atoi reads it, saturated to the int range.
int parseTrackNumber(const char* text);
