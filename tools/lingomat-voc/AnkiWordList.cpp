#include "AnkiWordList.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <memory>
#include <set>

#include <sqlite3.h>
#include <zip.h>
#include <zstd.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "TextEncoding.h"

namespace lingomat {
namespace {

// Far more than any vocabulary collection holds; a package claiming more is refused before a
// byte of it is unpacked, so a zip bomb cannot fill the memory.
constexpr std::uint64_t MaxCollectionBytes = 256ull << 20;
constexpr char FieldSeparator = '\x1f';

struct NamedEntity {
    const char* name;
    char32_t code;
};

// The named references Anki's editor writes, and the letters of our languages.
constexpr NamedEntity NamedEntities[] = {
    {"amp", '&'},     {"lt", '<'},      {"gt", '>'},      {"quot", '"'},    {"apos", '\''},
    {"nbsp", ' '},    {"auml", U'ä'},   {"ouml", U'ö'},   {"uuml", U'ü'},   {"Auml", U'Ä'},
    {"Ouml", U'Ö'},   {"Uuml", U'Ü'},   {"szlig", U'ß'},  {"eacute", U'é'}, {"egrave", U'è'},
    {"ecirc", U'ê'},  {"euml", U'ë'},   {"Eacute", U'É'}, {"agrave", U'à'}, {"acirc", U'â'},
    {"aacute", U'á'}, {"iacute", U'í'}, {"icirc", U'î'},  {"iuml", U'ï'},   {"oacute", U'ó'},
    {"ocirc", U'ô'},  {"uacute", U'ú'}, {"ugrave", U'ù'}, {"ucirc", U'û'},  {"ccedil", U'ç'},
    {"Ccedil", U'Ç'}, {"ntilde", U'ñ'}, {"Ntilde", U'Ñ'}, {"oelig", U'œ'},  {"laquo", U'«'},
    {"raquo", U'»'},  {"iexcl", U'¡'},  {"iquest", U'¿'}, {"euro", U'€'},   {"ndash", U'–'},
    {"mdash", U'—'},  {"hellip", U'…'}, {"lsquo", U'‘'},  {"rsquo", U'’'},  {"ldquo", U'“'},
    {"rdquo", U'”'},  {"bdquo", U'„'},  {"middot", U'·'},
};

std::string LowerName(const std::string& tag) {
    std::size_t i = tag.empty() || tag[0] != '/' ? 0 : 1;
    std::string name;
    for (; i < tag.size() && std::isalnum(static_cast<unsigned char>(tag[i])); ++i) {
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(tag[i])));
    }
    return name;
}

// The value of src="..." in a tag, for the warning.
std::string SourceAttribute(const std::string& tag) {
    const std::size_t key = tag.find("src=");
    if (key == std::string::npos || key + 5 > tag.size()) {
        return {};
    }
    const char quote = tag[key + 4];
    if (quote != '"' && quote != '\'') {
        return {};
    }
    const std::size_t end = tag.find(quote, key + 5);
    return tag.substr(key + 5, end == std::string::npos ? std::string::npos : end - key - 5);
}

bool IsBlock(const std::string& name) {
    static const std::set<std::string> blocks = {"br", "div", "p",  "li", "tr", "td", "th",
                                                 "h1", "h2",  "h3", "h4", "hr", "ul", "ol"};
    return blocks.count(name) != 0;
}

// The character of a reference like "auml" or "#228", or nothing.
std::optional<char32_t> Reference(const std::string& name) {
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 7 ||
            !std::all_of(digits.begin(), digits.end(), [&](unsigned char c) {
                return hex ? std::isxdigit(c) != 0 : std::isdigit(c) != 0;
            })) {
            return std::nullopt;
        }
        const auto code = static_cast<char32_t>(std::stoul(digits, nullptr, hex ? 16 : 10));
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return std::nullopt;
        }
        return code;
    }
    for (const auto& entity : NamedEntities) {
        if (name == entity.name) {
            return entity.code;
        }
    }
    return std::nullopt;
}

class Sqlite {
public:
    ~Sqlite() { sqlite3_close(db); }
    sqlite3* db = nullptr;
};

class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(statement); }
    sqlite3_stmt* statement = nullptr;

    std::string Text(int column) const {
        const auto* text = sqlite3_column_text(statement, column);
        return text == nullptr
                   ? std::string()
                   : std::string(reinterpret_cast<const char*>(text),
                                 static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
    }
};

struct Unpacked {
    std::string bytes;
    std::string problem; // German; empty when the collection was read
    bool compressed = false;
};

