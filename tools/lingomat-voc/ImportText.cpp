#include "ImportText.h"

#include <algorithm>
#include <cstdio>

#include <QString>
#include <QStringConverter>

#include "TextEncoding.h"

namespace lingomat {
namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;
// Enough line numbers to find the misfits; the count tells how many more there are.
constexpr std::size_t MaxListedMisfits = 10;

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

} // namespace

EncodingChoice ChooseEncoding(const std::string& bytes, std::optional<InputEncoding> forced) {
    EncodingChoice choice;
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0 && forced != InputEncoding::Windows1252) {
        choice.byteOrderMark = true;
        choice.start = 3;
    }
    std::size_t utf8Count = 0;
    std::vector<std::size_t> firstUtf8;
    std::size_t invalidCount = 0;
    std::vector<std::size_t> firstInvalid;
    const auto note = [](std::size_t& count, std::vector<std::size_t>& first, std::size_t line) {
        if (count++ < MaxListedMisfits) {
            first.push_back(line);
        }
    };
    std::size_t line = 1;
    for (std::size_t begin = choice.start; begin < bytes.size(); ++line) {
        std::size_t end = bytes.find('\n', begin);
        end = end == std::string::npos ? bytes.size() : end + 1;
        const bool plain = std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(begin),
                                       bytes.begin() + static_cast<std::ptrdiff_t>(end),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (!plain) {
            if (IsValidUtf8(bytes.substr(begin, end - begin))) {
                note(utf8Count, firstUtf8, line);
            } else {
                note(invalidCount, firstInvalid, line);
            }
        }
        begin = end;
    }
    const bool utf8 =
        forced ? *forced == InputEncoding::Utf8 : choice.byteOrderMark || utf8Count >= invalidCount;
    choice.encoding = utf8 ? InputEncoding::Utf8 : InputEncoding::Windows1252;
    choice.misfitCount = utf8 ? invalidCount : utf8Count;
    choice.firstMisfits = utf8 ? firstInvalid : firstUtf8;
    return choice;
}

void ReportMisfits(const EncodingChoice& choice, bool forced,
                   std::vector<ImportMessage>& messages) {
    // Given UTF-8, each byte that does not fit is an error of its own already.
    if (choice.misfitCount == 0 || (forced && choice.encoding == InputEncoding::Utf8)) {
        return;
    }
    std::string lines;
    for (const std::size_t line : choice.firstMisfits) {
        lines += (lines.empty() ? "" : ", ") + std::to_string(line);
    }
    if (choice.misfitCount > choice.firstMisfits.size()) {
        lines += " …";
    }
    const bool utf8 = choice.encoding == InputEncoding::Utf8;
    std::string text = std::string("Gelesen als ") + (utf8 ? "UTF-8" : "Windows-1252") + ", aber " +
                       std::to_string(choice.misfitCount) +
                       (choice.misfitCount == 1 ? " Zeile passt" : " Zeilen passen") +
                       " nicht dazu (Zeile " + lines + "; sie " +
                       (utf8 ? "enthalten Windows-1252-Bytes" : "enthalten UTF-8") + ")";
    if (forced) {
        messages.push_back({ImportMessage::Severity::Warning, choice.firstMisfits.front(), 0,
                            text + "; --encoding ist angegeben, die Zeilen werden so gelesen"});
    } else {
        messages.push_back({ImportMessage::Severity::Error, choice.firstMisfits.front(), 0,
                            text + ". Speichern Sie die Datei einheitlich oder geben Sie die "
                                   "Kodierung mit --encoding utf-8 oder --encoding "
                                   "windows-1252 an"});
    }
}

std::optional<std::string> Utf16ToUtf8(const std::string& bytes) {
    const bool little = bytes.rfind("\xFF\xFE", 0) == 0;
    const bool big = bytes.rfind("\xFE\xFF", 0) == 0;
    if (!little && !big) {
        return std::nullopt;
    }
    QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                           QStringConverter::Flag::Stateless);
    const QString text =
        decoder(QByteArrayView(bytes.data() + 2, static_cast<qsizetype>(bytes.size() - 2)));
    return text.toStdString();
}

void InputDecoder::Decode(const std::string& bytes, std::size_t begin, std::size_t end,
                          PositionedText& out, std::vector<ImportMessage>& problems) {
    const auto advance = [&](char32_t code, std::size_t next) {
        // A lone CR ends a line as well, as old Mac spreadsheets write it.
        if (code == '\n' || (code == '\r' && (next >= bytes.size() || bytes[next] != '\n'))) {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    };
    std::size_t pos = begin;
    while (pos < end) {
        // Plain ASCII needs no decoder, which keeps long lists fast.
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte < 0x80 || encoding == InputEncoding::Windows1252) {
            const char32_t code = Cp1252ToCodePoint(byte);
            out.push_back({code, line, column});
            advance(code, ++pos);
            continue;
        }
        std::size_t stop = pos;
        while (stop < end && static_cast<unsigned char>(bytes[stop]) >= 0x80) {
            ++stop;
        }
        for (const Utf8Char& c : DecodeUtf8(bytes.substr(pos, stop - pos))) {
            if (c.invalid) {
                problems.push_back({ImportMessage::Severity::Error, line, column,
                                    "ungültiges UTF-8 (Byte " + HexByte(c.byte) +
                                        "); ist die Datei in Windows-1252 gespeichert? Dann "
                                        "geben Sie --encoding windows-1252 an"});
                out.push_back({ReplacementCharacter, line, column});
            } else {
                out.push_back({c.code, line, column});
            }
            ++column;
        }
        pos = stop;
    }
}

DecodedInput DecodeInput(const std::string& bytes, std::optional<InputEncoding> forced) {
    DecodedInput result;
    result.choice = ChooseEncoding(bytes, forced);
    ReportMisfits(result.choice, forced.has_value(), result.problems);
    result.chars.reserve(bytes.size() - result.choice.start);
    InputDecoder(result.choice.encoding)
        .Decode(bytes, result.choice.start, bytes.size(), result.chars, result.problems);
    return result;
}

std::string ToStoredText(std::span<const PositionedChar> text,
                         std::vector<ImportMessage>& messages) {
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
    const auto trimmed = TrimmedView(text);
    return PositionedText(trimmed.begin(), trimmed.end());
}

std::span<const PositionedChar> TrimmedView(std::span<const PositionedChar> text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    const auto blank = [](char32_t c) { return c == ' ' || c == '\t'; };
    while (begin < end && blank(text[begin].code)) {
        ++begin;
    }
    while (end > begin && blank(text[end - 1].code)) {
        --end;
    }
    return text.subspan(begin, end - begin);
}

std::string PlainUtf8(const PositionedText& text) {
    std::string out;
    for (const auto& c : text) {
        out += EncodeUtf8(c.code);
    }
    return out;
}

} // namespace lingomat
