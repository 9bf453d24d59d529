#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DataTestFolder.h"
#include "data/DataSetLoader.h"
#include "data/VocDatabase.h"
#include "data/VocFileWriter.h"

namespace lingomat {
namespace {

using testing::TempFolder;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

VocDatabase Load(const Lines& lines, LoadProgress* progress = nullptr) {
    TempFolder folder;
    {
        VocFileWriter writer;
        writer.Open(folder.File("set.voc"));
        for (const auto& line : lines) {
            writer.WriteLine(line);
        }
    }
    VocDatabase database;
    LoadDataSet(database, folder.File("set.voc"), progress);
    return database;
}

Lines Concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

const Lines Header1 = {"### Lingomatdata", "1"};
const Lines NoLessons = {"#", "#"};

struct Record {
    std::string lesson;
    std::uint32_t wordClass;
    std::string french;
    std::string english;
    std::string german;
};

void ExpectRecord(const VocEntry& entry, const Record& expected, const std::string& name) {
    EXPECT_EQ(entry.Lesson(), expected.lesson) << name;
    EXPECT_EQ(entry.wordClass, expected.wordClass) << name;
    EXPECT_EQ(entry.Text(LanguageFrench), expected.french) << name;
    EXPECT_EQ(entry.Text(LanguageEnglish), expected.english) << name;
    EXPECT_EQ(entry.Text(LanguageGerman), expected.german) << name;
    EXPECT_EQ(entry.ColumnCount(), 3u) << name;
}

TEST(LoadDataSet, VersionDecidesWhetherRecordsHaveAWordClassLine) {
    const Lines record = {"L1", "v", "aller", "to go", "gehen"};
    struct Case {
        const char* name;
        Lines head;
        Record first;
    };
    const std::vector<Case> cases = {
        {"version 1", {"### Lingomatdata", "1"}, {"L1", 2, "aller", "to go", "gehen"}},
        {"version 1 with blanks and text", {"### Lingomatdata", " 1 (Wortarten)"}, {"L1", 2, "aller", "to go", "gehen"}},
        {"version 0", {"### Lingomatdata", "0"}, {"L1", 0, "v", "aller", "to go"}},
        {"version 2 reads as 0", {"### Lingomatdata", "2"}, {"L1", 0, "v", "aller", "to go"}},
        {"version without number", {"### Lingomatdata", "eins"}, {"L1", 0, "v", "aller", "to go"}},
        {"absurd version", {"### Lingomatdata", "99999999999999999999999"}, {"L1", 0, "v", "aller", "to go"}},
    };
    for (const auto& c : cases) {
        const VocDatabase database = Load(Concat({c.head, NoLessons, record, {"#"}}));
        ASSERT_FALSE(database.vocabulary.empty()) << c.name;
        ExpectRecord(database.vocabulary.front(), c.first, c.name);
    }
}

TEST(LoadDataSet, WordClassLines) {
    const std::vector<std::pair<std::string, std::uint32_t>> cases = {
        {"n", 1}, {"v", 2}, {"a", 3}, {"", 0}, {"N", 0}, {"n ", 0}, {"adj", 0}};
    for (const auto& [line, wordClass] : cases) {
        const VocDatabase database = Load(Concat({Header1, NoLessons, {"L", line, "f", "e", "d"}}));
        ASSERT_EQ(database.vocabulary.size(), 1u) << line;
        EXPECT_EQ(database.vocabulary.front().wordClass, wordClass) << line;
    }
}

TEST(LoadDataSet, PreambleAndLessons) {
    const VocDatabase database = Load(Concat({Header1,
                                              {"Lingomat Wortschatz", "", "Stand 2026", "#"},
                                              {"Farben   ", "c1  ", "", "lost", "   ", "c2", "Tiere", "c3", "#"},
                                              {"#"}}));
    const LessonTable& table = database.lessonTable;
    EXPECT_EQ(table.preambleLines, (Lines{"Lingomat Wortschatz", "Stand 2026"}));
    ASSERT_EQ(table.lessons.size(), 3u);
    EXPECT_EQ(table.lessons[0].name, "Farben");
    EXPECT_EQ(table.lessons[0].code, "c1");
    EXPECT_EQ(table.lessons[1].name, "") << "a name of blanks only gives an empty name";
    EXPECT_EQ(table.lessons[1].code, "c2") << "the code line of a skipped pair goes with it";
    EXPECT_EQ(table.lessons[2].name, "Tiere");
    EXPECT_FALSE(table.lessons[0].selected);
    EXPECT_EQ(table.CurrentLessonName(), "Farben");
    EXPECT_TRUE(database.vocabulary.empty());
}

TEST(LoadDataSet, FileWithoutHeaderStartsWithItsFirstLine) {
    const std::string longFirst(70'000, 'p');
    struct Case {
        const char* name;
        Lines lines;
        Lines preamble;
    };
    const std::vector<Case> cases = {
        {"short first line", {"Vorwort", "#", "A", "a", "#", "a", "f", "e", "d", "#"}, {"Vorwort"}},
        {"first line longer than a block", {longFirst, "#", "A", "a", "#", "a", "f", "e", "d", "#"}, {longFirst}},
    };
    for (const auto& c : cases) {
        const VocDatabase database = Load(c.lines);
        EXPECT_EQ(database.lessonTable.preambleLines, c.preamble) << c.name;
        ASSERT_EQ(database.lessonTable.lessons.size(), 1u) << c.name;
        ASSERT_EQ(database.vocabulary.size(), 1u) << c.name;
        ExpectRecord(database.vocabulary.front(), {"a", 0, "f", "e", "d"}, c.name);
    }
}

TEST(LoadDataSet, DamagedFilesLoadWhatTheyHave) {
    struct Case {
        const char* name;
        Lines lines;
        std::size_t lessons;
        std::vector<Record> records;
    };
    const Lines lesson = {"Haus", "h"};
    const std::vector<Case> cases = {
        {"empty file", {}, 0, {}},
        {"header only", {"### Lingomatdata"}, 0, {}},
        {"no closing marks at all", Concat({Header1, {"Vorwort"}}), 0, {}},
        {"lesson section not closed", Concat({Header1, {"#"}, lesson}), 1, {}},
        {"record section not closed",
         Concat({Header1, {"#"}, lesson, {"#"}, {"h", "n", "maison", "house", "Haus"}}),
         1,
         {{"h", 1, "maison", "house", "Haus"}}},
        {"record cut short",
         Concat({Header1, {"#"}, lesson, {"#"}, {"h", "n", "maison", "house", "Haus", "h", "n", "porte"}}),
         1,
         {{"h", 1, "maison", "house", "Haus"}, {"h", 1, "porte", "", ""}}},
        {"nothing after the closing mark is read",
         Concat({Header1, {"#"}, lesson, {"#"}, {"h", "n", "maison", "house", "Haus", "#", "h", "n", "x", "y", "z"}}),
         1,
         {{"h", 1, "maison", "house", "Haus"}}},
    };
    for (const auto& c : cases) {
        const VocDatabase database = Load(c.lines);
        EXPECT_EQ(database.lessonTable.lessons.size(), c.lessons) << c.name;
        ASSERT_EQ(database.vocabulary.size(), c.records.size()) << c.name;
        for (std::size_t i = 0; i < c.records.size(); ++i) {
            ExpectRecord(database.vocabulary[i], c.records[i], c.name);
        }
    }
}

TEST(LoadDataSet, UnreadableFilesGiveAnEmptyDataSet) {
    TempFolder folder;
    WriteBytes(folder.File("zero.voc"), {0, 0, 0});
    for (const std::string name : {"absent.voc", "zero.voc"}) {
        VocDatabase database;
        LoadDataSet(database, folder.File(name), nullptr);
        EXPECT_TRUE(database.vocabulary.empty()) << name;
        EXPECT_TRUE(database.lessonTable.lessons.empty()) << name;
    }
}

TEST(LoadDataSet, ReplacesWhatWasLoadedBefore) {
    TempFolder folder;
    {
        VocFileWriter writer;
        writer.Open(folder.File("set.voc"));
        for (const std::string line : {"#", "A", "a", "#", "a", "f", "e", "d", "#"}) {
            writer.WriteLine(line);
        }
    }
    VocDatabase database;
    LoadDataSet(database, folder.File("set.voc"), nullptr);
    database.pool.Append(Question::FromEntry(database.vocabulary.front(), LanguageGerman, LanguageFrench));
    LoadDataSet(database, folder.File("set.voc"), nullptr);
    EXPECT_EQ(database.vocabulary.size(), 1u);
    EXPECT_EQ(database.lessonTable.lessons.size(), 1u);
    EXPECT_TRUE(database.pool.Empty());
}

class RecordingProgress : public LoadProgress {
public:
    void Begin(int low, int high) override {
        ++begins;
        range = {low, high};
    }
    void Set(int value) override { values.push_back(value); }
    void End() override { ++ends; }

    int begins = 0;
    int ends = 0;
    std::pair<int, int> range;
    std::vector<int> values;
};

TEST(LoadDataSet, ProgressBarRunsThroughItsRangeForEveryFiveThousandRecords) {
    Lines lines = Concat({Header1, {"#"}, {"Eins", "1"}, {"#"}});
    constexpr int records = 12'000;
    for (int i = 0; i < records; ++i) {
        const std::string n = std::to_string(i);
        lines.insert(lines.end(), {"1", "n", "mot" + n, "word" + n, "Wort" + n});
    }
    lines.push_back("#");
    RecordingProgress progress;
    const VocDatabase database = Load(lines, &progress);

    EXPECT_EQ(database.vocabulary.size(), static_cast<std::size_t>(records));
    EXPECT_EQ(database.vocabulary.back().Text(LanguageGerman), "Wort11999");
    EXPECT_EQ(progress.begins, 1);
    EXPECT_EQ(progress.ends, 1);
    EXPECT_EQ(progress.range, (std::pair<int, int>{0, 100}));
    // Every 25th record, with the counter starting again after 5,000.
    EXPECT_EQ(progress.values.size(), static_cast<std::size_t>(5000 / 25 + 5001 / 25 + 1 + 1999 / 25 + 1));
    int wraps = 0;
    for (std::size_t i = 0; i < progress.values.size(); ++i) {
        EXPECT_GE(progress.values[i], 0);
        EXPECT_LE(progress.values[i], 100);
        if (i > 0 && progress.values[i] < progress.values[i - 1]) {
            ++wraps;
        }
    }
    EXPECT_EQ(wraps, 2);
    EXPECT_EQ(std::count(progress.values.begin(), progress.values.end(), 100), 2);
    EXPECT_EQ(progress.values.front(), 0);
    EXPECT_EQ(progress.values.back(), 1975 / 50);
}

} // namespace
} // namespace lingomat