Unpacked UnpackCollection(const std::string& package) {
    Unpacked result;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(package.data(), package.size(), 0, &error);
    zip_t* zip = source == nullptr ? nullptr : zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (zip == nullptr) {
        zip_source_free(source);
        result.problem = "Das ist kein Anki-Paket: die Datei ist keine lesbare ZIP-Datei";
        return result;
    }
    const std::unique_ptr<zip_t, decltype(&zip_discard)> closer(zip, &zip_discard);
    // The newest form first: newer packages keep an old-format stub beside it.
    for (const char* name : {"collection.anki21b", "collection.anki21", "collection.anki2"}) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat(zip, name, 0, &stat) != 0) {
            continue;
        }
        if ((stat.valid & ZIP_STAT_SIZE) == 0 || stat.size > MaxCollectionBytes) {
            result.problem =
                std::string("Die Sammlung im Paket (") + name + ") wäre entpackt größer als " +
                std::to_string(MaxCollectionBytes >> 20) + " MB; sie wird nicht entpackt";
            return result;
        }
        zip_file_t* file = zip_fopen(zip, name, 0);
        if (file == nullptr) {
            result.problem =
                std::string("Die Sammlung im Paket (") + name + ") lässt sich nicht entpacken";
            return result;
        }
        // Never more than the stated size, whatever the compressed data would give.
        result.bytes.resize(static_cast<std::size_t>(stat.size));
        const zip_int64_t read = zip_fread(file, result.bytes.data(), stat.size);
        zip_fclose(file);
        if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) {
            result.bytes.clear();
            result.problem = std::string("Die Sammlung im Paket (") + name + ") ist beschädigt";
            return result;
        }
        result.compressed = std::string(name) == "collection.anki21b";
        return result;
    }
    result.problem = "Das ZIP-Archiv enthält keine Anki-Sammlung (collection.anki2, .anki21 "
                     "oder .anki21b)";
    return result;
}

// zstd with the same bound as the zip.
bool Decompress(std::string& bytes) {
    std::unique_ptr<ZSTD_DStream, decltype(&ZSTD_freeDStream)> stream(ZSTD_createDStream(),
                                                                      &ZSTD_freeDStream);
    std::string out;
    ZSTD_inBuffer in{bytes.data(), bytes.size(), 0};
    std::string chunk(1 << 16, '\0');
    std::size_t status = 1;
    while (in.pos < in.size) {
        ZSTD_outBuffer buffer{chunk.data(), chunk.size(), 0};
        status = ZSTD_decompressStream(stream.get(), &buffer, &in);
        if (ZSTD_isError(status) || out.size() + buffer.pos > MaxCollectionBytes) {
            return false;
        }
        out.append(chunk.data(), buffer.pos);
        if (status == 0 && in.pos < in.size) {
            return false; // a second frame: not a collection
        }
    }
    if (status != 0) {
        return false;
    }
    bytes = std::move(out);
    return true;
}

std::string DeckName(std::string name) {
    // Subdecks: "Sprachen::Englisch", in newer collections separated by 0x1f.
    for (std::size_t at; (at = name.find("::")) != std::string::npos;) {
        name.replace(at, 2, " - ");
    }
    std::replace(name.begin(), name.end(), FieldSeparator, '\x01');
    for (std::size_t at; (at = name.find('\x01')) != std::string::npos;) {
        name.replace(at, 1, " - ");
    }
    return name;
}

PositionedText Positioned(const std::string& utf8, std::size_t note,
                          std::vector<ImportMessage>& messages) {
    PositionedText text;
    std::uint32_t column = 1;
    for (const Utf8Char& c : DecodeUtf8(utf8)) {
        if (c.invalid) {
            messages.push_back(
                {ImportMessage::Severity::Error, note, column, "ungültiges UTF-8 in der Sammlung"});
        }
        text.push_back(
            {c.invalid ? char32_t{0xFFFD} : c.code, static_cast<std::uint32_t>(note), column++});
    }
    return Trimmed(text);
}

class CollectionReader {
public:
    CollectionReader(WordList& list, const CsvSettings& settings)
        : list(list), settings(settings) {}

