#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace lingomat {

// A decoded data set with the line number of every part, so that a check can point at the
// line to edit. The lines are taken apart in the order and with the quirks of the loader
// (a line that merely starts with "#" closes a section there, and only its first two
// characters are consumed; a lesson pair reads its code line even when that is "#").
struct NumberedText {
    std::string text;
    std::size_t line = 0; // 1-based; 0 when the data ended before this line
};

struct LayoutLesson {
    NumberedText name; // trailing blanks already removed, as the loader does
    NumberedText code;
};

struct LayoutRecord {
    NumberedText lesson;
    NumberedText wordClass;            // only in version 1 files
    std::array<NumberedText, 3> texts; // by column: German, English or Spanish, French
    bool complete = true;              // false when the data ended within the group
};

// A line that starts a section end without being exactly "#": its rest is read as a line.
struct OddSectionEnd {
    std::size_t line;
    std::string text;
};

struct DataSetLayout {
    bool hasHeader = false;
    std::string versionLine;
    int version = 0;
    std::size_t preambleLineCount = 0;
    std::vector<LayoutLesson> lessons;
    // Lesson pairs with an empty name: the loader skips them, code and all.
    std::vector<NumberedText> namelessLessonCodes;
    std::vector<LayoutRecord> records;
    std::vector<OddSectionEnd> oddSectionEnds;
    // Which of the three sections were closed by a "#" line before the data ended.
    std::array<bool, 3> sectionClosed = {false, false, false};
    // First line that nothing reads (after the records' closing "#"); 0 when there is none.
    std::size_t firstUnreadLine = 0;
    std::size_t unreadLineCount = 0;
};

DataSetLayout ParseDataSetLayout(const std::vector<std::string>& lines);

} // namespace lingomat
