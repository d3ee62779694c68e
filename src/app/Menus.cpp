#include "app/Menus.h"

#include <allegro.h>

#include "app/EndRequest.h"
#include "app/KeyWait.h"
#include "app/ScaledScreen.h"
#include "app/WindowFit.h"
#include "control/Gamepad.h"
#include "world/Texts.h"

FONT* dialogFont = nullptr;

namespace {

const char* const kLanguageTitle = "Language/ Langue etc";
const char* const kQuit = "Quit";
// How long the dialog loop rests between two looks at the input, in milliseconds.
constexpr int kDialogRest = 5;

// Seven records of one layout: a clear, a title box, its text, three choices
// and a quit button; the choices' d2 are 0, 1, 2 and quit's is -1.
void buildDialog(DIALOG* d, const char* title, const char* b1, const char* b2, const char* b3) {
    const DIALOG layout[kDialogRecords] = {
        {d_clear_proc, 0, 0, 640, 480, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
        {d_box_proc, 0, 0, 640, 120, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
        {d_text_proc, 8, 8, 624, 104, 0, 0, 0, 0, 0, 0, const_cast<char*>(title), nullptr, nullptr},
        {d_button_proc, 8, 200, 400, 76, 0, 0, 0, D_EXIT, 0, 0, const_cast<char*>(b1), nullptr, nullptr},
        {d_button_proc, 8, 280, 400, 76, 0, 0, 0, D_EXIT, 0, 1, const_cast<char*>(b2), nullptr, nullptr},
        {d_button_proc, 8, 360, 400, 76, 0, 0, 0, D_EXIT, 0, 2, const_cast<char*>(b3), nullptr, nullptr},
        {d_button_proc, 8, 450, 400, 25, 0, 0, 0, D_EXIT, 0, -1, const_cast<char*>(kQuit), nullptr, nullptr},
        {nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    };
    for (int i = 0; i < kDialogRecords; ++i) d[i] = layout[i];
}

// While a dialog is shown enlarged, the library's GUI draws it on the
// 640 x 480 canvas, each object's drawing reaching the screen as soon as it
// is done, and reads the mouse in the canvas's pixels.
class EnlargedDialog {
public:
    explicit EnlargedDialog(DIALOG* dialog) : dialog(dialog) {
        if (!ScaledScreen::isScaled()) return;
        shown = dialog;
        for (int i = 0; dialog[i].proc; ++i) {
            drawnBy[i] = dialog[i].proc;
            dialog[i].proc = drawAndShow;
        }
        gui_set_screen(ScaledScreen::canvas());
        oldMouseX = gui_mouse_x;
        oldMouseY = gui_mouse_y;
        gui_mouse_x = frameMouseX;
        gui_mouse_y = frameMouseY;
    }
    ~EnlargedDialog() {
        if (shown != dialog) return;
        for (int i = 0; dialog[i].proc; ++i) dialog[i].proc = drawnBy[i];
        gui_set_screen(nullptr);
        gui_mouse_x = oldMouseX;
        gui_mouse_y = oldMouseY;
        shown = nullptr;
    }
    EnlargedDialog(const EnlargedDialog&) = delete;
    EnlargedDialog& operator=(const EnlargedDialog&) = delete;

    static int frameMouseX() { return WindowFit::toFrame(mouse_x, ScaledScreen::left(), ScaledScreen::scale()); }
    static int frameMouseY() { return WindowFit::toFrame(mouse_y, ScaledScreen::top(), ScaledScreen::scale()); }

private:
    static int drawAndShow(int msg, DIALOG* d, int c) {
        const int result = drawnBy[d - shown](msg, d, c);
        if (msg == MSG_DRAW) ScaledScreen::show(ScaledScreen::canvas(), d->x, d->y, d->w, d->h);
        return result;
    }

    DIALOG* dialog;
    int (*oldMouseX)() = nullptr;
    int (*oldMouseY)() = nullptr;
    static inline DIALOG* shown = nullptr;
    static inline DIALOG_PROC drawnBy[kDialogRecords] = {};
};

// The pad's cross moves the focus as the arrow keys do; the library's dialog
// reads the pad's first stick and its first two buttons (as Space) itself.
class CrossKeys {
public:
    void feed() {
        const Gamepad::Cross now = Gamepad::cross();
        for (int scancode : Gamepad::arrowsPressed(was, now)) simulate_keypress(scancode << 8);
        was = now;
    }

private:
    // pressed before the dialog showed: no press
    Gamepad::Cross was = Gamepad::cross();
};

// The library's dialog loop, with the manners of the game's other screens:
// the dialog shows at once but reads no key before every key is let go (the
// one that ended the previous screen may still be held), the loop rests
// between looks at the input instead of spinning, and the window's close
// button quits it as Escape does.
int runDialog(DIALOG* dialog) {
    if (EndRequest::requested()) return -1;
    EnlargedDialog enlarged(dialog);
    show_mouse(screen);
    for (DIALOG* d = dialog; d->proc; ++d) object_message(d, MSG_DRAW, 0);
    KeyWait::untilReleased();
    DIALOG_PLAYER* player = init_dialog(dialog, kFirstButton);
    CrossKeys cross;
    while (update_dialog(player) && !EndRequest::requested()) {
        cross.feed();
        rest(kDialogRest);
    }
    const int result = shutdown_dialog(player);
    show_mouse(nullptr);
    return EndRequest::requested() ? -1 : result;
}

}  // namespace

void saveDialogFont() { dialogFont = font; }

void styleDialog(DIALOG* dialog) {
    for (DIALOG* d = dialog; d->proc; ++d) {
        d->fg = makecol(255, 255, 255);
        d->bg = makecol(0, 80, 0);
        d->dp2 = dialogFont;
    }
}

void buildLanguageDialog(DIALOG* dialog) {
    buildDialog(dialog, kLanguageTitle, languages[0].name, languages[1].name, languages[2].name);
}

void buildTrackDialog(DIALOG* dialog, const char* const* texts) {
    buildDialog(dialog, texts[kTextTrackTitle], texts[kTextTrack1], texts[kTextTrack2], texts[kTextTrack3]);
}

int languageForResult(int result) {
    return result >= kFirstButton && result < kFirstButton + kLanguageCount ? result - kFirstButton : -1;
}

int trackForResult(int result) {
    return result >= kFirstButton && result < kFirstButton + 3 ? result - kFirstButton + 1 : 0;
}

bool chooseLanguage() {
    DIALOG dialog[kDialogRecords];
    buildLanguageDialog(dialog);
    styleDialog(dialog);
    int language = languageForResult(runDialog(dialog));
    if (language < 0) return false;
    currentTexts = languages[language].texts;
    return true;
}

int chooseTrack() {
    DIALOG dialog[kDialogRecords];
    buildTrackDialog(dialog, currentTexts);
    styleDialog(dialog);
    return trackForResult(runDialog(dialog));
}
