#include <array>

#include "UiTestSupport.h"
#include "ui/GameTypeDialog.h"
#include "ui/LessonDialog.h"
#include "ui/ViewModeDialog.h"
#include "screen/LingomatView.h"

namespace lingomat::testing {
namespace {

const char16_t* const kBoth = u"Sie m\u00fcssen beide Sprachen ausw\u00e4hlen.";
const char16_t* const kDifferent =
    u"Sie m\u00fcssen zwei unterschiedliche Sprachen ausw\u00e4hlen.";
const char16_t* const kType = u"Sie m\u00fcssen eine Spielart w\u00e4hlen.";

// OK checks in order: both languages, two different ones, then the game type; a complete choice
// closes the dialog. The choice is reported as it stands; nothing is chosen when the dialog opens.
TEST(GameTypeDialog, OkChecksInOrderAndReportsTheChoice) {
    const struct {
        bool spanish;
        const char* clicks;                    // radios without their "Radio", separated by blanks
        const char16_t* message;               // nullptr: the dialog closes and reports the choice
        std::array<int, 3> choice{-1, -1, -1}; // question, answer, game type
    } cases[] = {
        {false, "", kBoth},
        {false, "questionGerman write", kBoth, {0, -1, 0}},
        {false, "answerFrench", kBoth, {-1, 2, -1}},
        {false, "questionGerman answerGerman", kDifferent, {0, 0, -1}},
        {false, "questionGerman answerEnglish", kType, {0, 1, -1}},
        {false, "questionGerman answerFrench write", nullptr, {0, 2, 0}},
        {false, "questionEnglish answerGerman choiceAlteredLetters", nullptr, {1, 0, 2}},
        {false, "questionFrench answerGerman view questionEnglish copy", nullptr, {1, 0, 3}},
        {true, "questionSpanish answerSpanish", kDifferent, {1, 1, -1}},
        {true, "questionSpanish answerGerman view", nullptr, {1, 0, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clicks);
        GameTypeDialog dialog(c.spanish);
        dialog.show();
        for (const QString& name : QString::fromLatin1(c.clicks).split(u' ', Qt::SkipEmptyParts)) {
            ClickButton(dialog, (name + u"Radio"_s).toLatin1().constData());
        }
        // Each variant offers German and its own languages, with their pictures.
        EXPECT_EQ(dialog.findChild<QWidget*>(u"answerEnglishRadio"_s) == nullptr, c.spanish);
        EXPECT_EQ(dialog.findChild<QWidget*>(u"answerSpanishRadio"_s) != nullptr, c.spanish);
        if (c.message == nullptr) {
            EXPECT_FALSE(Find<QLabel>(dialog, "questionGermanPicture")->pixmap().isNull());
            SaveShot(dialog, u"game-type-"_s + QString::number(&c - cases));
        }
        Answers answers;
        ClickButton(dialog, "okButton");
        EXPECT_EQ(dialog.isVisible(), c.message != nullptr);
        EXPECT_EQ(answers.Texts().join(u'|'), QString::fromUtf16(c.message ? c.message : u""));
        for (const auto& box : answers.boxes) {
            EXPECT_EQ(box.caption, c.message == kType ? u"Spielartwahl"_s : u"Richtungswahl"_s);
            EXPECT_EQ(box.icon, QMessageBox::Critical);
        }
        EXPECT_EQ(dialog.result(), c.message ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(
            (std::array{dialog.QuestionLanguage(), dialog.AnswerLanguage(), dialog.GameType()}),
            c.choice);
    }
}

// Over the game screen the settings button opens the chosen game type's dialog on the screen's
// document; writing has none, and a disabled button does not click.
TEST(GameTypeDialog, SettingsButtonFollowsTheGameTypeAndEditsTheGameScreensDocument) {
    GameDocument game;
    CLingomatView view(game.document);
    GameTypeDialog dialog(false, &view);
    dialog.show();
    auto* settings = Find<QAbstractButton>(dialog, "settingsButton");
    EXPECT_FALSE(settings->isEnabled());
    {
        Answers answers;
        answers.On<ViewModeDialog>([](ViewModeDialog& viewMode) {
            Find<QLineEdit>(viewMode, "timeAfterWordEdit")->setText(u"2.5"_s);
            ClickButton(viewMode, "okButton");
        });
        for (const auto& [radio, enabled] :
             {std::pair{"viewRadio", true}, std::pair{"writeRadio", false},
              std::pair{"copyRadio", true}, std::pair{"choiceOtherLessonsRadio", true},
              std::pair{"choiceAlteredLettersRadio", true}}) {
            ClickButton(dialog, radio);
            EXPECT_EQ(settings->isEnabled(), enabled) << radio;
            settings->click();
        }
        EXPECT_EQ(answers.dialogs.join(u' '), u"viewModeDialog copyModeDialog "
                                              u"choiceSettingsDialog choiceSettingsDialog"_s);
    }
    EXPECT_EQ(game.document.ViewSettings().timeAfterWord, 2500u);

    // Escape ends without a game and without a message.
    Answers answers;
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(answers.boxes.empty());
}

const std::vector<TestLesson> kLessons = {
    {"Tiere", "1"}, {"Farben", "2"}, {"K\"uche", "3"}, {"Leer", "9"}};

// German keys: hund katze vogel | rot blau | topf gabel
const std::vector<TestRecord> kRecords = {
    {"1", "le chien", "the dog", "der Hund"},
    {"1", "le chat", "the cat", "die Katze"},
    {"1", "l'oiseau", "the bird", "der Vogel"},
    {"2", "rouge", "red", "rot"},
    {"2", "bleu", "blue", "blau"},
    {"3", "la casserole", "the pot", "der Topf"},
    {"3", "la fourchette", "the fork", "die Gabel"},
};

class LessonDialogTest : public ::testing::Test {
protected:
    void Open(const std::string& dataSet = "lingomat.voc") {
        dialog.reset();
        document.Load(kLessons, kRecords, dataSet);
        dialog = std::make_unique<LessonDialog>(*document);
        dialog->show();
    }

    QListWidget* List() { return Find<QListWidget>(*dialog, "lessonList"); }
    QString Count() { return Find<QLabel>(*dialog, "countLabel")->text(); }
    void Click(const char* name) { ClickButton(*dialog, name); }
    void SelectLesson(const QString& shown, bool selected = true) {
        const auto items = List()->findItems(shown, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << shown.toStdString();
        items[0]->setSelected(selected);
    }
    void Type(const char* edit, const char* text) {
        QTest::keyClicks(Find<QLineEdit>(*dialog, edit), QString::fromLatin1(text));
    }
    std::vector<std::string> MarkedLessons() {
        std::vector<std::string> names;
        for (const LessonEntry& lesson : document->lessonTable.lessons) {
            if (lesson.selected) {
                names.push_back(lesson.name);
            }
        }
        return names;
    }

    TestDocument document;
    std::unique_ptr<LessonDialog> dialog;
};

// Each data set's dialog offers its own sort languages; nothing is chosen when it opens, which the
// count test's first steps pin.
TEST_F(LessonDialogTest, OpensWithDecodedSortedNamesAndTheDataSetsLanguages) {
    for (const bool spanish : {false, true}) {
        Open(spanish ? "spain.voc" : "lingomat.voc");
        QStringList shown;
        for (int i = 0; i < List()->count(); ++i) {
            shown.append(List()->item(i)->text());
        }
        EXPECT_EQ(shown, (QStringList{u"Farben"_s, u"K\u00fcche"_s, u"Leer"_s, u"Tiere"_s}));
        EXPECT_EQ(dialog->objectName(), spanish ? u"lessonDialogSpanish"_s : u"lessonDialog"_s);
        EXPECT_EQ(dialog->findChild<QWidget*>(u"sortEnglishRadio"_s) == nullptr, spanish);
        EXPECT_EQ(dialog->findChild<QWidget*>(u"sortFrenchRadio"_s) == nullptr, spanish);
        EXPECT_EQ(dialog->findChild<QWidget*>(u"sortSpanishRadio"_s) != nullptr, spanish);
        SaveShot(*dialog, spanish ? "lesson-spain" : "lesson-lingomat");
    }
}

// Every change recounts at once and leaves the choice in the document's lesson table.
TEST_F(LessonDialogTest, CountFollowsEveryChange) {
    Open();
    // "blau" was answered wrong and is due again.
    document->Cards().Answer(document->vocabulary.at(4), document->questionLanguage,
                             document->answerLanguage, false, document->Today());
    struct Step {
        const char* label;
        std::function<void()> act;
        const char* count;
        std::vector<std::string> marked;
        int selectedCount;
    };
    const std::vector<std::string> all = {"Tiere", "Farben", "K\"uche", "Leer"};
    const std::vector<std::string> three(all.begin(), all.begin() + 3);
    const std::vector<Step> steps = {
        {"one lesson", [&] { SelectLesson(u"Tiere"_s); }, "3", {"Tiere"}, 1},
        {"two lessons", [&] { SelectLesson(u"Farben"_s); }, "5", {"Tiere", "Farben"}, 2},
        {"escaped name found again", [&] { SelectLesson(u"K\u00fcche"_s); }, "7", three, 3},
        {"deselect", [&] { SelectLesson(u"Farben"_s, false); }, "5", {"Tiere", "K\"uche"}, 2},
        {"clear", [&] { Click("clearButton"); }, "0", {}, 0},
        {"start only is no range", [&] { Type("rangeStartEdit", "b"); }, "0", {}, 0},
        {"end too, still no language", [&] { Type("rangeEndEdit", "h"); }, "0", {}, 0},
        {"sort language makes the range", [&] { Click("sortGermanRadio"); }, "2", {}, 0},
        {"lesson within the range", [&] { SelectLesson(u"K\u00fcche"_s); }, "1", {"K\"uche"}, 1},
        {"all lessons within the range", [&] { Click("allLessonsButton"); }, "2", all, 4},
        {"due words only", [&] { Click("dueOnlyCheck"); }, "1", all, 4},
        {"every word again", [&] { Click("dueOnlyCheck"); }, "2", all, 4},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(Count(), QString::fromLatin1(step.count)) << step.label;
        EXPECT_EQ(MarkedLessons(), step.marked) << step.label;
        EXPECT_EQ(document->lessonTable.selectedLessonCount, step.selectedCount) << step.label;
    }
    EXPECT_EQ(document->lessonTable.lowerBound, "b");
    EXPECT_EQ(document->lessonTable.upperBound, "h");
    EXPECT_EQ(document->lessonTable.rangeLanguage, 0);
}

// The code the dialog ends with, or -1 while it stays open; the alphabetic game is refused with
// a message until range and sort language are complete.
TEST_F(LessonDialogTest, EndsWithTheCodeOfTheChoice) {
    const struct {
        std::vector<const char*> lessons;
        const char* rangeStart;
        const char* rangeEnd;
        const char* sortRadio; // nullptr: none
        const char* button;    // nullptr: Escape
        int code;
        bool message;
    } cases[] = {
        {{}, "", "", nullptr, "okButton", -1, false},
        {{"Tiere"}, "", "", nullptr, "okButton", 1, false},
        {{"Farben"}, "b", "", nullptr, "okButton", 1, false},
        {{}, "b", "t", "sortEnglishRadio", "okButton", 1028, false},
        {{}, "b", "", nullptr, "okButton", -1, true},
        {{}, "", "t", "sortEnglishRadio", "okButton", -1, true},
        {{}, "", "", "sortEnglishRadio", "okButton", -1, true},
        {{}, "b", "t", nullptr, "okButton", -1, true},
        {{"Tiere"}, "b", "", nullptr, "errorFileButton", 57601, false},
        {{"Tiere"}, "", "", nullptr, "cancelButton", 2, false},
        {{}, "", "", nullptr, nullptr, LessonDialog::Cancelled, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "row " << &c - cases);
        Open();
        for (const char* lesson : c.lessons) {
            SelectLesson(ToQString(lesson));
        }
        Type("rangeStartEdit", c.rangeStart);
        Type("rangeEndEdit", c.rangeEnd);
        if (c.sortRadio != nullptr) {
            Click(c.sortRadio);
        }
        Answers answers;
        if (c.button != nullptr) {
            Click(c.button);
        } else {
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        }
        ASSERT_EQ(answers.boxes.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(answers.boxes[0].caption, u"Alphabetisches Spiel"_s);
        }
        EXPECT_EQ(dialog->isVisible(), c.code < 0);
        if (c.code < 0) {
            continue;
        }
        EXPECT_EQ(dialog->result(), c.code);
        if (c.code == LessonDialog::LessonGame) {
            EXPECT_EQ(MarkedLessons().size(), c.lessons.size());
        }
        if (c.code == LessonDialog::AlphabeticGame) {
            EXPECT_EQ(dialog->RangeStart(), c.rangeStart);
            EXPECT_EQ(dialog->RangeEnd(), c.rangeEnd);
            EXPECT_EQ(dialog->SortLanguage(), 1);
        }
    }
}

} // namespace
} // namespace lingomat::testing
