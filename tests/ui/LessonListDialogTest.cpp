#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "ListDialogTestSupport.h"
#include "UiTestSupport.h"
#include "ui/LessonListDialog.h"
#include "ui/ListCommands.h"

namespace lingomat::testing {
namespace {

// Two stored names hold accent escapes; code "1" is part of "13", so its lesson takes in the
// records of lesson "13" as well.
const std::vector<TestLesson> kLessons = {
    {"Tiere", "1"}, {"K\\\"uche", "2"}, {"Gem\"use", "13"}, {"Leer", "9"}};

const std::vector<TestRecord> kRecords = {
    {"1", "le chien", "the dog", "der Hund"},
    {"2", "la casserole", "the pot", "der Topf"},
    {"13", "la carotte", "the carrot", "die M\\\"ohre"},
    {"1", "le chat", "the cat", "die Katze"},
    {"2", "/la fourchette /la fourche", "the fork", "die Gabel"},
};

class LessonListTest : public ::testing::Test {
protected:
    LessonListTest() : document(kLessons, kRecords), dialog(*document) { dialog.show(); }

    QComboBox* Combo() { return dialog.findChild<QComboBox*>(QStringLiteral("lessonCombo")); }
    QTreeWidget* Records() {
        return dialog.findChild<QTreeWidget*>(QStringLiteral("recordList"));
    }

    ListDocument document;
    LessonListDialog dialog;
};

TEST_F(LessonListTest, OffersDecodedNamesSortedAndListsTheFirst) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Lektionen Liste"));
    QStringList names;
    for (int i = 0; i < Combo()->count(); ++i) {
        names.append(Combo()->itemText(i));
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("Gem\u00fcse"), QStringLiteral("K\u00fcche"),
                                  QStringLiteral("Leer"), QStringLiteral("Tiere")}));
    EXPECT_EQ(Combo()->currentIndex(), 0);
    EXPECT_EQ(Headers(Records()),
              (QStringList{QStringLiteral("Deutsch"), QStringLiteral("Englisch"),
                           QStringLiteral("Franz\u00f6sisch")}));
    EXPECT_EQ(ColumnTexts(Records(), 0), QStringList{QStringLiteral("die M\u00f6hre")});
}

// Every lesson is found by the name it is shown with, escapes in its stored name or not.
TEST_F(LessonListTest, ListsTheRecordsOfTheChosenLesson) {
    const struct {
        const char16_t* lesson;
        std::vector<const char16_t*> german;
    } cases[] = {
        {u"Tiere", {u"der Hund", u"die M\u00f6hre", u"die Katze"}},
        {u"K\u00fcche", {u"der Topf", u"die Gabel"}},
        {u"Gem\u00fcse", {u"die M\u00f6hre"}},
        {u"Leer", {}},
    };
    for (const auto& c : cases) {
        Combo()->setCurrentIndex(Combo()->findText(QString::fromUtf16(c.lesson)));
        QStringList expected;
        for (const char16_t* word : c.german) {
            expected.append(QString::fromUtf16(word));
        }
        EXPECT_EQ(ColumnTexts(Records(), 0), expected)
            << QString::fromUtf16(c.lesson).toStdString();
    }
}

TEST_F(LessonListTest, ShowsSeveralAnswersJoinedAndDecoded) {
    Combo()->setCurrentIndex(Combo()->findText(QStringLiteral("K\u00fcche")));
    ASSERT_EQ(Records()->topLevelItemCount(), 2);
    EXPECT_EQ(RowTexts(Records(), 1),
              (QStringList{QStringLiteral("die Gabel"), QStringLiteral("the fork"),
                           QStringLiteral("la fourchette, la fourche")}));
}

TEST(LessonListSpanishTest, ShowsGermanAndSpanishOnly) {
    ListDocument document(kLessons, kRecords, "spanbasic.voc");
    LessonListDialog dialog(*document);
    auto* records = dialog.findChild<QTreeWidget*>(QStringLiteral("recordList"));
    EXPECT_EQ(Headers(records), (QStringList{QStringLiteral("Deutsch"), QStringLiteral("Spanisch")}));
    EXPECT_EQ(RowTexts(records, 0),
              (QStringList{QStringLiteral("die M\u00f6hre"), QStringLiteral("the carrot")}));
}

TEST(LessonListCommandTest, OpensModelessWindowsThatFreeThemselves) {
    uitest::GameDocument game;
    QPointer<LessonListDialog> first = ShowLessonLists(game.document, nullptr);
    QPointer<LessonListDialog> second = ShowLessonLists(game.document, nullptr);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.data(), second.data());
    EXPECT_FALSE(first->isModal());
    EXPECT_GT(first->findChild<QTreeWidget*>(QStringLiteral("recordList"))->topLevelItemCount(),
              0);
    EXPECT_TRUE(first->grab().save(ScreenshotFolder() + QStringLiteral("/lesson-list.png")));
    first->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    QTRY_VERIFY(first.isNull());
    EXPECT_TRUE(second->isVisible());
    second->close();
    QTRY_VERIFY(second.isNull());
}

} // namespace
} // namespace lingomat::testing
