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
    {"1", "le ch\\^ateau", "the castle", "das Schlo\\3"},
    {"1", "l'\\'el\\`eve", "the pupil", "der Sch\"uler"},
    {"2", "fran$ais", "French", "Franz\\\"osisch"},
    {"2", "la maison", "the house", "das Haus"},
    {"2", "chaud", "hot", "hei\\ss"},
    {"2", "le toit", "the roof", "das Dach"},
    {"2", "\xC9t\xE9", "summer", "der Sommer"},
};

// Types like a player, one key at a time; QTest's own typing knows only ASCII keys.
void Type(QWidget* field, const QString& text) {
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
    }
}

class SearchTest : public ::testing::Test {
protected:
    explicit SearchTest(const std::string& dataSet = "lingomat.voc")
        : document({{"Eins", "1"}, {"Zwei", "2"}}, kRecords, dataSet) {}

    std::unique_ptr<VocabularySearchDialog> Open() {
        auto dialog = std::make_unique<VocabularySearchDialog>(*document);
        dialog->show();
        return dialog;
    }
    static QLineEdit* Edit(QDialog& dialog) {
        return dialog.findChild<QLineEdit*>(QStringLiteral("searchEdit"));
    }
    static QComboBox* Combo(QDialog& dialog) {
        return dialog.findChild<QComboBox*>(QStringLiteral("languageCombo"));
    }
    static QTreeWidget* Results(QDialog& dialog) {
        return dialog.findChild<QTreeWidget*>(QStringLiteral("resultList"));
    }

    ListDocument document;
};

TEST_F(SearchTest, OpensEmptyWithTheLanguageColumns) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Vokabeln suchen"));
    EXPECT_EQ(Headers(Results(*dialog)),
              (QStringList{QStringLiteral("Deutsch"), QStringLiteral("Englisch"),
                           QStringLiteral("Franz\u00f6sisch")}));
    EXPECT_EQ(Combo(*dialog)->currentText(), QStringLiteral("In allen Sprachen"));
    EXPECT_EQ(Combo(*dialog)->count(), 4);
    EXPECT_EQ(Results(*dialog)->topLevelItemCount(), 0);
}

// Letter case, accents and ß against ss make no difference on either side.
TEST_F(SearchTest, FindsWhateverTheCaseAndAccents) {
    struct Case {
        const char16_t* typed;
        int choice;
        std::vector<const char16_t*> german;
    };
    const Case cases[] = {
        {u"hau", 0, {u"das Haus", u"hei\u00df"}},
        {u"hau", 1, {u"das Haus"}},
        {u"HAU", 3, {u"hei\u00df"}},
        {u"\u00df", 0, {u"die Stra\u00dfe", u"das Schlo\u00df", u"hei\u00df"}},
        {u"strasse", 1, {u"die Stra\u00dfe"}},
        {u"schloss", 1, {u"das Schlo\u00df"}},
        {u"ch\u00e2teau", 0, {u"das Schlo\u00df"}},
        {u"chateau", 3, {u"das Schlo\u00df"}},
        {u"\u00c9L\u00c8VE", 3, {u"der Sch\u00fcler"}},
        {u"SCH\u00dcLER", 1, {u"der Sch\u00fcler"}},
        {u"schuler", 0, {u"der Sch\u00fcler"}},
        {u"fran\u00e7ais", 3, {u"Franz\u00f6sisch"}},
        {u"\u00e9t\u00e9", 3, {u"der Sommer"}},
        {u"\u00c9T\u00c9", 0, {u"der Sommer"}},
        {u"the", 1, {}},
        {u"the", 2,
         {u"die Stra\u00dfe", u"das Schlo\u00df", u"der Sch\u00fcler", u"das Haus", u"das Dach"}},
        {u"xyz", 0, {}},
    };
    for (const Case& c : cases) {
        auto dialog = Open();
        Combo(*dialog)->setCurrentIndex(c.choice);
        Type(Edit(*dialog), QString::fromUtf16(c.typed));
        QStringList expected;
        for (const char16_t* word : c.german) {
            expected.append(QString::fromUtf16(word));
        }
        EXPECT_EQ(ColumnTexts(Results(*dialog), 0), expected)
            << QString::fromUtf16(c.typed).toStdString() << " choice " << c.choice;
    }
}

TEST_F(SearchTest, RowsShowEveryLanguageDecoded) {
    auto dialog = Open();
    Type(Edit(*dialog), QStringLiteral("francais"));
    ASSERT_EQ(Results(*dialog)->topLevelItemCount(), 1);
    EXPECT_EQ(RowTexts(Results(*dialog), 0),
              (QStringList{QStringLiteral("Franz\u00f6sisch"), QStringLiteral("French"),
                           QStringLiteral("fran\u00e7ais")}));
}

