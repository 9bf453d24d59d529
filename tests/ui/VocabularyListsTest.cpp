#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ListDialogTestSupport.h"
#include "UiTestSupport.h"
#include "matching/AccentEscapes.h"
#include "matching/AnswerForms.h"
#include "ui/ErrorFileCommands.h"
#include "ui/ErrorListDialog.h"
#include "ui/LessonCountDialog.h"
#include "ui/ListCommands.h"
#include "ui/RemainingQuestionsDialog.h"

namespace lingomat::testing {
namespace {

QStringList Rows(const QTreeWidget* list) {
    QStringList rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        rows.append(RowTexts(list, row).join(QLatin1Char('|')));
    }
    return rows;
}

QStringList Utf16(std::initializer_list<const char16_t*> texts) {
    QStringList list;
    for (const char16_t* text : texts) {
        list.append(QString::fromUtf16(text));
    }
    return list;
}

// Lesson "1" also takes in the record of lesson "13"; a German text with a leading slash is no
// German word of its lesson, and an empty column still counts in its language's total.
const std::vector<TestLesson> kCountLessons = {{"Tiere", "1"}, {"K\"uche", "2"}, {"Extra", "13"}};
const std::vector<TestRecord> kCountRecords = {
    {"1", "le chien", "the dog", "der Hund"},
    {"13", "le chat", "/the cat /the kitty", "die Katze"},
    {"2", "", "the house", "/das Haus /das Heim"},
    {"2", "la casserole", "the pot", "der Topf"},
};

TEST(WordsPerLessonTest, CountsLessonsThenTotals) {
    const struct {
        const char* dataSet;
        QStringList rows;
    } cases[] = {
        {"lingomat.voc",
         Utf16({u"Tiere|2", u"K\u00fcche|1", u"Extra|1", u"Total Deutsch|3", u"Total Englisch|3",
                u"Total Franz\u00f6sisch|4", u"Total Vok List|4"})},
        {"spantheme.voc",
         Utf16({u"Tiere|2", u"K\u00fcche|1", u"Extra|1", u"Total Deutsch|3", u"Total Spanisch|3",
                u"Total Vok List|4"})},
    };
    for (const auto& c : cases) {
        ListDocument document(kCountLessons, kCountRecords, c.dataSet);
        LessonCountDialog dialog(*document);
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("countList"));
        EXPECT_EQ(Rows(list), c.rows) << c.dataSet;
        EXPECT_EQ(Headers(list), (QStringList{QStringLiteral("Lektion"), QStringLiteral("Vokabeln")}));
        EXPECT_EQ(list->columnWidth(0), 300);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Output Dialog"));
    }
}

const std::vector<TestLesson> kGameLessons = {{"Alles", "1"}};
const std::vector<TestRecord> kGameRecords = {
    {"1", "le chien", "the dog", "der Hund"},
    {"1", "la m\\`ere", "the mother", "die Mutter"},
    {"1", "/la rue /la route", "the street", "die Stra\\3e"},
};

// A started write game without verdict pauses; wrong answers repeat the word at once.
class ListGameTest : public ::testing::Test {
protected:
    ListGameTest() : document(kGameLessons, kGameRecords) {
        document->correcting = false;
        document->correctionOptions.repeatAtOnce = true;
        document->questionLanguage = LanguageGerman;
        document->answerLanguage = LanguageFrench;
        StartAllLessons(*document);
    }
    void Answer(const std::string& typed) {
        document->typedAnswer = typed;
        document->CheckTypedAnswer();
    }

    ListDocument document;
};

TEST_F(ListGameTest, RemainingQuestionsListEveryQuestionInPoolOrder) {
    RemainingQuestionsDialog dialog(*document);
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("questionList"));
    EXPECT_EQ(Headers(list), (QStringList{QStringLiteral("Frage"), QStringLiteral("Antwort")}));
    QStringList expected;
    for (const Question& question : document->pool.Questions()) {
        expected.append(ToQString(question.questionText));
    }
    EXPECT_EQ(ColumnTexts(list, 0), expected);
    EXPECT_TRUE(ColumnTexts(list, 1).contains(QStringLiteral("la m\u00e8re")));
    EXPECT_TRUE(ColumnTexts(list, 1).contains(QStringLiteral("la rue, la route")));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("countLabel"))->text(),
              QStringLiteral("Es sind noch 3 Fragen zu beantworten."));
}

