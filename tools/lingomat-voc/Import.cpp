#include "Import.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "AnkiWordList.h"
#include "CsvWordList.h"
#include "DataSetCheck.h"
#include "KvtmlWordList.h"
#include "TextEncoding.h"
#include "data/DataSetLayoutReader.h"
#include "data/VocFileReader.h"
#include "matching/AccentEscapes.h"
#include "matching/LanguageNames.h"

namespace lingomat {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t MaxListedMessages = 100;
constexpr unsigned char OpeningQuote = 0x84; // „
constexpr unsigned char ClosingQuote = 0x93; // “
constexpr unsigned char Circumflex = 0x88;   // ˆ
constexpr unsigned char Tilde = 0x98;        // ˜

const char* const SpanishNames = "spain.voc, spanbasic.voc, spantheme.voc oder spantest.voc";

std::string Quoted(const std::string& cp1252) {
    return "„" + Cp1252ToUtf8(cp1252) + "“";
}

bool IsOneOf(char c, const char* set) {
    return c != 0 && std::char_traits<char>::find(set, std::char_traits<char>::length(set), c);
}

std::string LessonCode(std::size_t index, std::size_t count) {
    // One width for all codes, so that no code can stand inside another.
    const std::size_t width = std::max<std::size_t>(3, std::to_string(count).size());
    std::string number = std::to_string(index + 1);
    return "L" + std::string(width - number.size(), '0') + number;
}

std::string FormatMessage(const std::string& file, const ImportMessage& message) {
    std::string text = file;
    if (message.line != 0) {
        text += ":" + std::to_string(message.line);
        if (message.column != 0) {
            text += ":" + std::to_string(message.column);
        }
    }
    switch (message.severity) {
    case ImportMessage::Severity::Error:
        return text + ": Fehler: " + message.text;
    case ImportMessage::Severity::Warning:
        return text + ": Warnung: " + message.text;
    case ImportMessage::Severity::Note:
        break;
    }
    return text + ": Hinweis: " + message.text;
}

// Gives a container's memory back; assigning {} empties it but keeps its storage.
template <typename Container> void Release(Container& container) {
    Container().swap(container);
}

// The texts of all records in one buffer; a record keeps where its texts lie, offset and length
// in one word. A list of a million rows held as strings of their own cost many times the file.
class TextArena {
public:
    using Ref = std::uint64_t;

    Ref Add(std::string_view text) {
        // Stored texts are shorter than a stored line; longer ones were refused before.
        if (text.size() > LengthMask) {
            throw std::length_error("Text zu lang");
        }
        const Ref ref = (static_cast<Ref>(bytes.size()) << LengthBits) | text.size();
        bytes.append(text);
        return ref;
    }
    std::string_view Get(Ref ref) const {
        return std::string_view(bytes).substr(ref >> LengthBits, ref & LengthMask);
    }
    std::size_t Size() const { return bytes.size(); }
    void Truncate(std::size_t size) { bytes.resize(size); }
    void Reserve(std::size_t size) { bytes.reserve(size); }
    // Assigning an empty string would keep the memory in libstdc++.
    void Release() { std::string().swap(bytes); }

private:
    static constexpr unsigned LengthBits = 24;
    static constexpr Ref LengthMask = (Ref{1} << LengthBits) - 1;
    std::string bytes;
};

struct StoredRecord {
    std::size_t line;
    std::array<TextArena::Ref, 3> texts; // by data set column
    std::uint32_t firstLesson;
    std::uint32_t moreLessons; // 1 + index of the record's further lessons, 0 when none
    char wordClass;            // 'n', 'v', 'a', or 0 for none
};

class Importer {
public:
    Importer(const std::string& inputPath, const std::string& outputPath,
             const ImportOptions& options)
        : input(inputPath), output(outputPath), options(options) {}

    // Takes a row as soon as it is read, so that a long list is never held as rows. Rows after
    // a reading error are dropped: nothing will be written.
    void Take(const WordList& reading, ImportRow& row) {
        if (!started) {
            Start(reading.languages);
        }
        for (; !refused && scanned < reading.messages.size(); ++scanned) {
            refused = reading.messages[scanned].severity == ImportMessage::Severity::Error;
        }
        if (!refused) {
            TakeRow(row);
        }
    }

