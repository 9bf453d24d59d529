#include <fstream>
#include <tuple>

#include "UiTestSupport.h"
#include "matching/AccentEscapes.h"
#include "matching/AnswerForms.h"
#include "ui/ErrorFileCommands.h"
#include "ui/ErrorListDialog.h"
#include "ui/LessonCountDialog.h"
#include "ui/LessonListDialog.h"
#include "ui/MainFrame.h"
#include "screen/LingomatView.h"
#include "ui/ListCommands.h"
#include "ui/RemainingQuestionsDialog.h"
#include "ui/VocabularyListView.h"
#include "ui/VocabularySearchDialog.h"

namespace lingomat::testing {
namespace {

// A lesson game on every lesson.
void StartAllLessons(CLingomatDoc& doc) {
    for (LessonEntry& lesson : doc.lessonTable.lessons) {
        lesson.selected = true;
    }
    doc.lessonTable.selectedLessonCount = static_cast<std::int32_t>(doc.lessonTable.lessons.size());
    doc.StartGame();
}

// The texts of one column, top to bottom.
QStringList ColumnTexts(const QTreeWidget* list, int column) {
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        texts.append(list->topLevelItem(row)->text(column));
    }
    return texts;
}

QString Rows(const QTreeWidget* list) {
    QStringList rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        rows.append(RowTexts(list, row).join(u':'));
    }
    return rows.join(u'|');
}

// Two stored names hold accent escapes; code "1" is part of "13", so lesson "1" takes in the
// record of lesson "13" as well. The words per lesson leave out a German text with a leading
// slash, and an empty column still counts in its language's total. The lesson list is sorted,
// the first lesson listed at once.
TEST(LessonListsTest, CountWordsPerLessonAndListEachLessonsRecords) {
    const std::vector<TestLesson> lessons = {
        {"Tiere", "1"}, {"K\\\"uche", "2"}, {"Gem\"use", "13"}, {"Leer", "9"}};
    const std::vector<TestRecord> records = {
        {"1", "le chien", "the dog", "der Hund"},
        {"13", "la carotte", "/the carrot /the root", "die M\\\"ohre"},
        {"2", "", "the house", "/das Haus /das Heim"},
        {"2", "la casserole", "the pot", "der Topf"}};
    for (const auto& [dataSet, totals] :
         {std::pair{"lingomat.voc", u"Total Deutsch:3|Total Englisch:3|Total Franz\u00f6sisch:4"_s},
          std::pair{"spantheme.voc", u"Total Deutsch:3|Total Spanisch:3"_s}}) {
        TestDocument document(lessons, records, dataSet);
        LessonCountDialog count(*document);
        EXPECT_EQ(Rows(Find<QTreeWidget>(count, "countList")),
                  u"Tiere:2|K\u00fcche:1|Gem\u00fcse:1|Leer:0|"_s + totals +
                      u"|Vokabeln insgesamt:4"_s)
            << dataSet;
        SaveShot(count, u"words-per-lesson-"_s + QString::fromLatin1(dataSet));
        LessonListDialog list(*document);
        auto* combo = Find<QComboBox>(list, "lessonCombo");
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i) {
            combo->setCurrentIndex(i);
            shown << combo->currentText() + u':' +
                         ColumnTexts(Find<QTreeWidget>(list, "recordList"), 0).join(u'|');
        }
        EXPECT_EQ(shown.join(u' '), u"Gem\u00fcse:die M\u00f6hre K\u00fcche:das Haus, das Heim|der "
                                    u"Topf Leer: Tiere:der Hund|die M\u00f6hre"_s);
    }
}

// A started German to French write game on three words without verdict pauses; a wrong answer
// repeats the word at once.
class ListGame : public ::testing::Test {
protected:
    ListGame() {
        WithoutPause(*document);
        WithCorrections(*document, [&](CorrectionOptions& o) { o.repeatAtOnce = true; });
        document->answerLanguage = LanguageFrench;
        StartAllLessons(*document);
    }
    void Answer(const std::string& typed) {
        document->TypeAnswer(typed);
        document->CheckTypedAnswer();
    }
    QString File(const std::string& name) {
        return QString::fromStdString(document.folder.File(name));
    }

    TestDocument document{{{"Alles", "1"}},
                          {{"1", "le chien", "the dog", "der Hund"},
                           {"1", "la m\\`ere", "the mother", "die Mutter"},
                           {"1", "/la rue /la route", "the street", "die Stra\\3e"}}};
};

