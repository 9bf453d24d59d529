#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lingomat {

// Data sets hold Windows-1252 bytes; everything a person edits or reads on a terminal is UTF-8.

// The code point of a Windows-1252 byte. The five bytes that Windows-1252 leaves unassigned map
// to the C1 controls of the same number, so that every byte survives the way there and back.
char32_t Cp1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte of a code point, or -1 when Windows-1252 cannot hold it.
int CodePointToCp1252(char32_t codePoint);

std::string Cp1252ToUtf8(const std::string& text);

// One thing in a UTF-8 text that has no Windows-1252 byte.
struct EncodingProblem {
    enum class Kind {
        InvalidUtf8, // a byte that does not belong to a well-formed sequence
        NotInCp1252, // a valid character that Windows-1252 has no byte for
    };
    Kind kind;
    std::size_t column; // 1-based, counted in characters; a stray byte counts as one
    char32_t codePoint; // NotInCp1252: the character
    unsigned char byte; // InvalidUtf8: the first offending byte
};

struct Cp1252Conversion {
    std::string text; // unconvertible characters become '?'
    std::vector<EncodingProblem> problems;
};

Cp1252Conversion Utf8ToCp1252(const std::string& utf8);

// "U+00E5" and the like, for messages.
std::string CodePointName(char32_t codePoint);

// The UTF-8 bytes of one code point.
std::string EncodeUtf8(char32_t codePoint);

// Decodes one UTF-8 sequence at pos. Returns its length, or 0 when the byte at pos does not
// start a well-formed sequence (overlong forms, surrogates and values above U+10FFFF included).
std::size_t DecodeUtf8Sequence(const std::string& s, std::size_t pos, char32_t& codePoint);

} // namespace lingomat
