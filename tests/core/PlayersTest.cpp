#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iomanip>
#include <regex>
#include <sstream>
#include <tuple>
#include <utility>

#include "DataSets.h"
#include "players/CardBox.h"
#include "players/PlayerStatistics.h"

namespace lingomat {
namespace {

namespace fs = std::filesystem;
using testing::Lines;

class PlayerStatisticsTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.SetDirectory(folder.Path());
        store.SetClock(clock);
        store.SetPlayerName("Anna");
    }

    Lines FileLines() const { return testing::ReadVocFile(folder.File("Anna.lmp")); }

    // Another store of the same folder, as a second program would have it.
    PlayerStatistics Other(const std::string& name = "Anna") const {
        PlayerStatistics other;
        other.SetDirectory(folder.Path());
        other.SetPlayerName(name);
        return other;
    }

    PlayerStatistics Reloaded(const std::string& name = "Anna") const {
        PlayerStatistics other = Other(name);
        other.Load();
        return other;
    }

    testing::TempFolder folder;
    FixedClock clock{1700000000};
    PlayerStatistics store;
};

TEST_F(PlayerStatisticsTest, GamesAreWrittenThenExtendedAndReloaded) {
    store.Record("L1", 0.75f, 1.0f, 2, 0, 1);
    store.Record("L2", 0.25f, 0.5f, 0, 0, 1);
    ASSERT_TRUE(store.Save());
    // A later game on the same lesson extends its record.
    clock.Advance(60);
    store.Record("L1", 1.0f, 0.5f, 3, 2, 0);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(FileLines(),
              (Lines{"Anna", "LingomatUserData", "L1", "2", "0.750000 1700000000 1.000000 2 0 1",
                     "1.000000 1700000060 0.500000 3 2 0", "L2", "1",
                     "0.250000 1700000000 0.500000 0 0 1", "#"}));
    // Every field read back is written again as it was.
    const Lines extended = FileLines();
    PlayerStatistics reloaded = Reloaded();
    ASSERT_TRUE(reloaded.Save());
    EXPECT_EQ(FileLines(), extended);

    ASSERT_TRUE(store.ClearAll());
    EXPECT_EQ(FileLines(), (Lines{"Anna", "LingomatUserData", "#"}));
}

