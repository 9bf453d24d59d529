#include "DataSetLayout.h"

#include <algorithm>

#include "data/DataSetLayoutReader.h"

namespace lingomat {
namespace {

// Hands the lines to the layout reader as the stream reader hands them to the loader, with
// their line numbers. A line that merely starts with "#" ends a section having consumed two
// characters, as the stream reader's section end does; the rest reads as a line.
class LineCursor {
public:
    LineCursor(const TextLines& lines, std::vector<OddSectionEnd>& odd) : lines(lines), odd(odd) {}

    bool AtEnd() const { return atEnd; }
    std::size_t Index() const { return index; }

    void Rewind() {
        index = 0;
        offset = 0;
        atEnd = false;
    }

    NumberedText ReadLine() {
        if (index >= lines.size()) {
            atEnd = true;
            return {};
        }
        NumberedText result{lines[index].substr(offset), index + 1};
        ++index;
        offset = 0;
        return result;
    }

    bool NextIsSectionEnd() {
        if (index >= lines.size()) {
            atEnd = true;
            return false;
        }
        const std::string_view line = lines[index];
        if (offset >= line.size() || line[offset] != '#') {
            return false;
        }
        if (offset + 1 == line.size()) {
            ++index;
            offset = 0;
        } else {
            odd.push_back({index + 1, line});
            offset += 2;
        }
        return true;
    }

private:
    const TextLines& lines;
    std::vector<OddSectionEnd>& odd;
    std::size_t index = 0;
    std::size_t offset = 0;
    bool atEnd = false;
};

// Keeps what the layout reader hands over, with line numbers, for the checks and exports.
class LayoutCollector {
public:
    LayoutCollector(const TextLines& lines, DataSetLayout& layout) : lines(lines), layout(layout) {}

    void Version(std::int32_t number, const NumberedText& line) {
        layout.hasHeader = true;
        layout.versionLine = std::string(line.text);
        layout.version = number;
    }
    void PreambleLine(const NumberedText&) { ++layout.preambleLineCount; }
    void Lesson(const NumberedText& name, const NumberedText& code) {
        layout.lessons.push_back({name, code});
    }
    void NamelessLesson(const NumberedText& code) { layout.namelessLessonCodes.push_back(code); }
    void Record(const RecordLines<NumberedText>& record) {
        // The lesson line always exists: a section only goes on while lines are left.
        const std::size_t first = record.lesson.line - 1;
        const std::size_t offset = lines[first].size() - record.lesson.text.size();
        layout.records.emplace_back(lines, first, offset, layout.version == VersionWithWordClass,
                                    record.complete);
    }

private:
    const TextLines& lines;
    DataSetLayout& layout;
};

} // namespace

std::string_view& TextOf(NumberedText& line) {
    return line.text;
}

LayoutRecord::LayoutRecord(const TextLines& lines, std::size_t first, std::size_t offset,
                           bool withWordClass, bool complete)
    : lines(&lines), first(first), offset(static_cast<std::uint32_t>(offset)),
      withWordClass(withWordClass), complete(complete) {}

NumberedText LayoutRecord::Field(std::size_t index) const {
    const std::size_t at = first + index;
    if (at >= lines->size()) {
        return {};
    }
    std::string_view text = (*lines)[at];
    if (index == 0) {
        text.remove_prefix(std::min<std::size_t>(offset, text.size()));
    }
    return {text, at + 1};
}

NumberedText LayoutRecord::WordClass() const {
    return withWordClass ? Field(1) : NumberedText{};
}

NumberedText LayoutRecord::Text(std::size_t column) const {
    // Stored French first, German last.
    return Field((withWordClass ? 2 : 1) + (2 - column));
}

DataSetLayout ParseDataSetLayout(const TextLines& lines) {
    DataSetLayout layout;
    LineCursor cursor(lines, layout.oddSectionEnds);
    LayoutCollector collector(lines, layout);
    layout.sectionClosed = ReadDataSetLayout(cursor, collector);
    if (layout.sectionClosed[2] && cursor.Index() < lines.size()) {
        layout.firstUnreadLine = cursor.Index() + 1;
        layout.unreadLineCount = lines.size() - cursor.Index();
    }
    return layout;
}

} // namespace lingomat
