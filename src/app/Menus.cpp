#include "app/Menus.h"

#include <allegro.h>

#include "world/Texts.h"

FONT* dialogFont = nullptr;

namespace {

const char* const kLanguageTitle = "Language/ Langue etc";
const char* const kQuit = "Quit";

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
    int language = languageForResult(do_dialog(dialog, kFirstButton));
    if (language < 0) return false;
    currentTexts = languages[language].texts;
    return true;
}

int chooseTrack() {
    DIALOG dialog[kDialogRecords];
    buildTrackDialog(dialog, currentTexts);
    styleDialog(dialog);
    // keys pressed during the race that just ended must not act on the dialog
    clear_keybuf();
    return trackForResult(do_dialog(dialog, kFirstButton));
}
