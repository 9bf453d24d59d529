#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ImportText.h"

namespace lingomat {

// What a column of a word list holds. The four languages come first, in the order of
// ImportRow::texts.
enum class ImportColumn { German, English, French, Spanish, Lesson, WordClass, Skip };

inline constexpr std::size_t ImportLanguageCount = 4;

// The column a header cell or a --columns entry names (UTF-8, any case), or nothing.
std::optional<ImportColumn> ColumnForName(const std::string& name);

// "n", "v", "a" or "" for a word class as lists write it (Nomen, verb, Adj. ...); nothing when
// the value is not known.
std::optional<std::string> WordClassForName(const std::string& name);

// German name of a language column, for messages ("Deutsch").
const char* ImportLanguageName(std::size_t language);

// How a column is named in the import's notes: its language, "Lektion", "Wortart" or
// "übersprungen".
const char* ColumnRoleName(ImportColumn column);

// A text of the list in Windows-1252 with the place it came from.
struct ImportCell {
    std::string text;
    std::size_t line = 0;
    std::size_t column = 0;
};

// One word of the list, whatever format it came from.
struct ImportRow {
    std::size_t line = 0;
    std::array<ImportCell, ImportLanguageCount> texts; // German, English, French, Spanish
    std::vector<ImportCell> lessons;                   // lesson names; none: the file's lesson
    ImportCell wordClass;                              // as the list writes it
};

struct WordList {
    std::vector<ImportRow> rows;
    std::array<bool, ImportLanguageCount> languages{}; // which languages the list has at all
    std::vector<std::string> lessonOrder;              // lesson names as the list declares them
    std::vector<std::string> readingNotes;             // UTF-8 lines for the summary
    std::vector<ImportMessage> messages;
};

// Takes each row as it is read, instead of the list holding them all; told the list as read so
// far (its languages are known before the first row).
using RowSink = std::function<void(const WordList& reading, ImportRow& row)>;

} // namespace lingomat
