#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "DataTestFolder.h"
#include "data/DataSetLoader.h"
#include "data/VocDatabase.h"
#include "data/VocFileWriter.h"

namespace lingomat {
namespace {

using testing::TempFolder;
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

// Lesson line, word class, then French, English and German.
using Record = std::tuple<std::string, std::uint32_t, std::string, std::string, std::string>;

std::vector<Record> Records(const VocDatabase& database) {
    std::vector<Record> records;
    for (const VocEntry& e : database.vocabulary) {
        records.emplace_back(e.Lesson(), e.wordClass, e.Text(LanguageFrench),
                             e.Text(LanguageEnglish), e.Text(LanguageGerman));
    }
    return records;
}

TEST(LoadDataSet, RecordsByVersion) {
    const Lines record = {"L1", "v", "aller", "to go", "gehen"};
    const Record withClass = {"L1", 2, "aller", "to go", "gehen"};
    const Record shifted = {"L1", 0, "v", "aller", "to go"};
    const std::vector<std::pair<Lines, Record>> cases = {
        {{"### Lingomatdata", "1"}, withClass},
        {{"### Lingomatdata", " 1 Wortarten"}, withClass},
        {{"### Lingomatdata", "0"}, shifted},
        {{"### Lingomatdata", "2"}, shifted},
        {{"### Lingomatdata", "eins"}, shifted},
        {{"### Lingomatdata", "99999999999999999999999"}, shifted},
    };
    for (const auto& [head, first] : cases) {
        const auto records = Records(Load(Concat({head, {"#", "#"}, record, {"#"}})));
        ASSERT_FALSE(records.empty()) << head[1];
        EXPECT_EQ(records.front(), first) << head[1];
    }
}

TEST(LoadDataSet, PreambleAndLessons) {
    const VocDatabase database =
        Load(Concat({Header1,
                     {"Wortschatz", "", "Stand 2026", "#"},
                     {"Farben   ", "c1  ", "", "lost", "   ", "c2", "Tiere", "c3", "#", "#"}}));
    const LessonTable& table = database.lessonTable;
    EXPECT_EQ(table.preambleLines, (Lines{"Wortschatz", "Stand 2026"}));
    ASSERT_EQ(table.lessons.size(), 3u);
    EXPECT_EQ(table.lessons[0].name, "Farben");
    EXPECT_EQ(table.lessons[0].code, "c1");
    EXPECT_EQ(table.lessons[1].name, "") << "a name of blanks only gives an empty name";
    EXPECT_EQ(table.lessons[1].code, "c2") << "a skipped pair takes its code line along";
    EXPECT_EQ(table.lessons[2].code, "c3");
    EXPECT_EQ(table.CurrentLessonName(), "Farben");
}

TEST(LoadDataSet, FileWithoutHeaderStartsWithItsFirstLine) {
    for (const std::string& first : {std::string("Vorwort"), std::string(70'000, 'p')}) {
        const VocDatabase database = Load({first, "#", "A", "a", "#", "a", "f", "e", "d", "#"});
        EXPECT_EQ(database.lessonTable.preambleLines, Lines{first}) << first.size();
        EXPECT_EQ(database.lessonTable.lessons.size(), 1u);
        EXPECT_EQ(Records(database), (std::vector<Record>{{"a", 0, "f", "e", "d"}}));
    }
}

TEST(LoadDataSet, DamagedFilesLoadWhatTheyHave) {
    const Lines lesson = Concat({Header1, {"#", "Haus", "h"}});
    const Lines house = {"h", "n", "maison", "house", "Haus"};
    const Record houseRecord = {"h", 1, "maison", "house", "Haus"};
    struct Case {
        Lines lines;
        std::size_t lessons;
        std::vector<Record> records;
    };
    const std::vector<Case> cases = {
        {{}, 0, {}},
        {{"### Lingomatdata"}, 0, {}},
        {Concat({Header1, {"Vorwort"}}), 0, {}},
        {lesson, 1, {}},
        {Concat({lesson, {"#"}, house}), 1, {houseRecord}}, // no closing mark
        {Concat({lesson, {"#"}, house, {"h", "n", "porte"}}),
         1,
         {houseRecord, {"h", 1, "porte", "", ""}}},
        {Concat({lesson, {"#"}, house, {"#"}, house}), 1, {houseRecord}},
    };
    for (const auto& c : cases) {
        const VocDatabase database = Load(c.lines);
        EXPECT_EQ(database.lessonTable.lessons.size(), c.lessons) << c.lines.size();
        EXPECT_EQ(Records(database), c.records) << c.lines.size();
    }
    VocDatabase absent;
    LoadDataSet(absent, TempFolder().File("absent.voc"), nullptr);
    EXPECT_TRUE(absent.vocabulary.empty());
}

class RecordingProgress : public LoadProgress {
public:
    void Begin(int low, int high) override { calls.push_back({low, high}); }
    void Set(int value) override { values.push_back(value); }
    void End() override { calls.push_back({-1, -1}); }

    std::vector<std::pair<int, int>> calls;
    std::vector<int> values;
};

TEST(LoadDataSet, ProgressBarRunsThroughItsRangeForEveryFiveThousandRecords) {
    Lines lines = Concat({Header1, {"#", "Eins", "1", "#"}});
    for (int i = 0; i < 12'000; ++i) {
        lines.insert(lines.end(), {"1", "n", "mot", "word", "Wort" + std::to_string(i)});
    }
    RecordingProgress progress;
    const VocDatabase database = Load(lines, &progress);

    ASSERT_EQ(database.vocabulary.size(), 12'000u);
    EXPECT_EQ(database.vocabulary.back().Text(LanguageGerman), "Wort11999");
    EXPECT_EQ(progress.calls, (std::vector<std::pair<int, int>>{{0, 100}, {-1, -1}}));
    // Every 25th record; the counter starts again at 0 after 5,000.
    EXPECT_EQ(progress.values.size(), 5000u / 25 + 5001 / 25 + 1 + 1999 / 25 + 1);
    int wraps = 0;
    for (std::size_t i = 1; i < progress.values.size(); ++i) {
        wraps += progress.values[i] < progress.values[i - 1] ? 1 : 0;
    }
    EXPECT_EQ(wraps, 2);
    EXPECT_EQ(*std::max_element(progress.values.begin(), progress.values.end()), 100);
    EXPECT_EQ(std::count(progress.values.begin(), progress.values.end(), 100), 2);
}

} // namespace
} // namespace lingomat
