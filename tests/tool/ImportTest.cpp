#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "ToolTestSupport.h"
#include "data/DataSetLoader.h"
#include "data/VocDatabase.h"
#include "matching/AccentEscapes.h"

namespace lingomat {
namespace {

const std::string Fixtures = std::string(LINGOMAT_TEST_DATA) + "/tool/import/";

struct Sample {
    std::string german; // as stored, like the other two
    std::string column1;
    std::string french;
    std::uint32_t wordClass;
};

struct FixtureCase {
    const char* name;
    std::string file;
    std::size_t records;
    std::vector<std::pair<std::string, std::size_t>> lessons; // Windows-1252 name, records
    std::vector<Sample> samples;
    std::vector<std::string> options = {};
    std::string output = "liste.voc";
    // Test lists show the case by its name, not as raw bytes.
    friend void PrintTo(const FixtureCase& c, std::ostream* os) { *os << c.name; }
};

class ImportFixture : public ::testing::TestWithParam<FixtureCase> {};

// A lesson game takes the records whose lesson line contains the lesson's code; every lesson
// of the list must find exactly its own words that way.
TEST_P(ImportFixture, LoadsAndEveryLessonFindsItsWords) {
    const FixtureCase& c = GetParam();
    TempDir dir;
    const std::string target = dir.File(c.output);
    std::vector<std::string> args = {"import", Fixtures + c.file, "-o", target};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const auto run = RunTool(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(RunTool({"check", target}).exitCode, 0);

    VocDatabase database;
    LoadDataSet(database, target, nullptr);
    ASSERT_EQ(database.vocabulary.size(), c.records);
    const auto& lessons = database.lessonTable.lessons;
    ASSERT_EQ(lessons.size(), c.lessons.size());
    for (std::size_t l = 0; l < lessons.size(); ++l) {
        EXPECT_EQ(lessons[l].name, c.lessons[l].first);
        std::size_t found = 0;
        for (const auto& entry : database.vocabulary) {
            found += entry.InLesson(lessons[l].code) ? 1 : 0;
        }
        EXPECT_EQ(found, c.lessons[l].second) << lessons[l].name;
    }
    for (const Sample& sample : c.samples) {
        const auto entry = std::find_if(
            database.vocabulary.begin(), database.vocabulary.end(),
            [&](const VocEntry& e) { return e.Text(LanguageGerman) == sample.german; });
        ASSERT_NE(entry, database.vocabulary.end()) << sample.german;
        EXPECT_EQ(entry->Text(LanguageEnglish), sample.column1);
        EXPECT_EQ(entry->Text(LanguageFrench), sample.french);
        EXPECT_EQ(entry->wordClass, sample.wordClass) << sample.german;
    }
    for (const auto& entry : database.vocabulary) {
        for (Language column = 0; column < 3; ++column) {
            EXPECT_EQ(DecodeAccents(entry.Text(column)), entry.Text(column))
                << "an imported text must show as written";
        }
    }
}

const FixtureCase FixtureCases[] = {
    {"Cp1252CsvWithHeader",
     "familie-1252.csv",
     9,
     {{"Familie", 4}, {"Haus und Garten", 5}},
     {{"das M\344dchen", "the girl", "la fille", 1},
      {"die Schwester", "the sister", "la s\234ur", 1}}},
    {"Utf8Tsv",
     "reise.tsv",
     6,
     {{"reise", 6}},
     {{"/das Flugzeug /der Flieger", "the plane", "l'avion (m)", 0}}},
    {"QuotedCsvWithLineBreaks",
     "saetze.csv",
     5,
     {{"S\344tze", 3}, {"Obst", 2}},
     {{"Wie geht's? Gut, danke.", "How are you? Fine, thanks.", "\307a va ? Bien, merci.", 0},
      {"Er sagte \"Hallo\"", "He said \"Hello\"", "Il a dit \"Salut\"", 0}}},
    {"Kvtml2WithNestedLessons",
     "tiere.kvtml",
     5,
     {{"Bauernhof", 3}, {"Wald", 2}, {"Wald - Gro\337e Tiere", 1}},
     {{"der B\344r", "the bear", "l\222ours (m)", 1},
      {"Katz & Maus", "cat & mouse", "le chat et la souris", 0}}},
    {"SpanishColumns",
     "reise.tsv",
     6,
     {{"reise", 6}},
     {{"abfahren", "to leave", "", 0}},
     {"--spanish", "--columns", "de,es,-"},
     "spanbasic.voc"},
    // Made by another program: HTML in the fields, an image, a sound, a subdeck.
    {"AnkiPackage",
     "tiere.apkg",
     5,
     {{"Tiere - Bauernhof", 5}},
     {{"das K\344tzchen", "el gatito el minino", "", 0},
      {"die Kuh", "la vaca", "", 0},
      {"Katz & Maus", "gato & rat\363n", "", 0}},
     {"--spanish"},
     "spanbasic.voc"},
};

INSTANTIATE_TEST_SUITE_P(Import, ImportFixture, ::testing::ValuesIn(FixtureCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A list the import refuses leaves nothing behind; one it repairs or takes with a warning says
// so and loads as written.
struct ImportCase {
    std::string content;
    std::string message; // part of the message, with the place where there is one
    std::vector<std::string> options = {};
    std::string german = {}; // the first record's German text as loaded; "" for a refused list
    std::string output = "x.voc";
};

TEST(Import, RefusalsRepairsAndWarnings) {
    const ImportCase cases[] = {
        {"Deutsch;Englisch\nM\344dchen;girl\n",
         "liste.csv:2:2: Fehler: ungültiges UTF-8 (Byte 0xE4)",
         {"--encoding", "utf-8"}},
        {"Deutsch;English;Spanisch\nHund;dog;perro\n",
         "Englisch und Spanisch",
         {},
         "",
         "spain.voc"},
        {"de;es\nHund;perro\n", "spain.voc, spanbasic.voc", {}, "", "spanisch.voc"},
        // A field the game would cut, among sound rows before and after it.
        {"de;en\nHund;dog\nKatze;" + std::string(1 << 20, 'x') + "\nMaus;mouse\n",
         "liste.csv:3:7: Fehler: Der englische Text ist zu lang"},
        {"de;en\nHund;dog\n", "zeigte Englisch als Spanisch", {}, "", "spantest.voc"},
        // Half the names known is still a header.
        {"Deutsch;Notizen\nHund;bellt\n",
         "liste.csv:1:9: Fehler: Unbekannte Spaltenüberschrift „Notizen“"},
        {"de;en\nHund;dog\nBudapest;Buda\xC5\x91r\n", "liste.csv:3:14: Fehler: Das Zeichen „ő“"},
        {"de;en\nK\xC3\xA4se;sm\xC3\xB6rg\xC3\xA5s\n", "liste.csv:2:11: Fehler: Das Zeichen „å“"},
        {"de;en\nder Dollar;the $\n",
         "liste.csv:2:12: Fehler: Der englische Text „the $“ erschiene im Spiel als „the ç“"},
        {"de;en\n\"Er sagte \"\"oh\"\"\";he said oh\n", "erschiene im Spiel als „Er sagte öh\"“"},
        {"de;en\nHund;\n", "liste.csv:2: Fehler: Der englische Text fehlt"},
        {"de;en\n\"Hund;dog\n",
         "liste.csv:2:1: Fehler: Das Anführungszeichen wird bis zum Ende der Datei nicht"},
        {"de;en;lesson\nHund;dog;#1\n", "beginnt mit „#“"},
        {"de;en\n/der Hund/der K\xC3\xB6ter;dog\n",
         "vor dem 2. Schrägstrich fehlt das Leerzeichen"},
        {"Hund;dog;le chien;Tiere\n",
         "liste.csv:1:19: Fehler: Spalte 4 ist keiner Sprache zugeordnet"},
        // A word list in XML is known by its content, whatever its name.
        {"<kvtml version=\"2.0\">\n<identifiers>\n<identifier id=\"0\"><locale>de</locale>"
         "</identifier>\n</identifiers>\n<entries>\n</entry>\n</kvtml>\n",
         "liste.csv:6:9: Fehler: Kein gültiges XML"},
        // One Windows-1252 line in a UTF-8 list: read neither way without being told.
        {"de;en\nM\303\244dchen;girl\nK\344se;cheese\n",
         "liste.csv:3: Fehler: Gelesen als UTF-8, aber 1 Zeile passt nicht dazu (Zeile 3"},
        {"<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"><locale>de</locale>"
         "</identifier><identifier id=\"1\"><locale>en_GB</locale></identifier>"
         "<identifier id=\"2\"><locale>en_US</locale></identifier></identifiers></kvtml>",
         "Die Sprache Englisch steht zweimal"},
        {"<kvtml version=\"1.0\"></kvtml>", "nur KVTML 2"},
        {"PK nicht wirklich", "keine lesbare ZIP-Datei"},
        {ReadText(Fixtures + "leer.apkg"), "Die Liste enthält keine Vokabeln"},
        {ReadText(Fixtures + "beschaedigt.apkg"), "beschädigt"},
        // Refused by the size it claims, before anything is unpacked.
        {ReadText(Fixtures + "bombe.apkg"), "größer als 256 MB"},
        // Taken, with a warning or a repair.
        {"de;es\nHund;perro\n",
         "Warnung: Die Liste enthält Spanisch",
         {"--force"},
         "Hund",
         "hunde.voc"},
        {"de;en\nfran$ais 5 $;french\n",
         "„$“ → „Dollar“",
         {"--fix-escapes"},
         "franDollarais 5 Dollar"},
        {"de;en\n\"Er sagte \"\"oh\"\"\";he said oh\n",
         "typografisches Anführungszeichen",
         {"--fix-escapes"},
         "Er sagte \204oh\""},
        {"de;en\nGru\\3 ~nandu ^e;hello\n", "„~“ → „˜“", {"--fix-escapes"}, "Gru3 \230nandu \210e"},
        {"de;en\nK\344se;cheese\nM\303\244dchen;girl\n",
         "Warnung: Gelesen als Windows-1252, aber 1 Zeile passt nicht dazu (Zeile 3",
         {"--encoding", "windows-1252"},
         "K\344se"},
        {"<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"><locale>de</locale>"
         "</identifier><identifier id=\"1\"><locale>en</locale></identifier></identifiers>"
         "<entries><entry id=\"0\"><translation id=\"0\"><text>Hund</text></translation>"
         "<translation id=\"1\"><text>dog</text></translation></entry></entries><lessons>"
         "<container><name> </name><entry id=\"0\"/></container></lessons></kvtml>",
         "Die Lektion an Stelle 1 hat keinen Namen; sie heißt „Lektion 1“",
         {},
         "Hund"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        // An Anki package is known by its name only.
        const std::string name = c.content.rfind("PK", 0) == 0 ? "deck.apkg" : "liste.csv";
        WriteText(dir.File(name), c.content);
        std::vector<std::string> args = {"import", dir.File(name), "-o", dir.File(c.output)};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto run = RunTool(args);
        const bool accepted = !c.german.empty();
        EXPECT_EQ(run.exitCode, accepted ? 0 : 1) << c.content;
        const std::string message =
            c.message.find(name + ":") == 0 ? dir.File(c.message) : c.message;
        EXPECT_NE(run.err.find(message), std::string::npos) << message << "\n" << run.err;
        if (accepted) {
            VocDatabase database;
            LoadDataSet(database, dir.File(c.output), nullptr);
            ASSERT_FALSE(database.vocabulary.empty()) << c.content;
            EXPECT_EQ(database.vocabulary[0].Text(0), c.german);
            EXPECT_EQ(DecodeAccents(c.german), c.german);
        } else {
            EXPECT_NE(run.err.find("Nichts geschrieben"), std::string::npos) << run.err;
            EXPECT_EQ(dir.FileCount(), 1u) << "no temporary file may be left behind";
        }
    }
}

// Each record's decoded words with the names of the lessons that take it in, as a game sees them.
std::map<std::vector<std::string>, std::set<std::string>> Played(const std::string& vocPath) {
    VocDatabase database;
    LoadDataSet(database, vocPath, nullptr);
    std::map<std::vector<std::string>, std::set<std::string>> played;
    for (const auto& entry : database.vocabulary) {
        auto& lessons = played[{DecodeAccents(entry.Text(0)), DecodeAccents(entry.Text(1)),
                                DecodeAccents(entry.Text(2)), std::to_string(entry.wordClass)}];
        for (const auto& lesson : database.lessonTable.lessons) {
            if (entry.InLesson(lesson.code)) {
                lessons.insert(DecodeAccents(lesson.name));
            }
        }
    }
    return played;
}

TEST(Import, EveryShippedDataSetComesBackFromItsExport) {
    const std::string vocabulary = std::string(LINGOMAT_SOURCE_DIR) + "/res/vocabulary/";
    for (const char* name : {"lingomat", "spanbasic", "spantheme"}) {
        TempDir dir;
        const std::string original = dir.File(std::string(name) + ".voc");
        ASSERT_EQ(RunTool({"pack", vocabulary + name + ".txt", "-o", original}).exitCode, 0);
        const auto expected = Played(original);
        for (const std::vector<std::string>& format : {std::vector<std::string>{"liste.csv"},
                                                       {"liste.csv", "--encoding", "utf-8"},
                                                       {"liste.kvtml"}}) {
            std::vector<std::string> exporting = {"export", original, "-o", dir.File(format[0])};
            exporting.insert(exporting.end(), format.begin() + 1, format.end());
            const auto exported = RunTool(exporting);
            ASSERT_EQ(exported.exitCode, 0) << name << " " << format[0] << "\n" << exported.err;
            // The name keeps a Spanish data set Spanish.
            const bool spanish = std::string(name).rfind("span", 0) == 0;
            const std::string target = dir.File(spanish ? "spantest.voc" : "wieder.voc");
            const auto imported = RunTool({"import", dir.File(format[0]), "-o", target});
            ASSERT_EQ(imported.exitCode, 0) << name << " " << format[0] << "\n" << imported.err;
            EXPECT_EQ(Played(target), expected) << name << " " << format[0];
        }
    }
}

TEST(Import, DuplicateRowsBecomeOneRecordInBothLessons) {
    TempDir dir;
    WriteText(dir.File("liste.csv"), "de;en;fr;Lektion\nHund;dog;chien;A\nKatze;cat;chat;B\n"
                                     "Hund;dog;chien;B\n");
    ASSERT_EQ(RunTool({"import", dir.File("liste.csv"), "-o", dir.File("x.voc")}).exitCode, 0);
    EXPECT_EQ(RunTool({"check", dir.File("x.voc")}).exitCode, 0);
    VocDatabase database;
    LoadDataSet(database, dir.File("x.voc"), nullptr);
    ASSERT_EQ(database.vocabulary.size(), 2u);
    EXPECT_EQ(database.vocabulary[0].Lesson(), "L001 L002");
}

} // namespace
} // namespace lingomat