// Two wrong answers put the asked word three times into the pool. Whichever copy is asked when
// the duplicates go, the same word stays asked and the game goes on with it.
TEST_F(ListGame, RemovingDuplicatesKeepsTheAskedWordAndTheGame) {
    for (std::size_t advance = 0; advance < 5; ++advance) {
        document->OnNewDocument();
        StartAllLessons(*document);
        CLingomatDoc& doc = *document;
        Answer("falsch");
        Answer("falsch");
        doc.pool.Advance(advance);
        const VocEntry* asked = doc.pool.Current()->entry;

        RemainingQuestionsDialog dialog(doc);
        auto* label = Find<QLabel>(dialog, "countLabel");
        auto* list = Find<QTreeWidget>(dialog, "questionList");
        EXPECT_EQ(label->text(), u"Es sind noch 5 Fragen zu beantworten."_s);
        SaveShot(dialog, "remaining-questions");
        Find<QPushButton>(dialog, "removeDuplicatesButton")->click();
        EXPECT_EQ(label->text(), u"Es sind noch 3 Fragen zu beantworten."_s) << advance;
        QStringList rows = Rows(list).split(u'|');
        rows.sort();
        EXPECT_EQ(rows.join(u'|'),
                  u"der Hund:le chien|die Mutter:la m\u00e8re|die Stra\u00dfe:la rue, la route"_s);

        ASSERT_NE(doc.pool.Current(), nullptr);
        EXPECT_EQ(doc.pool.Current()->entry, asked) << advance;
        Answer(DecodeAccents(FormAt(asked->Text(doc.answerLanguage), 0, DocProbe::Dice(doc))));
        EXPECT_EQ(doc.RightCount(), 1u) << advance;
        EXPECT_EQ(doc.pool.Size(), 2u);
    }
}

TEST_F(ListGame, ErrorListShowsTheWrongWordsWithTheirCounts) {
    const auto shown = [&] {
        ErrorListDialog dialog(*document);
        auto* list = Find<QTreeWidget>(dialog, "errorList");
        // With room to spare every column shows its whole content.
        dialog.show();
        QApplication::processEvents();
        for (int column = 0; column < list->columnCount(); ++column) {
            EXPECT_GE(list->columnWidth(column),
                      static_cast<QAbstractItemView*>(list)->sizeHintForColumn(column))
                << column;
            EXPECT_GE(list->columnWidth(column), list->header()->sectionSizeHint(column)) << column;
        }
        SaveShot(dialog, "error-list");
        return Rows(list);
    };
    EXPECT_EQ(shown(), QString());
    document->vocabulary[2].errorCount = 2;
    document->vocabulary[1].errorCount = 1;
    EXPECT_EQ(shown(), u"1:die Mutter:la m\u00e8re|2:die Stra\u00dfe:la rue, la route"_s);

    // In a game from an error file the mistakes count on the file's records.
    const QString file = File("fehler.lef");
    document->vocabulary[2].errorCount = 0;
    ASSERT_TRUE(WriteErrorFile(*document, nullptr, file));
    ASSERT_TRUE(PlayErrorFile(*document, nullptr, file));
    Answer("falsch");
    EXPECT_EQ(shown(), u"1:die Mutter:la m\u00e8re"_s);
}

