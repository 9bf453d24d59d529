#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "TextLines.h"

namespace lingomat {

// Something in a UTF-8 source that cannot become a line of a data set.
struct SourceProblem {
    enum class Kind {
        InvalidUtf8,
        NotInCp1252,
        // Characters whose stored byte ends the data when the file is read back (å, ÿ).
        EndsData,
    };
    Kind kind;
    std::size_t line;   // 1-based
    std::size_t column; // 1-based, in characters
    char32_t codePoint; // the character, or the offending byte for InvalidUtf8
};

// A source text: one line per stored line, the lines already in Windows-1252.
struct SourceText {
    TextLines lines;
    std::vector<SourceProblem> problems;
};

// Splits UTF-8 content into lines and converts them. A leading byte order mark is dropped.
// When every line break is CR LF the CRs belong to the line ends; otherwise a CR is text,
// so that a stored CR at the end of a line survives unpacking and packing again.
SourceText ParseSourceText(const std::string& utf8);

// "file:line:column: message", German.
std::string DescribeSourceProblem(const std::string& fileName, const SourceProblem& problem);

} // namespace lingomat
