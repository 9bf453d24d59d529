#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lingomat {

// A problem found while importing, placed in the input file. Line and column are 1-based;
// column counts characters; 0 means the place is not known more precisely.
struct ImportMessage {
    enum class Severity { Error, Warning, Note };
    Severity severity;
    std::size_t line;
    std::size_t column;
    std::string text; // UTF-8, German
};

// One character of the input with the place it came from, so that a problem found late (a
// character Windows-1252 lacks, an accent escape) can still be pointed at.
struct PositionedChar {
    char32_t code;
    std::uint32_t line;
    std::uint32_t column;
};
using PositionedText = std::vector<PositionedChar>;

enum class InputEncoding { Utf8, Windows1252 };

struct DecodedInput {
    PositionedText chars;
    InputEncoding encoding = InputEncoding::Utf8;
    bool byteOrderMark = false;
    std::vector<ImportMessage> problems;
};

// Decodes the file's bytes. Without a forced encoding a byte order mark or valid UTF-8 means
// UTF-8, anything else Windows-1252, which is what spreadsheets on Windows save by default.
DecodedInput DecodeInput(const std::string& bytes, std::optional<InputEncoding> forced);

// The Windows-1252 form of a text as a data set stores it. Line breaks inside the text become
// blanks (a stored line cannot hold them) with a note; characters the data set cannot hold
// are reported and replaced by '?'.
std::string ToStoredText(const PositionedText& text, std::vector<ImportMessage>& messages);

// Removes blanks and tabs at both ends.
PositionedText Trimmed(const PositionedText& text);

// The UTF-8 form of plain text, for names and messages.
std::string PlainUtf8(const PositionedText& text);

} // namespace lingomat