// The menu's commands: both file dialogs open in the game's folder, also when that is the folder
// the game was started in; the suggested name is the game's title as the player reads it, made
// fit for a file name.
TEST_F(ListGame, ErrorFileMenuWritesInTheGameFolderWhatIsPlayedBack) {
    document->vocabulary[1].errorCount = 3;
    document->vocabulary[2].errorCount = 1;
    document->SetTitle("K\\\"uche/Bad: alt");
    const QString folder =
        QDir(QString::fromStdString(document.folder.Path().string())).absolutePath();
    document.host.answers.assign(8, MessageAnswer::Yes);
    CMainFrame frame(*document);
    frame.View()->SetHost(&document.host);
    Answers answers;
    answers.Choose(File("meine-fehler.lef")).Choose(File("meine-fehler.lef"));
    frame.Action(CommandSaveErrorFile)->trigger();
    ASSERT_EQ(answers.choosers.size(), 1u);
    EXPECT_TRUE(answers.choosers[0].save);
    EXPECT_EQ(answers.choosers[0].folder, folder);
    EXPECT_EQ(answers.choosers[0].suggestedName, u"K\u00fcche-Bad- alt.lef"_s);
    EXPECT_EQ(ReadText(document.folder.File("meine-fehler.lef")),
              "0\r\n2\r\ndie Mutter\r\nthe mother\r\nla m\\`ere\r\n"
              "die Stra\\3e\r\nthe street\r\n/la rue /la route\r\n");
    document->ChooseGame(GameModeChoiceOtherLessons, document->questionLanguage,
                         document->answerLanguage);
    frame.Action(CommandOpenErrorFile)->trigger();
    ASSERT_EQ(answers.choosers.size(), 2u);
    EXPECT_FALSE(answers.choosers[1].save);
    EXPECT_EQ(answers.choosers[1].folder, folder);
    EXPECT_EQ(document->Mode(), GameModeWrite);
    EXPECT_EQ(document->answerLanguage, LanguageFrench);
    EXPECT_EQ(document->pool.Size(), 2u);
    EXPECT_TRUE(frame.View()->TimerRunning(CLingomatView::ClockTimer));

    // A game started in its folder knows no path of its own; the chooser opens there all the same.
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder);
    CLingomatDoc startedHere(document.host, document.profile, document.clock);
    EXPECT_FALSE(PlayErrorFile(startedHere, nullptr, QString()));
    QDir::setCurrent(before);
    ASSERT_EQ(answers.choosers.size(), 3u);
    EXPECT_EQ(answers.choosers[2].folder, folder);
}

// Failures are told in a German message box and never count as done; the running game stays.
TEST_F(ListGame, ErrorFileFailuresAreToldAndChangeNothing) {
    // written or read, the path, the message before it
    const std::tuple<bool, QString, QString> cases[] = {
        {true, File("kein-ordner/f.lef"), u"Die Fehlerdatei konnte nicht geschrieben werden: "_s},
        {true, File(""), u"Die Fehlerdatei konnte nicht geschrieben werden: "_s},
        {false, File("fehlt.lef"), u"Die Fehlerdatei konnte nicht gelesen werden: "_s},
        {false, File(""), u"Die Fehlerdatei konnte nicht gelesen werden: "_s},
        {false, File("tipps.txt"), u"Die Datei enth\u00e4lt keine Fragen einer Fehlerdatei: "_s},
    };
    std::ofstream(document.folder.File("tipps.txt")) << "Ein Tipp\nNoch ein Tipp\n";
    const std::size_t questions = document->pool.Size();
    for (const auto& [write, path, message] : cases) {
        Answers answers;
        EXPECT_FALSE(write ? WriteErrorFile(*document, nullptr, path)
                           : PlayErrorFile(*document, nullptr, path));
        EXPECT_EQ(answers.Texts(), QStringList{message + path});
        EXPECT_EQ(document->pool.Size(), questions);
    }
}

