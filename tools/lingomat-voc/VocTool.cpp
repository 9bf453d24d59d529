#include "VocTool.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>
#include <string_view>
#include <system_error>

#include "DataSetCheck.h"
#include "DataSetLayout.h"
#include "Export.h"
#include "Import.h"
#include "SourceText.h"
#include "TextEncoding.h"
#include "data/DataSetLoader.h"
#include "data/VocDatabase.h"
#include "data/VocFileReader.h"
#include "data/VocFileWriter.h"
#include "matching/LanguageNames.h"

#include <QCommandLineParser>
#include <QStringList>

namespace lingomat {
namespace {

namespace fs = std::filesystem;

// More refusals than this would only bury the first ones, which are the ones to fix.
constexpr std::size_t MaxListedProblems = 100;

const char* const UsageLine = "Verwendung: lingomat-voc unpack DATEI.voc [-o AUSGABE.txt]\n"
                              "            lingomat-voc pack QUELLE.txt -o DATEI.voc\n"
                              "            lingomat-voc check DATEI\n"
                              "            lingomat-voc import LISTE -o DATEI.voc [Optionen]\n"
                              "            lingomat-voc export DATEI.voc -o LISTE.csv|LISTE.kvtml\n"
                              "Mehr mit: lingomat-voc --help\n";

const char* const HelpText =
    "lingomat-voc - Werkzeug für Lingomat-Datensätze (*.voc)\n"
    "\n"
    "Ein Datensatz speichert jede Zeile mit bitweise umgekehrten Bytes, damit er in einem\n"
    "gewöhnlichen Editor nicht lesbar ist. Dieses Werkzeug macht daraus UTF-8-Text und zurück\n"
    "und prüft den Inhalt.\n"
    "\n"
    "Verwendung:\n"
    "  lingomat-voc unpack DATEI.voc [-o AUSGABE.txt]\n"
    "      Gibt die Zeilen des Datensatzes als UTF-8-Text aus, je gespeicherter Zeile eine\n"
    "      Zeile: Kopfzeile, Version, Vorspann, „#“, Lektionsname und Kennung je Lektion, „#“,\n"
    "      die Datensätze, „#“.\n"
    "  lingomat-voc pack QUELLE.txt -o DATEI.voc\n"
    "      Schreibt einen UTF-8-Text (Zeilenenden LF oder CR LF, BOM erlaubt) als Datensatz.\n"
    "      Zeichen, die Windows-1252 nicht kennt, ungültiges UTF-8 sowie „å“ und „ÿ“ (beim\n"
    "      Lesen endeten dort die Daten) werden mit Datei:Zeile:Spalte gemeldet; dann wird\n"
    "      nichts geschrieben.\n"
    "  lingomat-voc check DATEI\n"
    "      Prüft einen Datensatz oder einen Quelltext: Kopfzeile und Version, Lektionen und\n"
    "      ihre Kennungen, Datensätze ohne Lektion, leere und doppelte Einträge, mehrere\n"
    "      Antworten („/eins /zwei“), Klammern und Akzentzeichen.\n"
    "  lingomat-voc import LISTE -o DATEI.voc [Optionen]\n"
    "      Macht aus einer Wortliste (CSV oder TSV aus einer Tabellenkalkulation, auch UTF-16;\n"
    "      KVTML 2 aus einem anderen Vokabeltrainer; ein Anki-Paket .apkg oder .colpkg) einen\n"
    "      spielbaren Datensatz. Trennzeichen und Zeichenkodierung werden erkannt, eine\n"
    "      Kopfzeile mit Spaltennamen (Deutsch, Englisch, Französisch, Spanisch, Lektion,\n"
    "      Wortart) ebenso. Ohne Lektionsspalte wird die Liste eine Lektion mit dem Namen der\n"
    "      Datei; bei Anki wird jeder Stapel eine Lektion, die Felder der Notizen gelten der\n"
    "      Reihe nach als Deutsch, Englisch, Französisch (ändern mit --columns). Spanische\n"
    "      Listen brauchen als Ausgabe einen der Namen spain.voc, spanbasic.voc,\n"
    "      spantheme.voc oder spantest.voc.\n"
    "  lingomat-voc export DATEI.voc -o LISTE.csv|LISTE.kvtml [--encoding KODIERUNG]\n"
    "      Schreibt einen Datensatz (oder Quelltext) als Wortliste: CSV mit „;“, Kopfzeile und\n"
    "      Lektionsspalte (Windows-1252, mit --encoding utf-8 in UTF-8), oder KVTML 2 mit den\n"
    "      Lektionen als Ordnern. Akzentkürzel werden zu den Zeichen, für die sie stehen;\n"
    "      import liest die Liste wieder ein. Mit der Endung .json: der Aufbau des Datensatzes\n"
    "      für Skripte (Texte wie gespeichert, mit Zeilennummern und Lektionen je Eintrag).\n"
    "\n"
    "Optionen:\n"
    "  -o DATEI     Ausgabedatei\n"
    "  --delimiter ZEICHEN       import: Trennzeichen ; , oder tab\n"
    "  --encoding KODIERUNG      import, export: utf-8 oder windows-1252\n"
    "  --columns de,en,fr,lesson,class\n"
    "                            import: Spalten der Reihe nach zuordnen („-“ überspringt)\n"
    "  --no-header               import: die erste Zeile enthält schon Wörter\n"
    "  --spanish                 import: ohne Kopfzeile ist Spalte 2 Spanisch\n"
    "  --fix-escapes             import: Zeichen, die das Spiel als Akzentkürzel läse ($, \"a,\n"
    "                            ^e, ~n, \\3 ...), durch ähnliche Zeichen ersetzen\n"
    "  --force                   import: trotz unpassendem Namen schreiben\n"
    "  -h, --help   Diese Hilfe\n"
    "\n"
    "Rückgabewerte: 0 in Ordnung (bei check: höchstens Warnungen), 1 Fehler,\n"
    "2 falscher Aufruf.\n";

struct UsageError {
    std::string message;
};

struct Arguments {
    std::string command;
    std::vector<std::string> files;
    std::optional<std::string> output;
    std::vector<std::string> importOptions; // "--name", then its value when it takes one
    std::optional<std::string> encoding;    // --encoding, for import and export
    bool help = false;
};

struct OptionSpec {
    const char* name;
    const char* valueName; // nullptr: a switch
    const char* description;
};

// Options that only import reads; --encoding is shared with export.
const OptionSpec ImportOptionSpecs[] = {
    {"delimiter", "ZEICHEN", "Trennzeichen ; , oder tab"},
    {"columns", "SPALTEN", "Spalten der Reihe nach zuordnen"},
    {"no-header", nullptr, "Die erste Zeile enthält schon Wörter"},
    {"spanish", nullptr, "Ohne Kopfzeile ist Spalte 2 Spanisch"},
    {"fix-escapes", nullptr, "Akzentkürzel durch ähnliche Zeichen ersetzen"},
    {"force", nullptr, "Trotz unpassendem Namen schreiben"},
};

QString Q(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// Qt's own messages are English; the name of the option they are about is all we take.
std::string OptionNamedIn(const QString& qtMessage) {
    const qsizetype open = qtMessage.indexOf(u'\'');
    const qsizetype close = qtMessage.indexOf(u'\'', open + 1);
    if (open < 0 || close < 0) {
        return qtMessage.toStdString();
    }
    return qtMessage.mid(open + 1, close - open - 1).toStdString();
}

Arguments ParseArguments(const std::vector<std::string>& args) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({Q("h"), Q("help"), Q("hilfe")}, Q("Diese Hilfe"));
    const QCommandLineOption output(Q("o"), Q("Ausgabedatei"), Q("DATEI"));
    const QCommandLineOption encoding(Q("encoding"), Q("Zeichenkodierung"), Q("KODIERUNG"));
    parser.addOption(help);
    parser.addOption(output);
    parser.addOption(encoding);
    std::vector<QCommandLineOption> importOptions;
    for (const auto& described : ImportOptionSpecs) {
        importOptions.emplace_back(Q(described.name), Q(described.description),
                                   described.valueName ? Q(described.valueName) : QString());
        parser.addOption(importOptions.back());
    }
    QStringList arguments{Q("lingomat-voc")};
    for (const auto& arg : args) {
        arguments.append(Q(arg));
    }
    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString name = parser.unknownOptionNames().front();
            throw UsageError{"Unbekannte Option: " + std::string(name.size() == 1 ? "-" : "--") +
                             name.toStdString()};
        }
        throw UsageError{"Nach " + OptionNamedIn(parser.errorText()) + " fehlt der Wert."};
    }
    Arguments parsed;
    parsed.help = parser.isSet(help);
    if (parser.values(output).size() > 1) {
        throw UsageError{"Die Ausgabedatei ist mehrfach angegeben."};
    }
    if (parser.isSet(output)) {
        parsed.output = parser.value(output).toStdString();
    }
    if (parser.isSet(encoding)) {
        parsed.encoding = parser.value(encoding).toStdString();
    }
    for (std::size_t i = 0; i < importOptions.size(); ++i) {
        if (!parser.isSet(importOptions[i])) {
            continue;
        }
        parsed.importOptions.push_back(std::string("--") + ImportOptionSpecs[i].name);
        if (ImportOptionSpecs[i].valueName != nullptr) {
            parsed.importOptions.push_back(parser.value(importOptions[i]).toStdString());
        }
    }
    const QStringList positional = parser.positionalArguments();
    for (qsizetype i = 0; i < positional.size(); ++i) {
        (i == 0 ? parsed.command : parsed.files.emplace_back()) = positional[i].toStdString();
    }
    return parsed;
}

