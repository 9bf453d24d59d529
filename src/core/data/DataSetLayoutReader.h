#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lingomat {

// How a data set's lines are taken apart, written once for the game's loader (over the stored
// byte stream) and for the data set tool (over decoded lines with line numbers):
//
//   [### Lingomatdata, version line]  preamble lines  #  (lesson name, code)...  #  records  #
//
// Each section runs until a section end or the end of the data. A record is a lesson line, a
// word-class line in version 1 files only, then French, English (or Spanish) and German.

inline constexpr std::string_view DataSetHeaderLine = "### Lingomatdata";

// The number of a data set's version line as C's atoi reads it: blanks, a sign, digits, and
// whatever follows ignored; 0 when there are none. Long digit runs saturate at a billion
// instead of overflowing.
std::int32_t DataSetVersion(std::string_view line);
// Only this version adds the word-class line; every other number reads as the original format.
inline constexpr std::int32_t VersionWithWordClass = 1;

inline void TrimTrailingBlanks(std::string& text) {
    const auto keep = text.find_last_not_of(" \n");
    text.erase(keep == std::string::npos ? 0 : keep + 1);
}

inline void TrimTrailingBlanks(std::string_view& text) {
    const auto keep = text.find_last_not_of(" \n");
    text.remove_suffix(text.size() - (keep == std::string_view::npos ? 0 : keep + 1));
}

inline std::string& TextOf(std::string& line) {
    return line;
}

template <class Line> struct RecordLines {
    Line lesson;
    Line wordClass; // empty unless the data set is version 1
    // By column: German, English or Spanish, French.
    std::array<Line, 3> texts;
    bool complete = true; // false when the data ended within the record
};

// Which of the three sections (preamble, lessons, records) a section end closed.
using ClosedSections = std::array<bool, 3>;

// Source: Line ReadLine() ("" once the data has ended), bool NextIsSectionEnd() (consumes the
// section end it sees), bool AtEnd() const, void Rewind(); TextOf(Line&) gives the text.
// Visitor: Version(number, versionLine), PreambleLine(line), Lesson(name, code) with trailing
// blanks removed, NamelessLesson(code) for a pair whose name is empty (the game skips it),
// Record(RecordLines<Line>&).
template <class Source, class Visitor>
ClosedSections ReadDataSetLayout(Source& source, Visitor& visitor) {
    using Line = decltype(source.ReadLine());
    std::int32_t version = 0;
    if (Line first = source.ReadLine(); TextOf(first) == DataSetHeaderLine) {
        Line versionLine = source.ReadLine();
        version = DataSetVersion(TextOf(versionLine));
        visitor.Version(version, versionLine);
    } else {
        source.Rewind();
    }
    ClosedSections closed{};
    const auto goesOn = [&](std::size_t section) {
        closed[section] = source.NextIsSectionEnd();
        return !closed[section] && !source.AtEnd();
    };
    while (goesOn(0)) {
        Line line = source.ReadLine();
        visitor.PreambleLine(line);
    }
    while (goesOn(1)) {
        Line name = source.ReadLine();
        Line code = source.ReadLine();
        if (TextOf(name).empty()) {
            visitor.NamelessLesson(code);
            continue;
        }
        TrimTrailingBlanks(TextOf(name));
        TrimTrailingBlanks(TextOf(code));
        visitor.Lesson(name, code);
    }
    const bool withWordClass = version == VersionWithWordClass;
    while (goesOn(2)) {
        RecordLines<Line> record;
        record.lesson = source.ReadLine();
        if (withWordClass) {
            record.wordClass = source.ReadLine();
        }
        for (std::size_t column = record.texts.size(); column-- > 0;) {
            record.texts[column] = source.ReadLine(); // stored French first, German last
        }
        record.complete = !source.AtEnd();
        visitor.Record(record);
    }
    return closed;
}

} // namespace lingomat
