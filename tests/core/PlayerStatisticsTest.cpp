#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DataSets.h"
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

    PlayerStatistics Reloaded(const std::string& name = "Anna") const {
        PlayerStatistics other;
        other.SetDirectory(folder.Path());
        other.SetPlayerName(name);
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
    EXPECT_EQ(FileLines(),
              (Lines{"Anna", "LingomatUserData", "L1", "1", "0.750000 1700000000 1.000000 2 0 1",
                     "L2", "1", "0.250000 1700000000 0.500000 0 0 1", "#"}));
    EXPECT_FALSE(fs::exists(folder.File("Anna.lmp.tmp")));

    // A later game on the same lesson extends its record.
    clock.Advance(60);
    store.Record("L1", 1.0f, 0.5f, 3, 2, 0);
    ASSERT_TRUE(store.Save());
    const auto reloaded = Reloaded();
    ASSERT_EQ(reloaded.Records().size(), 2u);
    const auto& record = reloaded.Records()[0];
    EXPECT_EQ(record.lessonCode, "L1");
    EXPECT_EQ(record.playedAt, (std::vector<std::uint32_t>{1700000000, 1700000060}));
    EXPECT_EQ(record.score, (std::vector<float>{0.75f, 1.0f}));
    EXPECT_EQ(record.completion, (std::vector<float>{1.0f, 0.5f}));
    EXPECT_EQ(record.gameMode, (std::vector<std::uint32_t>{2, 3}));
    EXPECT_EQ(record.questionLanguage, (std::vector<std::uint32_t>{0, 2}));
    EXPECT_EQ(record.answerLanguage, (std::vector<std::uint32_t>{1, 0}));
}

TEST_F(PlayerStatisticsTest, WhatLoadKeepsFromWrittenFiles) {
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        std::vector<std::pair<std::string, std::size_t>> expected; // code and entry count
    };
    const Case cases[] = {
        {"well formed",
         {"Anna", "LingomatUserData", "L1", "1", "0.5 1 1.0 0 0 1", "#"},
         {{"L1", 1}}},
        {"name differs in case", {"anna", "LingomatUserData", "L1", "1", "0.5 1 1 0 0 1", "#"}, {}},
        {"lines before the marker are skipped",
         {"Anna", "junk", "more junk", "LingomatUserData", "L1", "0", "#"},
         {{"L1", 0}}},
        {"a code that begins with # is a code",
         {"Anna", "LingomatUserData", "#5", "1", "0.5 1 1 0 0 1", "L2", "0", "#"},
         {{"#5", 1}, {"L2", 0}}},
        {"no marker", {"Anna", "L1", "1", "0.5 1 1 0 0 1"}, {}},
        {"no end line", {"Anna", "LingomatUserData", "L1", "1", "0.5 1 1 0 0 1"}, {{"L1", 1}}},
        {"count far beyond the lines",
         {"Anna", "LingomatUserData", "L1", "4000000000", "0.5 1 1 0 0 1"},
         {{"L1", 1}}},
        {"count that is no number", {"Anna", "LingomatUserData", "L1", "viele", "#"}, {{"L1", 0}}},
    };
    for (const auto& c : cases) {
        testing::WriteVocFile(folder.File("Anna.lmp"), c.lines);
        const auto reloaded = Reloaded();
        std::vector<std::pair<std::string, std::size_t>> got;
        for (const auto& record : reloaded.Records()) {
            got.emplace_back(record.lessonCode, record.Count());
        }
        EXPECT_EQ(got, c.expected) << c.what;
    }
}

