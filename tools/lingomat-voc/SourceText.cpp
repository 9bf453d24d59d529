#include "SourceText.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "TextEncoding.h"

namespace lingomat {
namespace {

constexpr unsigned char StoredAsDataEnd = 0xFF; // stored as 0
constexpr unsigned char StoredAsFileEnd = 0xE5; // stored as 26, the text-mode end of file

// Whether every line break is CR LF (and there is at least one).
bool AllCrLf(std::string_view content) {
    std::size_t breaks = 0;
    for (std::size_t end = content.find('\n'); end != std::string_view::npos;
         end = content.find('\n', end + 1)) {
        if (end == 0 || content[end - 1] != '\r') {
            return false;
        }
        ++breaks;
    }
    return breaks > 0;
}

bool Ascii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace

SourceText ParseSourceText(const std::string& utf8) {
    static const std::string byteOrderMark = "\xEF\xBB\xBF";
    const bool hasMark = utf8.compare(0, byteOrderMark.size(), byteOrderMark) == 0;
    std::string_view content(utf8);
    if (hasMark) {
        content.remove_prefix(byteOrderMark.size());
    }
    const bool crLf = AllCrLf(content);
    SourceText result;
    result.lines.Reserve(
        static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) + 1,
        content.size());
    // One line at a time straight into the result: a copy of every line first cost more than
    // the file.
    std::size_t start = 0;
    for (std::size_t i = 0; start < content.size(); ++i) {
        std::size_t end = content.find('\n', start);
        const bool lastLine = end == std::string_view::npos;
        if (lastLine) {
            end = content.size();
        }
        std::string_view line = content.substr(start, end - start);
        start = end + 1;
        if (crLf && !lastLine) {
            line.remove_suffix(1);
        }
        if (Ascii(line)) {
            // ASCII is its own Windows-1252 form; neither of the bytes that end the data is
            // ASCII.
            result.lines.push_back(line);
            continue;
        }
        const Cp1252Conversion converted = Utf8ToCp1252(std::string(line));
        for (const auto& p : converted.problems) {
            const bool invalid = p.kind == EncodingProblem::Kind::InvalidUtf8;
            result.problems.push_back(
                {invalid ? SourceProblem::Kind::InvalidUtf8 : SourceProblem::Kind::NotInCp1252,
                 i + 1, p.column, invalid ? char32_t{p.byte} : p.codePoint});
        }
        // Columns count characters, so walk the converted line: it has one byte per character.
        for (std::size_t c = 0; c < converted.text.size(); ++c) {
            const auto byte = static_cast<unsigned char>(converted.text[c]);
            if (byte == StoredAsDataEnd || byte == StoredAsFileEnd) {
                result.problems.push_back({SourceProblem::Kind::EndsData, i + 1, c + 1, byte});
            }
        }
        result.lines.push_back(converted.text);
    }
    return result;
}

std::string DescribeSourceProblem(const std::string& fileName, const SourceProblem& problem) {
    std::string text =
        fileName + ":" + std::to_string(problem.line) + ":" + std::to_string(problem.column) + ": ";
    switch (problem.kind) {
    case SourceProblem::Kind::InvalidUtf8: {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(problem.codePoint));
        text += std::string("ungültiges UTF-8 (Byte ") + hex + ")";
        break;
    }
    case SourceProblem::Kind::NotInCp1252:
        text += "Das Zeichen „" + EncodeUtf8(problem.codePoint) + "“ (" +
                CodePointName(problem.codePoint) + ") gibt es in Windows-1252 nicht";
        break;
    case SourceProblem::Kind::EndsData:
        text += "Das Zeichen „" + EncodeUtf8(problem.codePoint) + "“ (" +
                CodePointName(problem.codePoint) +
                ") kann nicht gespeichert werden: beim Lesen endeten die Daten dort";
        break;
    }
    return text;
}

} // namespace lingomat
