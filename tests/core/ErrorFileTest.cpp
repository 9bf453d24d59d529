#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "DocFixture.h"

namespace lingomat {
namespace {

using testing::DocTest;
using testing::ReadText;
using testing::WriteText;

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

TEST_F(DocTest, OpeningReadsWhatIsSoundAndNothingElse) {
    const std::string longWord(500, 'x');
    struct Case {
        const char* name;
        std::string content;
        Language question;
        Language answer;
        std::vector<std::string> answers;
    };
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
    for (const Case& c : cases) {
        d.questionLanguage = LanguageEnglish;
        d.answerLanguage = LanguageEnglish;
        const std::vector<std::string> before = PoolAnswers();
        WriteText(folder.File("test.lef"), c.content);
        EXPECT_EQ(d.OnOpenDocument(folder.File("test.lef")), !c.answers.empty()) << c.name;
        EXPECT_EQ(std::make_pair(d.questionLanguage, d.answerLanguage),
                  std::make_pair(c.question, c.answer))
            << c.name;
        EXPECT_EQ(PoolAnswers(), c.answers.empty() ? before : c.answers) << c.name;
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
    struct Case {
        const char* name;
        std::string path;
        std::string folderInTheWay;
        std::string linkToOutside; // planted where a save used to put its temporary file
        bool saves;
    };
    const std::vector<Case> cases = {
        {"missing folder", folder.File("fehlt/neu.lef"), "", "", false},
        {"target is a folder", folder.File("ordner.lef"), folder.File("ordner.lef"), "", false},
        {"file that could not be read", folder.File("kein.lef"), "", "", false},
        {"link at the temporary name", target, "", target + ".tmp", true},
    };
    d.OnOpenDocument(folder.File("kein.lef"));
    for (const Case& c : cases) {
        if (!c.folderInTheWay.empty()) {
            std::filesystem::create_directory(c.folderInTheWay);
        }
        if (!c.linkToOutside.empty()) {
            std::filesystem::create_symlink(outside, c.linkToOutside);
        }
        d.vocabulary.front().errorCount = 1;
        EXPECT_EQ(d.OnSaveDocument(c.path), c.saves) << c.name;
        if (c.saves) {
            EXPECT_EQ(ReadText(c.path).substr(0, 7), "0\r\n1\r\nd") << c.name;
        }
        EXPECT_EQ(ReadText(outside), "fremd") << c.name;
        if (!c.saves) {
            EXPECT_EQ(ReadText(target), old) << c.name;
        }
    }
    EXPECT_EQ(ReadText(folder.File("kein.lef")), "Tipp: keine Fehlerdatei\n");
}

} // namespace
} // namespace lingomat