TEST_F(PlayerStatisticsTest, EntryFieldsStopAtTheFirstThatDoesNotParse) {
    testing::WriteVocFile(folder.File("Anna.lmp"), {"Anna", "LingomatUserData", "L1", "2",
                                                    "0.25 77 x 4 2 1", "-1 -1 0.5 1 2 0", "#"});
    const auto reloaded = Reloaded();
    ASSERT_EQ(reloaded.Records().size(), 1u);
    const auto& r = reloaded.Records()[0];
    EXPECT_EQ(r.score[0], 0.25f);
    EXPECT_EQ(r.playedAt[0], 77u);
    EXPECT_EQ(r.completion[0], 0.0f);
    EXPECT_EQ(r.gameMode[0], 0u);
    EXPECT_EQ(r.playedAt[1], 4294967295u);
    EXPECT_EQ(r.answerLanguage[1], 0u);
}

TEST_F(PlayerStatisticsTest, BestPercentAndItsText) {
    store.Record("L1", 0.5f, 1.0f, 0, 0, 1);
    store.Record("L1", 1.0f, 0.8f, 0, 0, 2);
    store.Record("L1", 0.9f, 0.5f, 0, 1, 0);
    store.Record("ZERO", 0.0f, 1.0f, 0, 0, 1);
    struct Case {
        std::string code;
        std::int32_t question, answer;
        std::string text;
    };
    const Case cases[] = {
        {"L1", -1, -1, " (80.0%)"}, {"L1", 0, 1, " (50.0%)"}, {"L1", 1, -1, " (45.0%)"},
        {"L1", 2, 2, " - "},        {"ZERO", -1, -1, " - "},  {"NONE", -1, -1, " - "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store.BestPercentText(c.code, c.question, c.answer), c.text)
            << c.code << " " << c.question << "/" << c.answer;
    }
    EXPECT_EQ(store.BestPercent("ZERO", -1, -1), -1.0f);
}

TEST_F(PlayerStatisticsTest, LastPlayed) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(store.LastPlayedText("L1"), "---");
    store.Record("L1", 0.5f, 1.0f, 0, 0, 1);
    clock.Set(1700003600);
    store.Record("L1", 0.5f, 1.0f, 0, 0, 1);
    clock.Set(1600000000);
    store.Record("L1", 0.5f, 1.0f, 0, 0, 1);
    EXPECT_EQ(store.LastPlayedText("L1"), "14.11.2023 23:13");
}

TEST_F(PlayerStatisticsTest, ClearAllLeavesThreeLines) {
    store.Record("L1", 0.5f, 1.0f, 0, 0, 1);
    ASSERT_TRUE(store.ClearAll());
    EXPECT_EQ(FileLines(), (Lines{"Anna", "LingomatUserData", "#"}));
}

TEST_F(PlayerStatisticsTest, NamesThatCannotBeFileNamesNeverTouchAFile) {
    const std::vector<std::string> unusable = {"",           ".",         "..",
                                               "../Anna",    "a/b",       "a\\b",
                                               "C:Anna",     "Tab\tName", std::string("Nul\0l", 5),
                                               "Line\nBreak"};
    for (const auto& name : unusable) {
        EXPECT_FALSE(IsUsablePlayerFileName(name)) << name;
    }
    const auto outside = folder.Path().parent_path() / "Anna.lmp";
    fs::remove(outside);
    store.SetPlayerName("../Anna");
    store.Record("L1", 0.5f, 1.0f, 0, 0, 1);
    EXPECT_FALSE(store.Save());
    EXPECT_FALSE(fs::exists(outside));
    store.Load();
    EXPECT_EQ(store.Records().size(), 1u);
    store.SetPlayerName("");
    EXPECT_TRUE(store.Save());
    EXPECT_TRUE(fs::is_empty(folder.Path()));

    // Usable names find their file again, also one whose name line cannot hold \xE5.
    for (const std::string name :
         {"Anna", "Neuer Spieler", "J\xFCrgen", "...Punkte", "a.b", "H\xE5kon"}) {
        EXPECT_TRUE(IsUsablePlayerFileName(name)) << name;
        store.SetPlayerName(name);
        ASSERT_TRUE(store.Save()) << name;
        EXPECT_EQ(Reloaded(name).Records().size(), 1u) << name;
    }
}

} // namespace
} // namespace lingomat
