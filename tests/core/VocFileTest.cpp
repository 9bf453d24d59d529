#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "DataSets.h"
#include "data/DataSetLoader.h"
#include "data/VocDatabase.h"

namespace lingomat {
namespace {

using namespace testing;
constexpr std::size_t Block = VocFileReader::BlockSize;

// A line far beyond the reader's limit, then a short one.
Bytes HugeLineThenOk() {
    Bytes disk(10 * 1024 * 1024, 255 - 'x');
    for (const unsigned char b : {245, 255 - 'o', 255 - 'k', 245}) {
        disk.push_back(b);
    }
    return disk;
}

enum Way { Both, WriteOnly, ReadOnly };

// Lines as the game holds them and the bytes on disk, in each way the pair holds.
TEST(VocFileStreams, LinesAndDiskBytes) {
    struct Case {
        Lines lines;
        Bytes disk;
        Way way;
    };
    const std::vector<Case> cases = {
        {{}, {}, Both},
        {{"ab", "#"}, {158, 157, 245, 220, 245}, Both},
        {{""}, {245}, Both},
        {{"\xF5"}, {13, 10, 245}, Both}, // stored 10 goes to disk as CR LF
        {{"\xF2\xF5"}, {13, 13, 10, 245}, Both},
        {{"a\nb"}, {158, 223, 157, 245}, WriteOnly}, // a line feed inside would split the line
        {{"\xFF"}, {255 - 'y', 245}, WriteOnly},     // stored 0 would end the data
        {{"\xE5"}, {255 - 'a', 245}, WriteOnly},     // disk 26 would end the file
        {{"a"}, {158, 245, 0, 157, 245}, ReadOnly},  // stored 0 ends the data
        {{"a"}, {158, 26, 157, 245}, ReadOnly},      // disk 26 ends the file
        {{"\362a"}, {13, 158, 245}, ReadOnly},       // a lone CR stays
        {{"a\xF2"}, {158, 13}, ReadOnly},
        {{"a", "b"}, {158, 245, 157}, ReadOnly}, // last line without terminator
        {{std::string(VocFileReader::MaxLineLength, 'x'), "ok"}, HugeLineThenOk(), ReadOnly},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        if (c.way != ReadOnly) {
            ASSERT_TRUE(WriteVocFile(folder.File("out.voc"), c.lines));
            EXPECT_EQ(ReadBytes(folder.File("out.voc")), c.disk) << c.lines.size();
        }
        if (c.way != WriteOnly) {
            WriteBytes(folder.File("in.voc"), c.disk);
            EXPECT_EQ(ReadVocFile(folder.File("in.voc")), c.lines) << c.disk.size();
        }
    }
}

std::string EveryStorableByte() {
    std::string text;
    for (int b = 1; b < 255; ++b) {
        if (b != '\n' && b != 0xE5) {
            text.push_back(static_cast<char>(b));
        }
    }
    return text;
}

TEST(VocFileStreams, RoundTripAcrossBlockBoundaries) {
    const std::vector<Lines> cases = {
        {EveryStorableByte(), "", EveryStorableByte()},
        {std::string(70'000, '\xF5'), "after"},          // two disk bytes each
        {std::string(Block - 1, 'x') + "\xF5", "after"}, // CR LF straddles the disk block
        {std::string(Block, 'x'), "after"},              // terminator opens the next block
    };
    for (const auto& lines : cases) {
        TempFolder folder;
        ASSERT_TRUE(WriteVocFile(folder.File("trip.voc"), lines));
        EXPECT_EQ(ReadVocFile(folder.File("trip.voc")), lines) << lines[0].size();
    }
}

TEST(VocFileReader, SectionEnd) {
    struct Case {
        std::size_t firstLine; // length of an ordinary line before the bytes, if any
        Bytes disk;
        bool isEnd;
        std::string following;
    };
    const std::vector<Case> cases = {
        {0, {220, 245, 135, 245}, true, "x"},
        {0, {220, 158, 157, 156, 245}, true, "bc"}, // only the first two bytes go
        {0, {135, 220, 245}, false, "x#"},
        {0, {220, 0, 158, 245}, true, ""},            // the stored 0 after it still ends the data
        {Block - 2, {220, 245, 135, 245}, true, "x"}, // "#" last in its block
    };
    for (const auto& c : cases) {
        Bytes disk(c.firstLine, 255 - 'x');
        if (c.firstLine > 0) {
            disk.push_back(245);
        }
        disk.insert(disk.end(), c.disk.begin(), c.disk.end());
        TempFolder folder;
        WriteBytes(folder.File("in.voc"), disk);
        VocFileReader reader;
        reader.Open(folder.File("in.voc"));
        if (c.firstLine > 0) {
            EXPECT_EQ(reader.ReadLine().size(), c.firstLine);
        }
        EXPECT_EQ(reader.NextIsSectionEnd(), c.isEnd) << c.following;
        EXPECT_EQ(reader.ReadLine(), c.following);
    }
}

TEST(VocFileWriter, FlushesOnCloseOrDestructionAndReportsFailure) {
    TempFolder folder;
    const Lines lines = {std::string(Block + 10, 'x'), "tail"};
    {
        VocFileWriter writer;
        writer.Open(folder.File("out.voc"));
        for (const auto& line : lines) {
            writer.WriteLine(line);
        }
    }
    EXPECT_EQ(ReadVocFile(folder.File("out.voc")), lines);
    EXPECT_FALSE(WriteVocFile(folder.File("no/such/folder/out.voc"), {"lost"}));
    EXPECT_FALSE(WriteVocFile("/dev/full", {"does not fit"}));
}

VocDatabase Load(const Lines& lines, LoadProgress* progress = nullptr) {
    TempFolder folder;
    WriteVocFile(folder.File("set.voc"), lines);
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
        {{"### Lingomatdata", "1"}, withClass},  {{"### Lingomatdata", " 1 Wortarten"}, withClass},
        {{"### Lingomatdata", "+1"}, withClass}, {{"### Lingomatdata", "-1"}, shifted},
        {{"### Lingomatdata", "0"}, shifted},    {{"### Lingomatdata", "2"}, shifted},
        {{"### Lingomatdata", ""}, shifted},     {{"### Lingomatdata", "4294967297"}, shifted},
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
}

// Damaged files load what they have; a file without a header starts with its first line.
TEST(LoadDataSet, DamagedOrHeaderlessFilesLoadWhatTheyHave) {
    const Lines lesson = Concat({Header1, {"#", "Haus", "h"}});
    const Lines house = {"h", "n", "maison", "house", "Haus"};
    const Record houseRecord = {"h", 1, "maison", "house", "Haus"};
    const auto headless = [](const std::string& first) {
        return Lines{first, "#", "A", "a", "#", "a", "f", "e", "d", "#"};
    };
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
        {headless("Vorwort"), 1, {{"a", 0, "f", "e", "d"}}},
        {headless(std::string(70'000, 'p')), 1, {{"a", 0, "f", "e", "d"}}},
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
    EXPECT_EQ(progress.calls, (std::vector<std::pair<int, int>>{{0, 100}, {-1, -1}}));
    // The bar fills over 5,000 records and then starts again from the left.
    int wraps = 0;
    for (std::size_t i = 1; i < progress.values.size(); ++i) {
        wraps += progress.values[i] < progress.values[i - 1] ? 1 : 0;
    }
    EXPECT_EQ(wraps, 2);
    EXPECT_EQ(std::count(progress.values.begin(), progress.values.end(), 100), 2);
}

} // namespace
} // namespace lingomat
