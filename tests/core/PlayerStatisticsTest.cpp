#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <tuple>
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
    struct Case {
        std::function<void(const std::string&)> make;
        PlayerFileLoad::State state;
        std::vector<std::pair<std::string, std::size_t>> expected = {}; // code and entry count
    };
    const Case cases[] = {
        {lines(whole), Loaded, {{"L1", 1}}},
        {[](const std::string&) {}, PlayerFileLoad::Absent},
        // Lines before the marker are skipped; a code that begins with # is a code; a count
        // that is no number counts no entry.
        {lines({"Anna", "junk", "more junk", "LingomatUserData", "L1", "0", "#"}),
         Loaded,
         {{"L1", 0}}},
        {lines({"Anna", "LingomatUserData", "#5", "1", "0.5 1 1 0 0 1", "L2", "0", "#"}),
         Loaded,
         {{"#5", 1}, {"L2", 0}}},
        // A count that is no number keeps the lesson, without games.
        {lines({"Anna", "LingomatUserData", "L1", "viele", "#"}), Loaded, {{"L1", 0}}},
        // The name differs in case; no marker; no end line; a count far beyond the lines.
        {lines({"anna", "LingomatUserData", "L1", "0", "#"}), Aside},
        {lines({"Anna", "L1", "1", "0.5 1 1 0 0 1"}), Aside},
        {lines({"Anna", "LingomatUserData", "L1", "1", "0.5 1 1.0 0 0 1"}), Aside},
        {lines({"Anna", "LingomatUserData", "L1", "4000000000", "0.5 1 1 0 0 1"}), Aside},
        // An empty file, a FIFO, a link to a device, a file larger than any player file.
        {[](const std::string& file) { testing::WriteText(file, ""); }, Aside},
        {[](const std::string& file) { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); }, Aside},
        {[](const std::string& file) { fs::create_symlink("/dev/zero", file); }, Aside},
        {[&](const std::string& file) {
             testing::WriteVocFile(file, whole);
             fs::resize_file(file, PlayerFileLimit + 1);
         },
         Aside},
    };
    const std::regex asideName(R"(Anna\.lmp\.defekt-\d{4}-\d\d-\d\d)");
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        fs::remove_all(folder.Path());
        fs::create_directories(folder.Path());
        c.make(folder.File("Anna.lmp"));
        std::string before;
        if (fs::is_regular_file(folder.File("Anna.lmp")) &&
            fs::file_size(folder.File("Anna.lmp")) < 1000) {
            before = testing::ReadText(folder.File("Anna.lmp"));
        }
        PlayerStatistics loaded;
        loaded.SetDirectory(folder.Path());
        loaded.SetPlayerName("Anna");
        const PlayerFileLoad result = loaded.Load();
        std::vector<std::pair<std::string, std::size_t>> got;
        for (const auto& record : loaded.Records()) {
            got.emplace_back(record.lessonCode, record.Count());
        }
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(result.state, c.state);
        if (c.state != PlayerFileLoad::SetAside) {
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
    PlayerStatistics again;
    again.SetDirectory(folder.Path());
    again.SetPlayerName("Anna");
    const std::string second = again.Load().setAsideAs.string();
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

    PlayerStatistics second;
    second.SetDirectory(folder.Path());
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
    PlayerStatistics third;
    third.SetDirectory(folder.Path());
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

} // namespace
} // namespace lingomat
