#pragma once
// What every fuzz target starts with: headless Allegro at 32 bits, working in
// a fresh folder of its own, which goes at exit with the datafiles written
// there.
#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzscratch {

inline std::string& folder() {
    static std::string path;
    return path;
}

inline void removeFolder() {
    for (const char* name : {"/data.dat", "/tracks.dat"}) std::remove((folder() + name).c_str());
    rmdir(folder().c_str());
}

inline void start() {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) std::abort();
    set_color_depth(32);
    char pattern[] = "/tmp/hover-fuzz-XXXXXX";
    if (!mkdtemp(pattern) || chdir(pattern) != 0) std::abort();
    folder() = pattern;
    std::atexit(removeFolder);
}

}  // namespace fuzzscratch
