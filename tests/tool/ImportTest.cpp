#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ToolTestSupport.h"
#include "data/DataSetLoader.h"
#include "data/VocDatabase.h"
#include "matching/AccentEscapes.h"

namespace lingomat {
namespace {

using tooltest::ReadFile;
using tooltest::RunTool;
using tooltest::TempDir;
using tooltest::WriteFile;

const std::string Fixtures = std::string(LINGOMAT_TEST_DATA) + "/tool/import/";

struct PlayedLesson {
    std::string name; // Windows-1252
    std::size_t records;
};

struct FixtureCase {
    std::string file;
    std::vector<std::string> options;
    std::string output;
    std::vector<PlayedLesson> lessons;
    std::size_t records;
    std::array<std::string, 3> someRecord; // German, column 1, French as stored
    std::string someClass;                 // the loader's number for it, as text
};

class ImportFixture : public testing::TestWithParam<FixtureCase> {};

// A lesson game takes the records whose lesson line contains the lesson's code; every lesson
// of the list must find exactly its own words that way.
TEST_P(ImportFixture, LoadsAndEveryLessonFindsItsWords) {
    const FixtureCase& c = GetParam();
    TempDir dir;
    const std::string target = dir / c.output;
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
        EXPECT_EQ(lessons[l].name, c.lessons[l].name);
        std::size_t found = 0;
        for (const auto& entry : database.vocabulary) {
            found += entry.InLesson(lessons[l].code) ? 1 : 0;
        }
        EXPECT_EQ(found, c.lessons[l].records) << lessons[l].name;
    }
    bool seen = false;
    for (const auto& entry : database.vocabulary) {
        if (entry.Text(0) == c.someRecord[0]) {
            seen = true;
            EXPECT_EQ(entry.Text(1), c.someRecord[1]);
            EXPECT_EQ(entry.Text(2), c.someRecord[2]);
            EXPECT_EQ(std::to_string(entry.wordClass), c.someClass);
        }
        for (Language column = 0; column < 3; ++column) {
            EXPECT_EQ(DecodeAccents(entry.Text(column)), entry.Text(column))
                << "an imported text must show as written";
        }
    }
    EXPECT_TRUE(seen) << c.someRecord[0];
}

INSTANTIATE_TEST_SUITE_P(
    Import, ImportFixture,
    testing::Values(FixtureCase{"familie-1252.csv",
                                {},
                                "familie.voc",
                                {{"Familie", 4}, {"Haus und Garten", 5}},
                                9,
                                {"das M\xE4"
                                 "dchen",
                                 "the girl", "la fille"},
                                "1"},
                    FixtureCase{"familie-1252.csv",
                                {},
                                "familie.voc",
                                {{"Familie", 4}, {"Haus und Garten", 5}},
                                9,
                                {"die Schwester", "the sister",
                                 "la s\x9C"
                                 "ur"},
                                "1"},
                    FixtureCase{"reise.tsv",
                                {},
                                "reise.voc",
                                {{"reise", 6}},
                                6,
                                {"/das Flugzeug /der Flieger", "the plane", "l'avion (m)"},
                                "0"},
                    FixtureCase{"saetze.csv",
                                {},
                                "saetze.voc",
                                {{"S\xE4tze", 3}, {"Obst", 2}},
                                5,
                                {"Wie geht's? Gut, danke.", "How are you? Fine, thanks.",
                                 "\xC7"
                                 "a va ? Bien, merci."},
                                "0"},
                    FixtureCase{"saetze.csv",
                                {},
                                "saetze.voc",
                                {{"S\xE4tze", 3}, {"Obst", 2}},
                                5,
                                {"Er sagte \"Hallo\"", "He said \"Hello\"", "Il a dit \"Salut\""},
                                "0"},
                    FixtureCase{"tiere.kvtml",
                                {},
                                "tiere.voc",
                                {{"Bauernhof", 3},
                                 {"Wald", 2},
                                 {"Wald - Gro\xDF"
                                  "e Tiere",
                                  1}},
                                5,
                                {"der B\xE4r", "the bear", "l\x92ours (m)"},
                                "1"},
                    FixtureCase{"tiere.kvtml",
                                {},
                                "tiere.voc",
                                {{"Bauernhof", 3},
                                 {"Wald", 2},
                                 {"Wald - Gro\xDF"
                                  "e Tiere",
                                  1}},
                                5,
                                {"Katz & Maus", "cat & mouse", "le chat et la souris"},
                                "0"},
                    FixtureCase{"reise.tsv",
                                {"--spanish", "--columns", "de,es,-"},
                                "spanbasic.voc",
                                {{"reise", 6}},
                                6,
                                {"abfahren", "to leave", ""},
                                "0"}));

struct RefusalCase {
    std::string name;
    std::string content;
    std::vector<std::string> options;
    std::string output;
    std::string expected; // part of the message, with the place where there is one
};

TEST(Import, RefusesAndWritesNothing) {
    const RefusalCase cases[] = {
        {"liste.csv",
         "Deutsch;Englisch\nM\xE4"
         "dchen;girl\n",
         {"--encoding", "utf-8"},
         "x.voc",
         "liste.csv:2:2: Fehler: ungültiges UTF-8 (Byte 0xE4)"},
        {"liste.csv",
         "Deutsch;English;Spanisch\nHund;dog;perro\n",
         {},
         "spain.voc",
         "Englisch und Spanisch"},
        {"liste.csv", "de;es\nHund;perro\n", {}, "spanisch.voc", "spain.voc, spanbasic.voc"},
        {"liste.csv", "de;en\nHund;dog\n", {}, "spantest.voc", "zeigte Englisch als Spanisch"},
        {"liste.csv",
         "Deutsch;Englisch;Notizen\nHund;dog;bellt\n",
         {},
         "x.voc",
         "liste.csv:1:18: Fehler: Unbekannte Spaltenüberschrift „Notizen“"},
        {"liste.csv",
         "de;en\nHund;dog\nBudapest;Buda\xC5\x91r\n",
         {},
         "x.voc",
         "liste.csv:3:14: Fehler: Das Zeichen „ő“"},
        {"liste.csv",
         "de;en\nK\xC3\xA4se;sm\xC3\xB6rg\xC3\xA5s\n",
         {},
         "x.voc",
         "liste.csv:2:11: Fehler: Das Zeichen „å“"},
        {"liste.csv",
         "de;en\nder Dollar;the $\n",
         {},
         "x.voc",
         "liste.csv:2:12: Fehler: Der englische Text „the $“ erschiene im Spiel als „the ç“"},
        {"liste.csv",
         "de;en\n\"Er sagte \"\"oh\"\"\";he said oh\n",
         {},
         "x.voc",
         "erschiene im Spiel als „Er sagte öh\"“"},
        {"liste.csv",
         "de;en\nHund;\n",
         {},
         "x.voc",
         "liste.csv:2: Fehler: Der englische Text fehlt"},
        {"liste.csv",
         "de;en\n\"Hund;dog\n",
         {},
         "x.voc",
         "liste.csv:2:1: Fehler: Das Anführungszeichen wird bis zum Ende der Datei nicht"},
        {"liste.csv", "de;en;lesson\nHund;dog;#1\n", {}, "x.voc", "beginnt mit „#“"},
        {"liste.csv",
         "de;en\n/der Hund/der K\xC3\xB6ter;dog\n",
         {},
         "x.voc",
         "vor dem 2. Schrägstrich fehlt das Leerzeichen"},
        {"liste.csv",
         "Hund;dog;le chien;Tiere\n",
         {},
         "x.voc",
         "liste.csv:1:19: Fehler: Spalte 4 ist keiner Sprache zugeordnet"},
        {"liste.kvtml",
         "<kvtml version=\"2.0\">\n<identifiers>\n<identifier id=\"0\"><locale>de</locale>"
         "</identifier>\n</identifiers>\n<entries>\n</entry>\n</kvtml>\n",
         {},
         "x.voc",
         "liste.kvtml:6:1: Fehler: Kein gültiges XML: </entry> schließt <entries>"},
        {"liste.kvtml",
         "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"><locale>de</locale>"
         "</identifier><identifier id=\"1\"><locale>en_GB</locale></identifier>"
         "<identifier id=\"2\"><locale>en_US</locale></identifier></identifiers></kvtml>",
         {},
         "x.voc",
         "Die Sprache Englisch steht zweimal"},
        {"liste.kvtml", "<kvtml version=\"1.0\"></kvtml>", {}, "x.voc", "nur KVTML 2"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string input = dir / c.name;
        WriteFile(input, c.content);
        std::vector<std::string> args = {"import", input, "-o", dir / c.output};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto run = RunTool(args);
        EXPECT_EQ(run.exitCode, 1) << c.content;
        const std::string expected =
            c.expected.find(c.name + ":") == 0 ? (dir.path / c.expected).string() : c.expected;
        EXPECT_NE(run.err.find(expected), std::string::npos) << expected << "\n" << run.err;
        EXPECT_NE(run.err.find("Nichts geschrieben"), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir / c.output)) << c.content;
        EXPECT_EQ(dir.FileCount(), 1u) << "no temporary file may be left behind";
    }
}

TEST(Import, UnreadableInputAndBadOptions) {
    TempDir dir;
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string expected;
    };
    const std::string list = dir / "liste.csv";
    WriteFile(list, "de;en\nHund;dog\n");
    const Case cases[] = {
        {{"import", dir / "fehlt.csv", "-o", dir / "x.voc"}, 1, "Datei nicht gefunden"},
        {{"import", dir.path.string(), "-o", dir / "x.voc"}, 1, "ein Ordner"},
        {{"import", list, "-o", dir / "x.voc", "--columns", "de,englisch,notizen"},
         2,
         "Unbekannter Spaltenname „notizen“"},
        {{"import", list, "-o", dir / "x.voc", "--encoding", "latin9"}, 2, "Zeichenkodierung"},
        {{"import", list}, 2, "Ausgabedatei"},
        {{"check", list, "--force"}, 2, "gehört nur zu import"},
    };
    for (const auto& c : cases) {
        const auto run = RunTool(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "x.voc"));
    }
}