    void Read(sqlite3* db) {
        ReadDecks(db);
        std::vector<ImportColumn> mapping = settings.columns;
        if (mapping.empty()) {
            mapping = {ImportColumn::German,
                       settings.spanish ? ImportColumn::Spanish : ImportColumn::English,
                       ImportColumn::French};
        }
        Statement notes(db, "SELECT n.id, n.flds, c.did FROM notes n LEFT JOIN cards c "
                            "ON c.nid = n.id ORDER BY n.id, c.ord");
        if (notes.statement == nullptr) {
            Error("Die Sammlung hat keine lesbare Notizentabelle; ist das Paket beschädigt?");
            return;
        }
        std::size_t widest = 0;
        sqlite3_int64 lastNote = 0;
        int status = 0;
        while ((status = sqlite3_step(notes.statement)) == SQLITE_ROW) {
            const sqlite3_int64 id = sqlite3_column_int64(notes.statement, 0);
            const sqlite3_int64 deck = sqlite3_column_int64(notes.statement, 2);
            if (list.rows.empty() || id != lastNote) {
                lastNote = id;
                widest = std::max(widest, TakeNote(notes.Text(1), mapping));
            }
            AddDeck(list.rows.back(), deck);
        }
        if (status != SQLITE_DONE) {
            Error(std::string("Die Sammlung ist beschädigt: ") + sqlite3_errmsg(db));
            return;
        }
        std::string note = "Felder der Notizen:";
        for (std::size_t i = 0; i < mapping.size(); ++i) {
            if (i < std::max<std::size_t>(widest, 1)) {
                note += (i == 0 ? " " : ", ") + std::to_string(i + 1) + " " +
                        ColumnRoleName(mapping[i]);
            }
            // Only fields the notes have count, but a deck without notes says so itself.
            if (static_cast<std::size_t>(mapping[i]) < ImportLanguageCount &&
                (i < widest || widest == 0)) {
                list.languages[static_cast<std::size_t>(mapping[i])] = true;
            }
        }
        list.readingNotes.push_back(
            note + (settings.columns.empty() ? " (ändern mit --columns)" : " (nach --columns)"));
        list.readingNotes.push_back("Stellen in Meldungen: Nummer der Notiz:Zeichen");
        if (droppedMedia != 0) {
            list.readingNotes.push_back("Ton- und Bildverweise weggelassen: " +
                                        std::to_string(droppedMedia));
        }
        std::set<std::string> used;
        for (const auto& row : list.rows) {
            for (const auto& lesson : row.lessons) {
                used.insert(lesson.text);
            }
        }
        list.lessonOrder.assign(used.begin(), used.end());
    }

private:
    void Error(std::string text) {
        list.messages.push_back({ImportMessage::Severity::Error, 0, 0, std::move(text)});
    }

    void ReadDecks(sqlite3* db) {
        Statement table(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'decks'");
        if (table.statement != nullptr && sqlite3_step(table.statement) == SQLITE_ROW) {
            Statement decks(db, "SELECT id, name FROM decks");
            while (decks.statement != nullptr && sqlite3_step(decks.statement) == SQLITE_ROW) {
                deckNames[sqlite3_column_int64(decks.statement, 0)] = DeckName(decks.Text(1));
            }
            return;
        }
        Statement col(db, "SELECT decks FROM col");
        if (col.statement == nullptr || sqlite3_step(col.statement) != SQLITE_ROW) {
            return;
        }
        const std::string json = col.Text(0);
        const QJsonObject decks =
            QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())))
                .object();
        for (auto it = decks.begin(); it != decks.end(); ++it) {
            bool number = false;
            const qlonglong id = it.key().toLongLong(&number);
            const QString name = it.value().toObject().value(QStringLiteral("name")).toString();
            if (number && !name.isEmpty()) {
                deckNames[id] = DeckName(name.toStdString());
            }
        }
    }

    // Returns the number of fields of the note.
    std::size_t TakeNote(const std::string& fields, const std::vector<ImportColumn>& mapping) {
        const std::size_t number = list.rows.size() + 1;
        ImportRow row;
        row.line = number;
        std::size_t index = 0;
        std::size_t start = 0;
        for (;; ++index) {
            const std::size_t end = fields.find(FieldSeparator, start);
            const std::string field = fields.substr(start, end - start);
            if (index < mapping.size() && mapping[index] != ImportColumn::Skip) {
                std::vector<std::string> dropped;
                const PositionedText text =
                    Positioned(AnkiFieldText(field, dropped), number, list.messages);
                for (const auto& what : dropped) {
                    ++droppedMedia;
                    list.messages.push_back({ImportMessage::Severity::Warning, number, 0,
                                             what + " weggelassen; Lingomat zeigt nur Text"});
                }
                ImportCell cell{ToStoredText(text, list.messages), number,
                                text.empty() ? 0 : text.front().column};
                if (mapping[index] == ImportColumn::Lesson) {
                    if (!cell.text.empty()) {
                        row.lessons.push_back(std::move(cell));
                    }
                } else if (mapping[index] == ImportColumn::WordClass) {
                    row.wordClass = std::move(cell);
                } else {
                    row.texts[static_cast<std::size_t>(mapping[index])] = std::move(cell);
                }
            }
            if (end == std::string::npos) {
                break;
            }
            start = end + 1;
        }
        list.rows.push_back(std::move(row));
        return index + 1;
    }

    void AddDeck(ImportRow& row, sqlite3_int64 deck) {
        const auto name = deckNames.find(deck);
        if (name == deckNames.end()) {
            return; // a note without cards, or a card of a deck the package does not name
        }
        std::vector<ImportMessage> ignored;
        const std::string stored =
            ToStoredText(Positioned(name->second, row.line, ignored), list.messages);
        const bool already = std::any_of(row.lessons.begin(), row.lessons.end(),
                                         [&](const ImportCell& c) { return c.text == stored; });
        if (!already && !stored.empty()) {
            row.lessons.push_back({stored, row.line, 0});
        }
    }

    WordList& list;
    const CsvSettings& settings;
    std::map<sqlite3_int64, std::string> deckNames;
    std::size_t droppedMedia = 0;
};

} // namespace

