#include <ctime>
#include <filesystem>
#include <iomanip>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "DataSets.h"
#include "players/CardBox.h"

namespace lingomat {
namespace {

namespace fs = std::filesystem;

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

TEST(CardBoxDays, BoxesDoubleTheirIntervalAcrossMonthAndYearEnds) {
    struct Case {
        std::vector<std::string> verdicts; // the day of each answer, then + for right, - for wrong
        const char* asked;                 // when the card is looked at
        std::uint32_t box;
        const char* due;
    };
    const std::vector<Case> cases = {
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
        {{"2026-01-01+", "2026-01-02+", "2026-01-04+", "2026-01-08+", "2026-01-16+", "2026-02-01+"},
         "2026-02-01",
         5,
         "17.02.2026"},
        // A clock set back (or one that once ran years ahead) never hides a card for longer
        // than its box's interval.
        {{"2027-06-01+"}, "2026-03-01", 1, "02.03.2026"},
        {{"2031-01-01+", "2031-01-02+", "2031-01-04+"}, "2026-12-30", 3, "03.01.2027"},
    };
    const VocEntry word = Record("der Hund", "the dog", "le chien");
    for (const auto& c : cases) {
        CardBox box;
        for (const std::string& verdict : c.verdicts) {
            box.Answer(word, LanguageGerman, LanguageEnglish, verdict.back() == '+',
                       DayAt(verdict));
        }
        const Day today = DayAt(c.asked);
        box.Normalise(today);
        SCOPED_TRACE(::testing::PrintToString(c.verdicts) + " asked " + c.asked);
        const Card* card = box.Find(word, LanguageGerman, LanguageEnglish);
        ASSERT_NE(card, nullptr);
        const Day due = CardBox::DueDay(*card, today);
        EXPECT_EQ(std::make_pair(card->box, DayText(due)),
                  std::make_pair(c.box, std::string(c.due)));
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
    struct Case {
        const char* name;
        std::string contents;
        CardBox::LoadResult result; // a foreign file is set aside as ".fremd", a damaged one as
        std::size_t cards;          // ".defekt"
    };
    using R = CardBox::LoadResult;
    const std::vector<Case> cases = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& entry : fs::directory_iterator(folder.Path())) {
            fs::remove(entry.path());
        }
        testing::WriteText(folder.File("Anna.lingomat.lmk"), c.contents);
        CardBox box = Box();
        const auto report = box.Load();
        EXPECT_EQ(report.result, c.result);
        EXPECT_EQ(box.Size(), c.cards);
        const std::string aside = c.result == R::Loaded    ? ""
                                  : c.result == R::Foreign ? "Anna.lingomat.lmk.fremd"
                                                           : "Anna.lingomat.lmk.defekt";
        EXPECT_EQ(report.setAsideAs.filename().string(), aside);
        if (!aside.empty()) {
            EXPECT_EQ(testing::ReadText(folder.File(aside)), c.contents) << "kept as it was";
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
