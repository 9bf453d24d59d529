#pragma once

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
    CommandDueWords = 32860,
};

// The maker's web address, opened from the about box and the help menu.
inline constexpr const char* kMakerWebAddress = "https://www.borkenwald.de";

} // namespace lingomat
