#include <fstream>
#include <iterator>

#include <QFileDialog>

#include "ListDialogTestSupport.h"
#include "ui/ErrorFileCommands.h"

namespace lingomat::testing {
namespace {

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A German to French game in which two words were answered wrongly.
class ErrorFileCommandsTest : public ::testing::Test {
protected:
    ErrorFileCommandsTest()
        : document({{"Alles", "1"}}, {{"1", "le chien", "the dog", "der Hund"},
                                      {"1", "la m\\`ere", "the mother", "die Mutter"},
                                      {"1", "la rue", "the street", "die Stra\\3e"}}) {
        document->answerLanguage = LanguageFrench;
        StartAllLessons(*document);
        document->vocabulary[1].errorCount = 3;
        document->vocabulary[2].errorCount = 1;
    }
    QString File(const std::string& name) {
        return QString::fromStdString(document.folder.File(name));
    }

    ListDocument document;
};

TEST_F(ErrorFileCommandsTest, SaveDialogWritesTheFileThatIsPlayedBack) {
    OnModal<QFileDialog> dialog([&](QFileDialog& files) {
        EXPECT_EQ(files.nameFilters().value(0), u"Lingomat Error Files (*.lef)"_s);
        EXPECT_EQ(files.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(files.grab().save(ScreenshotFolder() + u"/error-file-save.png"_s));
        files.selectFile(File("meine-fehler"));
        static_cast<QDialog&>(files).accept();
    });
    ASSERT_TRUE(WriteErrorFile(*document, nullptr));
    EXPECT_EQ(FileText(document.folder.File("meine-fehler.lef")),
              "0\r\n2\r\ndie Mutter\r\nthe mother\r\nla m\\`ere\r\n"
              "die Stra\\3e\r\nthe street\r\nla rue\r\n");

    ListDocument other({{"Alles", "1"}}, {});
    other->gameMode = GameModeChoiceOtherLessons;
    ASSERT_TRUE(PlayErrorFile(*other, nullptr, File("meine-fehler.lef")));
    EXPECT_EQ(other->gameMode, GameModeWrite);
    EXPECT_EQ(other->answerLanguage, LanguageFrench);
    EXPECT_EQ(other->pool.Size(), 2u);
}

// Failures are told in a German message box and never count as done; the running game stays.
TEST_F(ErrorFileCommandsTest, FailuresAreToldAndChangeNothing) {
    const struct {
        bool write;
        QString path;
        QString message;
    } cases[] = {
        {true, File("kein-ordner/f.lef"), u"Die Fehlerdatei konnte nicht geschrieben werden: "_s},
        {true, File(""), u"Die Fehlerdatei konnte nicht geschrieben werden: "_s},
        {false, File("fehlt.lef"), u"Die Fehlerdatei konnte nicht gelesen werden: "_s},
        {false, File(""), u"Die Fehlerdatei konnte nicht gelesen werden: "_s},
    };
    const std::size_t questions = document->pool.Size();
    for (const auto& c : cases) {
        MessageCatcher messages;
        EXPECT_FALSE(c.write ? WriteErrorFile(*document, nullptr, c.path)
                             : PlayErrorFile(*document, nullptr, c.path));
        EXPECT_EQ(messages.texts, QStringList{c.message + c.path});
        EXPECT_EQ(document->pool.Size(), questions);
    }
}

TEST_F(ErrorFileCommandsTest, CancelledOpenDialogKeepsTheGame) {
    const std::size_t questions = document->pool.Size();
    OnModal<QFileDialog> dialog([](QFileDialog& files) { static_cast<QDialog&>(files).reject(); });
    EXPECT_FALSE(PlayErrorFile(*document, nullptr));
    EXPECT_TRUE(dialog.seen);
    EXPECT_EQ(document->pool.Size(), questions);
}

} // namespace
} // namespace lingomat::testing