// Hands the decoded lines of a data set file to take, one at a time, as the game's reader
// hands them out. A file that ends without a terminator after its last line still gives it.
template <typename Take> void ForEachVocLine(const std::string& path, Take take) {
    VocFileReader reader;
    reader.Open(path);
    for (;;) {
        const std::string line = reader.ReadLine();
        if (reader.atEnd) {
            // A line that the end of the data cut off still counts; the empty rest does not.
            if (!line.empty()) {
                take(line);
            }
            return;
        }
        take(line);
    }
}

// Whether a file is a source text by its first bytes or its extension; nothing when only the
// encoding of the whole file can tell.
std::optional<bool> SourceTextByStart(const std::string& path, const std::string& firstBytes) {
    if (firstBytes.rfind("\xEF\xBB\xBF", 0) == 0 || firstBytes.rfind("###", 0) == 0) {
        return true;
    }
    if (firstBytes.rfind("\xDC\xDC\xDC", 0) == 0) { // "###" stored
        return false;
    }
    const std::string extension = fs::path(path).extension().string();
    if (extension == ".voc" || extension == ".VOC") {
        return false;
    }
    if (extension == ".txt" || extension == ".TXT") {
        return true;
    }
    return std::nullopt;
}

std::string FirstBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char bytes[3] = {};
    in.read(bytes, sizeof bytes);
    return std::string(bytes, static_cast<std::size_t>(in.gcount()));
}

