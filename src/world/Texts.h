#pragma once

// The sixteen texts a race shows, one table per language; text n of the chosen
// language is currentTexts[n].
constexpr int kTextCount = 16;

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
    kTextTrack1 = 3,
    kTextTrack2 = 4,
    kTextTrack3 = 5,
    kTextGo = 7,
    kTextFinished = 8,
    kTextLap = 9,
    kTextFrozen = 10,
    kTextOpponentsFrozen = 11,
    kTextWonky = 12,
    kTextTurbo = 13,
    kTextOutOfBounds = 15,
};