// lesson, French, English, German; accents both as escapes and as Windows-1252 letters.
const std::vector<TestRecord> kRecords = {
    {"1", "la rue", "the street", "die Stra\337e"},
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

// The German words found in the given choice of languages.
QStringList Search(CLingomatDoc& doc, int choice, const QString& typed) {
    VocabularySearchDialog dialog(doc);
    dialog.show();
    Find<QComboBox>(dialog, "languageCombo")->setCurrentIndex(choice);
    auto* edit = Find<QLineEdit>(dialog, "searchEdit");
    Type(edit, typed);
    const QStringList german = ColumnTexts(dialog.findChild<QTreeWidget*>(), 0);
    // Enter searches again and keeps the window and the text.
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(edit->text(), typed);
    EXPECT_EQ(ColumnTexts(dialog.findChild<QTreeWidget*>(), 0), german);
    return german;
}

// Letter case, accents and ß against ss make no difference on either side; a Spanish data set
// searches its Spanish column under its name.
TEST(SearchTest, FindsWhateverTheCaseAndAccentsAndEnterKeepsTheWindow) {
    TestDocument document({{"Eins", "1"}, {"Zwei", "2"}}, kRecords);
    TestDocument spanish({{"Eins", "1"}}, kRecords, "spain.voc");
    // in the Spanish data set, what is typed, the choice of languages, the German words found
    const std::tuple<bool, const char16_t*, int, QString> cases[] = {
        {false, u"hau", 0, u"das Haus|hei\u00df"_s},
        {false, u"hau", 1, u"das Haus"_s},
        {false, u"HAU", 3, u"hei\u00df"_s},
        {false, u"\u00df", 0, u"die Stra\u00dfe|das Schlo\u00df|hei\u00df"_s},
        {false, u"strasse", 1, u"die Stra\u00dfe"_s},
        {false, u"\u00c9L\u00c8VE", 3, u"der Sch\u00fcler"_s},
        {false, u"fran\u00e7ais", 3, u"Franz\u00f6sisch"_s},
        {false, u"\u00c9T\u00c9", 0, u"der Sommer"_s},
        {false, u"the", 2, u"die Stra\u00dfe|das Haus"_s},
        {true, u"house", 2, u"das Haus"_s},
    };
    for (const auto& [inSpanish, typed, choice, german] : cases) {
        const QString text = QString::fromUtf16(typed);
        EXPECT_EQ(Search(inSpanish ? *spanish : *document, choice, text).join(u'|'), german)
            << text.toStdString() << " choice " << choice;
    }
    // Every column of a row is shown decoded.
    VocabularySearchDialog dialog(*document);
    Type(Find<QLineEdit>(dialog, "searchEdit"), u"francais"_s);
    EXPECT_EQ(RowTexts(dialog.findChild<QTreeWidget*>(), 0).join(u'|'),
              u"Franz\u00f6sisch|French|fran\u00e7ais"_s);
    VocabularySearchDialog inSpanish(*spanish);
    EXPECT_EQ(Find<QComboBox>(inSpanish, "languageCombo")->itemText(2), u"Nur in Spanisch"_s);
    EXPECT_EQ(inSpanish.findChild<QTreeWidget*>()->headerItem()->text(1), u"Spanisch"_s);
}

TEST(SearchTest, ShowsAtMostFiveHundredRowsInVocabularyOrder) {
    std::vector<TestRecord> records;
    for (int i = 1; i <= 620; ++i) {
        records.push_back({"1", "mot", "word", "Wort " + std::to_string(i)});
    }
    TestDocument document({{"Alles", "1"}}, records);
    const QStringList all = Search(*document, 0, QStringLiteral("wort"));
    ASSERT_EQ(all.size(), VocabularySearchDialog::MaxRows);
    EXPECT_EQ(all.back(), QStringLiteral("Wort 500"));
    EXPECT_EQ(Search(*document, 0, QStringLiteral("wort 620")), QStringList{u"Wort 620"_s});
}

// Each command opens a window of its own with its own contents; its button or Escape closes and
// frees it. A search window stands off the one before, carries the game's icon and never outlives
// the window that owns the document.
TEST(ListCommandsTest, OpenModelessWindowsThatGoWhenClosedOrOrphaned) {
    GameDocument game;
    auto frame = std::make_unique<QWidget>();
    frame->setWindowIcon(QIcon(u"images/lingomat-32.png"_s));
    QPointer<VocabularySearchDialog> first = ShowSearch(game.document, frame.get());
    QPointer<VocabularySearchDialog> second = ShowSearch(game.document, frame.get());
    QPointer<LessonListDialog> lessons = ShowLessonLists(game.document, nullptr);
    QPointer<LessonListDialog> moreLessons = ShowLessonLists(game.document, nullptr);
    ASSERT_TRUE(first && second && first != second && lessons && moreLessons &&
                lessons != moreLessons);
    EXPECT_FALSE(first->isModal());
    EXPECT_FALSE(lessons->isModal());
    EXPECT_EQ(first->parentWidget(), nullptr);
    EXPECT_EQ(second->pos(), first->pos() + QPoint(30, 30));
    EXPECT_EQ(second->windowIcon().cacheKey(), frame->windowIcon().cacheKey());
    Type(first->findChild<QLineEdit*>(), QStringLiteral("haus"));
    Type(second->findChild<QLineEdit*>(), QStringLiteral("xyzzy"));
    EXPECT_GT(first->findChild<QTreeWidget*>()->topLevelItemCount(), 0);
    EXPECT_EQ(second->findChild<QTreeWidget*>()->topLevelItemCount(), 0);
    EXPECT_GT(lessons->findChild<QTreeWidget*>()->topLevelItemCount(), 0);
    SaveShot(*first, "vocabulary-search");
    SaveShot(*lessons, "lesson-list");

    ClickButton(*first, "leaveButton");
    ClickButton(*lessons, "okButton");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull() && lessons.isNull());
    EXPECT_TRUE(moreLessons->isVisible());
    QTest::keyClick(second.data(), Qt::Key_Escape);
    moreLessons->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull() && moreLessons.isNull());
    QPointer<VocabularySearchDialog> orphan = ShowSearch(game.document, frame.get());
    frame.reset();
    EXPECT_TRUE(orphan.isNull());
}

} // namespace
} // namespace lingomat::testing