// Why a file cannot be read, or nothing when it can.
std::optional<std::string> ReadProblem(const std::string& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (!fs::exists(status)) {
        return "Datei nicht gefunden: " + path;
    }
    if (fs::is_directory(status)) {
        return "Das ist ein Ordner, keine Datei: " + path;
    }
    std::ifstream probe(path, std::ios::binary);
    if (!probe) {
        return "Datei kann nicht gelesen werden: " + path;
    }
    return std::nullopt;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& content) {
    if (auto problem = ReadProblem(path)) {
        return problem;
    }
    // Straight into a string of the file's size: a stream buffer and a copy of it held a large
    // file twice, in blocks of twice its size.
    std::ifstream in(path, std::ios::binary);
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    content.clear();
    if (!error) {
        content.reserve(static_cast<std::size_t>(size));
    }
    std::vector<char> block(1 << 16);
    while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
        content.append(block.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return "Datei kann nicht gelesen werden: " + path;
    }
    return std::nullopt;
}

// Gives the memory of a string back; assigning an empty string keeps it in libstdc++.
void Release(std::string& text) {
    std::string().swap(text);
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

// A name beside the target, so that the final rename stays within one file system.
std::string TemporaryNameFor(const std::string& target) {
    std::random_device device;
    std::ostringstream name;
    name << target << ".tmp" << std::hex << device();
    return name.str();
}

// Replaces target by the finished temporary file, or removes the temporary file.
bool CommitTemporary(const std::string& temporary, const std::string& target, bool complete) {
    std::error_code error;
    if (complete) {
        fs::rename(temporary, target, error);
        if (!error) {
            return true;
        }
    }
    fs::remove(temporary, error);
    return false;
}

bool WriteTextFile(const std::string& path, const std::string& content) {
    const std::string temporary = TemporaryNameFor(path);
    bool complete = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << content;
        out.close();
        complete = static_cast<bool>(out);
    }
    return CommitTemporary(temporary, path, complete);
}

