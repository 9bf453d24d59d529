#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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

// How the bytes of one file are read; decided once for the whole file.
struct EncodingChoice {
    InputEncoding encoding = InputEncoding::Utf8;
    bool byteOrderMark = false;
    std::size_t start = 0; // first byte after the byte order mark
    // Lines that do not fit the choice (invalid UTF-8, or UTF-8 in a Windows-1252 file):
    // how many, and the first few line numbers.
    std::size_t misfitCount = 0;
    std::vector<std::size_t> firstMisfits;
};

// Without a forced encoding a byte order mark or valid UTF-8 means UTF-8; a file without any
// UTF-8 sequence is Windows-1252, which is what spreadsheets on Windows save by default. A file
// mixing both is read as the encoding most of its lines have, with the others as misfits.
EncodingChoice ChooseEncoding(const std::string& bytes, std::optional<InputEncoding> forced);

// The misfits of a choice as messages: an error (nothing is written) unless the encoding was
// given, then a warning.
void ReportMisfits(const EncodingChoice& choice, bool forced, std::vector<ImportMessage>& messages);

// The UTF-8 form of a file that starts with a UTF-16 byte order mark, as some spreadsheets
// save text; nothing for any other file.
std::optional<std::string> Utf16ToUtf8(const std::string& bytes);

// Decodes byte ranges of one file in order, counting lines and columns across them.
class InputDecoder {
public:
    explicit InputDecoder(InputEncoding encoding) : encoding(encoding) {}
    void Decode(const std::string& bytes, std::size_t begin, std::size_t end, PositionedText& out,
                std::vector<ImportMessage>& problems);

private:
    InputEncoding encoding;
    std::uint32_t line = 1;
    std::uint32_t column = 1;
};

struct DecodedInput {
    PositionedText chars;
    EncodingChoice choice;
    std::vector<ImportMessage> problems;
};

// Decodes the whole file at once; the choice's misfits are among the problems.
DecodedInput DecodeInput(const std::string& bytes, std::optional<InputEncoding> forced);

// The Windows-1252 form of a text as a data set stores it. Line breaks inside the text become
// blanks (a stored line cannot hold them) with a note; characters the data set cannot hold
// are reported and replaced by '?'.
std::string ToStoredText(std::span<const PositionedChar> text,
                         std::vector<ImportMessage>& messages);

// Removes blanks and tabs at both ends.
PositionedText Trimmed(const PositionedText& text);
std::span<const PositionedChar> TrimmedView(std::span<const PositionedChar> text);

// The UTF-8 form of plain text, for names and messages.
std::string PlainUtf8(const PositionedText& text);

} // namespace lingomat