// A file that is not this player's whole file is set aside unchanged, never saved over.
TEST_F(PlayerStatisticsTest, WhatLoadKeepsFromWrittenFiles) {
    const auto lines = [](Lines content) {
        return [content](const std::string& file) { testing::WriteVocFile(file, content); };
    };
    const Lines whole = {"Anna", "LingomatUserData", "L1", "1", "0.5 1 1.0 0 0 1", "#"};
    constexpr auto Loaded = PlayerFileLoad::Loaded;
    constexpr auto Aside = PlayerFileLoad::SetAside;
    // How the file is made, what loading it gives, and each lesson code with its entry count.
    using Codes = std::vector<std::pair<std::string, std::size_t>>;
    using Case = std::tuple<std::function<void(const std::string&)>, PlayerFileLoad::State, Codes>;
    const Case cases[] = {
        {lines(whole), Loaded, {{"L1", 1}}},
        {[](const std::string&) {}, PlayerFileLoad::Absent, {}},
        // Lines before the marker are skipped; a code that begins with # is a code.
        {lines({"Anna", "junk", "more junk", "LingomatUserData", "L1", "0", "#"}),
         Loaded,
         {{"L1", 0}}},
        {lines({"Anna", "LingomatUserData", "#5", "1", "0.5 1 1 0 0 1", "L2", "0", "#"}),
         Loaded,
         {{"#5", 1}, {"L2", 0}}},
        // A count that is no number keeps the lesson, without games.
        {lines({"Anna", "LingomatUserData", "L1", "viele", "#"}), Loaded, {{"L1", 0}}},
        // The name differs in case; no marker; no end line; a count far beyond the lines.
        {lines({"anna", "LingomatUserData", "L1", "0", "#"}), Aside, {}},
        {lines({"Anna", "L1", "1", "0.5 1 1 0 0 1"}), Aside, {}},
        {lines({"Anna", "LingomatUserData", "L1", "1", "0.5 1 1.0 0 0 1"}), Aside, {}},
        {lines({"Anna", "LingomatUserData", "L1", "4000000000", "0.5 1 1 0 0 1"}), Aside, {}},
        // An empty file, a FIFO, a link to a device, a file larger than any player file.
        {[](const std::string& file) { testing::WriteText(file, ""); }, Aside, {}},
        {[](const std::string& file) { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); }, Aside, {}},
        {[](const std::string& file) { fs::create_symlink("/dev/zero", file); }, Aside, {}},
        {[&](const std::string& file) {
             testing::WriteVocFile(file, whole);
             fs::resize_file(file, PlayerFileLimit + 1);
         },
         Aside,
         {}},
    };
    const std::regex asideName(R"(Anna\.lmp\.defekt-\d{4}-\d\d-\d\d)");
    int row = 0;
    for (const auto& [make, state, codes] : cases) {
        SCOPED_TRACE("row " + std::to_string(row++));
        fs::remove_all(folder.Path());
        fs::create_directories(folder.Path());
        make(folder.File("Anna.lmp"));
        std::string before;
        if (fs::is_regular_file(folder.File("Anna.lmp")) &&
            fs::file_size(folder.File("Anna.lmp")) < 1000) {
            before = testing::ReadText(folder.File("Anna.lmp"));
        }
        PlayerStatistics loaded = Other();
        const PlayerFileLoad result = loaded.Load();
        Codes got;
        for (const auto& record : loaded.Records()) {
            got.emplace_back(record.lessonCode, record.Count());
        }
        EXPECT_EQ(got, codes);
        EXPECT_EQ(result.state, state);
        if (state != PlayerFileLoad::SetAside) {
            continue;
        }
        const std::string aside = result.setAsideAs.filename().string();
        EXPECT_TRUE(std::regex_match(aside, asideName)) << aside;
        EXPECT_FALSE(PlayerFileLoadText("Anna", result).empty());
        // The new file starts empty; the damaged one outlives the save unchanged.
        loaded.Record("L9", 1.0f, 1.0f, 0, 0, 1);
        ASSERT_TRUE(loaded.Save());
        EXPECT_EQ(Reloaded().Records().size(), 1u);
        if (!before.empty()) {
            EXPECT_EQ(testing::ReadText(folder.File(aside)), before);
        }
    }

    // A second damaged file of the same day does not replace the first.
    testing::WriteText(folder.File("Anna.lmp"), "kaputt");
    const std::string second = Other().Load().setAsideAs.string();
    EXPECT_EQ(second.substr(second.size() - 2), "-2");
    EXPECT_EQ(testing::ReadText(second), "kaputt");
    EXPECT_EQ(folder.FileCount(), 2u);
}

// Two running programs on one player: the second may only watch, and never saves over the
// first one's results.
TEST_F(PlayerStatisticsTest, ASecondProgramOnThePlayerOnlyWatches) {
    ASSERT_TRUE(SwitchPlayer(store, "Anna", nullptr).switched);
    store.Record("L1", 0.5f, 1.0f, 0, 0, 1);
    ASSERT_TRUE(store.Save());
    const auto saved = testing::ReadBytes(folder.File("Anna.lmp"));

    PlayerStatistics second = Other("");
    ASSERT_TRUE(SwitchPlayer(second, "Bert", nullptr).switched);
    std::string holder;
    const auto refuse = [&](const std::string& who) {
        holder = who;
        return false;
    };
    EXPECT_FALSE(SwitchPlayer(second, "Anna", refuse).switched);
    EXPECT_EQ(second.PlayerName(), "Bert");
    EXPECT_NE(holder.find("Prozess " + std::to_string(getpid())), std::string::npos) << holder;
    EXPECT_NE(PlayerInUseText("Anna", holder).find(holder), std::string::npos);

    const auto watch = [](const std::string&) { return true; };
    ASSERT_TRUE(SwitchPlayer(second, "Anna", watch).switched);
    EXPECT_TRUE(second.ReadOnly());
    EXPECT_EQ(second.Records().size(), 1u);
    second.Record("L2", 1.0f, 1.0f, 0, 0, 1);
    EXPECT_TRUE(second.Save());
    EXPECT_FALSE(second.ClearAll());
    EXPECT_EQ(second.Records().size(), 2u);
    EXPECT_EQ(testing::ReadBytes(folder.File("Anna.lmp")), saved);

    // Once the first program lets go of the player, the next one plays him.
    ASSERT_TRUE(SwitchPlayer(store, "Carla", nullptr).switched);
    EXPECT_TRUE(SwitchPlayer(second, "Anna", refuse).switched);
    EXPECT_FALSE(second.ReadOnly());
    EXPECT_TRUE(second.HoldsLock());
    // Choosing the same player again keeps his lock.
    EXPECT_TRUE(SwitchPlayer(second, "Anna", refuse).switched);
    PlayerStatistics third = Other("");
    EXPECT_FALSE(SwitchPlayer(third, "Anna", refuse).switched);
}