// Writes the lines as a data set and reads them back before the file replaces the target,
// so that a full disk or a line the reader cannot take never leaves a damaged data set.
bool WriteVocFile(const std::string& path, const TextLines& lines) {
    const std::string temporary = TemporaryNameFor(path);
    bool complete = false;
    {
        VocFileWriter writer;
        if (writer.Open(temporary)) {
            for (const std::string_view line : lines) {
                writer.WriteLine(line);
            }
            complete = writer.Close() && writer.ReplacedCount() == 0;
        }
    }
    if (complete) {
        // Compared line by line as read, not through a second copy of the data set.
        std::size_t index = 0;
        ForEachVocLine(temporary, [&](const std::string& line) {
            complete = complete && index < lines.size() && lines[index] == line;
            ++index;
        });
        complete = complete && index == lines.size();
    }
    return CommitTemporary(temporary, path, complete);
}

// The first disk byte at which reading stops early (a stored 0, or the text-mode end of file
// 26) while more bytes follow; the game never sees what comes after it.
std::optional<std::uintmax_t> EarlyDataEnd(const std::string& path, std::uintmax_t& fileSize) {
    std::ifstream in(path, std::ios::binary);
    std::uintmax_t offset = 0;
    char byte = 0;
    while (in.get(byte)) {
        if (byte == 0 || byte == 26) {
            std::error_code error;
            fileSize = fs::file_size(path, error);
            if (!error && offset + 1 < fileSize) {
                return offset;
            }
            return std::nullopt;
        }
        ++offset;
    }
    return std::nullopt;
}

void WarnAboutReading(const std::string& path, const TextLines& lines, std::ostream& err) {
    std::uintmax_t fileSize = 0;
    if (const auto end = EarlyDataEnd(path, fileSize)) {
        err << "Warnung: " << path << ": Die Daten enden bei Byte " << *end << "; die übrigen "
            << (fileSize - *end) << " Bytes der Datei liest das Spiel nicht.\n";
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() >= VocFileReader::MaxLineLength) {
            err << "Warnung: " << path << ":" << (i + 1) << ": Die Zeile ist länger als "
                << VocFileReader::MaxLineLength << " Zeichen und wird gekürzt gelesen.\n";
        }
    }
}

int Unpack(const Arguments& args, std::ostream& out, std::ostream& err) {
    const std::string& input = args.files[0];
    if (auto problem = ReadProblem(input)) {
        err << *problem << "\n";
        return ExitFailure;
    }
    if (args.output && SameFile(input, *args.output)) {
        err << "Eingabe und Ausgabe sind dieselbe Datei: " << input << "\n";
        return ExitFailure;
    }
    const auto lines = ReadVocLines(input);
    WarnAboutReading(input, lines, err);
    std::string text;
    for (const std::string_view line : lines) {
        text += Cp1252ToUtf8(std::string(line));
        text += '\n';
    }
    if (!args.output) {
        out << text;
        out.flush();
        if (!out) {
            err << "Die Ausgabe konnte nicht geschrieben werden.\n";
            return ExitFailure;
        }
        return ExitOk;
    }
    if (!WriteTextFile(*args.output, text)) {
        err << "Datei kann nicht geschrieben werden: " << *args.output << "\n";
        return ExitFailure;
    }
    return ExitOk;
}

// Reports what in a source cannot be stored; true when nothing is wrong.
bool ReportSourceProblems(const std::string& path, const SourceText& source, std::ostream& err) {
    for (std::size_t i = 0; i < source.problems.size() && i < MaxListedProblems; ++i) {
        err << DescribeSourceProblem(path, source.problems[i]) << "\n";
    }
    if (source.problems.size() > MaxListedProblems) {
        err << "... und " << (source.problems.size() - MaxListedProblems)
            << " weitere solche Stellen\n";
    }
    for (std::size_t i = 0; i < source.lines.size(); ++i) {
        if (source.lines[i].size() >= VocFileReader::MaxLineLength) {
            err << path << ":" << (i + 1) << ":" << VocFileReader::MaxLineLength
                << ": Die Zeile ist zu lang; das Spiel läse nur ihre ersten "
                << VocFileReader::MaxLineLength - 1 << " Zeichen\n";
            return false;
        }
    }
    return source.problems.empty();
}

