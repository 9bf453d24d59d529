#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "TextLines.h"
#include "data/DataSetLayoutReader.h"

namespace lingomat {

// A decoded data set with the line number of every part, so that a check can point at the
// line to edit. The game's layout reader takes the lines apart, so they are read as the game
// reads them. The texts point into the lines the layout was parsed from, which must outlive it.
struct NumberedText {
    std::string_view text;
    std::size_t line = 0; // 1-based; 0 when the data ended before this line
};
std::string_view& TextOf(NumberedText& line);

struct LayoutLesson {
    NumberedText name; // trailing blanks already removed, as the loader does
    NumberedText code;
};

// A record's lines follow each other, so it keeps where they start rather than each text: a
// data set of a million records would otherwise hold its texts a second time.
class LayoutRecord {
public:
    LayoutRecord(const TextLines& lines, std::size_t first, std::size_t offset, bool withWordClass,
                 bool complete);

    NumberedText Lesson() const { return Field(0); }
    NumberedText WordClass() const; // only in version 1 files
    // By column: German, English or Spanish, French.
    NumberedText Text(std::size_t column) const;
    bool Complete() const { return complete; } // false when the data ended within the group

private:
    NumberedText Field(std::size_t index) const;

    const TextLines* lines;
    std::size_t first;    // index of the lesson line
    std::uint32_t offset; // characters of the lesson line that section ends took
    bool withWordClass;
    bool complete;
};

// A line that starts a section end without being exactly "#": its rest is read as a line.
struct OddSectionEnd {
    std::size_t line;
    std::string_view text;
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
    ClosedSections sectionClosed = {false, false, false};
    // First line that nothing reads (after the records' closing "#"); 0 when there is none.
    std::size_t firstUnreadLine = 0;
    std::size_t unreadLineCount = 0;
};

DataSetLayout ParseDataSetLayout(const TextLines& lines);

} // namespace lingomat