TEST_F(PlayerStatisticsTest, EntryFieldsStopAtTheFirstThatDoesNotParse) {
    testing::WriteVocFile(folder.File("Anna.lmp"), {"Anna", "LingomatUserData", "L1", "2",
                                                    "0.25 77 x 4 2 1", "-1 -1 0.5 1 2 0", "#"});
    const auto reloaded = Reloaded();
    ASSERT_EQ(reloaded.Records().size(), 1u);
    const auto& r = reloaded.Records()[0];
    EXPECT_EQ(std::make_tuple(r.score[0], r.playedAt[0], r.completion[0], r.gameMode[0],
                              r.playedAt[1], r.answerLanguage[1]),
              std::make_tuple(0.25f, 77u, 0.0f, 0u, 4294967295u, 0u));
}

TEST_F(PlayerStatisticsTest, BestPercentAndItsText) {
    store.Record("L1", 0.5f, 1.0f, 0, 0, 1);
    store.Record("L1", 1.0f, 0.8f, 0, 0, 2);
    store.Record("L1", 0.9f, 0.5f, 0, 1, 0);
    store.Record("ZERO", 0.0f, 1.0f, 0, 0, 1);
    const std::tuple<const char*, std::int32_t, std::int32_t, const char*> cases[] = {
        {"L1", -1, -1, " (80.0%)"}, {"L1", 0, 1, " (50.0%)"}, {"L1", 1, -1, " (45.0%)"},
        {"L1", 2, 2, " - "},        {"ZERO", -1, -1, " - "},  {"NONE", -1, -1, " - "},
    };
    for (const auto& [code, question, answer, text] : cases) {
        EXPECT_EQ(store.BestPercentText(code, question, answer), text)
            << code << " " << question << "/" << answer;
    }
    EXPECT_EQ(store.BestPercent("ZERO", -1, -1), -1.0f);

    // The latest game counts, not the last one recorded.
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(store.LastPlayedText("NONE"), "---");
    clock.Set(1700003600);
    store.Record("L1", 0.5f, 1.0f, 0, 0, 1);
    clock.Set(1600000000);
    store.Record("L1", 0.5f, 1.0f, 0, 0, 1);
    EXPECT_EQ(store.LastPlayedText("L1"), "14.11.2023 23:13");
}

TEST_F(PlayerStatisticsTest, NamesThatCannotBeFileNamesNeverTouchAFile) {
    const std::vector<std::string> unusable = {
        "", "..", "a/b", "a\\b", "C:Anna", std::string("Nul\0l", 5), "Line\nBreak"};
    for (const auto& name : unusable) {
        EXPECT_FALSE(IsUsablePlayerFileName(name)) << name;
    }
    const auto outside = folder.Path().parent_path() / "Anna.lmp";
    fs::remove(outside);
    store.SetPlayerName("../Anna");
    store.Record("L1", 0.5f, 1.0f, 0, 0, 1);
    EXPECT_FALSE(store.Save());
    EXPECT_FALSE(fs::exists(outside));
    store.SetPlayerName("");
    EXPECT_TRUE(store.Save());
    EXPECT_TRUE(fs::is_empty(folder.Path()));

    // Usable names find their file again, also one whose name line cannot hold \xE5.
    for (const std::string name : {"Neuer Spieler", "J\xFCrgen", "...Punkte", "H\xE5kon"}) {
        EXPECT_TRUE(IsUsablePlayerFileName(name)) << name;
        store.SetPlayerName(name);
        ASSERT_TRUE(store.Save()) << name;
        EXPECT_EQ(Reloaded(name).Records().size(), 1u) << name;
    }
}

VocEntry Record(const std::string& german, const std::string& english,
                const std::string& french = "") {
    VocEntry entry;
    entry.SetText(LanguageGerman, german);
    entry.SetText(LanguageEnglish, english);
    entry.SetText(LanguageFrench, french);
    return entry;
}

// "2026-12-31" as a day.
Day DayAt(const std::string& date) {
    Day day = 0;
    EXPECT_TRUE(DayFromDate(std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)),
                            std::stoi(date.substr(8, 2)), day))
        << date;
    return day;
}

