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

TEST_F(DocTest, FirstStartTakesTheDefaultsAndLaterNewGamesOnlyReset) {
    CLingomatDoc& d = Start();
    EXPECT_EQ(host.presetDataSet, "lingomat.voc");
    EXPECT_EQ(d.DataSetName(), "lingomat.voc");
    EXPECT_EQ(d.Title(), "Neues Spiel");
    EXPECT_EQ(d.ChoiceCount(), 4u);
    EXPECT_EQ(d.Round().texts.size(), 4u);

    Play({"2"});
    Type("falsch");
    ASSERT_EQ(d.WrongCount(), 1u);
    d.OnNewDocument();
    EXPECT_EQ(host.playerDialogs, 1) << "the player is chosen at the first start only";
    EXPECT_EQ(d.vocabulary.size(), testing::Records.size());
    for (const auto& entry : d.vocabulary) {
        EXPECT_EQ(entry.errorCount, 0u);
    }
    EXPECT_TRUE(d.pool.Empty());
    EXPECT_FALSE(d.IsModified());
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
    struct Case {
        const char* value;
        std::int64_t stored;
        Read field;
        std::uint32_t expected;
    };
    const std::vector<Case> cases = {
        {"right", 1500, right, 1500},       {"Right", -20, right, 0},
        {"wrong", 99999999, wrong, 60000},  {"GLIMPSE", 750, glimpse, 750},
        {"MultiNumber", 9, choices, 5},     {"MultiNumber", 0, choices, 2},
        {"MultiNumber", 3, choices, 3},     {"ColorRight", 0x7F123456, colourRight, 0xFFFFFF},
        {"ColorWrong", -1, colourWrong, 0},
    };
    for (const auto& c : cases) {
        profile = MemoryProfileStore();
        profile.WriteInt("Anna", c.value, c.stored);
        CLingomatDoc& d = Start();
        EXPECT_EQ(c.field(d), c.expected) << c.value << " = " << c.stored;
        EXPECT_EQ(d.Round().texts.size(), d.ChoiceCount()) << c.value;
    }
    profile = MemoryProfileStore();
    profile.WriteInt("Anna", "TimeLetter", 1000000);
    profile.WriteInt("Anna", "CopyMode", 17);
    profile.WriteInt("Anna", "PercentShown", 400);
    profile.WriteInt("Anna", "Correcting", 5);
    const CLingomatDoc& d = Start();
    EXPECT_EQ(d.ViewSettings().timeLetter, 60000u);
    EXPECT_EQ(d.CopySettings().copyMode, 3u);
    EXPECT_EQ(d.CopySettings().percentShown, 100u);
    EXPECT_TRUE(d.Feedback().correcting);
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
        {"   X  ", {false, false, false, true, false, false}, "   X  "},
        {"    X ", {false, true, false, false, false, false}, "    X "},
        {"     X", {false, false, false, false, false, true}, "     X"},
        {"XXXXXX??", {true, true, true, true, true, true}, "XXXXXX"},
        {"x1?*\xFF-", {}, "      "},
        {"", {}, "      "},
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

TEST_F(DocTest, SettingsWrittenOnCloseAreReadOnTheNextStart) {
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
    DocProbe::DataSetName(first) = "anders.voc";
    first.OnCloseDocument();
    EXPECT_EQ(profile.GetString("Lingomat", "Dataset", ""), "anders.voc");

    const CLingomatDoc& second = Start();
    EXPECT_EQ(host.presetDataSet, "anders.voc");
    EXPECT_EQ(std::make_tuple(second.Feedback().rightTime, second.Feedback().useRabbits,
                              second.ChoiceCount(), second.Corrections(),
                              second.ViewSettings().letterByLetter,
                              second.ViewSettings().timeAfterWord, second.CopySettings().copyMode,
                              second.CopySettings().showSZAsSS),
              std::make_tuple(1200u, false, 5u, chosen, false, 800u, 2u, true));
}

TEST_F(DocTest, LeavingAsksOnlyWhileAGameRuns) {
    struct Case {
        bool running;
        MessageAnswer answer;
        bool leaves;
    };
    for (const Case& c :
         {Case{false, MessageAnswer::No, true}, Case{true, MessageAnswer::Yes, true},
          Case{true, MessageAnswer::No, false}}) {
        host.messages.clear();
        host.answers = {c.answer};
        Start();
        if (c.running) {
            Play({"1"});
        }
        EXPECT_EQ(doc->SaveModified(), c.leaves);
        ASSERT_EQ(host.messages.size(), c.running ? 1u : 0u);
        if (c.running) {
            EXPECT_EQ(host.messages[0].text, "Sind Sie sicher, Lingomat verlassen zu wollen?");
            EXPECT_EQ(host.messages[0].caption, "Lingomat");
            EXPECT_EQ(host.messages[0].icon, MessageIcon::Stop);
        }
    }
}

TEST_F(DocTest, PlayerFileIsWrittenOnCloseAndExtendedByTheNextRun) {
    for (int run = 1; run <= 2; ++run) {
        Start();
        ASSERT_EQ(doc->Statistics().Records().size(), run == 1 ? 0u : 1u);
        Play({"2"});
        doc->EndGameNow();
        doc->OnCloseDocument();
    }
    PlayerStatistics reloaded;
    reloaded.SetDirectory(folder.File(""));
    reloaded.SetPlayerName("Anna");
    reloaded.Load();
    ASSERT_EQ(reloaded.Records().size(), 1u);
    EXPECT_EQ(reloaded.Records()[0].lessonCode, "2");
    EXPECT_EQ(reloaded.Records()[0].Count(), 2u);
}

// What start-up loads for the stored "Dataset" value, and what it tells the player.
TEST_F(DocTest, OnlyDataSetsOfTheGameFolderAreLoaded) {
    struct Case {
        const char* what;
        std::string stored;
        std::function<void()> plant;
        std::string loaded;
        std::string told; // part of the one message; empty for none
    };
    const auto folderFile = [this](const std::string& name) { return folder.File(name); };
    const std::vector<Case> cases = {
        {"the stored one", "lingomat.voc", [] {}, "lingomat.voc", ""},
        {"a stale name falls back to the first present", "weg.voc", [] {}, "lingomat.voc",
         "\"weg.voc\" liegt nicht im Spielordner"},
        {"a path outside the folder", "../lingomat.voc", [] {}, "lingomat.voc",
         "nicht im Spielordner"},
        {"a device", "/dev/zero", [] {}, "lingomat.voc", "nicht im Spielordner"},
        {"a FIFO", "fifo.voc", [&] { ASSERT_EQ(mkfifo(folderFile("fifo.voc").c_str(), 0600), 0); },
         "", "keine gew\xF6hnliche Datei"},
        {"an empty file", "leer.voc", [&] { testing::WriteText(folderFile("leer.voc"), ""); }, "",
         "keine Vokabeln"},
        {"no data set at all", "lingomat.voc",
         [&] { std::filesystem::remove(folderFile("lingomat.voc")); }, "", "kein Datensatz"},
    };
    for (const Case& c : cases) {
        SetUp();
        profile = MemoryProfileStore();
        profile.WriteString("Lingomat", "Dataset", c.stored);
        c.plant();
        host.messages.clear();
        CLingomatDoc& d = Start();
        EXPECT_EQ(d.vocabulary.empty(), c.loaded.empty()) << c.what;
        if (!c.loaded.empty()) {
            EXPECT_EQ(d.DataSetName(), c.loaded) << c.what;
        }
        ASSERT_EQ(host.messages.size(), c.told.empty() ? 0u : 1u) << c.what;
        if (!c.told.empty()) {
            EXPECT_NE(host.messages[0].text.find(c.told), std::string::npos)
                << c.what << ": " << host.messages[0].text;
        }
        // Without vocabulary no game can be asked for, and the player is told why.
        host.messages.clear();
        EXPECT_EQ(d.HasDataSet(), !c.loaded.empty()) << c.what;
        EXPECT_EQ(host.messages.size(), c.loaded.empty() ? 1u : 0u) << c.what;
        std::filesystem::remove_all(folder.Path());
        std::filesystem::create_directories(folder.Path());
    }
}

TEST_F(DocTest, AGameWithoutQuestionsNeverStarts) {
    struct Case {
        const char* what;
        std::function<bool(CLingomatDoc&)> start;
        bool starts;
    };
    const std::vector<Case> cases = {
        {"a lesson with records", [this](CLingomatDoc&) { return Play({"2"}), doc->IsModified(); },
         true},
        {"a lesson without records",
         [this](CLingomatDoc&) { return Play({"9"}), doc->IsModified(); }, false},
        {"an empty range",
         [](CLingomatDoc& d) { return d.StartAlphabeticGame("xa", "xb", LanguageGerman); }, false},
        {"a range with words",
         [](CLingomatDoc& d) { return d.StartAlphabeticGame("a", "z", LanguageGerman); }, true},
    };
    for (const Case& c : cases) {
        CLingomatDoc& d = Start();
        host.messages.clear();
        EXPECT_EQ(c.start(d), c.starts) << c.what;
        EXPECT_EQ(d.IsModified(), c.starts) << c.what;
        EXPECT_EQ(d.pool.Current() != nullptr, c.starts) << c.what;
        ASSERT_EQ(host.messages.size(), c.starts ? 0u : 1u) << c.what;
        if (!c.starts) {
            EXPECT_NE(host.messages[0].text.find("keine Frage"), std::string::npos) << c.what;
            EXPECT_EQ(d.Title(), "Neues Spiel") << c.what;
        }
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
    WithFeedback(d, [&](FeedbackSettings& f) {
        f.rightTime = 2222;
        f.useRabbits = false;
    });
    host.player = "Anna";
    d.ChangePlayer();
    EXPECT_EQ(d.Feedback().rightTime, 1111u);
    EXPECT_TRUE(d.Feedback().useRabbits);
    d.OnCloseDocument();
    EXPECT_EQ(profile.GetInt("~Lingomat", "right", 0), 2222);
    EXPECT_EQ(profile.GetInt("Anna", "right", 0), 1111);
    EXPECT_FALSE(profile.Contains("Lingomat", "right"));
    EXPECT_EQ(profile.GetString("Lingomat", "Dataset", ""), "lingomat.voc");
    EXPECT_EQ(PlayerSettingsSection("~x"), "~~x");
    EXPECT_EQ(PlayerSettingsSection("LINGOMAT"), "~LINGOMAT");
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
    EXPECT_TRUE(std::filesystem::exists(folder.File("Anna.lmp/belegt")));
    EXPECT_EQ(folder.FileCount(), 2u) << "no temporary file is left behind";
}

} // namespace
} // namespace lingomat
