#include "game/LingomatDoc.h"

#include "matching/AccentEscapes.h"
#include "matching/AlphabeticRange.h"

namespace lingomat {

namespace {

// Several answers are accepted on the answer side only: a record whose question text holds
// several forms is not asked in that direction.
bool Eligible(const VocEntry& entry, Language questionLanguage) {
    const std::string text = entry.Text(questionLanguage);
    return text.empty() || text.front() != '/';
}

Question MakeQuestion(VocEntry& entry, Language questionLanguage, Language answerLanguage) {
    Question question = Question::FromEntry(entry, questionLanguage, answerLanguage);
    question.questionText = DecodeAccents(std::move(question.questionText));
    question.answerText = DecodeAccents(std::move(question.answerText));
    return question;
}

bool RangeActive(const LessonTable& table) {
    return !table.lowerBound.empty() && !table.upperBound.empty() && table.rangeLanguage != -1;
}

// One range rule for the lesson game, its count and the alphabetic game: the record's text in
// the sort language, normalised (article, case, accents) before it is compared. A raw byte
// comparison would put every capitalised noun before a lowercase bound and leave it out.
bool InRange(const VocEntry& entry, const LessonTable& table) {
    return InAlphabeticRange(entry.Text(static_cast<Language>(table.rangeLanguage)),
                             table.lowerBound, table.upperBound);
}

} // namespace

std::string CLingomatDoc::BuildLessonPool() {
    gameStarted = true;
    const bool ranged = RangeActive(lessonTable);
    const Day today = Today();
    lessonTable.ResetCursors();
    pool.Clear();
    std::string played;
    for (const LessonEntry& lesson : lessonTable.lessons) {
        if (!lesson.selected) {
            continue;
        }
        if (!played.empty()) {
            played += ", ";
        }
        played += lesson.name;
        for (VocEntry& entry : vocabulary) {
            if (entry.InLesson(lesson.code) && Eligible(entry, questionLanguage) &&
                (!ranged || InRange(entry, lessonTable)) && DueFilter(entry, today)) {
                pool.Append(MakeQuestion(entry, questionLanguage, answerLanguage));
            }
        }
    }
    pool.MoveToFirst();
    return played;
}

std::int32_t CLingomatDoc::CountLessonQuestions() {
    const bool ranged = RangeActive(lessonTable);
    const Day today = Today();
    const auto inRange = [&](const VocEntry& entry) {
        return (!ranged || InRange(entry, lessonTable)) && DueFilter(entry, today);
    };
    std::int32_t count = 0;
    if (lessonTable.selectedLessonCount != 0) {
        for (const LessonEntry& lesson : lessonTable.lessons) {
            if (!lesson.selected) {
                continue;
            }
            for (const VocEntry& entry : vocabulary) {
                if (entry.InLesson(lesson.code) && Eligible(entry, questionLanguage) &&
                    inRange(entry)) {
                    ++count;
                }
            }
        }
    } else if (ranged) {
        for (const VocEntry& entry : vocabulary) {
            if (Eligible(entry, questionLanguage) && inRange(entry)) {
                ++count;
            }
        }
    }
    return count;
}

bool CLingomatDoc::StartAlphabeticGame(const std::string& startText, const std::string& endText,
                                       Language sortLanguage) {
    gameStarted = true;
    const Day today = Today();
    lessonTable.ResetCursors();
    pool.Clear();
    for (VocEntry& entry : vocabulary) {
        if (InAlphabeticRange(entry.Text(sortLanguage), startText, endText) &&
            Eligible(entry, questionLanguage) && DueFilter(entry, today)) {
            pool.Append(MakeQuestion(entry, questionLanguage, answerLanguage));
        }
    }
    if (RefusesEmptyGame("Zwischen \"" + startText + "\" und \"" + endText + "\"")) {
        return false;
    }
    SetTitle("Alphabetisches Spiel von " + startText + " bis " + endText + ".");
    pool.MoveToFirst();
    SetModifiedFlag(true);
    NextQuestion();
    return true;
}

} // namespace lingomat
