#include "SourceText.h"

#include <cstdio>

#include "TextEncoding.h"

namespace lingomat {
namespace {

constexpr unsigned char StoredAsDataEnd = 0xFF; // stored as 0
constexpr unsigned char StoredAsFileEnd = 0xE5; // stored as 26, the text-mode end of file

std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    bool allCrLf = true;
    std::size_t breaks = 0;
    while (start < content.size()) {
        const std::size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(content.substr(start));
            break;
        }
        ++breaks;
        if (end == start || content[end - 1] != '\r') {
            allCrLf = false;
        }
        lines.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    if (breaks > 0 && allCrLf) {
        for (std::size_t i = 0; i < breaks; ++i) {
            lines[i].pop_back();
        }
    }
    return lines;
}

} // namespace

SourceText ParseSourceText(const std::string& utf8) {
    static const std::string byteOrderMark = "\xEF\xBB\xBF";
    const bool hasMark = utf8.compare(0, byteOrderMark.size(), byteOrderMark) == 0;
    SourceText result;
    const auto rawLines = SplitLines(hasMark ? utf8.substr(byteOrderMark.size()) : utf8);
    result.lines.reserve(rawLines.size());
    for (std::size_t i = 0; i < rawLines.size(); ++i) {
        Cp1252Conversion converted = Utf8ToCp1252(rawLines[i]);
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
        result.lines.push_back(std::move(converted.text));
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
