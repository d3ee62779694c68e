#include "app/RaceLoop.h"

#include <allegro.h>

#include <chrono>
#include <thread>

#include "app/EndRequest.h"
#include "app/FinalSave.h"
#include "app/FrameTimer.h"
#include "app/KeyPress.h"
#include "app/ScaledScreen.h"
#include "control/Gamepad.h"
#include "editor/EditorCursor.h"
#include "view/RaceView.h"
#include "world/World.h"

namespace {

using Clock = std::chrono::steady_clock;

// The keys a pass reads before its steps: Pause, and P (an ordinary key, for
// the keyboards that have no Pause) and the pad's start button, each of whose
// presses pauses or resumes; one held as the loop begins is no press.
class PauseKeys {
public:
    void read(FrameTimer& timer) {
        Gamepad::poll();
        timer.pauseKey(key[KEY_PAUSE]);
        if (pKey.pressed(key[KEY_P])) timer.pausePressed();
        if (padStart.pressed(Gamepad::pauseHeld())) timer.pausePressed();
    }

private:
    KeyPress pKey{key[KEY_P] != 0};
    KeyPress padStart{true};
};

// What the editor, or a race's Escape and close button, asks after a pass.
EditorCursor::AfterPass afterPass(EditorCursor* editor) {
    // the editor leaves only once the author's work is safe, and may have
    // been away on a test drive
    if (editor) return RaceLoop::editorPass(*editor);
    return key[KEY_ESC] || EndRequest::requested() ? EditorCursor::AfterPass::Leave : EditorCursor::AfterPass::Stay;
}

}  // namespace

EditorCursor::AfterPass RaceLoop::editorPass(EditorCursor& editor) {
    using Asked = EditorCursor::EndAsked;
    const Asked asked = EndRequest::isForced() ? Asked::Forced
                        : EndRequest::requested() ? Asked::CloseButton
                                                  : Asked::No;
    const EditorCursor::AfterPass next = editor.afterPass(asked);
    // the save failed and the editor stays: the button is forgotten, while
    // a signal that came since still stands
    if (asked == Asked::CloseButton && next != EditorCursor::AfterPass::Leave) EndRequest::withdrawCloseButton();
    return next;
}

void RaceLoop::run(World& world, RaceView& view, const Options& options, EditorCursor* editor) {
    const Clock::time_point origin = Clock::now();
    const auto seconds = [origin] { return std::chrono::duration<double>(Clock::now() - origin).count(); };
    FrameTimer timer;
    // a forced end saves the editor's work once: in the loop, or in the last
    // moments of a display that went away while the loop could not go on
    FinalSave::Armed lastSave([editor] {
        if (editor) editor->saveNow();
    });
    world.showMessage(gameText(options.openingText));
    if (options.music) play_midi(static_cast<MIDI*>(world.getData(GameData::kRaceMusic)), 0);
    timer.start(seconds(), key[KEY_PAUSE], key[KEY_SPACE]);
    PauseKeys pauseKeys;
    for (;;) {
        pauseKeys.read(timer);
        for (int n = timer.stepsDue(seconds()); n > 0; --n) world.update(World::kStep);
        timer.spaceKey(key[KEY_SPACE]);
        view.setPaused(timer.isPaused());
        view.compose();
        ScaledScreen::show(view.getBackBuffer());
        // the display's last moments made the save: nothing is left to do
        if (EndRequest::isForced() && !lastSave.claim()) break;
        const EditorCursor::AfterPass after = afterPass(editor);
        if (after == EditorCursor::AfterPass::Leave) break;
        if (after == EditorCursor::AfterPass::Restart) timer.start(seconds(), key[KEY_PAUSE], key[KEY_SPACE]);
        // a pass costs a fraction of a millisecond: the rest of the sixtieth is the machine's
        const std::chrono::duration<double> next(timer.nextPass(seconds()));
        std::this_thread::sleep_until(origin + std::chrono::duration_cast<Clock::duration>(next));
    }
    stop_midi();
}
