#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ImportModel.h"
#include "ImportText.h"
#include "TextLines.h"

namespace lingomat {

struct ImportOptions {
    std::optional<char32_t> delimiter;
    std::optional<InputEncoding> encoding;
    std::vector<ImportColumn> columns;
    bool noHeader = false;
    bool spanish = false;
    bool fixEscapes = false;
    bool force = false;
};

// Reads "--delimiter ;", "--columns=de,en" and the like; returns what is wrong, or nothing.
std::optional<std::string> ParseImportOptions(const std::vector<std::string>& args,
                                              ImportOptions& options);

struct ImportOutcome {
    bool ok = false;
    TextLines lines;                   // the data set, Windows-1252, when ok
    std::vector<std::string> messages; // UTF-8 "file:line:column: Fehler: ..." and notes
    TextLines summary;                 // UTF-8; a line per lesson
};

// Turns a CSV, TSV or KVTML word list into the lines of a data set for the named output file
// (its name decides whether the game takes it as Spanish). Nothing is made when a word cannot
// be stored as the game would read it.
ImportOutcome ImportWordList(const std::string& inputPath, const std::string& content,
                             const std::string& outputPath, const ImportOptions& options);
// The same, releasing the content once the list is read, so that a long list is not held while
// its data set is made.
ImportOutcome ImportWordList(const std::string& inputPath, std::string&& content,
                             const std::string& outputPath, const ImportOptions& options);

// The Windows-1252 text with every character that the game would read as an accent escape
// replaced by a look-alike that it leaves alone; what was replaced is added to changes.
std::string DefuseAccentEscapes(const std::string& text, std::vector<std::string>& changes);

} // namespace lingomat
