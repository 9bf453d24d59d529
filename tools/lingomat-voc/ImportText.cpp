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

bool IsValidUtf8From(const std::string& bytes, std::size_t pos) {
    char32_t code = 0;
    while (pos < bytes.size()) {
        const std::size_t length = DecodeUtf8Sequence(bytes, pos, code);
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
            length = DecodeUtf8Sequence(bytes, pos, code);
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