TEST(Import, ForceAndFixEscapesSayWhatTheyDid) {
    struct Case {
        std::string content;
        std::vector<std::string> options;
        std::string output;
        std::string message;
        std::string german; // as loaded
    };
    const Case cases[] = {
        {"de;es\nHund;perro\n",
         {"--force"},
         "hunde.voc",
         "Warnung: Die Liste enthält Spanisch",
         "Hund"},
        {"de;en\nfran$ais 5 $;french\n",
         {"--fix-escapes"},
         "x.voc",
         "„$“ → „Dollar“",
         "franDollarais 5 Dollar"},
        {"de;en\n\"Er sagte \"\"oh\"\"\";he said oh\n",
         {"--fix-escapes"},
         "x.voc",
         "typografisches Anführungszeichen",
         "Er sagte \x84oh\""},
        {"de;en\nGru\\3 ~nandu ^e;hello\n",
         {"--fix-escapes"},
         "x.voc",
         "„~“ → „˜“",
         "Gru3 \x98nandu \x88"
         "e"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteFile(dir / "liste.csv", c.content);
        std::vector<std::string> args = {"import", dir / "liste.csv", "-o", dir / c.output};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto run = RunTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        VocDatabase database;
        LoadDataSet(database, dir / c.output, nullptr);
        ASSERT_EQ(database.vocabulary.size(), 1u);
        EXPECT_EQ(database.vocabulary[0].Text(0), c.german);
        EXPECT_EQ(DecodeAccents(c.german), c.german);
    }
}

TEST(Import, DuplicateRowsBecomeOneRecordInBothLessons) {
    TempDir dir;
    WriteFile(dir / "liste.csv", "de;en;fr;Lektion\nHund;dog;chien;A\nKatze;cat;chat;B\n"
                                 "Hund;dog;chien;B\n");
    ASSERT_EQ(RunTool({"import", dir / "liste.csv", "-o", dir / "x.voc"}).exitCode, 0);
    EXPECT_EQ(RunTool({"check", dir / "x.voc"}).exitCode, 0);
    VocDatabase database;
    LoadDataSet(database, dir / "x.voc", nullptr);
    ASSERT_EQ(database.vocabulary.size(), 2u);
    EXPECT_EQ(database.vocabulary[0].Lesson(), "L001 L002");
}

} // namespace
} // namespace lingomat
