#pragma once

#include <string>

#include <QString>

namespace lingomat {

// The one crossing between the core's Windows-1252 bytes and Qt's text.
QString ToQString(const std::string& cp1252);
// Characters that Windows-1252 cannot hold are left out rather than replaced, so a typed
// character that the game could never match does not turn into a wrong one.
std::string FromQString(const QString& text);
// The byte for one character, or 0 when Windows-1252 has none (NUL is no typed character).
char ToCp1252(char32_t character);

} // namespace lingomat
