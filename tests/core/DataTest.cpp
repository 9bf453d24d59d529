#include <algorithm>
#include <tuple>

#include "DataSets.h"
#include "game/LessonSelection.h"
#include "data/DataSetLoader.h"
#include "data/LessonTable.h"
#include "data/QuestionPool.h"
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
    const std::vector<std::tuple<Lines, Bytes, Way>> cases = {
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
    for (const auto& [lines, disk, way] : cases) {
        TempFolder folder;
        if (way != ReadOnly) {
            ASSERT_TRUE(WriteVocFile(folder.File("out.voc"), lines));
            EXPECT_EQ(ReadBytes(folder.File("out.voc")), disk) << lines.size();
        }
        if (way != WriteOnly) {
            WriteBytes(folder.File("in.voc"), disk);
            EXPECT_EQ(ReadVocFile(folder.File("in.voc")), lines) << disk.size();
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

// The length of an ordinary line before the bytes (if any), the bytes, whether they begin with
// the end of a section, and the line after it.
TEST(VocFileReader, SectionEnd) {
    const std::vector<std::tuple<std::size_t, Bytes, bool, std::string>> cases = {
        {0, {220, 245, 135, 245}, true, "x"},
        {0, {220, 158, 157, 156, 245}, true, "bc"}, // only the first two bytes go
        {0, {135, 220, 245}, false, "x#"},
        {0, {220, 0, 158, 245}, true, ""},            // the stored 0 after it still ends the data
        {Block - 2, {220, 245, 135, 245}, true, "x"}, // "#" last in its block
    };
    for (const auto& [firstLine, bytes, isEnd, following] : cases) {
        Bytes disk(firstLine, 255 - 'x');
        if (firstLine > 0) {
            disk.push_back(245);
        }
        disk.insert(disk.end(), bytes.begin(), bytes.end());
        TempFolder folder;
        WriteBytes(folder.File("in.voc"), disk);
        VocFileReader reader;
        reader.Open(folder.File("in.voc"));
        if (firstLine > 0) {
            EXPECT_EQ(reader.ReadLine().size(), firstLine);
        }
        EXPECT_EQ(reader.NextIsSectionEnd(), isEnd) << following;
        EXPECT_EQ(reader.ReadLine(), following);
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
    // A name of blanks only gives an empty name; a skipped pair takes its code line along.
    std::vector<std::pair<std::string, std::string>> lessons;
    for (const LessonEntry& lesson : table.lessons) {
        lessons.emplace_back(lesson.name, lesson.code);
    }
    EXPECT_EQ(lessons, (decltype(lessons){{"Farben", "c1"}, {"", "c2"}, {"Tiere", "c3"}}));
}

// Damaged files load what they have; a file without a header starts with its first line.
TEST(LoadDataSet, DamagedOrHeaderlessFilesLoadWhatTheyHave) {
    const Lines lesson = Concat({Header1, {"#", "Haus", "h"}});
    const Lines house = {"h", "n", "maison", "house", "Haus"};
    const Record houseRecord = {"h", 1, "maison", "house", "Haus"};
    const auto headless = [](const std::string& first) {
        return Lines{first, "#", "A", "a", "#", "a", "f", "e", "d", "#"};
    };
    // The lines, then the lessons and records loaded.
    const std::vector<std::tuple<Lines, std::size_t, std::vector<Record>>> cases = {
        {Lines{}, 0, {}},
        {Lines{"### Lingomatdata"}, 0, {}},
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
    for (const auto& [lines, lessons, records] : cases) {
        const VocDatabase database = Load(lines);
        EXPECT_EQ(database.lessonTable.lessons.size(), lessons) << lines.size();
        EXPECT_EQ(Records(database), records) << lines.size();
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

TEST(VocEntry, BlankCountIsCappedAtTwo) {
    const std::vector<std::pair<std::string, std::uint32_t>> cases = {
        {"", 0}, {"das Haus", 1}, {" Haus", 1}, {"a b c d e", 2}, {"Haus\tT\xFCr", 0}};
    for (const auto& [text, blanks] : cases) {
        VocEntry entry;
        entry.SetText(LanguageEnglish, text);
        EXPECT_EQ(entry.BlankCount(LanguageEnglish), blanks) << text;
        EXPECT_EQ(entry.BlankCount(LanguageGerman), 0u);
    }
    VocEntry entry;
    entry.SetText(3, "vier");
    EXPECT_EQ(entry.Text(3), "") << "no fourth column";
}

TEST(VocEntry, WordClassAndLessonMembership) {
    for (const auto& [line, wordClass] : std::vector<std::pair<std::string, std::uint32_t>>{
             {"n", 1}, {"v", 2}, {"a", 3}, {"", 0}, {"N", 0}, {"n ", 0}}) {
        VocEntry entry;
        entry.SetWordClass(line);
        EXPECT_EQ(entry.wordClass, wordClass) << line;
    }
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"12", "1", true},    {"12", "12", true},    {"12", "3", false},
        {"12", "123", false}, {"K3 K7", "K7", true}, {"k3", "K3", false},
    };
    for (const auto& [line, code, member] : cases) {
        VocEntry entry;
        entry.SetLesson(line);
        EXPECT_EQ(entry.InLesson(code), member) << line << " / " << code;
    }
}

// A name finds the first lesson of that name, in its stored form; past the end there is none.
TEST(LessonTable, CodeForNameAndTheEndOfTheCursor) {
    LessonTable table;
    table.lessons = {{false, "Farben", "c1"}, {true, "Farben", "c3"}, {false, "K\"uche", "c4"}};
    for (const auto& [name, code] : std::vector<std::pair<std::string, std::string>>{
             {"Farben", "c1"}, {"K\"uche", "c4"}, {"K\374che", ""}, {"farben", ""}}) {
        EXPECT_EQ(table.CodeForName(name), code) << name;
    }
    for (table.ResetCursors(); !table.CursorAtEnd(); table.AdvanceCursor()) {
    }
    EXPECT_EQ(table.CurrentLessonName(), "");
    EXPECT_EQ(LessonTable().CurrentLessonCode(), "");
}

// The lesson dialogs list names decoded and find the lesson again by what they show.
TEST(LessonTable, SelectByDisplayNameMarksTheFirstLessonShownUnderTheName) {
    const std::string kueche = "K\374che";
    const std::string strasse = "Stra\337e";
    // The names selected one after the other, then the marks and the cursor.
    const std::tuple<std::vector<std::string>, std::vector<bool>, std::size_t> cases[] = {
        {{"Tiere"}, {true, false, false, false}, 0},
        {{kueche}, {false, true, false, false}, 1},
        {{"Tiere", strasse}, {true, false, false, true}, 3}, // earlier marks stay
        // The stored form is not what the list shows, so it is not found.
        {{"K\"uche"}, {false, false, false, false}, 4},
    };
    for (const auto& [names, marks, cursor] : cases) {
        LessonTable table;
        for (const char* name : {"Tiere", "K\"uche", "Tiere", "Stra\\3e"}) {
            table.lessons.push_back({false, name, std::to_string(table.lessons.size() + 1)});
        }
        for (const auto& shown : names) {
            SelectByDisplayName(table, shown);
        }
        std::vector<bool> marked;
        for (const LessonEntry& lesson : table.lessons) {
            marked.push_back(lesson.selected);
        }
        EXPECT_EQ(marked, marks) << names.back();
        EXPECT_EQ(table.lessonCursor, cursor) << names.back();
    }
}

// From the question at current of a pool of size: steps forward, or with 0 steps the current one
// removed; then the question current.
TEST(QuestionPool, AdvanceWrapsAndRemovalMovesOnToTheFollowingQuestion) {
    const std::tuple<std::size_t, std::size_t, std::size_t, const char*> cases[] = {
        {5, 0, 1, "1"},  {5, 0, 5, "0"}, {5, 3, 3, "1"},    {5, 4, 1, "0"},
        {5, 2, 13, "0"}, {1, 0, 7, "0"}, {0, 0, 3, "none"}, {3, 0, 0, "1"},
        {3, 1, 0, "2"},  {3, 2, 0, "0"}, {1, 0, 0, "none"}, {0, 0, 0, "none"},
    };
    for (const auto& [size, current, steps, expected] : cases) {
        QuestionPool pool;
        for (std::size_t i = 0; i < size; ++i) {
            pool.Append(Question{nullptr, std::to_string(i), "", ""});
        }
        pool.Advance(current);
        if (steps > 0) {
            pool.Advance(steps);
        } else {
            pool.RemoveCurrent();
            EXPECT_EQ(pool.Size(), size == 0 ? 0 : size - 1);
        }
        EXPECT_EQ(pool.Current() != nullptr ? pool.Current()->questionText : "none", expected)
            << size << " " << current << " " << steps;
    }
}

TEST(VocDatabase, QuestionsKeepTheirRecordWhileTheListsGrow) {
    VocDatabase database;
    VocEntry& first = database.vocabulary.emplace_back();
    first.SetText(LanguageGerman, "Haus");
    first.SetText(LanguageFrench, "maison");
    database.pool.Append(Question::FromEntry(first, LanguageGerman, LanguageFrench));
    for (int i = 0; i < 10'000; ++i) {
        database.vocabulary.emplace_back();
    }
    ASSERT_NE(database.pool.Current(), nullptr);
    EXPECT_EQ(database.pool.Current()->entry, &database.vocabulary.front());
    EXPECT_EQ(database.pool.Current()->answerText, "maison");
}

} // namespace
} // namespace lingomat
