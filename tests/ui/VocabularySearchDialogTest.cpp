#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "ListDialogTestSupport.h"
#include "UiTestSupport.h"
#include "ui/ListCommands.h"
#include "ui/VocabularySearchDialog.h"

namespace lingomat::testing {
namespace {

// lesson, French, English, German; accents both as escapes and as Windows-1252 letters.
const std::vector<TestRecord> kRecords = {
    {"1", "la rue", "the street", "die Stra\xDF" "e"},
    {"1", "le ch\\^ateau", "castle", "das Schlo\\3"},
    {"1", "l'\\'el\\`eve", "pupil", "der Sch\"uler"},
    {"2", "fran$ais", "French", "Franz\\\"osisch"},
    {"2", "la maison", "the house", "das Haus"},
    {"2", "chaud", "hot", "hei\\ss"},
    {"2", "\xC9t\xE9", "summer", "der Sommer"},
};

// Types like a player, one key at a time; QTest's own typing knows only ASCII keys.
void Type(QWidget* field, const QString& text) {
    for (const QChar character : text) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(field, &key);
        }
    }
}

QStringList Search(CLingomatDoc& doc, int choice, const QString& typed, QDialog** kept = nullptr) {
    auto* dialog = new VocabularySearchDialog(doc);
    dialog->show();
    dialog->findChild<QComboBox*>(QStringLiteral("languageCombo"))->setCurrentIndex(choice);
    Type(dialog->findChild<QLineEdit*>(QStringLiteral("searchEdit")), typed);
    const QStringList german = ColumnTexts(dialog->findChild<QTreeWidget*>(), 0);
    if (kept != nullptr) {
        *kept = dialog;
    } else {
        delete dialog;
    }
    return german;
}

// Letter case, accents and ß against ss make no difference on either side.
TEST(SearchTest, FindsWhateverTheCaseAndAccents) {
    ListDocument document({{"Eins", "1"}, {"Zwei", "2"}}, kRecords);
    const struct {
        const char16_t* typed;
        int choice;
        QString german;
    } cases[] = {
        {u"hau", 0, u"das Haus|hei\u00df"_s},  {u"hau", 1, u"das Haus"_s},
        {u"HAU", 3, u"hei\u00df"_s},
        {u"\u00df", 0, u"die Stra\u00dfe|das Schlo\u00df|hei\u00df"_s},
        {u"strasse", 1, u"die Stra\u00dfe"_s}, {u"ch\u00e2teau", 0, u"das Schlo\u00df"_s},
        {u"\u00c9L\u00c8VE", 3, u"der Sch\u00fcler"_s}, {u"SCHULER", 1, u"der Sch\u00fcler"_s},
        {u"fran\u00e7ais", 3, u"Franz\u00f6sisch"_s}, {u"\u00c9T\u00c9", 0, u"der Sommer"_s},
        {u"the", 1, u""_s},  {u"the", 2, u"die Stra\u00dfe|das Haus"_s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Search(*document, c.choice, QString::fromUtf16(c.typed)).join(u'|'), c.german)
            << QString::fromUtf16(c.typed).toStdString() << " choice " << c.choice;
    }
}

TEST(SearchTest, EnterSearchesAndKeepsTheWindowAndTheText) {
    ListDocument document({{"Eins", "1"}}, kRecords);
    QDialog* dialog = nullptr;
    Search(*document, 0, QStringLiteral("francais"), &dialog);
    std::unique_ptr<QDialog> owner(dialog);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("searchEdit"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(edit->text(), QStringLiteral("francais"));
    EXPECT_EQ(RowTexts(dialog->findChild<QTreeWidget*>(), 0).join(u'|'),
              u"Franz\u00f6sisch|French|fran\u00e7ais"_s);
}

TEST(SearchTest, SpanishDataSetSearchesTheSpanishColumnUnderItsName) {
    ListDocument document({{"Eins", "1"}}, kRecords, "spain.voc");
    VocabularySearchDialog dialog(*document);
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("languageCombo"));
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(2), QStringLiteral("Nur in Spanisch"));
    EXPECT_EQ(Headers(dialog.findChild<QTreeWidget*>()), u"Deutsch|Spanisch"_s);
    EXPECT_EQ(Search(*document, 2, QStringLiteral("house")), QStringList{u"das Haus"_s});
}

TEST(SearchTest, ShowsAtMostFiveHundredRowsInVocabularyOrder) {
    std::vector<TestRecord> records;
    for (int i = 1; i <= 620; ++i) {
        records.push_back({"1", "mot", "word", "Wort " + std::to_string(i)});
    }
    ListDocument document({{"Alles", "1"}}, records);
    const QStringList all = Search(*document, 0, QStringLiteral("wort"));
    ASSERT_EQ(all.size(), VocabularySearchDialog::MaxRows);
    EXPECT_EQ(all.back(), QStringLiteral("Wort 500"));
    EXPECT_EQ(Search(*document, 0, QStringLiteral("wort 620")), QStringList{u"Wort 620"_s});
}

// Each command opens a window of its own with its own search; closing frees it, and it never
// outlives the window that owns the document.
TEST(SearchTest, CommandOpensModelessWindowsThatGoWhenClosedOrOrphaned) {
    uitest::GameDocument game;
    auto frame = std::make_unique<QWidget>();
    QPointer<VocabularySearchDialog> first = ShowSearch(game.document, frame.get());
    QPointer<VocabularySearchDialog> second = ShowSearch(game.document, frame.get());
    ASSERT_TRUE(first && second && first != second);
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(first->parentWidget(), nullptr);
    Type(first->findChild<QLineEdit*>(), QStringLiteral("haus"));
    Type(second->findChild<QLineEdit*>(), QStringLiteral("xyzzy"));
    EXPECT_GT(first->findChild<QTreeWidget*>()->topLevelItemCount(), 0);
    EXPECT_EQ(second->findChild<QTreeWidget*>()->topLevelItemCount(), 0);
    EXPECT_TRUE(first->grab().save(ScreenshotFolder() + QStringLiteral("/vocabulary-search.png")));

    first->findChild<QPushButton*>(QStringLiteral("leaveButton"))->click();
    QTRY_VERIFY(first.isNull());
    QTest::keyClick(second.data(), Qt::Key_Escape);
    QTRY_VERIFY(second.isNull());
    QPointer<VocabularySearchDialog> orphan = ShowSearch(game.document, frame.get());
    frame.reset();
    EXPECT_TRUE(orphan.isNull());
}

} // namespace
} // namespace lingomat::testing
