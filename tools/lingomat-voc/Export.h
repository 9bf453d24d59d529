#pragma once

#include <string>
#include <vector>

#include "TextLines.h"

namespace lingomat {

enum class ExportFormat { Csv, Kvtml, Json };

struct ExportOutcome {
    std::string content;              // the file's bytes
    std::vector<std::string> summary; // UTF-8
};

// Writes the decoded lines (Windows-1252) of a data set as a word list that spreadsheets and
// other trainers read and that import reads back: CSV with ";", a header row and the lesson in a
// column, one row per record and lesson; or KVTML 2 with the lessons as containers. Accent
// escapes become the characters they stand for. A Spanish data set has German and Spanish only.
// Json is for scripts: the layout as the game reads it, texts as stored (UTF-8, escapes kept),
// with line numbers and each record's lessons, so that no script parses the layout again.
ExportOutcome ExportDataSet(const TextLines& lines, bool spanish, ExportFormat format, bool utf8);

} // namespace lingomat
