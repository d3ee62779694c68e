#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>

// Headless Allegro for every test: no display, memory bitmaps, key[] written by the tests.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    set_color_depth(32);
    return RUN_ALL_TESTS();
}
END_OF_MAIN()
