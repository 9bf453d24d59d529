#include <fstream>
#include <iterator>

#include <QFileDialog>
#include <QTest>

#include "ListDialogTestSupport.h"
#include "ui/ErrorFileCommands.h"

namespace lingomat::testing {
namespace {

const std::vector<TestLesson> kLessons = {{"Alles", "1"}};
const std::vector<TestRecord> kRecords = {
    {"1", "le chien", "the dog", "der Hund"},
    {"1", "la m\\`ere", "the mother", "die Mutter"},
    {"1", "la rue", "the street", "die Stra\\3e"},
};

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ErrorFileCommandsTest : public ::testing::Test {
protected:
    ErrorFileCommandsTest() : document(kLessons, kRecords) {
        document->questionLanguage = LanguageGerman;
        document->answerLanguage = LanguageFrench;
        StartAllLessons(*document);
    }
    QString File(const std::string& name) {
        return QString::fromStdString(document.folder.File(name));
    }

    ListDocument document;
};

TEST_F(ErrorFileCommandsTest, WrittenFileIsPlayedBackAsAWriteGame) {
    document->vocabulary[1].errorCount = 3;
    document->vocabulary[2].errorCount = 1;
    ASSERT_TRUE(WriteErrorFile(*document, nullptr, File("fehler.lef")));
    EXPECT_EQ(FileText(document.folder.File("fehler.lef")),
              "0\r\n2\r\ndie Mutter\r\nthe mother\r\nla m\\`ere\r\n"
              "die Stra\\3e\r\nthe street\r\nla rue\r\n");

    ListDocument other(kLessons, kRecords);
    other->gameMode = GameModeChoiceOtherLessons;
    ASSERT_TRUE(PlayErrorFile(*other, nullptr, File("fehler.lef")));
    EXPECT_TRUE(other->gameStarted);
    EXPECT_EQ(other->gameMode, GameModeWrite);
    EXPECT_EQ(other->questionLanguage, LanguageGerman);
    EXPECT_EQ(other->answerLanguage, LanguageFrench);
    EXPECT_EQ(other->pool.Size(), 2u);
}

// Failures are told in a German message box and never count as done; a file that cannot be
// read leaves the running game as it was.
TEST_F(ErrorFileCommandsTest, FailuresAreToldAndChangeNothing) {
    const struct {
        bool write;
        const char* file;
        const char16_t* message;
    } cases[] = {
        {true, "kein-ordner/fehler.lef", u"Die Fehlerdatei konnte nicht geschrieben werden: "},
        {true, "", u"Die Fehlerdatei konnte nicht geschrieben werden: "},
        {false, "fehlt.lef", u"Die Fehlerdatei konnte nicht gelesen werden: "},
        {false, "", u"Die Fehlerdatei konnte nicht gelesen werden: "},
    };
    const std::size_t questions = document->pool.Size();
    const std::string title = document->Title();
    for (const auto& c : cases) {
        // An empty name stands for the folder itself, which is no file.
        const QString path = c.file[0] == '\0' ? QString::fromStdString(document.folder.path)
                                               : File(c.file);
        MessageCatcher messages;
        const bool done = c.write ? WriteErrorFile(*document, nullptr, path)
                                  : PlayErrorFile(*document, nullptr, path);
        EXPECT_FALSE(done) << c.file;
        ASSERT_EQ(messages.texts.size(), 1) << c.file;
        EXPECT_EQ(messages.texts[0], QString::fromUtf16(c.message) + path);
        EXPECT_EQ(messages.captions[0], QStringLiteral("Lingomat"));
        EXPECT_EQ(document->pool.Size(), questions);
        EXPECT_EQ(document->Title(), title);
    }
}

TEST_F(ErrorFileCommandsTest, SaveDialogAddsTheSuffix) {
    document->vocabulary[0].errorCount = 1;
    QStringList filters;
    OnModal<QFileDialog> dialog([&](QFileDialog& files) {
        filters = files.nameFilters();
        EXPECT_EQ(files.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(files.defaultSuffix(), QStringLiteral("lef"));
        EXPECT_TRUE(files.grab().save(ScreenshotFolder() + QStringLiteral("/error-file-save.png")));
        files.selectFile(File("meine-fehler"));
        static_cast<QDialog&>(files).accept();
    });
    EXPECT_TRUE(WriteErrorFile(*document, nullptr));
    EXPECT_TRUE(dialog.seen);
    EXPECT_EQ(filters.value(0), QStringLiteral("Lingomat Error Files (*.lef)"));
    EXPECT_EQ(FileText(document.folder.File("meine-fehler.lef")),
              "0\r\n2\r\nder Hund\r\nthe dog\r\nle chien\r\n");
}

TEST_F(ErrorFileCommandsTest, CancelledOpenDialogKeepsTheGame) {
    const std::size_t questions = document->pool.Size();
    OnModal<QFileDialog> dialog([](QFileDialog& files) {
        EXPECT_EQ(files.fileMode(), QFileDialog::ExistingFile);
        files.reject();
    });
    EXPECT_FALSE(PlayErrorFile(*document, nullptr));
    EXPECT_TRUE(dialog.seen);
    EXPECT_EQ(document->pool.Size(), questions);
    EXPECT_TRUE(document->gameStarted);
}

} // namespace
} // namespace lingomat::testing
