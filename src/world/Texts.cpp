#include "world/Texts.h"

const char* const englishTexts[kTextCount] = {
    "Hello",         "Track",          "Preview", "An easy track", "A difficult track", "An impossible track",
    "Ready?",        "Go",             "Finished", "Lap",          "Frozen",            "Opponents are Frozen",
    "Wonky",         "Turbo",          "Quit",    "Out of bounds",
    "Missed gate",   "Paused",         "Press Space to go on",      "Press a key",       "Results",
    "racing",        "Race time",      "Best lap", "Press Escape to leave",
    "Test drive: Escape takes you back to the editor",
};

const char* const frenchTexts[kTextCount] = {
    "Bonjour", "Circuit", "Preview", "Un circuit facile", "Un circuit difficile", "Un circuit impossible",
    "Pret?",   "Allez",   "Fini",    "Tour",              "Frozen",               "Les opponents sont frozen",
    "Wonky",   "Turbo",   "Au Revoir", "Out of bounds",
    "Porte ratee", "Pause", "Appuyez sur Space pour continuer", "Appuyez sur une touche", "Resultats",
    "en course",   "Temps", "Best lap", "Escape pour partir",
    "Essai: Escape pour retourner a l'editeur",
};

const char* const aolTexts[kTextCount] = {
    "HI!!!11",   "WHIHC TRAKC:", "PREVIEW O TRAKC:", "ITS EASY!!!LOL", "ITS IMPOSSIBLE", "WTF?" "?/",
    "REDY?" "?/",   "GO",           "FINISHED!!1",      "LAP",            "FREEZED",        "TEH OTHERS R FREEZED",
    "ITS BRKEN", "TURBO!!!1 LOL", "BYE LOL!",        "R U BLIND OR WOT? U R OFF THE MAP",
    "U MISED TEH GAET", "PAWSED!!1", "PRES SPACE 2 GO ON LOL", "PRES A KEE!!1", "RESLUTS!!!1",
    "STIL GOIN",        "TIEM",      "BEST LAPP",              "PRES ESC 2 LEEV LOL",
    "TEST DRIEV!!1 PRES ESC 2 GO BAK 2 TEH EDITER LOL",
};

const Language languages[kLanguageCount] = {
    {"English", englishTexts},
    {"Francais", frenchTexts},
    {"IM A AOL USER!!1 LOL", aolTexts},
};

const char* const* currentTexts = nullptr;
