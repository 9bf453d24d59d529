#include "DataSetLayout.h"

#include <algorithm>

#include "data/DataSetLoader.h"

namespace lingomat {
namespace {

const std::string Header = "### Lingomatdata";

// Walks the lines as the stream reader hands them to the loader, keeping line numbers.
class LineCursor {
public:
    explicit LineCursor(const TextLines& lines) : lines(lines) {}

    bool AtEnd() const { return atEnd; }
    std::size_t LineNumber() const { return index + 1; }
    std::size_t Index() const { return index; }
    std::size_t Offset() const { return offset; }

    // Passes over the lines that ReadLine would hand out.
    void Skip(std::size_t count) {
        if (count == 0) {
            return;
        }
        offset = 0;
        if (index + count > lines.size()) {
            index = lines.size();
            atEnd = true;
        } else {
            index += count;
        }
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

    bool NextIsSectionEnd(std::vector<OddSectionEnd>& odd) {
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

    std::size_t RemainingLines() const { return index < lines.size() ? lines.size() - index : 0; }

private:
    const TextLines& lines;
    std::size_t index = 0;
    std::size_t offset = 0;
    bool atEnd = false;
};

std::string_view WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

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
    LineCursor cursor(lines);
    if (!lines.empty() && lines[0] == Header) {
        layout.hasHeader = true;
        cursor.ReadLine();
        layout.versionLine = std::string(cursor.ReadLine().text);
        layout.version = DataSetVersion(layout.versionLine);
    }
    const bool withWordClass = layout.version == 1;

    // Each section runs until its "#" line or the end of the data.
    const auto sectionGoesOn = [&](std::size_t section) {
        layout.sectionClosed[section] = cursor.NextIsSectionEnd(layout.oddSectionEnds);
        return !layout.sectionClosed[section] && !cursor.AtEnd();
    };
    while (sectionGoesOn(0)) {
        cursor.ReadLine();
        ++layout.preambleLineCount;
    }
    while (sectionGoesOn(1)) {
        NumberedText name = cursor.ReadLine();
        NumberedText code = cursor.ReadLine();
        if (name.text.empty()) {
            layout.namelessLessonCodes.push_back(std::move(code));
            continue;
        }
        name.text = WithoutTrailingBlanks(name.text);
        code.text = WithoutTrailingBlanks(code.text);
        layout.lessons.push_back({std::move(name), std::move(code)});
    }
    const std::size_t recordLines = withWordClass ? 5 : 4;
    while (sectionGoesOn(2)) {
        const std::size_t first = cursor.Index();
        const std::size_t offset = cursor.Offset();
        cursor.Skip(recordLines);
        layout.records.emplace_back(lines, first, offset, withWordClass, !cursor.AtEnd());
    }
    if (layout.sectionClosed[2] && cursor.RemainingLines() > 0) {
        layout.firstUnreadLine = cursor.LineNumber();
        layout.unreadLineCount = cursor.RemainingLines();
    }
    return layout;
}

} // namespace lingomat
