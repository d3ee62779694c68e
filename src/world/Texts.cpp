#include "world/Texts.h"

const char* const englishTexts[kTextCount] = {
    "Hello",         "Track",          "Preview", "An easy track", "A difficult track", "An impossible track",
    "Ready?",        "Go",             "Finished", "Lap",          "Frozen",            "Opponents are Frozen",
    "Wonky",         "Turbo",          "Quit",    "Out of bounds",
};

const char* const frenchTexts[kTextCount] = {
    "Bonjour", "Circuit", "Preview", "Un circuit facile", "Un circuit difficile", "Un circuit impossible",
    "Pret?",   "Allez",   "Fini",    "Tour",              "Frozen",               "Les opponents sont frozen",
    "Wonky",   "Turbo",   "Au Revoir", "Out of bounds",
};

const char* const aolTexts[kTextCount] = {
    "HI!!!11",   "WHIHC TRAKC:", "PREVIEW O TRAKC:", "ITS EASY!!!LOL", "ITS IMPOSSIBLE", "WTF?" "?/",
    "REDY?" "?/",   "GO",           "FINISHED!!1",      "LAP",            "FREEZED",        "TEH OTHERS R FREEZED",
    "ITS BRKEN", "TURBO!!!1 LOL", "BYE LOL!",        "R U BLIND OR WOT? U R OFF THE MAP",
};

const Language languages[kLanguageCount] = {
    {"English", englishTexts},
    {"Francais", frenchTexts},
    {"IM A AOL USER!!1 LOL", aolTexts},
};

const char* const* currentTexts = nullptr;
