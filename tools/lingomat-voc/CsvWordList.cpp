#include "CsvWordList.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <set>

namespace lingomat {
namespace {

// Enough records to see the shape of a list without reading a long one three times.
constexpr std::size_t DelimiterSampleRecords = 50;

std::string DelimiterName(char32_t delimiter) {
    switch (delimiter) {
    case '\t':
        return "Tabulator";
    case ';':
        return "Semikolon";
    case ',':
        return "Komma";
    default:
        return "„" + PlainUtf8({{delimiter, 0, 0}}) + "“";
    }
}

// A first record is a header when at least half of its filled cells name a known column.
bool LooksLikeHeader(const CsvRecord& record) {
    std::size_t filled = 0;
    std::size_t known = 0;
    for (const auto& cell : record.cells) {
        const auto name = PlainUtf8(Trimmed(cell));
        if (name.empty()) {
            continue;
        }
        ++filled;
        if (ColumnForName(name)) {
            ++known;
        }
    }
    return known > 0 && known * 2 >= filled;
}

struct CellRange {
    std::size_t begin;
    std::size_t end;
};

struct RangeRecord {
    std::vector<CellRange> cells;
    std::size_t line = 0;
    bool blank = true; // no cell holds more than blanks and tabs
};

// Splits the text; the characters of each cell go to out (the quotes that only quote left out),
// which may be the text itself: a cell is then a range of the text, and a long field is not
// copied. Without out only the shape of the records counts.
std::vector<RangeRecord> SplitInPlace(std::span<const PositionedChar> text, PositionedChar* out,
                                      char32_t delimiter, std::vector<ImportMessage>& messages) {
    std::vector<RangeRecord> records;
    RangeRecord record;
    std::size_t cellBegin = 0;
    std::size_t written = 0;
    bool inQuotes = false;
    bool quoted = false;
    bool afterClosingQuote = false;
    PositionedChar openingQuote{};
    const auto keep = [&](const PositionedChar& c) {
        if (out != nullptr) {
            out[written] = c;
        }
        ++written;
        record.blank = record.blank && (c.code == ' ' || c.code == '\t');
    };
    const auto endCell = [&] {
        record.cells.push_back({cellBegin, written});
        cellBegin = written;
        quoted = false;
        afterClosingQuote = false;
    };
    const auto endRecord = [&] {
        endCell();
        records.push_back(std::move(record));
        record = RangeRecord{};
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const PositionedChar c = text[i];
        if (record.line == 0) {
            record.line = c.line;
        }
        if (inQuotes) {
            if (c.code != '"') {
                keep(c);
            } else if (i + 1 < text.size() && text[i + 1].code == '"') {
                keep(c);
                ++i;
            } else {
                inQuotes = false;
                afterClosingQuote = true;
            }
        } else if (c.code == delimiter) {
            endCell();
        } else if (c.code == '\r' || c.code == '\n') {
            if (c.code == '\r' && i + 1 < text.size() && text[i + 1].code == '\n') {
                ++i;
            }
            endRecord();
        } else if (c.code == '"' && written == cellBegin && !quoted) {
            inQuotes = true;
            quoted = true;
            openingQuote = c;
        } else {
            if (afterClosingQuote) {
                messages.push_back(
                    {ImportMessage::Severity::Error, c.line, c.column,
                     "Text nach dem schließenden Anführungszeichen; ein Anführungszeichen im "
                     "Feld muss verdoppelt werden (\"\")"});
                afterClosingQuote = false;
            }
            keep(c);
        }
    }
    if (inQuotes) {
        messages.push_back({ImportMessage::Severity::Error, openingQuote.line, openingQuote.column,
                            "Das Anführungszeichen wird bis zum Ende der Datei nicht geschlossen"});
    }
    if (written != cellBegin || !record.cells.empty() || quoted) {
        endRecord();
    }
    return records;
}

using CellViews = std::vector<std::span<const PositionedChar>>;

CellViews Views(std::span<const PositionedChar> text, const RangeRecord& record) {
    CellViews cells;
    cells.reserve(record.cells.size());
    for (const CellRange& cell : record.cells) {
        cells.push_back(text.subspan(cell.begin, cell.end - cell.begin));
    }
    return cells;
}

} // namespace

std::vector<CsvRecord> SplitCsv(const PositionedText& text, char32_t delimiter,
                                std::vector<ImportMessage>& messages) {
    PositionedText split = text;
    std::vector<CsvRecord> records;
    for (const RangeRecord& ranges : SplitInPlace(split, split.data(), delimiter, messages)) {
        CsvRecord& record = records.emplace_back();
        record.line = ranges.line;
        for (const CellRange& cell : ranges.cells) {
            record.cells.emplace_back(split.begin() + static_cast<std::ptrdiff_t>(cell.begin),
                                      split.begin() + static_cast<std::ptrdiff_t>(cell.end));
        }
    }
    return records;
}

std::optional<char32_t> DetectDelimiter(const PositionedText& text) {
    std::optional<char32_t> best;
    std::size_t bestWidth = 1;
    std::optional<char32_t> fallback;
    std::size_t fallbackSplit = 0;
    for (const char32_t candidate : {U'\t', U';', U','}) {
        std::vector<ImportMessage> ignored;
        // Only the shape counts, so nothing is copied.
        auto records = SplitInPlace(text, nullptr, candidate, ignored);
        std::erase_if(records, [](const RangeRecord& r) { return r.blank; });
        if (records.size() > DelimiterSampleRecords) {
            records.resize(DelimiterSampleRecords);
        }
        if (records.empty()) {
            continue;
        }
        const std::size_t width = records.front().cells.size();
        const bool even = std::all_of(records.begin(), records.end(), [&](const RangeRecord& r) {
            return r.cells.size() == width;
        });
        if (even && width > bestWidth) {
            best = candidate;
            bestWidth = width;
        }
        const auto split = static_cast<std::size_t>(
            std::count_if(records.begin(), records.end(),
                          [](const RangeRecord& r) { return r.cells.size() > 1; }));
        if (split > fallbackSplit) {
            fallback = candidate;
            fallbackSplit = split;
        }
    }
    return best ? best : fallback;
}

namespace {

// Hands out a file record by record, so that a long list is never decoded whole: physical lines
// are joined until their quotes pair up, which keeps a quoted line break in its field.
class CsvChunks {
public:
    CsvChunks(const std::string& bytes, const EncodingChoice& choice,
              std::vector<ImportMessage>& problems)
        : bytes(bytes), pos(choice.start), decoder(choice.encoding), problems(problems) {}

