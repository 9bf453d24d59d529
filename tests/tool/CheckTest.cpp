#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "DataSetCheck.h"
#include "LearnerCheck.h"
#include "SourceText.h"
#include "ToolTestSupport.h"

namespace lingomat {
namespace {

using Kind = FindingKind;

// Line numbers below refer to this data set; every case changes a few of its lines. Lines 1-3
// are the head, 4-8 two lessons, 9-16 two records and 17 the end.
const std::vector<std::string> CleanDataSet = {
    "### Lingomatdata", "0",   "#",        "Tiere", "T",      "Essen",  "E",     "#", "T",
    "chien (m)",        "dog", "der Hund", "E",     "manger", "to eat", "essen", "#"};

struct CheckCase {
    const char* name;
    // Line number -> new text, several lines where it holds line breaks ("\x01" removes it).
    std::map<std::size_t, std::string> replaced;
    std::vector<std::pair<Kind, std::size_t>> expected;
    int exitCode;
    const char* says = ""; // part of the tool's output; one starting with ":" follows the file
    bool exact = true;     // false: the expected findings are among others
    const char* fileName = "daten.txt";
    // Test lists show the case by its name, not as raw bytes.
    friend void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }
};

const char* const Removed = "\x01";

std::string SourceWith(const std::map<std::size_t, std::string>& replaced) {
    std::string text;
    const std::size_t lastLine =
        std::max(CleanDataSet.size(), replaced.empty() ? 0 : replaced.rbegin()->first);
    for (std::size_t line = 1; line <= lastLine; ++line) {
        const auto change = replaced.find(line);
        if (change == replaced.end()) {
            text += CleanDataSet[line - 1] + "\n";
        } else if (change->second != Removed) {
            text += change->second + "\n";
        }
    }
    return text;
}

class Check : public ::testing::TestWithParam<CheckCase> {};

TEST_P(Check, FindsWhatIsWrong) {
    const CheckCase& c = GetParam();
    const std::string source = SourceWith(c.replaced);
    const SourceText parsed = ParseSourceText(source);

    std::vector<std::pair<Kind, std::size_t>> found;
    for (const auto& finding :
         CheckDataSet(parsed.lines, std::string(c.fileName) == "spanbasic.txt").findings) {
        found.emplace_back(finding.kind, finding.line);
    }
    for (const auto& expected : c.expected) {
        EXPECT_NE(std::find(found.begin(), found.end(), expected), found.end())
            << "missing kind " << static_cast<int>(expected.first) << " at line "
            << expected.second;
    }
    if (c.exact) {
        EXPECT_EQ(found.size(), c.expected.size());
    }

    // The same source through the tool, as text and packed: the same exit code and the same
    // report but for the line naming the file, and no word of the game reading it differently.
    TempDir dir;
    const std::string text = dir.File(c.fileName);
    const std::string packed = text.substr(0, text.size() - 4) + ".voc";
    WriteText(text, source);
    ASSERT_EQ(RunTool({"pack", text, "-o", packed}).exitCode, 0);
    std::vector<std::string> reports;
    for (const std::string& file : {text, packed}) {
        auto run = RunTool({"check", file});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out << run.err;
        EXPECT_EQ(run.out.find("anders als das Spiel"), std::string::npos) << run.out;
        const std::string says = (*c.says == ':' ? file : "") + c.says;
        EXPECT_NE(run.out.find(says), std::string::npos) << says << "\n" << run.out;
        for (std::size_t at; (at = run.out.find(file)) != std::string::npos;) {
            run.out.replace(at, file.size(), "DATEI");
        }
        reports.push_back(run.out.substr(run.out.find('\n')));
    }
    EXPECT_EQ(reports[0], reports[1]);
}

const CheckCase Cases[] = {
    {"Clean", {}, {}, 0, "Lektion „Tiere“ (Kennung „T“): 1 Datensatz"},
    {"EmptyGerman", {{12, ""}}, {{Kind::EmptyText, 12}}, 1},
    {"EmptyFrench", {{10, ""}}, {{Kind::EmptyText, 10}}, 1}, // only Spanish sets may lack it
    {"SpanishMayLackFrench", {{10, ""}}, {}, 0, "", true, "spanbasic.txt"},
    {"SpanishNeedsSpanish", {{11, ""}}, {{Kind::EmptyText, 11}}, 1, "", true, "spanbasic.txt"},
    {"EmptyCode", {{7, ""}}, {{Kind::EmptyCode, 7}}, 1},
    {"DuplicateCode", {{7, "T"}}, {{Kind::DuplicateCode, 7}, {Kind::NoLesson, 13}}, 1},
    {"CodeInsideCode", {{7, "TE"}, {13, "TE"}}, {{Kind::CodeInsideCode, 7}}, 1},
    {"SameLessonNameTwice", {{6, "Tiere"}}, {{Kind::DuplicateLessonName, 6}}, 0},
    {"NoLesson", {{9, "X"}}, {{Kind::NoLesson, 9}, {Kind::EmptyLesson, 5}}, 1},
    {"SameRecordTwiceInALesson",
     {{13, "T"}, {14, "chien (m)"}, {15, "dog"}, {16, "der Hund"}},
     {{Kind::DuplicateRecord, 13}, {Kind::EmptyLesson, 7}},
     1},
    {"SameRecordInTwoLessonsIsFine", {{14, "chien (m)"}, {15, "dog"}, {16, "der Hund"}}, {}, 0},
    // The third record repeats the first in its lesson; the second, in the other lesson, is no
    // repeat of either.
    {"SameRecordAgainAfterAnotherLesson",
     {{14, "chien (m)"}, {15, "dog"}, {16, "der Hund\nT\nchien (m)\ndog\nder Hund"}},
     {{Kind::DuplicateRecord, 17}},
     1},
    // A several-answer text is never asked: a warning for each direction it would start.
    {"SeveralAnswers",
     {{12, "/der Hund /der K\xC3\xB6ter /der Kl\xC3\244ffer"}},
     {{Kind::NeverAsked, 12}},
     0},
    {"SpanishHasNoFrenchDirection", {{10, "/chien /cabot"}}, {}, 0, "", true, "spanbasic.txt"},
    {"SlashWithoutBlank",
     {{12, "/der Hund/ der K\xC3\xB6ter"}},
     {{Kind::FormShape, 12}, {Kind::NeverAsked, 12}},
     1},
    {"TrailingSlash", {{11, "/dog /"}}, {{Kind::FormShape, 11}, {Kind::NeverAsked, 11}}, 1},
    {"EmptyForm", {{11, "/dog / /hound"}}, {{Kind::FormShape, 11}, {Kind::NeverAsked, 11}}, 1},
    {"BlankAfterSlash", {{11, "/dog / hound"}}, {{Kind::FormShape, 11}, {Kind::NeverAsked, 11}}, 1},
    {"BlankBeforeFirstForm",
     {{11, "/ dog /hound"}},
     {{Kind::FormShape, 11}, {Kind::NeverAsked, 11}},
     1},
    {"ParenthesisStartsFirstForm", {{15, "/(to) eat /(to) dine"}}, {{Kind::NeverAsked, 15}}, 0},
    {"CouldBeOneOptionalPart",
     {{15, "/eat /to eat"}},
     {{Kind::NeverAsked, 15}, {Kind::CouldBeOptionalPart, 15}},
     0},
    // One French question, two answers: ambiguous towards English and towards German.
    {"SameQuestionOtherAnswers",
     {{14, "chien (m)"}, {15, "hound"}, {16, "der K\xC3\xB6ter"}},
     {{Kind::AmbiguousQuestion, 10}, {Kind::AmbiguousQuestion, 10}},
     0,
     // The direction and every answer with its line.
     ":10: Warnung: Französisch → Englisch: die Frage „chien (m)“ hat verschiedene Antworten: "
     "„dog“ (Zeile 11), „hound“ (Zeile 15)"},
    {"UnclosedParenthesis", {{10, "chien (m"}}, {{Kind::Parentheses, 10}}, 1},
    {"ParenthesisAcrossForms",
     {{15, "/(to) eat /dine)"}},
     {{Kind::Parentheses, 15}, {Kind::NeverAsked, 15}},
     1},
    {"NestedParentheses", {{15, "((to) eat)"}}, {{Kind::Parentheses, 15}}, 1},
    {"DollarIsAWarning", {{14, "fran$ais"}}, {{Kind::AccentEscape, 14}}, 0},
    {"TrailingBlank", {{16, "essen "}}, {{Kind::Blanks, 16}}, 0},
    {"DoubleBlank",
     {{12, "der  Hund"}},
     {{Kind::Blanks, 12}},
     0,
     ":12: Warnung: Datensatz „der  Hund“"},
    {"LinesAfterTheEnd", {{18, "vergessen"}}, {{Kind::UnreadLines, 18}}, 0},
    {"RecordsNotClosed", {{17, Removed}}, {{Kind::SectionNotClosed, 0}}, 0},
    {"NamelessLessonIsSkipped", {{6, ""}}, {{Kind::NamelessLesson, 6}, {Kind::NoLesson, 13}}, 1},
    {"NoRecords", {{9, "#"}}, {{Kind::NoRecords, 0}, {Kind::UnreadLines, 10}}, 1, "", false},
    {"UnknownVersion", {{2, "2"}}, {{Kind::UnknownVersion, 2}}, 0},
    // The version line is read as C's atoi reads it, sign included, as the game does.
    {"NegativeVersionIsUnknown", {{2, "-1"}}, {{Kind::UnknownVersion, 2}}, 0},
    {"SignedVersionOneHasWordClasses",
     {{2, " +1"}},
     {{Kind::UnknownWordClass, 10}, {Kind::IncompleteRecord, 14}},
     1,
     "",
     false},
    {"LineStartingWithHashEndsASection", {{8, "#x"}}, {{Kind::OddSectionEnd, 8}}, 1, "", false},
    {"RecordCutShort",
     {{15, Removed}, {16, Removed}, {17, Removed}},
     {{Kind::IncompleteRecord, 13},
      {Kind::EmptyText, 13},
      {Kind::EmptyText, 13},
      {Kind::SectionNotClosed, 0}},
     1},
};

INSTANTIATE_TEST_SUITE_P(Findings, Check, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckCommand, SuggestsOneOptionalPartOnlyWhenItAcceptsTheSameAnswers) {
    const std::pair<const char*, const char*> cases[] = {
        {"/hundert /einhundert", "(ein)hundert"},
        {"/to go /go", "(to) go"},
        {"/freuen /freuen auf", "freuen (auf)"},
        {"/dog /dogs", "dog(s)"},
        {"/dog /hound", ""},
        {"/mathematics /maths", ""},
        {"/go /to go /to walk", ""},
        {"/(to) go /to go now", ""},
        {"go", ""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(OptionalPartSpelling(text), expected) << text;
    }
}

// The game's loader cuts a text longer than it shows; the check sees the record it reads
// differently, also far into the data set, where the loader has moved on. A character the game
// cannot store is placed by line and column.
TEST(CheckCommand, PlacesWhatTheGameReadsDifferentlyOrCannotStore) {
    TempDir dir;
    const std::string source = dir.File("d.txt");
    std::string many = "### Lingomatdata\n0\n#\nTiere\nT\n#\n";
    for (int r = 0; r < 60; ++r) {
        many += "T\nchien\ndog\n" +
                (r == 40 ? std::string(1001, 'x') : "Hund " + std::to_string(r)) + "\n";
    }
    WriteText(source, many + "#\n");
    auto run = RunTool({"check", source});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("Das Spiel liest den Datensatz in Zeile 167 anders"), std::string::npos)
        << run.out;

    WriteText(source, SourceWith({{12, "Hund \xC5\x91"}}));
    run = RunTool({"check", source});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find(source + ":12:6: "), std::string::npos) << run.out;
}

} // namespace
} // namespace lingomat
