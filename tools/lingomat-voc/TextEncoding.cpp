#include "TextEncoding.h"

#include <cstdio>

#include <QList>
#include <QString>
#include <QStringConverter>

namespace lingomat {
namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

std::size_t Utf8Length(char32_t code) {
    return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
}

} // namespace

std::vector<Utf8Char> DecodeUtf8(const std::string& utf8) {
    // The byte order mark stays a character: callers decide what it means.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                     QStringConverter::Flag::Stateless);
    const QString decoded =
        decoder(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
    std::vector<Utf8Char> chars;
    chars.reserve(static_cast<std::size_t>(decoded.size()));
    // Qt replaces every byte it cannot read by U+FFFD; walking the bytes alongside tells a
    // replaced byte from a U+FFFD that the text really holds.
    std::size_t pos = 0;
    for (const uint unit : decoded.toUcs4()) {
        const auto code = static_cast<char32_t>(unit);
        if (code == ReplacementCharacter && utf8.compare(pos, 3, "\xEF\xBF\xBD") != 0) {
            chars.push_back({code, true, static_cast<unsigned char>(utf8[pos])});
            ++pos;
            continue;
        }
        chars.push_back({code, false, 0});
        pos += Utf8Length(code);
    }
    return chars;
}

bool IsValidUtf8(const std::string& utf8) {
    // Every byte of a multi-byte sequence is 0x80 or above, so each run of such bytes is valid
    // on its own or not at all; only those runs go to the decoder, not a copy of a whole file.
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            ++pos;
            continue;
        }
        std::size_t stop = pos;
        while (stop < utf8.size() && static_cast<unsigned char>(utf8[stop]) >= 0x80) {
            ++stop;
        }
        QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        // The decoder converts only when its result is taken.
        const QString decoded =
            decoder(QByteArrayView(utf8.data() + pos, static_cast<qsizetype>(stop - pos)));
        if (decoder.hasError()) {
            return false;
        }
        pos = stop;
    }
    return true;
}

std::string EncodeUtf8(char32_t codePoint) {
    return QString::fromUcs4(&codePoint, 1).toStdString();
}

std::string Cp1252ToUtf8(const std::string& text) {
    QString unicode;
    unicode.reserve(static_cast<qsizetype>(text.size()));
    for (const char c : text) {
        // Every Windows-1252 code point lies in the basic plane.
        unicode.append(
            QChar(static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(c)))));
    }
    return unicode.toStdString();
}

Cp1252Conversion Utf8ToCp1252(const std::string& utf8) {
    Cp1252Conversion result;
    result.text.reserve(utf8.size());
    std::size_t column = 1;
    for (const Utf8Char& c : DecodeUtf8(utf8)) {
        if (c.invalid) {
            result.problems.push_back({EncodingProblem::Kind::InvalidUtf8, column, 0, c.byte});
            result.text += '?';
        } else if (const int byte = CodePointToCp1252(c.code); byte < 0) {
            result.problems.push_back({EncodingProblem::Kind::NotInCp1252, column, c.code, 0});
            result.text += '?';
        } else {
            result.text += static_cast<char>(byte);
        }
        ++column;
    }
    return result;
}

std::string CodePointName(char32_t codePoint) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(codePoint));
    return buffer;
}

} // namespace lingomat
