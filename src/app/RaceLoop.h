#pragma once
#include "editor/EditorCursor.h"
#include "world/Texts.h"

class RaceView;
class World;

// The race or editor loop, as the player lives it: at most 60 passes a
// second, each taking the steps of the World the wall clock calls for, then
// composing a frame through the view and showing it, until Escape or the
// window's close button; an editor run leaves when its cursor says so, after
// the author's work is safe.
class RaceLoop {
public:
    struct Options {
        // The race music plays (the editor and its test drive are silent).
        bool music = true;
        // The message the run opens with: text `id` of the language's table.
        int openingText = kTextGo;
    };

    static void run(World& world, RaceView& view, const Options& options, EditorCursor* editor = nullptr);
    // The editor's pass, told what the shell was asked from outside; a close
    // button the editor could not save for is forgotten.
    static EditorCursor::AfterPass editorPass(EditorCursor& editor);
};
