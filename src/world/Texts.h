#pragma once

// The texts a race shows, one table per language; text n of the chosen
// language is currentTexts[n]. The first sixteen are the game's first texts,
// in their old places; the ones after them came with the guidance, the
// results, the pause and preview lines, and the editor's test drive.
constexpr int kTextCount = 26;

struct Language {
    const char* name;
    const char* const* texts;
};

extern const char* const englishTexts[kTextCount];
extern const char* const frenchTexts[kTextCount];
extern const char* const aolTexts[kTextCount];

constexpr int kLanguageCount = 3;
extern const Language languages[kLanguageCount];

// Null until the language dialog or an editor run sets it.
extern const char* const* currentTexts;

// Text n of the current language; an empty text while no language is chosen,
// so a headless World never reads through a null table.
inline const char* gameText(int n) {
    return currentTexts && n >= 0 && n < kTextCount ? currentTexts[n] : "";
}

// Roles of the entries that the game shows.
enum TextId {
    kTextTrackTitle = 1,
    kTextPreview = 2,
    kTextTrack1 = 3,
    kTextTrack2 = 4,
    kTextTrack3 = 5,
    kTextReady = 6,
    kTextGo = 7,
    kTextFinished = 8,
    kTextLap = 9,
    kTextFrozen = 10,
    kTextOpponentsFrozen = 11,
    kTextWonky = 12,
    kTextTurbo = 13,
    kTextOutOfBounds = 15,
    // first word of the message when the player's craft goes through a gate
    // out of turn; the number of the gate it still needs follows
    kTextMissedGate = 16,
    kTextPaused = 17,
    kTextHowToResume = 18,
    // follows "Ready?" under the preview
    kTextPressAKey = 19,
    kTextResults = 20,
    // a craft of the results that has not finished yet
    kTextRacing = 21,
    kTextRaceTime = 22,
    kTextBestLap = 23,
    kTextHowToLeave = 24,
    // opens a test drive from the editor instead of "Go"
    kTextTestDrive = 25,
};
