#include <QLabel>
#include <QPushButton>

#include "ListDialogTestSupport.h"
#include "matching/AccentEscapes.h"
#include "matching/AnswerForms.h"
#include "ui/ErrorFileCommands.h"
#include "ui/ErrorListDialog.h"
#include "ui/LessonCountDialog.h"
#include "ui/RemainingQuestionsDialog.h"

namespace lingomat::testing {
namespace {

QString Rows(const QTreeWidget* list) {
    QStringList rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        rows.append(RowTexts(list, row).join(u':'));
    }
    return rows.join(u'|');
}

// Lesson "1" also takes in the record of lesson "13"; a German text with a leading slash is no
// German word of its lesson, and an empty column still counts in its language's total.
TEST(WordsPerLessonTest, CountsLessonsThenTotals) {
    const struct {
        const char* dataSet;
        QString totals;
    } cases[] = {
        {"lingomat.voc", u"Total Deutsch:3|Total Englisch:3|Total Franz\u00f6sisch:4"_s},
        {"spantheme.voc", u"Total Deutsch:3|Total Spanisch:3"_s},
    };
    for (const auto& c : cases) {
        ListDocument document({{"Tiere", "1"}, {"K\"uche", "2"}, {"Extra", "13"}},
                              {{"1", "le chien", "the dog", "der Hund"},
                               {"13", "le chat", "/the cat /the kitty", "die Katze"},
                               {"2", "", "the house", "/das Haus /das Heim"},
                               {"2", "la casserole", "the pot", "der Topf"}},
                              c.dataSet);
        LessonCountDialog dialog(*document);
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("countList"));
        EXPECT_EQ(Rows(list), u"Tiere:2|K\u00fcche:1|Extra:1|"_s + c.totals +
                                  u"|Total Vok List:4"_s)
            << c.dataSet;
        EXPECT_EQ(Headers(list), u"Lektion|Vokabeln"_s);
        dialog.grab().save(ScreenshotFolder() + u"/words-per-lesson-"_s +
                           QString::fromLatin1(c.dataSet) + u".png"_s);
    }
}

// A started write game on three words without verdict pauses; a wrong answer repeats the word
// at once.
class ListGame {
public:
    ListGame()
        : document({{"Alles", "1"}}, {{"1", "le chien", "the dog", "der Hund"},
                                      {"1", "la m\\`ere", "the mother", "die Mutter"},
                                      {"1", "/la rue /la route", "the street", "die Stra\\3e"}}) {
        document->correcting = false;
        document->correctionOptions.repeatAtOnce = true;
        document->answerLanguage = LanguageFrench;
        StartAllLessons(*document);
    }
    void Answer(const std::string& typed) {
        document->typedAnswer = typed;
        document->CheckTypedAnswer();
    }
    ListDocument document;
};

// Two wrong answers put the asked word three times into the pool. Whichever copy is asked when
// the duplicates go, the same word stays asked and the game goes on with it.
TEST(RemainingQuestionsTest, RemovingDuplicatesKeepsTheAskedWordAndTheGame) {
    for (std::size_t advance = 0; advance < 5; ++advance) {
        ListGame game;
        CLingomatDoc& doc = *game.document;
        game.Answer("falsch");
        game.Answer("falsch");
        doc.pool.Advance(advance);
        const VocEntry* asked = doc.pool.Current()->entry;

        RemainingQuestionsDialog dialog(doc);
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("countLabel"));
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("questionList"));
        EXPECT_EQ(label->text(), u"Es sind noch 5 Fragen zu beantworten."_s);
        dialog.grab().save(ScreenshotFolder() + u"/remaining-questions.png"_s);
        dialog.findChild<QPushButton*>(QStringLiteral("removeDuplicatesButton"))->click();
        EXPECT_EQ(label->text(), u"Es sind noch 3 Fragen zu beantworten."_s) << advance;
        QStringList rows = Rows(list).split(u'|');
        EXPECT_EQ(rows.removeDuplicates(), 0);
        EXPECT_EQ(rows.size(), 3);
        EXPECT_TRUE(rows.contains(u"die Stra\u00dfe:la rue, la route"_s));
        EXPECT_TRUE(rows.contains(u"die Mutter:la m\u00e8re"_s));

        ASSERT_NE(doc.pool.Current(), nullptr);
        EXPECT_EQ(doc.pool.Current()->entry, asked) << advance;
        game.Answer(DecodeAccents(FormAt(asked->Text(doc.answerLanguage), 0, doc.random)));
        EXPECT_EQ(doc.rightCount, 1u) << advance;
        EXPECT_EQ(doc.pool.Size(), 2u);
    }
}

TEST(ErrorListTest, ShowsTheWrongWordsWithTheirCounts) {
    ListGame game;
    const auto shown = [&] {
        ErrorListDialog dialog(*game.document);
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("errorList"));
        EXPECT_EQ(Headers(list), u"Anzahl der Fehler|Frage|Antwort"_s);
        dialog.grab().save(ScreenshotFolder() + u"/error-list.png"_s);
        return Rows(list);
    };
    EXPECT_EQ(shown(), QString());
    game.document->vocabulary[2].errorCount = 2;
    game.document->vocabulary[1].errorCount = 1;
    EXPECT_EQ(shown(), u"1:die Mutter:la m\u00e8re|2:die Stra\u00dfe:la rue, la route"_s);

    // In a game from an error file the mistakes count on the file's records.
    const QString file = QString::fromStdString(game.document.folder.File("fehler.lef"));
    game.document->vocabulary[2].errorCount = 0;
    ASSERT_TRUE(WriteErrorFile(*game.document, nullptr, file));
    ASSERT_TRUE(PlayErrorFile(*game.document, nullptr, file));
    game.Answer("falsch");
    EXPECT_EQ(shown(), u"1:die Mutter:la m\u00e8re"_s);
}

} // namespace
} // namespace lingomat::testing