    // Room for the records of a list of that size with at most that many rows, so that they
    // grow without being moved; never more than the list's own size, which a file of empty
    // lines would otherwise ask many times over.
    void Expect(std::size_t bytes, std::size_t rows) {
        arena.Reserve(bytes);
        records.reserve(std::min(rows, bytes / sizeof(StoredRecord)));
    }

    ImportOutcome Finish(WordList read) {
        list = std::move(read);
        if (!started) {
            Start(list.languages);
        }
        for (ImportRow& row : list.rows) {
            Take(list, row);
        }
        Release(list.rows);
        Release(table);
        // The messages in the order the whole list would have given them: reading, columns,
        // rows; those of the rows only when neither of the others found an error.
        messages = list.messages;
        const bool anyLanguage =
            std::find(list.languages.begin(), list.languages.end(), true) != list.languages.end();
        // A file that could not be read at all has nothing more to say about its languages.
        if (anyLanguage || !HasErrors()) {
            messages.insert(messages.end(), columnMessages.begin(), columnMessages.end());
        }
        if (!HasErrors()) {
            messages.insert(messages.end(), rowMessages.begin(), rowMessages.end());
        } else {
            Release(records);
            arena.Release();
        }
        Release(columnMessages);
        Release(rowMessages);
        sink = &messages;
        if (!HasErrors() && records.empty()) {
            Add(ImportMessage::Severity::Error, 0, 0, "Die Liste enthält keine Vokabeln");
        }
        ImportOutcome outcome;
        if (!HasErrors()) {
            outcome.lines = BuildLines();
            CheckLines(outcome.lines);
        }
        std::stable_sort(
            messages.begin(), messages.end(),
            [](const ImportMessage& a, const ImportMessage& b) { return a.line < b.line; });
        std::size_t listed = 0;
        for (const auto& message : messages) {
            if (listed++ == MaxListedMessages) {
                outcome.messages.push_back("... und " +
                                           std::to_string(messages.size() - MaxListedMessages) +
                                           " weitere Meldungen");
                break;
            }
            outcome.messages.push_back(FormatMessage(input, message));
        }
        outcome.ok = !HasErrors();
        if (outcome.ok) {
            outcome.summary = Summary();
        } else {
            outcome.lines.clear();
        }
        return outcome;
    }

private:
    void Add(ImportMessage::Severity severity, std::size_t line, std::size_t column,
             std::string text) {
        sink->push_back({severity, line, column, std::move(text)});
    }

    bool HasErrors() const {
        return std::any_of(messages.begin(), messages.end(), [](const ImportMessage& m) {
            return m.severity == ImportMessage::Severity::Error;
        });
    }

    void Start(const std::array<bool, ImportLanguageCount>& has) {
        started = true;
        languages = has;
        sink = &columnMessages;
        ChooseColumns();
        sink = &rowMessages;
        refused = std::any_of(columnMessages.begin(), columnMessages.end(), [](const auto& m) {
            return m.severity == ImportMessage::Severity::Error;
        });
    }

