#include "platform/qt/Cp1252.h"

#include <array>

#include <QList>

namespace lingomat {

namespace {

// 0x80..0x9F. The five bytes Windows leaves undefined map to the C1 control of the same
// number, as Windows' own conversion does, so every byte survives a round trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t FromByte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

} // namespace

char ToCp1252(char32_t character) {
    if (character == 0) {
        return 0;
    }
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<char>(character);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == character) {
            return static_cast<char>(0x80 + i);
        }
    }
    return 0;
}

QString ToQString(const std::string& cp1252) {
    QString text;
    text.reserve(static_cast<qsizetype>(cp1252.size()));
    for (const char c : cp1252) {
        text.append(QChar(FromByte(static_cast<unsigned char>(c))));
    }
    return text;
}

std::string FromQString(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t character : text.toUcs4()) {
        // NUL is kept: it is a character of the text, not a failed conversion.
        if (character == 0) {
            bytes.push_back('\0');
            continue;
        }
        const char byte = ToCp1252(character);
        if (byte != 0) {
            bytes.push_back(byte);
        }
    }
    return bytes;
}

} // namespace lingomat