std::string AnkiFieldText(const std::string& html, std::vector<std::string>& dropped) {
    std::string text;
    for (std::size_t i = 0; i < html.size();) {
        const char c = html[i];
        if (c == '<') {
            const std::size_t end = html.find('>', i);
            if (end == std::string::npos) {
                text += html.substr(i);
                break;
            }
            const std::string tag = html.substr(i + 1, end - i - 1);
            const std::string name = LowerName(tag);
            i = end + 1;
            if (name == "img") {
                dropped.push_back("Bild „" + SourceAttribute(tag) + "“");
            } else if ((name == "script" || name == "style") && tag[0] != '/') {
                const std::size_t close = html.find("</", i);
                i = close == std::string::npos ? html.size() : close;
            } else if (IsBlock(name)) {
                text += ' ';
            }
        } else if (c == '&') {
            const std::size_t end = html.find(';', i);
            const auto code = end != std::string::npos && end - i <= 10
                                  ? Reference(html.substr(i + 1, end - i - 1))
                                  : std::nullopt;
            if (code) {
                text += EncodeUtf8(*code);
                i = end + 1;
            } else {
                text += c;
                ++i;
            }
        } else if (html.compare(i, 7, "[sound:") == 0 && html.find(']', i) != std::string::npos) {
            const std::size_t end = html.find(']', i);
            dropped.push_back("Ton „" + html.substr(i + 7, end - i - 7) + "“");
            i = end + 1;
        } else {
            text += c;
            ++i;
        }
    }
    // Line breaks and blocks became blanks; runs of white space are one blank, none at the ends.
    std::string squeezed;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (!blank) {
            squeezed += c;
        } else if (!squeezed.empty() && squeezed.back() != ' ') {
            squeezed += ' ';
        }
    }
    if (!squeezed.empty() && squeezed.back() == ' ') {
        squeezed.pop_back();
    }
    return squeezed;
}

WordList ReadAnkiWordList(const std::string& package, const CsvSettings& settings) {
    WordList list;
    list.readingNotes.push_back("Format: Anki-Paket");
    Unpacked collection = UnpackCollection(package);
    if (collection.problem.empty() && collection.compressed && !Decompress(collection.bytes)) {
        collection.problem = "Die komprimierte Sammlung im Paket ist beschädigt oder zu groß";
    }
    // A database in write-ahead mode cannot be opened from memory; the same file in the
    // classic mode can, and nothing is written anyway.
    if (collection.bytes.size() > 19 && collection.bytes[18] == 2 && collection.bytes[19] == 2) {
        collection.bytes[18] = collection.bytes[19] = 1;
    }
    Sqlite sqlite;
    if (collection.problem.empty() &&
        (sqlite3_open_v2(":memory:", &sqlite.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
         sqlite3_deserialize(sqlite.db, "main",
                             reinterpret_cast<unsigned char*>(collection.bytes.data()),
                             static_cast<sqlite3_int64>(collection.bytes.size()),
                             static_cast<sqlite3_int64>(collection.bytes.size()),
                             SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)) {
        collection.problem = "Die Sammlung im Paket lässt sich nicht öffnen";
    }
    if (!collection.problem.empty()) {
        list.messages.push_back({ImportMessage::Severity::Error, 0, 0, collection.problem});
        return list;
    }
    // A hostile collection may carry triggers or views; none of them may run.
    sqlite3_db_config(sqlite.db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(sqlite.db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    CollectionReader(list, settings).Read(sqlite.db);
    return list;
}

} // namespace lingomat
