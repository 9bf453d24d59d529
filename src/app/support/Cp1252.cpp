#include "support/Cp1252.h"

#include "data/Windows1252.h"

#include <QList>

namespace lingomat {

char ToCp1252(char32_t character) {
    const int byte = CodePointToCp1252(character);
    return byte < 0 ? 0 : static_cast<char>(byte);
}

QString ToQString(const std::string& cp1252) {
    QString text;
    text.reserve(static_cast<qsizetype>(cp1252.size()));
    for (const char c : cp1252) {
        text.append(QChar(static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(c)))));
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
