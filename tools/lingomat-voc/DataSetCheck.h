#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "TextLines.h"

namespace lingomat {

enum class Severity { Warning, Error };

enum class FindingKind {
    UnknownVersion,
    OddSectionEnd,
    SectionNotClosed,
    UnreadLines,
    NoLessons,
    NoRecords,
    NamelessLesson,
    EmptyCode,
    DuplicateCode,
    CodeInsideCode,
    DuplicateLessonName,
    EmptyLesson,
    IncompleteRecord,
    UnknownWordClass,
    NoLesson,
    EmptyText,
    DuplicateRecord,
    FormShape,
    Parentheses,
    Blanks,
    AccentEscape,
    // What a learner meets: see LearnerCheck.h.
    AmbiguousQuestion,
    NeverAsked,
    CouldBeOptionalPart,
    // The game's loader read the file differently from the check: the findings may be off.
    LoaderMismatch,
};

struct Finding {
    Severity severity;
    FindingKind kind;
    std::size_t line;    // 1-based line of the decoded stream; 0 for the file as a whole
    std::string message; // UTF-8, German
};

struct CheckReport {
    TextLines summary;             // UTF-8 lines: header, version, lessons, record counts
    std::vector<Finding> findings; // ordered by line
    std::size_t lessonCount = 0;
    std::size_t recordCount = 0;

    std::size_t Count(Severity severity) const;
};

// Checks the decoded lines (Windows-1252) of a data set. In a Spanish data set the French
// column may stay empty, as those sets pair German with Spanish only. Not in full, there is no
// summary and none of the learner's findings (warnings all), which a large data set spares
// much memory when only its errors matter.
CheckReport CheckDataSet(const TextLines& lines, bool spanish, bool full = true);

// What is wrong with the shape of a several-answer text ("/form /form"), or "" when nothing is.
std::string FormShapeProblem(std::string_view text);

// What is wrong with the parentheses of a text, or "" when they pair up.
std::string ParenthesesProblem(std::string_view text);

} // namespace lingomat
