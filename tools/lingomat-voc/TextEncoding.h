#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/Windows1252.h"

namespace lingomat {

// Data sets hold Windows-1252 bytes; everything a person edits or reads on a terminal is UTF-8.

std::string Cp1252ToUtf8(const std::string& text);

// One character of a UTF-8 text as Qt's decoder reads it. A byte that belongs to no
// well-formed sequence (overlong forms, surrogates and values above U+10FFFF included) comes
// alone, as an invalid character carrying that byte.
struct Utf8Char {
    char32_t code;
    bool invalid;
    unsigned char byte; // invalid: the offending byte
};
std::vector<Utf8Char> DecodeUtf8(const std::string& utf8);

// Whether the whole text is well-formed UTF-8.
bool IsValidUtf8(const std::string& utf8);

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

} // namespace lingomat