// Reads the input of a command that writes another file; false, said on err, when it cannot be
// read or is the output itself.
bool ReadInputFor(const std::string& input, const std::string& output, std::string& content,
                  std::ostream& err) {
    if (auto problem = ReadWholeFile(input, content)) {
        err << *problem << "\n";
        return false;
    }
    if (SameFile(input, output)) {
        err << "Eingabe und Ausgabe sind dieselbe Datei: " << input << "\n";
        return false;
    }
    return true;
}

int Pack(const Arguments& args, std::ostream& err) {
    const std::string& input = args.files[0];
    if (!args.output) {
        throw UsageError{"Es fehlt die Ausgabedatei: pack QUELLE.txt -o DATEI.voc"};
    }
    std::string content;
    if (!ReadInputFor(input, *args.output, content, err)) {
        return ExitFailure;
    }
    const SourceText source = ParseSourceText(content);
    if (!ReportSourceProblems(input, source, err)) {
        err << "Nichts geschrieben: " << input << " lässt sich nicht als Datensatz speichern.\n";
        return ExitFailure;
    }
    if (!WriteVocFile(*args.output, source.lines)) {
        err << "Datei kann nicht geschrieben werden: " << *args.output << "\n";
        return ExitFailure;
    }
    return ExitOk;
}

// The end of a command that writes a file: the failure, or the summary and the name written.
template <typename Summary>
int Written(bool written, const std::string& output, const Summary& summary, std::ostream& out,
            std::ostream& err) {
    if (!written) {
        err << "Datei kann nicht geschrieben werden: " << output << "\n";
        return ExitFailure;
    }
    for (const auto& line : summary) {
        out << line << "\n";
    }
    out << "Geschrieben: " << output << "\n";
    return ExitOk;
}

int Import(const Arguments& args, std::ostream& out, std::ostream& err) {
    const std::string& input = args.files[0];
    if (!args.output) {
        throw UsageError{"Es fehlt die Ausgabedatei: import LISTE -o DATEI.voc"};
    }
    ImportOptions options;
    std::vector<std::string> optionArgs = args.importOptions;
    if (args.encoding) {
        optionArgs.insert(optionArgs.end(), {"--encoding", *args.encoding});
    }
    if (auto problem = ParseImportOptions(optionArgs, options)) {
        throw UsageError{*problem};
    }
    std::string content;
    if (!ReadInputFor(input, *args.output, content, err)) {
        return ExitFailure;
    }
    const ImportOutcome outcome = ImportWordList(input, std::move(content), *args.output, options);
    for (const auto& message : outcome.messages) {
        err << message << "\n";
    }
    if (!outcome.ok) {
        err << "Nichts geschrieben: " << input << " lässt sich so nicht als Datensatz speichern.\n";
        return ExitFailure;
    }
    return Written(WriteVocFile(*args.output, outcome.lines), *args.output, outcome.summary, out,
                   err);
}

// Compares the records the game's loader has finished with the check's reading as the load goes
// on, and drops them: the loader tells its progress every few records, and all of a large data
// set loaded at once cost several times the file. The newest record stays until the next call,
// as the loader may still be filling it.
class LoadComparison : public LoadProgress {
public:
    LoadComparison(VocDatabase& database, const DataSetLayout& layout)
        : database(database), layout(layout) {}

    void Begin(int, int) override {}
    void Set(int) override { Compare(1); }
    void End() override {}

    void Compare(std::size_t keep) {
        auto& loaded = database.vocabulary;
        for (; loaded.size() > keep; loaded.pop_front(), ++count) {
            if (firstDifferent || count >= layout.records.size()) {
                continue;
            }
            const VocEntry& entry = loaded.front();
            const LayoutRecord& record = layout.records[count];
            bool same = entry.Lesson() == record.Lesson().text;
            for (Language column = 0; column < 3; ++column) {
                same = same && entry.Text(column) == record.Text(column).text;
            }
            if (!same) {
                firstDifferent = count;
            }
        }
    }

    std::size_t count = 0; // records compared and dropped
    std::optional<std::size_t> firstDifferent;

private:
    VocDatabase& database;
    const DataSetLayout& layout;
};