    // Column 1 of a data set holds English or Spanish; the output name tells the game which.
    void ChooseColumns() {
        const auto& has = languages;
        const bool english = has[1];
        spanish = has[3];
        const std::string name = fs::path(output).filename().string();
        const bool spanishName = IsSpanishDataSet(name);
        if (!has[0]) {
            Add(ImportMessage::Severity::Error, 0, 0,
                "Die Liste hat keine deutsche Spalte; Lingomat fragt immer Deutsch ab");
        }
        if (english && spanish) {
            Add(ImportMessage::Severity::Error, 0, 0,
                "Die Liste enthält Englisch und Spanisch; ein Datensatz hält nur eine der beiden "
                "Sprachen. Importieren Sie die Liste zweimal und lassen Sie jedes Mal eine der "
                "Spalten weg (--columns mit „-“ an ihrer Stelle)");
            return;
        }
        if (!english && !spanish && !has[2]) {
            Add(ImportMessage::Severity::Error, 0, 0,
                "Die Liste hat keine Fremdsprache (Englisch, Französisch oder Spanisch)");
        }
        if (spanish && !spanishName) {
            const std::string text = "Die Liste enthält Spanisch, aber das Spiel erkennt einen "
                                     "spanischen Datensatz nur an seinem Namen: " +
                                     std::string(SpanishNames) + ". Unter dem Namen „" + name +
                                     "“ zeigte es Spanisch als Englisch an";
            if (options.force) {
                Add(ImportMessage::Severity::Warning, 0, 0,
                    text + " (--force: trotzdem geschrieben)");
            } else {
                Add(ImportMessage::Severity::Error, 0, 0,
                    text + ". Nennen Sie die Ausgabedatei entsprechend (oder schreiben Sie sie "
                           "mit --force trotzdem)");
            }
        }
        if (english && spanishName) {
            const std::string text = "Das Spiel hält „" + name +
                                     "“ wegen des Namens für einen spanischen Datensatz und "
                                     "zeigte Englisch als Spanisch an";
            if (options.force) {
                Add(ImportMessage::Severity::Warning, 0, 0,
                    text + " (--force: trotzdem geschrieben)");
            } else {
                Add(ImportMessage::Severity::Error, 0, 0,
                    text + ". Wählen Sie einen anderen Namen (oder --force)");
            }
        }
        sourceOfColumn = {0, spanish ? std::size_t{3} : std::size_t{1}, 2};
        for (std::size_t column = 1; column < 3; ++column) {
            const std::size_t language = sourceOfColumn[column];
            if (!has[language] && (column == 1 || !spanish) && (has[1] || has[2] || spanish)) {
                Add(ImportMessage::Severity::Warning, 0, 0,
                    std::string("Die Liste hat keine Spalte ") + ImportLanguageName(language) +
                        "; spielen Sie den Datensatz nicht mit dieser Sprache, ihre Antworten "
                        "wären leer (lingomat-voc check meldet die leeren Texte)");
            }
        }
    }

    bool StorableText(std::string& text, std::size_t line, std::size_t column,
                      const std::string& what) {
        if (text.size() >= VocFileReader::MaxLineLength) {
            Add(ImportMessage::Severity::Error, line, column,
                what + " ist zu lang; das Spiel läse nur einen Teil davon");
            return false;
        }
        const std::string decoded = DecodeAccents(text);
        if (decoded == text) {
            return true;
        }
        if (!options.fixEscapes) {
            Add(ImportMessage::Severity::Error, line, column,
                what + " " + Quoted(text) + " erschiene im Spiel als " + Quoted(decoded) +
                    ", weil Lingomat Zeichen wie „$“, „\"a“, „^e“, „~n“ oder „\\3“ als "
                    "Akzentbuchstaben liest. Ändern Sie den Text oder geben Sie --fix-escapes an");
            return false;
        }
        std::vector<std::string> changes;
        std::string fixed = DefuseAccentEscapes(text, changes);
        std::string list;
        for (const auto& change : changes) {
            list += (list.empty() ? "" : ", ") + change;
        }
        Add(ImportMessage::Severity::Note, line, column,
            what + " " + Quoted(text) + " gespeichert als " + Quoted(fixed) + " (" + list + ")");
        text = std::move(fixed);
        ++fixedTexts;
        return true;
    }

