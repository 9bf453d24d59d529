#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "DocFixture.h"

namespace lingomat {
namespace {

using testing::DocTest;

// The error counts a new game forgets are checked with the error file.
TEST_F(DocTest, FirstStartTakesTheDefaultsAndLaterNewGamesOnlyReset) {
    CLingomatDoc& d = Start();
    EXPECT_EQ(host.presetDataSet, "lingomat.voc");
    Play({"2"});
    d.OnNewDocument();
    EXPECT_EQ(host.playerDialogs, 1) << "the player is chosen at the first start only";
    EXPECT_TRUE(d.pool.Empty() && !d.IsModified());
    EXPECT_EQ(d.Title(), "Neues Spiel");
}

TEST_F(DocTest, StoredSettingsAreReadAndBadOnesClamped) {
    using Read = std::uint32_t (*)(const CLingomatDoc&);
    const Read right = [](const CLingomatDoc& d) { return d.Feedback().rightTime; };
    const Read wrong = [](const CLingomatDoc& d) { return d.Feedback().wrongTime; };
    const Read glimpse = [](const CLingomatDoc& d) { return d.Feedback().glimpseTime; };
    const Read choices = [](const CLingomatDoc& d) { return d.ChoiceCount(); };
    const Read colourRight = [](const CLingomatDoc& d) { return d.Feedback().colorRight; };
    const Read colourWrong = [](const CLingomatDoc& d) { return d.Feedback().colorWrong; };
    const Read letterTime = [](const CLingomatDoc& d) { return d.ViewSettings().timeLetter; };
    const Read shown = [](const CLingomatDoc& d) { return d.CopySettings().percentShown; };
    // A copy mode beyond the last one would pick no template at all.
    const Read copyMode = [](const CLingomatDoc& d) { return d.CopySettings().copyMode; };
    const Read correcting = [](const CLingomatDoc& d) { return d.Feedback().correcting ? 1u : 0u; };
    struct Case {
        const char* value;
        std::int64_t stored;
        Read field;
        std::uint32_t expected;
    };
    const std::vector<Case> cases = {
        {"right", 1500, right, 1500},
        {"Right", -20, right, 0},
        {"wrong", 99999999, wrong, 60000},
        {"GLIMPSE", 750, glimpse, 750},
        {"MultiNumber", 9, choices, 5},
        {"MultiNumber", 0, choices, 2},
        {"ColorRight", 0x7F123456, colourRight, 0xFFFFFF},
        {"ColorWrong", -1, colourWrong, 0},
        {"TimeLetter", 1000000, letterTime, 60000},
        {"PercentShown", 400, shown, 100},
        {"CopyMode", 17, copyMode, 3},
        {"Correcting", 0, correcting, 0},
    };
    for (const auto& c : cases) {
        profile = MemoryProfileStore();
        profile.WriteInt("Anna", c.value, c.stored);
        CLingomatDoc& d = Start();
        EXPECT_EQ(c.field(d), c.expected) << c.value << " = " << c.stored;
        EXPECT_EQ(d.Round().texts.size(), d.ChoiceCount()) << c.value;
    }
}

TEST_F(DocTest, CorrectionOptionsStringKeepsItsOwnOrder) {
    struct Case {
        std::string stored;
        CorrectionOptions expected; // accents, case, repeat, spacing, articles, oneRight
        std::string written;
    };
    const std::vector<Case> cases = {
        {"X X   ", {true, false, true, false, false, false}, "X X   "},
        {"XX", {true, false, false, false, true, false}, "XX    "},
        {"   X X", {false, false, false, true, false, true}, "   X X"},
        {"XXXXXX??", {true, true, true, true, true, true}, "XXXXXX"},
        {"x1?*\xFF-", {}, "      "},
    };
    for (const auto& c : cases) {
        profile = MemoryProfileStore();
        profile.WriteString("Anna", "CorrectionOptions", c.stored);
        CLingomatDoc& d = Start();
        EXPECT_EQ(d.Corrections(), c.expected) << '"' << c.stored << '"';
        d.OnCloseDocument();
        // A switch added later writes a blank into its own slot behind these.
        std::string written = c.written;
        written.resize(std::size(CorrectionOptionTable), ' ');
        EXPECT_EQ(profile.GetString("Anna", "CorrectionOptions", "?"), written) << c.stored;
    }
}

// Settings and the player's results, both written on close and read by the next start.
TEST_F(DocTest, WhatIsWrittenOnCloseIsReadOnTheNextStart) {
    CLingomatDoc& first = Start();
    WithFeedback(first, [&](FeedbackSettings& f) {
        f.rightTime = 1200;
        f.useRabbits = false;
    });
    first.SetChoiceCount(5);
    const CorrectionOptions chosen{false, true, false, true, false, true};
    first.SetCorrectionOptions(chosen);
    WithViewSettings(first, [&](ViewModeSettings& s) {
        s.letterByLetter = false;
        s.timeAfterWord = 800;
    });
    WithCopySettings(first, [&](CopyModeSettings& s) {
        s.copyMode = 2;
        s.showSZAsSS = true;
    });
    Play({"2"});
    first.EndGameNow();
    DocProbe::DataSetName(first) = "anders.voc";
    first.OnCloseDocument();

    std::filesystem::copy_file(folder.File("lingomat.voc"), folder.File("anders.voc"));
    CLingomatDoc& second = Start();
    EXPECT_EQ(host.presetDataSet, "anders.voc");
    EXPECT_EQ(std::make_tuple(second.Feedback().rightTime, second.Feedback().useRabbits,
                              second.ChoiceCount(), second.Corrections(),
                              second.ViewSettings().letterByLetter,
                              second.ViewSettings().timeAfterWord, second.CopySettings().copyMode,
                              second.CopySettings().showSZAsSS),
              std::make_tuple(1200u, false, 5u, chosen, false, 800u, 2u, true));
    Play({"2"});
    second.EndGameNow();
    second.OnCloseDocument();
    PlayerStatistics reloaded;
    reloaded.SetDirectory(folder.File(""));
    reloaded.SetPlayerName("Anna");
    reloaded.Load();
    ASSERT_EQ(reloaded.Records().size(), 1u);
    EXPECT_EQ(reloaded.Records()[0].Count(), 2u) << "the second run extends the first one's file";
}

TEST_F(DocTest, LeavingAsksOnlyWhileAGameRuns) {
    for (const auto& [running, answer, leaves] :
         {std::tuple{false, MessageAnswer::No, true}, std::tuple{true, MessageAnswer::Yes, true},
          std::tuple{true, MessageAnswer::No, false}}) {
        host.messages.clear();
        host.answers = {answer};
        Start();
        if (running) {
            Play({"1"});
        }
        EXPECT_EQ(doc->SaveModified(), leaves);
        ASSERT_EQ(host.messages.size(), running ? 1u : 0u);
        if (running) {
            EXPECT_EQ(host.messages[0].text, "Sind Sie sicher, Lingomat verlassen zu wollen?");
            EXPECT_EQ(host.messages[0].caption, "Lingomat");
            EXPECT_EQ(host.messages[0].icon, MessageIcon::Stop);
        }
    }
}

// What start-up loads for the stored "Dataset" value, and what it tells the player.
TEST_F(DocTest, OnlyDataSetsOfTheGameFolderAreLoaded) {
    struct Case {
        const char* what;
        std::string stored;
        std::function<void()> plant;
        bool loaded;      // then lingomat.voc
        std::string told; // part of the one message; empty for none
    };
    const auto folderFile = [this](const std::string& name) { return folder.File(name); };
    const std::vector<Case> cases = {
        {"the stored one", "lingomat.voc", [] {}, true, ""},
        {"a stale name falls back to the first present", "weg.voc", [] {}, true,
         "\"weg.voc\" liegt nicht im Spielordner"},
        {"a path outside the folder", "../lingomat.voc", [] {}, true, "nicht im Spielordner"},
        {"a device", "/dev/zero", [] {}, true, "nicht im Spielordner"},
        {"a FIFO", "fifo.voc", [&] { ASSERT_EQ(mkfifo(folderFile("fifo.voc").c_str(), 0600), 0); },
         false, "keine gew\xF6hnliche Datei"},
        {"an empty file", "leer.voc", [&] { testing::WriteText(folderFile("leer.voc"), ""); },
         false, "keine Vokabeln"},
        {"no data set at all", "lingomat.voc",
         [&] { std::filesystem::remove(folderFile("lingomat.voc")); }, false, "kein Datensatz"},
    };
    for (const Case& c : cases) {
        SetUp();
        profile = MemoryProfileStore();
        profile.WriteString("Lingomat", "Dataset", c.stored);
        c.plant();
        host.messages.clear();
        CLingomatDoc& d = Start();
        EXPECT_EQ(!d.vocabulary.empty() && d.DataSetName() == "lingomat.voc", c.loaded) << c.what;
        ASSERT_EQ(host.messages.size(), c.told.empty() ? 0u : 1u) << c.what;
        if (!c.told.empty()) {
            EXPECT_NE(host.messages[0].text.find(c.told), std::string::npos)
                << c.what << ": " << host.messages[0].text;
        }
        // Without vocabulary no game can be asked for, and the player is told why.
        host.messages.clear();
        EXPECT_EQ(d.HasDataSet(), c.loaded) << c.what;
        EXPECT_EQ(host.messages.size(), c.loaded ? 0u : 1u) << c.what;
        std::filesystem::remove_all(folder.Path());
        std::filesystem::create_directories(folder.Path());
    }
}

// Each player's settings live in his own section, whatever the order of changes, apart from the
// program's own values.
TEST_F(DocTest, EachPlayerKeepsHisOwnSettings) {
    CLingomatDoc& d = Start();
    WithFeedback(d, [&](FeedbackSettings& f) { f.rightTime = 1111; });
    host.player = "Lingomat";
    d.ChangePlayer();
    EXPECT_EQ(profile.GetInt("Anna", "right", 0), 1111);
    EXPECT_EQ(d.Feedback().rightTime, 400u) << "the next player starts with his own settings";
    WithFeedback(d, [&](FeedbackSettings& f) { f.rightTime = 2222; });
    host.player = "Anna";
    d.ChangePlayer();
    EXPECT_EQ(d.Feedback().rightTime, 1111u);
    d.OnCloseDocument();
    EXPECT_EQ(profile.GetInt("~Lingomat", "right", 0), 2222);
    EXPECT_FALSE(profile.Contains("Lingomat", "right"));
    EXPECT_EQ(profile.GetString("Lingomat", "Dataset", ""), "lingomat.voc");
    EXPECT_EQ(PlayerSettingsSection("~x"), "~~x");
    EXPECT_EQ(PlayerSettingsSection("LINGOMAT"), "~LINGOMAT") << "value names ignore case";
}

// Things the player should know once per run, not at every occasion.
TEST_F(DocTest, NoPlayerAndUnwritableSettingsAreToldOnce) {
    class UnwritableProfile : public MemoryProfileStore {
        bool Sync() override { return false; }
    } unwritable;
    host.player = "";
    CLingomatDoc d(host, unwritable, clock, folder.File(""));
    d.OnNewDocument();
    d.ChangePlayer();
    d.OnCloseDocument();
    std::vector<std::string> told;
    for (const auto& message : host.messages) {
        told.push_back(message.text.substr(0, 30));
    }
    EXPECT_EQ(told, (std::vector<std::string>{"Ohne Spieler werden keine Erge",
                                              "Die Einstellungen konnten nich"}));
}

TEST_F(DocTest, FailedPlayerFileWriteIsReported) {
    Start();
    Play({"1"});
    doc->EndGameNow();
    // A folder in the player file's place cannot be replaced by the new file.
    std::filesystem::create_directories(folder.File("Anna.lmp/belegt"));
    host.messages.clear();
    doc->OnCloseDocument();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("Anna.lmp"), std::string::npos);
    EXPECT_EQ(folder.FileCount(), 2u) << "no temporary file is left behind";
}

} // namespace
} // namespace lingomat
