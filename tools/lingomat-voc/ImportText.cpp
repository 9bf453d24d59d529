#include "ImportText.h"

#include <cstdio>

#include "TextEncoding.h"

namespace lingomat {
namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

// Stored, these bytes end the data (0xFF becomes 0) or the file in text mode (0xE5 becomes 26).
bool EndsStoredData(int byte) {
    return byte == 0xFF || byte == 0xE5;
}

bool IsControl(char32_t c) {
    return (c < 0x20 && c != '\t') || (c >= 0x7F && c <= 0x9F);
}

std::string HexByte(unsigned char byte) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned>(byte));
    return buffer;
}

// Length of a well-formed UTF-8 sequence at pos, or 0.
std::size_t Utf8Length(const std::string& s, std::size_t pos, char32_t& code) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = at(pos);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > s.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((at(pos + i) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (at(pos + i) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

bool IsValidUtf8From(const std::string& bytes, std::size_t pos) {
    char32_t code = 0;
    while (pos < bytes.size()) {
        const std::size_t length = Utf8Length(bytes, pos, code);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

} // namespace

DecodedInput DecodeInput(const std::string& bytes, std::optional<InputEncoding> forced) {
    DecodedInput result;
    std::size_t pos = 0;
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0 && forced != InputEncoding::Windows1252) {
        result.byteOrderMark = true;
        pos = 3;
    }
    if (forced) {
        result.encoding = *forced;
    } else {
        result.encoding = result.byteOrderMark || IsValidUtf8From(bytes, pos)
                              ? InputEncoding::Utf8
                              : InputEncoding::Windows1252;
    }
    result.chars.reserve(bytes.size() - pos);
    std::uint32_t line = 1;
    std::uint32_t column = 1;
    while (pos < bytes.size()) {
        char32_t code = 0;
        std::size_t length = 1;
        if (result.encoding == InputEncoding::Windows1252) {
            code = Cp1252ToCodePoint(static_cast<unsigned char>(bytes[pos]));
        } else {
            length = Utf8Length(bytes, pos, code);
            if (length == 0) {
                const auto byte = static_cast<unsigned char>(bytes[pos]);
                result.problems.push_back(
                    {ImportMessage::Severity::Error, line, column,
                     "ungültiges UTF-8 (Byte " + HexByte(byte) +
                         "); ist die Datei in Windows-1252 gespeichert? Dann geben Sie "
                         "--encoding windows-1252 an"});
                code = ReplacementCharacter;
                length = 1;
            }
        }
        result.chars.push_back({code, line, column});
        pos += length;
        // A lone CR ends a line as well, as old Mac spreadsheets write it.
        const bool lineEnd =
            code == '\n' || (code == '\r' && (pos >= bytes.size() || bytes[pos] != '\n'));
        if (lineEnd) {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return result;
}

std::string ToStoredText(const PositionedText& text, std::vector<ImportMessage>& messages) {
    std::string stored;
    stored.reserve(text.size());
    bool brokeLine = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const PositionedChar& c = text[i];
        if (c.code == '\r' || c.code == '\n') {
            if (c.code == '\r' && i + 1 < text.size() && text[i + 1].code == '\n') {
                continue;
            }
            if (!brokeLine) {
                messages.push_back({ImportMessage::Severity::Note, c.line, c.column,
                                    "Zeilenumbruch im Feld durch ein Leerzeichen ersetzt"});
            }
            brokeLine = true;
            stored += ' ';
            continue;
        }
        if (c.code == ReplacementCharacter) {
            stored += '?'; // already reported as invalid input
            continue;
        }
        const int byte = CodePointToCp1252(c.code);
        std::string problem;
        if (IsControl(c.code)) {
            problem = "Steuerzeichen " + CodePointName(c.code) +
                      " kann nicht gespeichert werden; entfernen Sie es";
        } else if (byte < 0) {
            problem = "Das Zeichen „" + EncodeUtf8(c.code) + "“ (" + CodePointName(c.code) +
                      ") gibt es in Windows-1252 nicht; ersetzen Sie es";
        } else if (EndsStoredData(byte)) {
            problem = "Das Zeichen „" + EncodeUtf8(c.code) + "“ (" + CodePointName(c.code) +
                      ") kann nicht gespeichert werden: beim Lesen endeten die Daten dort";
        }
        if (!problem.empty()) {
            messages.push_back({ImportMessage::Severity::Error, c.line, c.column, problem});
            stored += '?';
        } else {
            stored += static_cast<char>(byte);
        }
    }
    return stored;
}

PositionedText Trimmed(const PositionedText& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    const auto blank = [](char32_t c) { return c == ' ' || c == '\t'; };
    while (begin < end && blank(text[begin].code)) {
        ++begin;
    }
    while (end > begin && blank(text[end - 1].code)) {
        --end;
    }
    return PositionedText(text.begin() + static_cast<std::ptrdiff_t>(begin),
                          text.begin() + static_cast<std::ptrdiff_t>(end));
}

std::string PlainUtf8(const PositionedText& text) {
    std::string out;
    for (const auto& c : text) {
        out += EncodeUtf8(c.code);
    }
    return out;
}

} // namespace lingomat
