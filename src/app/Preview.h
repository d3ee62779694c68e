#pragma once

struct BITMAP;
class RaceView;
class World;

// What the player sees before a race or an editor run, straight on the
// screen: a line on green while something takes a moment, then the track's
// whole map shrunk to the window with its objects, a title and a prompt,
// until a key is pressed.
class Preview {
public:
    static constexpr const char* kRenderingText = "Please wait... rendering map";
    static constexpr const char* kGeneratingText = "Generating preview";
    static constexpr int kTitleX = 10;
    static constexpr int kTitleY = 10;
    // the prompt, in the black rows under the reduced map
    static constexpr int kPromptY = 396;

    // White text on a green screen; nothing without a screen (tests, tools).
    static void showStatus(const char* text);
    // Loads track `track` into `world` and shows its map through `view`.
    static void render(World& world, RaceView& view, int track);
    // render(), then waits for a key; false when the window's close button
    // ended the wait.
    static bool show(World& world, RaceView& view, int track);
    // The preview's title over the black corner of the reduced map, and under
    // the map "Ready?" and the key to press.
    static void drawTexts(BITMAP* target);
};
