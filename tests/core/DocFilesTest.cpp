#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <tuple>
#include <utility>

#include "DocFixture.h"

namespace lingomat {
namespace {

using testing::DocTest;
using testing::ReadText;
using testing::WriteText;

TEST_F(DocTest, StoredSettingsAreReadAndBadOnesClamped) {
    // The value name, the number stored, the number read, and where it is read.
    using D = const CLingomatDoc&;
    const std::vector<std::tuple<const char*, std::int64_t, std::uint32_t, std::uint32_t (*)(D)>>
        cases = {
            {"right", 1500, 1500, [](D d) { return d.Feedback().rightTime; }},
            {"Right", -20, 0, [](D d) { return d.Feedback().rightTime; }},
            {"wrong", 99999999, 60000, [](D d) { return d.Feedback().wrongTime; }},
            {"GLIMPSE", 750, 750, [](D d) { return d.Feedback().glimpseTime; }},
            {"MultiNumber", 9, 5, [](D d) { return d.ChoiceCount(); }},
            {"MultiNumber", 0, 2, [](D d) { return d.ChoiceCount(); }},
            {"ColorRight", 0x7F123456, 0xFFFFFF, [](D d) { return d.Feedback().colorRight; }},
            {"ColorWrong", -1, 0, [](D d) { return d.Feedback().colorWrong; }},
            {"TimeLetter", 1000000, 60000, [](D d) { return d.ViewSettings().timeLetter; }},
            {"PercentShown", 400, 100, [](D d) { return d.CopySettings().percentShown; }},
            // A copy mode beyond the last one would pick no template at all.
            {"CopyMode", 17, 3, [](D d) { return d.CopySettings().copyMode; }},
            {"Correcting", 0, 0, [](D d) { return d.Feedback().correcting ? 1u : 0u; }},
        };
    for (const auto& [value, stored, expected, field] : cases) {
        profile = MemoryProfileStore();
        profile.WriteInt("Anna", value, stored);
        CLingomatDoc& d = Start();
        EXPECT_EQ(field(d), expected) << value << " = " << stored;
        EXPECT_EQ(d.Round().texts.size(), d.ChoiceCount()) << value;
    }
}

// Stored, the options read (accents, case, repeat, spacing, articles, oneRight), written back.
TEST_F(DocTest, CorrectionOptionsStringKeepsItsOwnOrder) {
    const std::vector<std::tuple<std::string, CorrectionOptions, std::string>> cases = {
        {"X X   ", {true, false, true, false, false, false}, "X X   "},
        {"XX", {true, false, false, false, true, false}, "XX    "},
        {"   X X", {false, false, false, true, false, true}, "   X X"},
        {"XXXXXX??", {true, true, true, true, true, true}, "XXXXXX"},
        {"x1?*\xFF-", {}, "      "},
    };
    for (auto [stored, expected, written] : cases) {
        profile = MemoryProfileStore();
        profile.WriteString("Anna", "CorrectionOptions", stored);
        CLingomatDoc& d = Start();
        EXPECT_EQ(d.Corrections(), expected) << '"' << stored << '"';
        d.OnCloseDocument();
        // A switch added later writes a blank into its own slot behind these.
        written.resize(std::size(CorrectionOptionTable), ' ');
        EXPECT_EQ(profile.GetString("Anna", "CorrectionOptions", "?"), written) << stored;
    }
}

// Settings and the player's results, both written on close and read by the next start; the
// player is chosen at the first start only, and a new game after that only resets the game.
TEST_F(DocTest, WhatIsWrittenOnCloseIsReadOnTheNextStart) {
    CLingomatDoc& first = Start();
    EXPECT_EQ(host.presetDataSet, "lingomat.voc");
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
    first.OnNewDocument();
    EXPECT_EQ(host.playerDialogs, 1);
    EXPECT_TRUE(first.pool.Empty() && !first.IsModified());
    EXPECT_EQ(first.Title(), "Neues Spiel");
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
    const auto& records = Start().Statistics().Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Count(), 2u) << "the second run extends the first one's file";
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

// What start-up loads for the stored "Dataset" value, and what it tells the player. Rows: the
// stored value, what is planted in the folder, whether lingomat.voc is loaded, and part of the one
// message (empty for none).
TEST_F(DocTest, OnlyDataSetsOfTheGameFolderAreLoaded) {
    const auto folderFile = [this](const std::string& name) { return folder.File(name); };
    using Case = std::tuple<const char*, std::string, std::function<void()>, bool, std::string>;
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
    for (const auto& [what, stored, plant, loaded, told] : cases) {
        SetUp();
        profile = MemoryProfileStore();
        profile.WriteString("Lingomat", "Dataset", stored);
        plant();
        host.messages.clear();
        CLingomatDoc& d = Start();
        EXPECT_EQ(!d.vocabulary.empty() && d.DataSetName() == "lingomat.voc", loaded) << what;
        EXPECT_EQ(host.messages.size(), told.empty() ? 0u : 1u) << what;
        EXPECT_NE(host.LastMessage().find(told), std::string::npos) << host.LastMessage();
        // Without vocabulary no game can be asked for, and the player is told why.
        host.messages.clear();
        EXPECT_EQ(d.HasDataSet(), loaded) << what;
        EXPECT_EQ(host.messages.size(), loaded ? 0u : 1u) << what;
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

TEST_F(DocTest, WrongRecordsAreWrittenOnceAndPlayedAgainAsAWriteGame) {
    CLingomatDoc& d = Start();
    WithoutPause(d);
    WithCorrections(d, [&](CorrectionOptions& o) { o.repeatAtOnce = true; });
    Play({"2"}, GameModeWrite, LanguageGerman, LanguageFrench);
    const VocEntry* missed = Current().entry;
    for (int i = 0; i < 3; ++i) {
        Answer(false);
    }
    while (!d.IsGameOver()) {
        Answer(true);
    }
    ASSERT_TRUE(d.OnSaveDocument(folder.File("fehler.lef")));
    EXPECT_EQ(ReadText(folder.File("fehler.lef")),
              "0\r\n2\r\n" + missed->Text(LanguageGerman) + "\r\n" + missed->Text(LanguageEnglish) +
                  "\r\n" + missed->Text(LanguageFrench) + "\r\n");

    Play({"1"}, GameModeChoiceOtherLessons, LanguageEnglish, LanguageGerman);
    d.vocabulary.front().errorCount = 2;
    ASSERT_TRUE(d.OnOpenDocument(folder.File("fehler.lef")));
    EXPECT_EQ(std::make_tuple(d.questionLanguage, d.answerLanguage, d.Mode()),
              std::make_tuple(LanguageGerman, LanguageFrench, GameModeWrite));
    EXPECT_EQ(d.vocabulary.front().errorCount, 0u);
    EXPECT_EQ(PoolAnswers(), std::vector<std::string>{missed->Text(LanguageFrench)});
    // Mistakes in its game are written again; a new game forgets them.
    Answer(false);
    while (!d.IsGameOver()) {
        Answer(true);
    }
    ASSERT_TRUE(d.OnSaveDocument(folder.File("neu.lef")));
    EXPECT_EQ(ReadText(folder.File("neu.lef")), ReadText(folder.File("fehler.lef")));
    d.OnNewDocument();
    ASSERT_TRUE(d.OnSaveDocument(folder.File("leer.lef")));
    EXPECT_EQ(ReadText(folder.File("leer.lef")), "0\r\n2\r\n");
}

// The file, the languages it sets and the answers it asks for.
TEST_F(DocTest, OpeningReadsWhatIsSoundAndNothingElse) {
    const std::string longWord(500, 'x');
    using Case = std::tuple<const char*, std::string, Language, Language, testing::Lines>;
    const std::vector<Case> cases = {
        {"crlf", "2\r\n0\r\nder Hund\r\nthe dog\r\nle chien\r\n", 2, 0, {"der Hund"}},
        {"lf", "0\n1\nHund\ndog\nchien\nKatze\ncat\nchat\n", 0, 1, {"dog", "cat"}},
        {"escapes kept", "0\n2\ndie Stra\\3e\nstreet\nla rue\n", 0, 2, {"la rue"}},
        {"long line", "1\n0\n" + longWord + "\nlong\nlong\n", 1, 0, {longWord}},
        {"line cut to the longest text",
         "1\n0\n" + std::string(3000, 'y') + "\nl\nl\n",
         1,
         0,
         {std::string(VocEntry::MaxTextLength, 'y')}},
        {"empty first record", "0\n2\n\nHund\ndog\n", 1, 1, {}},
        {"cut short", "0\n1\nHund\ndog", 0, 1, {"dog"}},
        {"no numbers", "Hund\ndog\nchien\n", 1, 1, {}},
        {"no such language", "7\n1\nHund\ndog\nchien\n", 1, 1, {}},
        {"negative language", "-1\n0\nHund\ndog\nchien\n", 1, 1, {}},
    };
    // A file without a question is refused and the running game stays as it was.
    CLingomatDoc& d = Start();
    for (const auto& [name, content, question, answer, answers] : cases) {
        d.questionLanguage = LanguageEnglish;
        d.answerLanguage = LanguageEnglish;
        const std::vector<std::string> before = PoolAnswers();
        WriteText(folder.File("test.lef"), content);
        EXPECT_EQ(d.OnOpenDocument(folder.File("test.lef")), !answers.empty()) << name;
        EXPECT_EQ(std::make_pair(d.questionLanguage, d.answerLanguage),
                  std::make_pair(question, answer))
            << name;
        EXPECT_EQ(PoolAnswers(), answers.empty() ? before : answers) << name;
    }
    EXPECT_FALSE(d.OnOpenDocument(folder.File("missing.lef")));
    EXPECT_FALSE(d.pool.Empty());

    // Only regular files are read: a FIFO would block, a device would never end.
    ASSERT_EQ(mkfifo(folder.File("fifo.lef").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder.File("zero.lef"));
    for (const char* planted : {"fifo.lef", "zero.lef"}) {
        EXPECT_FALSE(d.OnOpenDocument(folder.File(planted))) << planted;
        EXPECT_FALSE(d.pool.Empty()) << planted;
    }
}

// A save that cannot be completed says so and leaves the previous file as it was; no save
// writes anywhere but to its own file.
TEST_F(DocTest, SavesHarmNoOtherFile) {
    CLingomatDoc& d = Start();
    const std::string target = folder.File("alt.lef");
    const std::string old = "0\r\n1\r\nalt\r\nold\r\nvieux\r\n";
    const std::string outside = folder.File("ausserhalb.txt");
    WriteText(target, old);
    WriteText(outside, "fremd");
    WriteText(folder.File("kein.lef"), "Tipp: keine Fehlerdatei\n");
    // Where the save goes, a folder in its way, a link planted where a save used to put its
    // temporary file, and whether it saves.
    const std::vector<std::tuple<const char*, std::string, std::string, std::string, bool>> cases =
        {
            {"missing folder", folder.File("fehlt/neu.lef"), "", "", false},
            {"target is a folder", folder.File("ordner.lef"), folder.File("ordner.lef"), "", false},
            {"file that could not be read", folder.File("kein.lef"), "", "", false},
            {"link at the temporary name", target, "", target + ".tmp", true},
        };
    d.OnOpenDocument(folder.File("kein.lef"));
    for (const auto& [name, path, folderInTheWay, linkToOutside, saves] : cases) {
        if (!folderInTheWay.empty()) {
            std::filesystem::create_directory(folderInTheWay);
        }
        if (!linkToOutside.empty()) {
            std::filesystem::create_symlink(outside, linkToOutside);
        }
        d.vocabulary.front().errorCount = 1;
        EXPECT_EQ(d.OnSaveDocument(path), saves) << name;
        EXPECT_EQ(ReadText(outside), "fremd") << name;
        // A save writes its file; a failed one leaves the previous file as it was.
        if (saves) {
            EXPECT_EQ(ReadText(path).substr(0, 7), "0\r\n1\r\nd") << name;
        } else {
            EXPECT_EQ(ReadText(target), old) << name;
        }
    }
    EXPECT_EQ(ReadText(folder.File("kein.lef")), "Tipp: keine Fehlerdatei\n");
}

} // namespace
} // namespace lingomat