TEST_F(SearchTest, EnterSearchesAndKeepsTheWindowAndTheText) {
    auto dialog = Open();
    Type(Edit(*dialog), QStringLiteral("haus"));
    QTest::keyClick(Edit(*dialog), Qt::Key_Return);
    QTest::keyClick(Edit(*dialog), Qt::Key_Enter);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Edit(*dialog)->text(), QStringLiteral("haus"));
    EXPECT_EQ(ColumnTexts(Results(*dialog), 0), QStringList{QStringLiteral("das Haus")});
}

TEST_F(SearchTest, ChangingTheLanguageSearchesAgain) {
    auto dialog = Open();
    Type(Edit(*dialog), QStringLiteral("ch"));
    const int everywhere = Results(*dialog)->topLevelItemCount();
    Combo(*dialog)->setCurrentIndex(VocabularySearchDialog::OnlyGerman);
    EXPECT_EQ(ColumnTexts(Results(*dialog), 0),
              (QStringList{QStringLiteral("das Schlo\u00df"), QStringLiteral("der Sch\u00fcler"),
                           QStringLiteral("Franz\u00f6sisch"), QStringLiteral("das Dach")}));
    EXPECT_EQ(everywhere, 5);
}

TEST_F(SearchTest, TwoWindowsKeepTheirOwnSearch) {
    auto first = Open();
    auto second = Open();
    Type(Edit(*first), QStringLiteral("haus"));
    Type(Edit(*second), QStringLiteral("dach"));
    EXPECT_EQ(ColumnTexts(Results(*first), 0), QStringList{QStringLiteral("das Haus")});
    EXPECT_EQ(ColumnTexts(Results(*second), 0), QStringList{QStringLiteral("das Dach")});
}

class SpanishSearchTest : public SearchTest {
protected:
    SpanishSearchTest() : SearchTest("spain.voc") {}
};

TEST_F(SpanishSearchTest, SearchesTheSpanishColumnUnderItsName) {
    auto dialog = Open();
    EXPECT_EQ(Headers(Results(*dialog)),
              (QStringList{QStringLiteral("Deutsch"), QStringLiteral("Spanisch")}));
    ASSERT_EQ(Combo(*dialog)->count(), 3);
    EXPECT_EQ(Combo(*dialog)->itemText(2), QStringLiteral("Nur in Spanisch"));
    Combo(*dialog)->setCurrentIndex(2);
    Type(Edit(*dialog), QStringLiteral("house"));
    ASSERT_EQ(Results(*dialog)->topLevelItemCount(), 1);
    EXPECT_EQ(RowTexts(Results(*dialog), 0),
              (QStringList{QStringLiteral("das Haus"), QStringLiteral("the house")}));
}

TEST(SearchLimitTest, ShowsAtMostFiveHundredRowsInVocabularyOrder) {
    std::vector<TestRecord> records;
    for (int i = 1; i <= 620; ++i) {
        records.push_back({"1", "mot", "word", "Wort " + std::to_string(i)});
    }
    ListDocument document({{"Alles", "1"}}, records);
    VocabularySearchDialog dialog(*document);
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("searchEdit"));
    auto* results = dialog.findChild<QTreeWidget*>(QStringLiteral("resultList"));
    Type(edit, QStringLiteral("wort"));
    ASSERT_EQ(results->topLevelItemCount(), VocabularySearchDialog::MaxRows);
    EXPECT_EQ(results->topLevelItem(0)->text(0), QStringLiteral("Wort 1"));
    EXPECT_EQ(results->topLevelItem(499)->text(0), QStringLiteral("Wort 500"));
    // Emptied again, the field matches every record, still 500 of them.
    edit->clear();
    EXPECT_EQ(results->topLevelItemCount(), VocabularySearchDialog::MaxRows);
    Type(edit, QStringLiteral("wort 620"));
    EXPECT_EQ(ColumnTexts(results, 0), QStringList{QStringLiteral("Wort 620")});
}

// The command opens a window of its own each time; closing frees it, and it never outlives the
// window that owns the document.
TEST(SearchCommandTest, OpensModelessWindowsThatGoWhenClosedOrOrphaned) {
    uitest::GameDocument game;
    auto frame = std::make_unique<QWidget>();
    QPointer<VocabularySearchDialog> first = ShowSearch(game.document, frame.get());
    QPointer<VocabularySearchDialog> second = ShowSearch(game.document, frame.get());
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.data(), second.data());
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(first->parentWidget(), nullptr);

    Type(first->findChild<QLineEdit*>(QStringLiteral("searchEdit")),
                     QStringLiteral("haus"));
    EXPECT_GT(first->findChild<QTreeWidget*>(QStringLiteral("resultList"))->topLevelItemCount(),
              0);
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