// The day of each answer, then + for right, - for wrong; the day the card is looked at; its box
// and due day then.
TEST(CardBoxDays, BoxesDoubleTheirIntervalAcrossMonthAndYearEnds) {
    const std::vector<std::tuple<std::vector<std::string>, const char*, std::uint32_t, const char*>>
        cases = {
            // New and right: box 1, next day across the year end.
            {{"2026-12-31+"}, "2026-12-31", 1, "01.01.2027"},
            // Due and right: one box up, its interval doubled.
            {{"2026-12-31+", "2027-01-01+"}, "2027-01-01", 2, "03.01.2027"},
            {{"2027-01-30+", "2027-01-31+", "2027-02-02+"}, "2027-02-02", 3, "06.02.2027"},
            {{"2028-02-28+"}, "2028-02-28", 1, "29.02.2028"}, // into a leap day
            // Right again before it is due: no second step up.
            {{"2026-05-04+", "2026-05-04+"}, "2026-05-04", 1, "05.05.2026"},
            // Wrong: back to box 1, due at once.
            {{"2026-05-04+", "2026-05-05+", "2026-05-07-"}, "2026-05-07", 1, "07.05.2026"},
            // Box 5 is the last and waits 16 days.
            {{"2026-01-01+", "2026-01-02+", "2026-01-04+", "2026-01-08+", "2026-01-16+",
              "2026-02-01+"},
             "2026-02-01",
             5,
             "17.02.2026"},
            // A clock set back (or one that once ran years ahead) never hides a card for longer
            // than its box's interval.
            {{"2027-06-01+"}, "2026-03-01", 1, "02.03.2026"},
            {{"2031-01-01+", "2031-01-02+", "2031-01-04+"}, "2026-12-30", 3, "03.01.2027"},
        };
    const VocEntry word = Record("der Hund", "the dog", "le chien");
    for (const auto& [verdicts, asked, expectedBox, expectedDue] : cases) {
        CardBox box;
        for (const std::string& verdict : verdicts) {
            box.Answer(word, LanguageGerman, LanguageEnglish, verdict.back() == '+',
                       DayAt(verdict));
        }
        const Day today = DayAt(asked);
        box.Normalise(today);
        SCOPED_TRACE(::testing::PrintToString(verdicts) + " asked " + asked);
        const Card* card = box.Find(word, LanguageGerman, LanguageEnglish);
        ASSERT_NE(card, nullptr);
        const Day due = CardBox::DueDay(*card, today);
        EXPECT_EQ(std::make_pair(card->box, DayText(due)),
                  std::make_pair(expectedBox, std::string(expectedDue)));
        EXPECT_TRUE(box.IsDue(word, LanguageGerman, LanguageEnglish, due) &&
                    !box.IsDue(word, LanguageGerman, LanguageEnglish, due - 1));
        EXPECT_EQ(box.Find(word, LanguageEnglish, LanguageGerman), nullptr)
            << "each direction is a card of its own";
    }
}

TEST(CardBoxDays, LocalDayFollowsTheLocalCalendar) {
    for (const std::string date : {"2026-12-31", "2028-02-29"}) {
        for (const int hour : {0, 23}) {
            std::tm local{};
            std::istringstream(date) >> std::get_time(&local, "%Y-%m-%d");
            local.tm_hour = hour;
            local.tm_isdst = -1;
            EXPECT_EQ(LocalDay(std::mktime(&local)), DayAt(date)) << date << " " << hour;
        }
    }
    Day ignored = 0;
    EXPECT_FALSE(DayFromDate(2027, 2, 29, ignored));
    EXPECT_FALSE(DayFromDate(2026, 13, 1, ignored));
}

class CardBoxFileTest : public ::testing::Test {
protected:
    CardBox Box(const std::string& player = "Anna", const std::string& dataSet = "lingomat.voc") {
        CardBox box;
        box.SetDirectory(folder.Path());
        box.SetOwner(player, dataSet);
        return box;
    }

    testing::TempFolder folder;
    const Day today = DayAt("2026-12-07");
};

