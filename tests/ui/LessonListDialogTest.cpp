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

// Two stored names hold accent escapes; code "1" is part of "13", so lesson "1" takes in the
// records of lesson "13" as well.
TEST(LessonListTest, FindsEachLessonByItsShownName) {
    ListDocument document({{"Tiere", "1"}, {"K\\\"uche", "2"}, {"Gem\"use", "13"}, {"Leer", "9"}},
                          {{"1", "le chien", "the dog", "der Hund"},
                           {"2", "la casserole", "the pot", "der Topf"},
                           {"13", "la carotte", "the carrot", "die M\\\"ohre"},
                           {"1", "le chat", "the cat", "die Katze"}});
    LessonListDialog dialog(*document);
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("lessonCombo"));
    auto* records = dialog.findChild<QTreeWidget*>(QStringLiteral("recordList"));
    EXPECT_EQ(Headers(records), u"Deutsch|Englisch|Franz\u00f6sisch"_s);
    // Sorted, and the first is listed at once.
    const struct {
        QString lesson;
        QString german;
    } cases[] = {
        {u"Gem\u00fcse"_s, u"die M\u00f6hre"_s},
        {u"K\u00fcche"_s, u"der Topf"_s},
        {u"Leer"_s, u""_s},
        {u"Tiere"_s, u"der Hund|die M\u00f6hre|die Katze"_s},
    };
    for (int i = 0; i < 4; ++i) {
        combo->setCurrentIndex(i);
        EXPECT_EQ(combo->currentText(), cases[i].lesson);
        EXPECT_EQ(ColumnTexts(records, 0).join(u'|'), cases[i].german) << i;
    }
}

TEST(LessonListTest, CommandOpensModelessWindowsThatFreeThemselves) {
    uitest::GameDocument game;
    QPointer<LessonListDialog> first = ShowLessonLists(game.document, nullptr);
    QPointer<LessonListDialog> second = ShowLessonLists(game.document, nullptr);
    ASSERT_TRUE(first && second && first != second);
    EXPECT_FALSE(first->isModal());
    EXPECT_GT(first->findChild<QTreeWidget*>()->topLevelItemCount(), 0);
    EXPECT_TRUE(first->grab().save(ScreenshotFolder() + QStringLiteral("/lesson-list.png")));
    first->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    QTRY_VERIFY(first.isNull());
    EXPECT_TRUE(second->isVisible());
    second->close();
    QTRY_VERIFY(second.isNull());
}

} // namespace
} // namespace lingomat::testing
