#pragma once

#include <deque>

#include "data/GameTypes.h"
#include "data/LessonTable.h"
#include "data/QuestionPool.h"
#include "data/VocEntry.h"

namespace lingomat {

// The data half of the game document. The record lists are deques that are only appended to
// or cleared, so the records a pool refers to never move.
struct VocDatabase {
    Language questionLanguage = LanguageGerman;
    Language answerLanguage = LanguageEnglish;
    LessonTable lessonTable;
    QuestionPool pool;
    std::deque<VocEntry> vocabulary;
    // Records of the last opened error file.
    std::deque<VocEntry> errorFileEntries;
    bool gameStarted = false;
    bool needsLoading = true;
};

} // namespace lingomat