// Two wrong answers put the asked word three times into the pool. Whichever copy is asked when
// the duplicates go, the same word stays asked and the game goes on with it.
TEST(RemainingQuestionsTest, RemovingDuplicatesKeepsTheAskedWordAndTheGame) {
    for (std::size_t advance : {0u, 1u, 2u, 3u, 4u}) {
        ListDocument fresh(kGameLessons, kGameRecords);
        CLingomatDoc& doc = *fresh;
        doc.correcting = false;
        doc.correctionOptions.repeatAtOnce = true;
        StartAllLessons(doc);
        doc.typedAnswer = "falsch";
        doc.CheckTypedAnswer();
        doc.typedAnswer = "falsch";
        doc.CheckTypedAnswer();
        ASSERT_EQ(doc.pool.Size(), 5u);
        doc.pool.Advance(advance);
        const VocEntry* asked = doc.pool.Current()->entry;

        RemainingQuestionsDialog dialog(doc);
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("countLabel"));
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("questionList"));
        EXPECT_EQ(label->text(), QStringLiteral("Es sind noch 5 Fragen zu beantworten."));
        dialog.findChild<QPushButton*>(QStringLiteral("removeDuplicatesButton"))->click();
        EXPECT_EQ(label->text(), QStringLiteral("Es sind noch 3 Fragen zu beantworten."))
            << advance;
        EXPECT_EQ(list->topLevelItemCount(), 3);
        QStringList questions = ColumnTexts(list, 0);
        EXPECT_EQ(questions.removeDuplicates(), 0) << advance;

        ASSERT_NE(doc.pool.Current(), nullptr);
        EXPECT_LT(doc.pool.CurrentIndex(), doc.pool.Size());
        EXPECT_EQ(doc.pool.Current()->entry, asked) << advance;
        doc.typedAnswer = DecodeAccents(FormAt(asked->Text(doc.answerLanguage), 0, doc.random));
        doc.CheckTypedAnswer();
        EXPECT_EQ(doc.rightCount, 1u) << advance;
        EXPECT_EQ(doc.pool.Size(), 2u);
        EXPECT_FALSE(doc.gameOver);
    }
}

TEST_F(ListGameTest, ErrorListShowsTheWrongWordsWithTheirCounts) {
    const auto open = [&] {
        ErrorListDialog dialog(*document);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Fehler Liste"));
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("errorList"));
        EXPECT_EQ(Headers(list), (QStringList{QStringLiteral("Anzahl der Fehler"),
                                              QStringLiteral("Frage"), QStringLiteral("Antwort")}));
        return Rows(list);
    };
    EXPECT_EQ(open(), QStringList());

    document->vocabulary[2].errorCount = 2;
    document->vocabulary[1].errorCount = 1;
    EXPECT_EQ(open(), Utf16({u"1|die Mutter|la m\u00e8re", u"2|die Stra\u00dfe|la rue, la route"}));
}

// In a game from an error file the mistakes count on the file's records, and the list shows
// them as well.
TEST_F(ListGameTest, ErrorListShowsMistakesOfAnErrorFileGame) {
    document->vocabulary[1].errorCount = 1;
    const std::string file = document.folder.File("fehler.lef");
    ASSERT_TRUE(WriteErrorFile(*document, nullptr, QString::fromStdString(file)));
    ASSERT_TRUE(PlayErrorFile(*document, nullptr, QString::fromStdString(file)));
    document->correcting = false;
    ASSERT_EQ(document->pool.Size(), 1u);
    Answer("falsch");
    ErrorListDialog dialog(*document);
    EXPECT_EQ(Rows(dialog.findChild<QTreeWidget*>(QStringLiteral("errorList"))),
              Utf16({u"1|die Mutter|la m\u00e8re"}));
}

TEST(ListPicturesTest, ModalListsOpenFromTheirCommands) {
    uitest::GameDocument game;
    StartAllLessons(game.document);
    game.document.pool.Current()->entry->errorCount = 2;
    const struct {
        const char* picture;
        std::function<void()> command;
    } lists[] = {
        {"remaining-questions", [&] { ShowRemainingQuestions(game.document, nullptr); }},
        {"error-list", [&] { ShowErrorList(game.document, nullptr); }},
        {"words-per-lesson", [&] { ShowWordsPerLesson(game.document, nullptr); }},
    };
    for (const auto& list : lists) {
        int rows = 0;
        OnModal<QDialog> modal([&](QDialog& dialog) {
            rows = dialog.findChild<QTreeWidget*>()->topLevelItemCount();
            EXPECT_TRUE(dialog.grab().save(ScreenshotFolder() + QStringLiteral("/") +
                                           QString::fromLatin1(list.picture) +
                                           QStringLiteral(".png")));
        });
        list.command();
        EXPECT_TRUE(modal.seen) << list.picture;
        EXPECT_GT(rows, 0) << list.picture;
    }
}

} // namespace
} // namespace lingomat::testing