// What the game's own loader makes of the lines, compared with the check's reading of them,
// so that the counts the check prints are the counts the game will see.
std::optional<std::string> LoaderDisagreement(const std::string& vocPath, const TextLines& lines) {
    const DataSetLayout layout = ParseDataSetLayout(lines);
    VocDatabase database;
    LoadComparison comparison(database, layout);
    LoadDataSet(database, vocPath, &comparison);
    comparison.Compare(0);
    const auto& lessons = database.lessonTable.lessons;
    if (lessons.size() != layout.lessons.size()) {
        return "Das Spiel liest " + std::to_string(lessons.size()) + " Lektionen, die Prüfung " +
               std::to_string(layout.lessons.size());
    }
    for (std::size_t i = 0; i < lessons.size(); ++i) {
        if (lessons[i].name != layout.lessons[i].name.text ||
            lessons[i].code != layout.lessons[i].code.text) {
            return "Das Spiel liest die Lektion in Zeile " +
                   std::to_string(layout.lessons[i].name.line) + " anders";
        }
    }
    if (comparison.count != layout.records.size()) {
        return "Das Spiel liest " + std::to_string(comparison.count) + " Datensätze, die Prüfung " +
               std::to_string(layout.records.size());
    }
    if (comparison.firstDifferent) {
        return "Das Spiel liest den Datensatz in Zeile " +
               std::to_string(layout.records[*comparison.firstDifferent].Lesson().line) + " anders";
    }
    return std::nullopt;
}

int Check(const Arguments& args, std::ostream& out, std::ostream& err) {
    const std::string& input = args.files[0];
    if (auto problem = ReadProblem(input)) {
        err << *problem << "\n";
        return ExitFailure;
    }
    // A packed data set is read by the game's reader alone; the whole file is only needed for
    // a source text or when its kind shows nowhere but in the encoding.
    std::string content;
    const std::optional<bool> kind = SourceTextByStart(input, FirstBytes(input));
    if (kind != false) {
        if (auto problem = ReadWholeFile(input, content)) {
            err << *problem << "\n";
            return ExitFailure;
        }
    }
    const fs::path path(input);
    const bool sourceText = kind ? *kind : IsValidUtf8(content);
    TextLines lines;
    std::size_t encodingErrors = 0;
    std::string loadablePath = input;
    std::string temporary;
    bool spanish = false;
    if (sourceText) {
        SourceText source = ParseSourceText(content);
        Release(content);
        std::ostringstream problems;
        if (!ReportSourceProblems(input, source, problems)) {
            encodingErrors = std::max<std::size_t>(source.problems.size(), 1);
        }
        out << problems.str();
        lines = std::move(source.lines);
        spanish = IsSpanishDataSet(path.stem().string() + ".voc");
        loadablePath.clear();
        if (encodingErrors == 0) {
            temporary =
                TemporaryNameFor((fs::temp_directory_path() / "lingomat-voc-check").string());
            if (WriteVocFile(temporary, lines)) {
                loadablePath = temporary;
            }
        }
    } else {
        lines = ReadVocLines(input);
        WarnAboutReading(input, lines, out);
        spanish = IsSpanishDataSet(path.filename().string());
    }

    out << "Prüfe " << input << (sourceText ? " (Quelltext" : " (Datensatz")
        << (spanish ? ", Deutsch-Spanisch)" : ")") << "\n";
    CheckReport report = CheckDataSet(lines, spanish);
    if (!loadablePath.empty()) {
        if (auto disagreement = LoaderDisagreement(loadablePath, lines)) {
            report.findings.insert(
                report.findings.begin(),
                {Severity::Error, FindingKind::LoaderMismatch, 0,
                 "Die Prüfung liest die Datei anders als das Spiel: " + *disagreement});
        }
    }
    if (!temporary.empty()) {
        std::error_code error;
        fs::remove(temporary, error);
    }
    for (const auto& line : report.summary) {
        out << line << "\n";
    }
    for (const auto& finding : report.findings) {
        out << input;
        if (finding.line != 0) {
            out << ":" << finding.line;
        }
        out << (finding.severity == Severity::Error ? ": Fehler: " : ": Warnung: ")
            << finding.message << "\n";
    }
    const std::size_t errors = report.Count(Severity::Error) + encodingErrors;
    const std::size_t warnings = report.Count(Severity::Warning);
    if (errors == 0 && warnings == 0) {
        out << "Keine Probleme gefunden.\n";
    } else {
        out << "Ergebnis: " << errors << " Fehler, " << warnings
            << (warnings == 1 ? " Warnung" : " Warnungen") << "\n";
    }
    return errors > 0 ? ExitFailure : ExitOk;
}

