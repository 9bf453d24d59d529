#pragma once

#include <string>

namespace lingomat {

// Whether some form of a stored text (accent escapes not decoded) lies strictly between the two
// bounds. Each form is compared by a fixed key: without article, blanks and hyphens, lowered and
// with plain vowels. The bounds are used as typed; bytes compare as unsigned values.
bool InAlphabeticRange(const std::string& text, const std::string& lower, const std::string& upper);

} // namespace lingomat