    void TakeRow(ImportRow& row) {
        bool sound = true;
        bool empty = true;
        for (std::size_t column = 0; column < 3; ++column) {
            const ImportCell& cell = row.texts[sourceOfColumn[column]];
            empty = empty && cell.text.empty();
        }
        if (empty) {
            Add(ImportMessage::Severity::Note, row.line, 0,
                "ohne deutschen und fremdsprachigen Text; übersprungen");
            ++skippedRows;
            return;
        }
        static const char* const textNames[3] = {"Der deutsche Text", "Der englische Text",
                                                 "Der französische Text"};
        for (std::size_t column = 0; column < 3; ++column) {
            const std::size_t language = sourceOfColumn[column];
            ImportCell& cell = row.texts[language];
            const std::string what =
                column == 1 && spanish ? "Der spanische Text" : textNames[column];
            if (cell.text.empty()) {
                if (languages[language]) {
                    Add(ImportMessage::Severity::Error, row.line, 0,
                        what + " fehlt; ergänzen Sie ihn oder löschen Sie die Zeile");
                    sound = false;
                }
                continue;
            }
            if (!StorableText(cell.text, cell.line, cell.column, what)) {
                sound = false;
            }
            if (const auto shape = FormShapeProblem(cell.text); !shape.empty()) {
                Add(ImportMessage::Severity::Error, cell.line, cell.column,
                    what + " " + Quoted(cell.text) + ": " + shape +
                        " (mehrere Antworten schreiben Sie als „/eins /zwei“)");
                sound = false;
            }
            if (const auto parentheses = ParenthesesProblem(cell.text); !parentheses.empty()) {
                Add(ImportMessage::Severity::Error, cell.line, cell.column,
                    what + " " + Quoted(cell.text) + ": " + parentheses);
                sound = false;
            }
        }
        char wordClass = 0;
        if (const auto known = WordClassForName(Cp1252ToUtf8(row.wordClass.text))) {
            wordClass = known->empty() ? 0 : known->front();
        } else {
            Add(ImportMessage::Severity::Warning, row.wordClass.line, row.wordClass.column,
                "Unbekannte Wortart " + Quoted(row.wordClass.text) +
                    " wird nicht übernommen (bekannt: n, v, a, Nomen, Verb, Adjektiv, Adverb)");
        }
        std::vector<std::string*> names;
        for (ImportCell& lesson : row.lessons) {
            if (!StorableText(lesson.text, lesson.line, lesson.column, "Der Lektionsname")) {
                sound = false;
            } else if (!lesson.text.empty() && lesson.text.front() == '#') {
                // The game reads a lesson name that starts with "#" as the end of the lessons.
                Add(ImportMessage::Severity::Error, lesson.line, lesson.column,
                    "Der Lektionsname " + Quoted(lesson.text) +
                        " beginnt mit „#“; das Spiel läse dort das Ende der Lektionen. Ändern "
                        "Sie den Namen");
                sound = false;
            }
            names.push_back(&lesson.text);
        }
        if (names.empty()) {
            FileLesson();
        }
        if (!sound) {
            return;
        }
        const std::size_t arenaSize = arena.Size();
        StoredRecord record{row.line, {}, 0, 0, wordClass};
        for (std::size_t column = 0; column < 3; ++column) {
            record.texts[column] = arena.Add(row.texts[sourceOfColumn[column]].text);
        }
        if (names.empty()) {
            record.firstLesson = LessonId(fileLesson);
        }
        for (std::size_t l = 0; l < names.size(); ++l) {
            const std::uint32_t id = LessonId(*names[l]);
            if (l == 0) {
                record.firstLesson = id;
            } else {
                AddLesson(record, id);
            }
        }
        // The same words twice would be asked twice in a lesson; one record with both lessons
        // keeps every lesson complete.
        records.push_back(record);
        const std::size_t earlier = FindOrInsert(records.size() - 1);
        if (earlier == records.size() - 1) {
            return;
        }
        records.pop_back();
        arena.Truncate(arenaSize);
        StoredRecord& first = records[earlier];
        ForEachLesson(record, [&](std::uint32_t id) { AddLesson(first, id); });
        if (first.wordClass == 0) {
            first.wordClass = record.wordClass;
        }
        Add(ImportMessage::Severity::Note, row.line, 0,
            "dieselben Wörter wie Zeile " + std::to_string(first.line) +
                "; als ein Datensatz übernommen");
        ++mergedRows;
    }

    std::uint32_t LessonId(const std::string& name) {
        const auto [at, added] =
            lessonIds.emplace(name, static_cast<std::uint32_t>(lessonNames.size()));
        if (added) {
            lessonNames.push_back(name);
        }
        return at->second;
    }

    template <typename Visit> void ForEachLesson(const StoredRecord& record, Visit visit) const {
        visit(record.firstLesson);
        if (record.moreLessons != 0) {
            for (const std::uint32_t id : moreLessons[record.moreLessons - 1]) {
                visit(id);
            }
        }
    }

    // Adds a lesson to a record that does not have it yet, after its others.
    void AddLesson(StoredRecord& record, std::uint32_t id) {
        bool has = false;
        ForEachLesson(record, [&](std::uint32_t other) { has = has || other == id; });
        if (has) {
            return;
        }
        if (record.moreLessons == 0) {
            moreLessons.emplace_back();
            record.moreLessons = static_cast<std::uint32_t>(moreLessons.size());
        }
        moreLessons[record.moreLessons - 1].push_back(id);
    }

    std::size_t HashOf(const StoredRecord& record) const {
        std::size_t hash = 0;
        for (const TextArena::Ref text : record.texts) {
            hash = hash * 1000003 ^ std::hash<std::string_view>{}(arena.Get(text));
        }
        return hash;
    }

    bool SameTexts(const StoredRecord& a, const StoredRecord& b) const {
        for (std::size_t column = 0; column < 3; ++column) {
            if (arena.Get(a.texts[column]) != arena.Get(b.texts[column])) {
                return false;
            }
        }
        return true;
    }

