#pragma once

#include <string>
#include <vector>

#include "CsvWordList.h"
#include "ImportModel.h"

namespace lingomat {

// The plain text of an Anki field: tags removed, character references decoded, line breaks
// and blocks as one blank each, blanks squeezed. Sound and image references are dropped; what
// was dropped is added to dropped (UTF-8, for a warning).
std::string AnkiFieldText(const std::string& html, std::vector<std::string>& dropped);

// Reads the notes of an Anki package (.apkg, .colpkg): a zip that holds the collection as an
// SQLite database, in newer packages compressed with zstd. The fields are taken by position as
// settings.columns says (by default German, then English or Spanish, then French); every deck
// becomes a lesson named by its full name.
WordList ReadAnkiWordList(const std::string& package, const CsvSettings& settings);

} // namespace lingomat
