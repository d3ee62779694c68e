#pragma once

struct DIALOG;
struct FONT;

// The language and track dialogs, run by the library's GUI.
extern FONT* dialogFont;

constexpr int kDialogRecords = 8;  // seven objects and the terminating record
constexpr int kFirstButton = 3;

void saveDialogFont();
void styleDialog(DIALOG* dialog);
// The two dialog arrays; the track dialog takes its texts from `texts`.
void buildLanguageDialog(DIALOG* dialog);
void buildTrackDialog(DIALOG* dialog, const char* const* texts);
// What a dialog result means: the language (0-2) or -1 for quit; the track
// (1-3) or 0 for quit.
int languageForResult(int result);
int trackForResult(int result);

bool chooseLanguage();
int chooseTrack();