    // The earlier record with the texts of this one, or this one after noting it. An open
    // table of record numbers: a map of the texts held every text a second time.
    std::size_t FindOrInsert(std::size_t index) {
        if ((records.size() + 1) * 2 > table.size()) {
            std::vector<std::uint32_t> larger(std::max<std::size_t>(64, table.size() * 2), 0);
            for (const std::uint32_t slot : table) {
                if (slot != 0) {
                    Place(larger, slot);
                }
            }
            table = std::move(larger);
        }
        const std::size_t mask = table.size() - 1;
        for (std::size_t at = HashOf(records[index]) & mask;; at = (at + 1) & mask) {
            if (table[at] == 0) {
                table[at] = static_cast<std::uint32_t>(index + 1);
                return index;
            }
            if (SameTexts(records[table[at] - 1], records[index])) {
                return table[at] - 1;
            }
        }
    }

    void Place(std::vector<std::uint32_t>& slots, std::uint32_t slot) const {
        const std::size_t mask = slots.size() - 1;
        std::size_t at = HashOf(records[slot - 1]) & mask;
        while (slots[at] != 0) {
            at = (at + 1) & mask;
        }
        slots[at] = slot;
    }

    const std::string& FileLesson() {
        if (fileLesson.empty()) {
            fileLesson = Utf8ToCp1252(fs::path(input).stem().string()).text;
            if (fileLesson.empty() || fileLesson.front() == '#' ||
                DecodeAccents(fileLesson) != fileLesson) {
                fileLesson = "Importiert";
            }
        }
        return fileLesson;
    }

    TextLines BuildLines() {
        // Lessons by number: a list of 100,000 lessons must not compare every lesson with every
        // other one, nor every record with every lesson.
        constexpr auto none = static_cast<std::uint32_t>(-1);
        std::vector<std::uint32_t> place(lessonNames.size(), none);
        std::vector<std::uint32_t> order;
        const auto note = [&](std::uint32_t id) {
            if (place[id] == none) {
                place[id] = static_cast<std::uint32_t>(order.size());
                order.push_back(id);
            }
        };
        std::vector<bool> used(lessonNames.size(), false);
        for (const auto& record : records) {
            ForEachLesson(record, [&](std::uint32_t id) { used[id] = true; });
        }
        for (const auto& name : list.lessonOrder) {
            if (const auto found = lessonIds.find(name);
                found != lessonIds.end() && used[found->second]) {
                note(found->second);
            }
        }
        for (const auto& record : records) {
            ForEachLesson(record, note);
        }
        const std::size_t codeSize = LessonCode(0, order.size()).size();
        std::size_t bytes = arena.Size() + input.size() + 64;
        for (const std::uint32_t id : order) {
            bytes += lessonNames[id].size() + codeSize;
        }
        for (const auto& record : records) {
            ForEachLesson(record, [&](std::uint32_t) { bytes += codeSize + 1; });
            ++bytes;
        }
        TextLines lines;
        lines.Reserve(2 * order.size() + 5 * records.size() + 6, bytes);
        lines.push_back(DataSetHeaderLine);
        lines.push_back(std::to_string(VersionWithWordClass));
        lines.push_back("Importiert aus " + Utf8ToCp1252(fs::path(input).filename().string()).text);
        lines.push_back("#");
        lessons.reserve(order.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            lessons.push_back({std::move(lessonNames[order[i]]), LessonCode(i, order.size()), 0});
            lines.push_back(lessons.back().name);
            lines.push_back(lessons.back().code);
        }
        lines.push_back("#");
        for (const auto& record : records) {
            lines.StartLine();
            bool firstCode = true;
            ForEachLesson(record, [&](std::uint32_t id) {
                LessonSummary& entry = lessons[place[id]];
                if (!firstCode) {
                    lines.AppendToLast(" ");
                }
                firstCode = false;
                lines.AppendToLast(entry.code);
                ++entry.count;
            });
            lines.push_back(record.wordClass == 0 ? std::string_view()
                                                  : std::string_view(&record.wordClass, 1));
            lines.push_back(arena.Get(record.texts[2]));
            lines.push_back(arena.Get(record.texts[1]));
            lines.push_back(arena.Get(record.texts[0]));
        }
        lines.push_back("#");
        recordCount = records.size();
        Release(records);
        Release(moreLessons);
        Release(lessonIds);
        Release(lessonNames);
        arena.Release();
        return lines;
    }

