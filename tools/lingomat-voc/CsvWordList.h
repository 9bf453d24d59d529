#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ImportModel.h"
#include "ImportText.h"

namespace lingomat {

struct CsvSettings {
    std::optional<char32_t> delimiter;
    std::optional<InputEncoding> encoding;
    std::vector<ImportColumn> columns; // by position; empty: from the header or the default
    bool noHeader = false;
    bool spanish = false; // the second column of a list without header is Spanish
};

// The cells of one record of a delimited file, with the line where the record starts.
struct CsvRecord {
    std::vector<PositionedText> cells;
    std::size_t line = 0;
};

// Splits delimited text into records: quoted fields may hold delimiters, line breaks and
// doubled quotes. Quoting faults are added to messages.
std::vector<CsvRecord> SplitCsv(const PositionedText& text, char32_t delimiter,
                                std::vector<ImportMessage>& messages);

// The delimiter that splits the first records most evenly: tab, semicolon or comma.
std::optional<char32_t> DetectDelimiter(const PositionedText& text);

// With a sink the rows go to it rather than into the list.
WordList ReadCsvWordList(const std::string& content, const CsvSettings& settings,
                         const RowSink& sink = {});

} // namespace lingomat