TEST_F(CardBoxFileTest, CardsSurviveSavingWhateverTheirTexts) {
    // Separators, escapes and the bytes a scrambled stream could not hold stay what they were.
    const std::vector<VocEntry> words = {Record("der Hund", "the dog"), Record("a\tb", "c\\d\\t"),
                                         Record("Zeile\neins\r", "x"), Record("\xE5\xFF", "\xE4"),
                                         Record("", "leer")};
    CardBox box = Box();
    EXPECT_TRUE(box.Save());
    EXPECT_FALSE(fs::exists(box.FilePath())) << "an empty box makes no file";
    for (std::size_t i = 0; i < words.size(); ++i) {
        box.Answer(words[i], LanguageGerman, LanguageEnglish, i % 2 == 0, today);
    }
    ASSERT_TRUE(box.Save());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);

    CardBox loaded = Box();
    EXPECT_EQ(loaded.Load().result, CardBox::LoadResult::Loaded);
    ASSERT_EQ(loaded.Size(), words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Card* card = loaded.Find(words[i], LanguageGerman, LanguageEnglish);
        EXPECT_EQ(card ? card->due : 0, i % 2 == 0 ? today + 1 : today) << i;
    }

    // Another data set of the same player keeps a box of its own.
    CardBox spanish = Box("Anna", "spanbasic.voc");
    EXPECT_EQ(spanish.Load().result, CardBox::LoadResult::Missing);
    EXPECT_EQ(spanish.Size(), 0u);
    spanish.Answer(words[0], LanguageGerman, LanguageEnglish, false, today);
    ASSERT_TRUE(spanish.Save());
    EXPECT_EQ(loaded.Load().result, CardBox::LoadResult::Loaded);
    EXPECT_EQ(loaded.Find(words[0], LanguageGerman, LanguageEnglish)->due, today + 1);
}

TEST_F(CardBoxFileTest, DamagedAndForeignFilesAreSetAsideNeverOverwritten) {
    const std::string head = "LingomatKartei 1\nSpieler\tAnna\nDatensatz\tlingomat.voc\n";
    const std::string good = "2\t2026-12-09\t0\t1\tder Hund\tthe dog\tle chien\n";
    const std::string alsoGood = "1\t2026-12-07\t1\t0\trot\tred\trouge\n";
    // A foreign file is set aside as ".fremd", a damaged one as ".defekt"; then the cards kept.
    using R = CardBox::LoadResult;
    const std::vector<std::tuple<const char*, std::string, R, std::size_t>> cases = {
        {"whole", head + good + alsoGood + "#\n", R::Loaded, 2},
        {"another program's", "hello\n", R::Foreign, 0},
        {"another player's",
         "LingomatKartei 1\nSpieler\tBernd\nDatensatz\tlingomat.voc\n" + good + "#\n", R::Foreign,
         0},
        {"another data set's", "LingomatKartei 1\nSpieler\tAnna\nDatensatz\tlingomat2.voc\n#\n",
         R::Foreign, 0},
        {"empty", "", R::Damaged, 0},
        {"cut before the end line", head + good + alsoGood, R::Damaged, 2},
        {"cut inside a line", head + good + alsoGood.substr(0, 9), R::Damaged, 1},
        {"box 6", head + "6" + good.substr(1) + alsoGood + "#\n", R::Damaged, 1},
        {"no such day", head + "2\t2026-02-30\t0\t1\ta\tb\tc\n" + good + "#\n", R::Damaged, 1},
        {"unknown escape", head + "2\t2026-02-03\t0\t1\ta\\x\tb\tc\n" + good + "#\n", R::Damaged,
         1},
        {"same language both ways", head + "2\t2026-02-03\t1\t1\ta\tb\tc\n#\n", R::Damaged, 0},
        {"lines after the end", head + good + "#\n" + alsoGood, R::Damaged, 1},
    };
    for (const auto& [name, contents, result, cards] : cases) {
        SCOPED_TRACE(name);
        for (const auto& entry : fs::directory_iterator(folder.Path())) {
            fs::remove(entry.path());
        }
        testing::WriteText(folder.File("Anna.lingomat.lmk"), contents);
        CardBox box = Box();
        const auto report = box.Load();
        EXPECT_EQ(report.result, result);
        EXPECT_EQ(box.Size(), cards);
        const std::string aside = result == R::Loaded    ? ""
                                  : result == R::Foreign ? "Anna.lingomat.lmk.fremd"
                                                         : "Anna.lingomat.lmk.defekt";
        EXPECT_EQ(report.setAsideAs.filename().string(), aside);
        if (!aside.empty()) {
            EXPECT_EQ(testing::ReadText(folder.File(aside)), contents) << "kept as it was";
        }
        // What was kept is written to a fresh file, which reads back whole.
        box.Answer(Record("neu", "new"), LanguageGerman, LanguageEnglish, true, today);
        ASSERT_TRUE(box.Save());
        EXPECT_EQ(Box().Load().result, R::Loaded);
    }

    // A second damaged file does not take the place of the first one set aside.
    testing::WriteText(folder.File("Anna.lingomat.lmk"), head);
    EXPECT_EQ(Box().Load().setAsideAs.filename(), "Anna.lingomat.lmk.defekt2");
}

} // namespace
} // namespace lingomat
