#pragma once

#include <array>

namespace lingomat {

// The command numbers of menu, accelerators and toolbar. They are the numbers the game has
// always used, so the help pages and the player's muscle memory keep matching.
enum Command : int {
    CommandNew = 57600,
    CommandOpenErrorFile = 57601,
    CommandSaveErrorFile = 57603,
    CommandExit = 57665,
    CommandStatistics = 32772,
    CommandTimesAndColours = 32804,
    CommandCorrectionOptions = 32789,
    CommandGameSettings = 32850,
    CommandChangePlayer = 32848,
    CommandPlayerStatistics = 32847,
    CommandToolbar = 59392,
    CommandStatusBar = 59393,
    CommandRotateAnswers = 32849,
    CommandGlimpse = 32771,
    CommandSkipQuestion = 32803,
    CommandRemoveDuplicates = 32846,
    CommandLessonLists = 32782,
    CommandSearch = 32783,
    CommandRemainingQuestions = 32790,
    CommandErrorList = 32795,
    CommandWordsPerLesson = 32806,
    CommandHelp = 57667,
    CommandTips = 32851,
    CommandAbout = 57664,
    CommandWeb = 32852,
    CommandEndGame = 32779,
};

// A special character command: its number, its character as a Windows-1252 byte and the name
// the status bar gives it in UTF-8 (none for the few that never had one).
struct SpecialCharacter {
    int command;
    unsigned char byte;
    const char* name;
};

inline constexpr std::array<SpecialCharacter, 25> kSpecialCharacters = {{
    {32855, 0xE1, nullptr},
    {32794, 0xE0, "Kleines A mit Accent Grave"},
    {32798, 0xE2, "Kleines A mit Accent Circonflexe"},
    {32778, 0xE4, "Kleines A mit Umlaut"},
    {32784, 0xC4, "Großes A mit Umlaut"},
    {32774, 0xE9, "Kleines E mit Accent Aigu"},
    {32775, 0xE8, "Kleines E mit Accent Grave"},
    {32792, 0xEA, "Kleines E mit Accent Circonflexe"},
    {32793, 0xEB, "Kleines E mit Tréma"},
    {32856, 0xED, nullptr},
    {32799, 0xEE, "Kleines I mit Accent Circonflexe"},
    {32796, 0xEF, "Kleines I mit Tréma"},
    {32857, 0xF3, nullptr},
    {32797, 0xF4, "Kleines O mit Accent Circonflexe"},
    {32780, 0xF6, "Kleines O mit Umlaut"},
    {32785, 0xD6, "Großes O mit Umlaut"},
    {32858, 0xFA, nullptr},
    {32802, 0xF9, "Kleines U mit Accent Grave"},
    {32800, 0xFB, "Kleines U mit Accent Circonflexe"},
    {32781, 0xFC, "Kleines U mit Umlaut"},
    {32786, 0xDC, "Großes U mit Umlaut"},
    {32801, 0xE7, "Kleines C mit Cédille"},
    {32776, 0xDF, "Scharfes S (Eszett)"},
    {32853, 0xF1, nullptr},
    {32854, 0xD1, nullptr},
}};

// The maker's web address, opened from the about box and the help menu.
inline constexpr const char* kMakerWebAddress = "https://www.borkenwald.de";

} // namespace lingomat