    bool Next(PositionedText& chunk) {
        chunk.clear();
        return NextAppended(chunk);
    }

    // The next chunk added to the end of text.
    bool NextAppended(PositionedText& text) {
        if (pos >= bytes.size()) {
            return false;
        }
        const std::size_t end = EndOf(pos);
        // Room for one character per byte at once: grown step by step, a long field was held
        // twice while it moved.
        text.reserve(text.size() + (end - pos));
        decoder.Decode(bytes, pos, end, text, problems);
        pos = end;
        return true;
    }

    // Where the next count chunks end together, and so how much they take at most.
    std::size_t BytesOfNext(std::size_t count) const {
        std::size_t end = pos;
        for (std::size_t i = 0; i < count && end < bytes.size(); ++i) {
            end = EndOf(end);
        }
        return end - pos;
    }

private:
    // Physical lines are joined until their quotes pair up.
    std::size_t EndOf(std::size_t from) const {
        std::size_t quotes = 0;
        do {
            std::size_t end = bytes.find('\n', from);
            end = end == std::string::npos ? bytes.size() : end + 1;
            quotes += static_cast<std::size_t>(
                std::count(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                           bytes.begin() + static_cast<std::ptrdiff_t>(end), '"'));
            from = end;
        } while (quotes % 2 == 1 && from < bytes.size());
        return from;
    }