int Export(const Arguments& args, std::ostream& out, std::ostream& err) {
    const std::string& input = args.files[0];
    if (!args.output) {
        throw UsageError{"Es fehlt die Ausgabedatei: export DATEI.voc -o LISTE.csv"};
    }
    std::string extension = fs::path(*args.output).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool csv = extension == ".csv" || extension == ".txt";
    const bool json = extension == ".json";
    if (!csv && !json && extension != ".kvtml" && extension != ".xml") {
        throw UsageError{
            "Das Format der Ausgabe ergibt sich aus ihrer Endung: .csv, .kvtml oder .json"};
    }
    bool utf8 = false;
    if (args.encoding) {
        ImportOptions options;
        if (auto problem = ParseImportOptions({"--encoding", *args.encoding}, options)) {
            throw UsageError{*problem};
        }
        if (!csv) {
            throw UsageError{"KVTML und JSON sind immer UTF-8; --encoding gilt nur für CSV."};
        }
        utf8 = options.encoding == InputEncoding::Utf8;
    }
    std::string content;
    if (!ReadInputFor(input, *args.output, content, err)) {
        return ExitFailure;
    }
    const fs::path path(input);
    TextLines lines;
    bool spanish = false;
    if (LooksLikeSourceText(input, content.substr(0, 3), IsValidUtf8(content))) {
        SourceText source = ParseSourceText(content);
        Release(content);
        if (!ReportSourceProblems(input, source, err)) {
            err << "Nichts geschrieben: " << input << " ist kein gültiger Quelltext.\n";
            return ExitFailure;
        }
        lines = std::move(source.lines);
        spanish = IsSpanishDataSet(path.stem().string() + ".voc");
    } else {
        content.clear();
        lines = ReadVocLines(input);
        WarnAboutReading(input, lines, err);
        spanish = IsSpanishDataSet(path.filename().string());
    }
    const ExportOutcome outcome = ExportDataSet(lines, spanish,
                                                csv    ? ExportFormat::Csv
                                                : json ? ExportFormat::Json
                                                       : ExportFormat::Kvtml,
                                                utf8);
    return Written(WriteTextFile(*args.output, outcome.content), *args.output, outcome.summary, out,
                   err);
}

} // namespace

TextLines ReadVocLines(const std::string& path) {
    TextLines lines;
    ForEachVocLine(path, [&](const std::string& line) { lines.push_back(line); });
    return lines;
}

bool LooksLikeSourceText(const std::string& path, const std::string& firstBytes, bool validUtf8) {
    return SourceTextByStart(path, firstBytes).value_or(validUtf8);
}

int RunVocTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        const Arguments parsed = ParseArguments(args);
        if (parsed.help) {
            out << HelpText;
            return ExitOk;
        }
        if (parsed.command.empty()) {
            throw UsageError{"Es fehlt der Befehl (unpack, pack, check, import oder export)."};
        }
        if (parsed.command == "help" || parsed.command == "hilfe") {
            out << HelpText;
            return ExitOk;
        }
        const bool known = parsed.command == "unpack" || parsed.command == "pack" ||
                           parsed.command == "check" || parsed.command == "import" ||
                           parsed.command == "export";
        if (!known) {
            throw UsageError{"Unbekannter Befehl: " + parsed.command};
        }
        if (parsed.files.empty()) {
            throw UsageError{"Es fehlt die Eingabedatei für " + parsed.command + "."};
        }
        if (parsed.files.size() > 1) {
            throw UsageError{"Zu viele Argumente: " + parsed.files[1]};
        }
        if (!parsed.importOptions.empty() && parsed.command != "import") {
            throw UsageError{"Die Option " + parsed.importOptions.front() +
                             " gehört nur zu import."};
        }
        if (parsed.encoding && parsed.command != "import" && parsed.command != "export") {
            throw UsageError{"Die Option --encoding gehört nur zu import und export."};
        }
        if (parsed.command == "export") {
            return Export(parsed, out, err);
        }
        if (parsed.command == "import") {
            return Import(parsed, out, err);
        }
        if (parsed.command == "unpack") {
            return Unpack(parsed, out, err);
        }
        if (parsed.command == "pack") {
            return Pack(parsed, err);
        }
        if (parsed.output) {
            throw UsageError{"check schreibt keine Datei; -o passt nicht dazu."};
        }
        return Check(parsed, out, err);
    } catch (const UsageError& error) {
        err << error.message << "\n" << UsageLine;
        return ExitUsage;
    } catch (const std::exception& error) {
        err << "Unerwarteter Fehler: " << error.what() << "\n";
        return ExitFailure;
    }
}

} // namespace lingomat
