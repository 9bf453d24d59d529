#pragma once

#include <string>

namespace lingomat {

// Turns the plain-ASCII accent escapes of stored texts (such as \"a, "a, ~n, \3 or $) into the
// Windows-1252 letters they stand for. Stored texts keep their escapes; every caller decodes
// right before showing or comparing.
std::string DecodeAccents(std::string text);

} // namespace lingomat
