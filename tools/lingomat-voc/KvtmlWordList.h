#pragma once

#include <optional>
#include <string>

#include "ImportModel.h"
#include "ImportText.h"

namespace lingomat {

// Reads a KVTML 2 word list: translations by the locale of their identifier, lessons from the
// (possibly nested) lesson containers, word classes from the word type containers.
WordList ReadKvtmlWordList(const std::string& content, std::optional<InputEncoding> encoding);

// Whether the content looks like XML rather than a delimited list.
bool LooksLikeXml(const std::string& content);

} // namespace lingomat
