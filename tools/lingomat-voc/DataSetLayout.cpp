#include "DataSetLayout.h"

#include "data/DataSetLoader.h"

namespace lingomat {
namespace {

const std::string Header = "### Lingomatdata";

// Walks the lines as the stream reader hands them to the loader, keeping line numbers.
class LineCursor {
public:
    explicit LineCursor(const std::vector<std::string>& lines) : lines(lines) {}

    bool AtEnd() const { return atEnd; }
    std::size_t LineNumber() const { return index + 1; }

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
        const std::string& line = lines[index];
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
    const std::vector<std::string>& lines;
    std::size_t index = 0;
    std::size_t offset = 0;
    bool atEnd = false;
};

std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) {
        text.pop_back();
    }
    return text;
}

} // namespace

DataSetLayout ParseDataSetLayout(const std::vector<std::string>& lines) {
    DataSetLayout layout;
    LineCursor cursor(lines);
    if (!lines.empty() && lines[0] == Header) {
        layout.hasHeader = true;
        cursor.ReadLine();
        layout.versionLine = cursor.ReadLine().text;
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
        name.text = WithoutTrailingBlanks(std::move(name.text));
        code.text = WithoutTrailingBlanks(std::move(code.text));
        layout.lessons.push_back({std::move(name), std::move(code)});
    }
    while (sectionGoesOn(2)) {
        LayoutRecord record;
        record.lesson = cursor.ReadLine();
        if (withWordClass) {
            record.wordClass = cursor.ReadLine();
        }
        // Stored French first, German last.
        for (int column = 2; column >= 0; --column) {
            record.texts[static_cast<std::size_t>(column)] = cursor.ReadLine();
        }
        record.complete = !cursor.AtEnd();
        layout.records.push_back(std::move(record));
    }
    if (layout.sectionClosed[2] && cursor.RemainingLines() > 0) {
        layout.firstUnreadLine = cursor.LineNumber();
        layout.unreadLineCount = cursor.RemainingLines();
    }
    return layout;
}

} // namespace lingomat