    const std::string& bytes;
    std::size_t pos;
    InputDecoder decoder;
    std::vector<ImportMessage>& problems;
};

} // namespace

WordList ReadCsvWordList(const std::string& content, const CsvSettings& settings,
                         const RowSink& sink) {
    WordList list;
    std::string encoding;
    std::string converted;
    const std::string* bytes = &content;
    if (auto utf16 = Utf16ToUtf8(content)) {
        converted = std::move(*utf16);
        bytes = &converted;
        encoding = "UTF-16";
    }
    const EncodingChoice choice =
        ChooseEncoding(*bytes, encoding.empty() ? settings.encoding : InputEncoding::Utf8);
    ReportMisfits(choice, settings.encoding.has_value(), list.messages);
    if (encoding.empty()) {
        encoding = choice.encoding == InputEncoding::Utf8 ? "UTF-8" : "Windows-1252";
        if (choice.byteOrderMark) {
            encoding += " mit BOM";
        }
        encoding += settings.encoding ? " (angegeben)" : " (erkannt)";
    }
    list.readingNotes.push_back("Zeichenkodierung: " + encoding);

    CsvChunks chunks(*bytes, choice, list.messages);
    // The first records in one text, with where each piece from the file ends.
    PositionedText start;
    std::vector<std::size_t> pieceEnds;
    start.reserve(chunks.BytesOfNext(DelimiterSampleRecords));
    while (pieceEnds.size() < DelimiterSampleRecords && chunks.NextAppended(start)) {
        pieceEnds.push_back(start.size());
    }
    std::optional<char32_t> delimiter = settings.delimiter;
    if (!delimiter) {
        delimiter = DetectDelimiter(start);
    }
    if (!delimiter) {
        list.messages.push_back({ImportMessage::Severity::Error, 1, 0,
                                 "Kein Trennzeichen gefunden (Tabulator, Semikolon oder Komma); "
                                 "die Liste braucht mindestens zwei Spalten, oder geben Sie "
                                 "--delimiter an"});
        return list;
    }
    list.readingNotes.push_back("Trennzeichen: " + DelimiterName(*delimiter) +
                                (settings.delimiter ? " (angegeben)" : " (erkannt)"));

    std::vector<RangeRecord> records; // ranges in start
    for (std::size_t p = 0, begin = 0; p < pieceEnds.size(); begin = pieceEnds[p++]) {
        const auto piece = std::span<PositionedChar>(start).subspan(begin, pieceEnds[p] - begin);
        for (RangeRecord& record : SplitInPlace(piece, piece.data(), *delimiter, list.messages)) {
            if (!record.blank) {
                for (CellRange& cell : record.cells) {
                    cell.begin += begin;
                    cell.end += begin;
                }
                records.push_back(std::move(record));
            }
        }
    }
    if (records.empty()) {
        list.messages.push_back({ImportMessage::Severity::Error, 0, 0, "Die Datei ist leer"});
        return list;
    }
    CsvRecord first;
    first.line = records.front().line;
    for (const auto& cell : Views(start, records.front())) {
        first.cells.emplace_back(cell.begin(), cell.end());
    }

    std::size_t width = 0;
    for (const auto& record : records) {
        width = std::max(width, record.cells.size());
    }
    std::vector<ImportColumn> mapping = settings.columns;
    const bool header = !settings.noHeader && LooksLikeHeader(first);
    if (header && mapping.empty()) {
        const CsvRecord& names = first;
        for (const auto& cell : names.cells) {
            const std::string name = PlainUtf8(Trimmed(cell));
            const auto column =
                name.empty() ? std::optional(ImportColumn::Skip) : ColumnForName(name);
            if (!column) {
                const auto at = cell.empty() ? PositionedChar{0, 0, 0} : cell.front();
                list.messages.push_back(
                    {ImportMessage::Severity::Error, names.line, at.column,
                     "Unbekannte Spaltenüberschrift „" + name +
                         "“; bekannt sind Deutsch, Englisch, Französisch, Spanisch, Lektion und "
                         "Wortart (auch englisch oder als de, en, fr, es). Benennen Sie die "
                         "Spalte um oder ordnen Sie die Spalten mit --columns zu (\"-\" "
                         "überspringt eine Spalte)"});
            }
            mapping.push_back(column.value_or(ImportColumn::Skip));
        }
    } else if (mapping.empty()) {
        const ImportColumn defaults[] = {
            ImportColumn::German, settings.spanish ? ImportColumn::Spanish : ImportColumn::English,
            ImportColumn::French};
        for (std::size_t i = 0; i < std::min<std::size_t>(width, 3); ++i) {
            mapping.push_back(defaults[i]);
        }
    }
    std::string mappingNote = header && settings.columns.empty() ? "Spalten nach der Kopfzeile:"
                              : !settings.columns.empty()
                                  ? "Spalten nach --columns:"
                                  : "Keine Kopfzeile und keine Zuordnung angegeben; angenommen:";
    std::set<ImportColumn> seen;
    for (std::size_t i = 0; i < mapping.size(); ++i) {
        mappingNote +=
            (i == 0 ? " " : ", ") + std::to_string(i + 1) + " " + ColumnRoleName(mapping[i]);
        if (mapping[i] != ImportColumn::Skip && !seen.insert(mapping[i]).second) {
            list.messages.push_back({ImportMessage::Severity::Error, header ? first.line : 0, 0,
                                     std::string("Die Spalte „") + ColumnRoleName(mapping[i]) +
                                         "“ ist mehrfach zugeordnet; jede Sprache darf nur einmal "
                                         "vorkommen"});
        }
        if (static_cast<std::size_t>(mapping[i]) < ImportLanguageCount) {
            list.languages[static_cast<std::size_t>(mapping[i])] = true;
        }
    }
    if (!header && settings.columns.empty()) {
        mappingNote += " (ändern mit --columns)";
    }
    list.readingNotes.push_back(mappingNote);
    if (header) {
        list.readingNotes.push_back("Zeile " + std::to_string(first.line) + " ist die Kopfzeile");
    }

    std::vector<bool> reportedColumn;
    const auto takeRecord = [&](std::size_t line, const CellViews& cells) {
        ImportRow row;
        row.line = line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const auto cell = TrimmedView(cells[i]);
            if (i >= mapping.size()) {
                reportedColumn.resize(std::max(reportedColumn.size(), i + 1), false);
                if (!cell.empty() && !reportedColumn[i]) {
                    reportedColumn[i] = true;
                    list.messages.push_back(
                        {ImportMessage::Severity::Error, cell.front().line, cell.front().column,
                         "Spalte " + std::to_string(i + 1) +
                             " ist keiner Sprache zugeordnet, ihr Inhalt ginge verloren; ordnen "
                             "Sie die Spalten mit --columns zu (z. B. de,en,fr,lesson)"});
                }
                continue;
            }
            if (mapping[i] == ImportColumn::Skip) {
                continue;
            }
            ImportCell stored;
            stored.text = ToStoredText(cell, list.messages);
            stored.line = cell.empty() ? line : cell.front().line;
            stored.column = cell.empty() ? 0 : cell.front().column;
            if (mapping[i] == ImportColumn::Lesson) {
                if (!stored.text.empty()) {
                    row.lessons.push_back(std::move(stored));
                }
            } else if (mapping[i] == ImportColumn::WordClass) {
                row.wordClass = std::move(stored);
            } else {
                row.texts[static_cast<std::size_t>(mapping[i])] = std::move(stored);
            }
        }
        if (sink) {
            sink(list, row);
        } else {
            list.rows.push_back(std::move(row));
        }
    };
    for (std::size_t r = header ? 1 : 0; r < records.size(); ++r) {
        takeRecord(records[r].line, Views(start, records[r]));
    }
    records.clear();
    PositionedText().swap(start);
    PositionedText chunk;
    while (chunks.Next(chunk)) {
        for (const RangeRecord& record :
             SplitInPlace(chunk, chunk.data(), *delimiter, list.messages)) {
            if (!record.blank) {
                takeRecord(record.line, Views(chunk, record));
            }
        }
    }
    return list;
}

} // namespace lingomat