    // The data set must pass the check the players use; the empty texts of a language the
    // list does not have were reported above already. The learner's findings are warnings,
    // which do not count here.
    void CheckLines(const TextLines& lines) {
        const CheckReport report =
            CheckDataSet(lines, IsSpanishDataSet(fs::path(output).filename().string()), false);
        for (const auto& finding : report.findings) {
            if (finding.severity == Severity::Error && finding.kind != FindingKind::EmptyText) {
                Add(ImportMessage::Severity::Error, 0, 0,
                    "Der erzeugte Datensatz besteht die Prüfung nicht: " + finding.message);
            }
        }
    }

    TextLines Summary() const {
        TextLines summary;
        summary.push_back("Importiert: " + input);
        for (const auto& note : list.readingNotes) {
            summary.push_back("  " + note);
        }
        summary.push_back(
            std::string(spanish ? "Deutsch-Spanisch" : "Deutsch-Englisch-Französisch") +
            ", Lektionen: " + std::to_string(lessons.size()));
        for (const auto& lesson : lessons) {
            summary.push_back("  " + lesson.code + " " + Quoted(lesson.name) + ": " +
                              std::to_string(lesson.count) +
                              (lesson.count == 1 ? " Datensatz" : " Datensätze"));
        }
        summary.push_back("Datensätze: " + std::to_string(recordCount));
        if (skippedRows != 0) {
            summary.push_back("Übersprungen (ohne Wörter): " + std::to_string(skippedRows));
        }
        if (mergedRows != 0) {
            summary.push_back("Zusammengefasst (doppelte Wörter): " + std::to_string(mergedRows));
        }
        if (fixedTexts != 0) {
            summary.push_back("Akzentkürzel entschärft: " + std::to_string(fixedTexts) + " Texte");
        }
        return summary;
    }

    struct LessonSummary {
        std::string name;
        std::string code;
        std::size_t count;
    };

