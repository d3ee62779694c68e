#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

// Headless Allegro for every test: no display, memory bitmaps, key[] written by the tests.
// The tests run in the game folder (data.dat, tracks.dat, tracks/) from wherever
// they are started; HOVER_GAME_DIR names another one.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const char* gameDir = std::getenv("HOVER_GAME_DIR");
    if (!gameDir || !*gameDir) gameDir = HOVER_GAME_DIR;
    if (chdir(gameDir) != 0) std::fprintf(stderr, "cannot enter the game folder %s\n", gameDir);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    set_color_depth(32);
    return RUN_ALL_TESTS();
}
END_OF_MAIN()