    std::string input;
    std::string output;
    ImportOptions options;
    WordList list;
    std::array<bool, ImportLanguageCount> languages{};
    bool started = false;
    bool refused = false;    // a reading or column error: no more rows are taken
    std::size_t scanned = 0; // reading messages looked at for errors
    std::vector<ImportMessage> messages;
    std::vector<ImportMessage> columnMessages;
    std::vector<ImportMessage> rowMessages;
    std::vector<ImportMessage>* sink = &rowMessages;
    bool spanish = false;
    std::array<std::size_t, 3> sourceOfColumn = {0, 1, 2};
    TextArena arena;
    std::vector<StoredRecord> records;
    std::vector<std::vector<std::uint32_t>> moreLessons;
    std::vector<std::uint32_t> table; // 1 + record number, 0 for a free slot
    std::unordered_map<std::string, std::uint32_t> lessonIds;
    std::vector<std::string> lessonNames;
    std::size_t recordCount = 0;
    std::vector<LessonSummary> lessons;
    std::string fileLesson;
    std::size_t skippedRows = 0;
    std::size_t mergedRows = 0;
    std::size_t fixedTexts = 0;
};

std::optional<char32_t> DelimiterForName(const std::string& name) {
    if (name == ";" || name == "semikolon" || name == "semicolon") {
        return U';';
    }
    if (name == "," || name == "komma" || name == "comma") {
        return U',';
    }
    if (name == "\t" || name == "\\t" || name == "tab" || name == "tabulator") {
        return U'\t';
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> ParseImportOptions(const std::vector<std::string>& args,
                                              ImportOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        } else if (name == "--delimiter" || name == "--encoding" || name == "--columns") {
            if (i + 1 == args.size()) {
                return "Nach " + name + " fehlt der Wert.";
            }
            value = args[++i];
        }
        if (name == "--delimiter") {
            options.delimiter = DelimiterForName(*value);
            if (!options.delimiter) {
                return "Unbekanntes Trennzeichen „" + *value + "“ (erlaubt: ; , tab)";
            }
        } else if (name == "--encoding") {
            if (*value == "utf-8" || *value == "utf8" || *value == "UTF-8") {
                options.encoding = InputEncoding::Utf8;
            } else if (*value == "windows-1252" || *value == "cp1252" || *value == "Windows-1252") {
                options.encoding = InputEncoding::Windows1252;
            } else {
                return "Unbekannte Zeichenkodierung „" + *value +
                       "“ (erlaubt: utf-8, windows-1252)";
            }
        } else if (name == "--columns") {
            options.columns.clear();
            std::size_t start = 0;
            for (;;) {
                const std::size_t comma = value->find(',', start);
                const std::string column = value->substr(start, comma - start);
                const auto known = ColumnForName(column);
                if (!known) {
                    return "Unbekannter Spaltenname „" + column +
                           "“ in --columns (bekannt: de, en, fr, es, lesson, class, - zum "
                           "Überspringen; auch deutsch, englisch, lektion, wortart ...)";
                }
                options.columns.push_back(*known);
                if (comma == std::string::npos) {
                    break;
                }
                start = comma + 1;
            }
        } else if (name == "--no-header") {
            options.noHeader = true;
        } else if (name == "--spanish") {
            options.spanish = true;
        } else if (name == "--fix-escapes") {
            options.fixEscapes = true;
        } else if (name == "--force") {
            options.force = true;
        } else {
            return "Unbekannte Option: " + name;
        }
    }
    return std::nullopt;
}

namespace {

// owned, when given, holds the content and is emptied once the list is read.
ImportOutcome ImportFrom(const std::string& inputPath, const std::string& content,
                         std::string* owned, const std::string& outputPath,
                         const ImportOptions& options) {
    std::string extension = fs::path(inputPath).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool kvtml = extension == ".kvtml" || extension == ".xml" || LooksLikeXml(content);
    WordList list;
    CsvSettings settings;
    settings.delimiter = options.delimiter;
    settings.encoding = options.encoding;
    settings.columns = options.columns;
    settings.noHeader = options.noHeader;
    settings.spanish = options.spanish;
    Importer importer(inputPath, outputPath, options);
    if (extension == ".apkg" || extension == ".colpkg") {
        list = ReadAnkiWordList(content, settings);
    } else if (kvtml) {
        list = ReadKvtmlWordList(content, options.encoding);
    } else {
        importer.Expect(content.size(),
                        static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) +
                            1);
        list = ReadCsvWordList(content, settings, [&](const WordList& reading, ImportRow& row) {
            importer.Take(reading, row);
        });
        list.readingNotes.insert(list.readingNotes.begin(), "Format: CSV/TSV");
    }
    if (owned != nullptr) {
        std::string().swap(*owned); // assigning "" would keep the memory
    }
    return importer.Finish(std::move(list));
}

} // namespace

ImportOutcome ImportWordList(const std::string& inputPath, const std::string& content,
                             const std::string& outputPath, const ImportOptions& options) {
    return ImportFrom(inputPath, content, nullptr, outputPath, options);
}

ImportOutcome ImportWordList(const std::string& inputPath, std::string&& content,
                             const std::string& outputPath, const ImportOptions& options) {
    std::string owned = std::move(content);
    return ImportFrom(inputPath, owned, &owned, outputPath, options);
}

std::string DefuseAccentEscapes(const std::string& text, std::vector<std::string>& changes) {
    std::string out;
    const auto change = [&](const std::string& what) {
        if (std::find(changes.begin(), changes.end(), what) == changes.end()) {
            changes.push_back(what);
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : 0;
        const char after = i + 2 < text.size() ? text[i + 2] : 0;
        if (c == '$') {
            out += "Dollar";
            change("„$“ → „Dollar“");
        } else if (c == '"' && IsOneOf(next, "aAeiouOU")) {
            const bool opening = out.empty() || IsOneOf(out.back(), " (/\\");
            out += static_cast<char>(opening ? OpeningQuote : ClosingQuote);
            change("„\"“ → typografisches Anführungszeichen");
        } else if (c == '^' && IsOneOf(next, "aeiou")) {
            out += static_cast<char>(Circumflex);
            change("„^“ → „ˆ“");
        } else if (c == '~' && IsOneOf(next, "nN")) {
            out += static_cast<char>(Tilde);
            change("„~“ → „˜“");
        } else if (c == '\\' && (((next == '\'' || next == '`') && IsOneOf(after, "aeiou")) ||
                                 (next == 'c' && after == 'c') || next == '3' ||
                                 (next == 's' && after == 's'))) {
            change("„\\“ vor einem Akzentkürzel entfernt");
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace lingomat
