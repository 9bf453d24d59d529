#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "SetupDialogTestSupport.h"
#include "game/LingomatDoc.h"
#include "platform/Clock.h"
#include "platform/ProfileStore.h"
#include "platform/qt/Cp1252.h"
#include "ui/LessonDialog.h"

namespace lingomat::testing {
namespace {

const std::vector<TestLesson> kLessons = {
    {"Tiere", "1"}, {"Farben", "2"}, {"K\"uche", "3"}, {"Leer", "9"}};

// German keys: hund katze vogel | rot blau | topf gabel
const std::vector<TestRecord> kRecords = {
    {"1", "le chien", "the dog", "der Hund"},      {"1", "le chat", "the cat", "die Katze"},
    {"1", "l'oiseau", "the bird", "der Vogel"},    {"2", "rouge", "red", "rot"},
    {"2", "bleu", "blue", "blau"},                 {"3", "la casserole", "the pot", "der Topf"},
    {"3", "la fourchette", "the fork", "die Gabel"},
};

class LessonDialogTest : public ::testing::Test {
protected:
    void Open(const std::string& dataSet = "lingomat.voc") {
        dialog.reset();
        WriteDataSet(folder.File(dataSet), kLessons, kRecords);
        profile.WriteString("Lingomat", "Dataset", dataSet);
        doc = std::make_unique<CLingomatDoc>(host, profile, clock, folder.path);
        doc->OnNewDocument();
        ASSERT_EQ(doc->lessonTable.lessons.size(), kLessons.size());
        dialog = std::make_unique<LessonDialog>(*doc);
        dialog->show();
    }

    template <typename T> T* Find(const char* name) {
        auto* widget = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QListWidget* List() { return Find<QListWidget>("lessonList"); }
    QString Count() { return Find<QLabel>("countLabel")->text(); }
    void Click(const char* name) { Find<QAbstractButton>(name)->click(); }
    void SelectLesson(const QString& shown, bool selected = true) {
        const auto items = List()->findItems(shown, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << shown.toStdString();
        items[0]->setSelected(selected);
    }
    void Type(const char* edit, const char* text) {
        QTest::keyClicks(Find<QLineEdit>(edit), QString::fromLatin1(text));
    }
    std::vector<std::string> MarkedLessons() const {
        std::vector<std::string> names;
        for (const LessonEntry& lesson : doc->lessonTable.lessons) {
            if (lesson.selected) {
                names.push_back(lesson.name);
            }
        }
        return names;
    }

    TempFolder folder;
    QuietHost host;
    MemoryProfileStore profile;
    FixedClock clock{1000000};
    std::unique_ptr<CLingomatDoc> doc;
    std::unique_ptr<LessonDialog> dialog;
};

TEST_F(LessonDialogTest, OpensWithDecodedSortedNamesAndNothingChosen) {
    Open();
    QStringList shown;
    for (int i = 0; i < List()->count(); ++i) {
        shown.append(List()->item(i)->text());
    }
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Farben"), QStringLiteral("K\u00fcche"),
                                  QStringLiteral("Leer"), QStringLiteral("Tiere")}));
    EXPECT_TRUE(List()->selectedItems().isEmpty());
    EXPECT_EQ(Count(), QString());
    EXPECT_EQ(Find<QLineEdit>("rangeStartEdit")->text(), QString());
    EXPECT_FALSE(Find<QAbstractButton>("sortGermanRadio")->isChecked());
    EXPECT_EQ(dialog->objectName(), QStringLiteral("lessonDialog"));
    EXPECT_NE(dialog->findChild<QAbstractButton*>(QStringLiteral("sortFrenchRadio")), nullptr);
}

TEST_F(LessonDialogTest, SpanishDataSetGetsTheSpanishVariant) {
    Open("spain.voc");
    EXPECT_EQ(dialog->objectName(), QStringLiteral("lessonDialogSpanish"));
    EXPECT_EQ(Find<QAbstractButton>("sortSpanishRadio")->text(), QStringLiteral("Spanisch"));
    EXPECT_EQ(dialog->findChild<QAbstractButton*>(QStringLiteral("sortFrenchRadio")), nullptr);
    EXPECT_EQ(dialog->findChild<QAbstractButton*>(QStringLiteral("sortEnglishRadio")), nullptr);
}

// Every change recounts at once and leaves the choice in the document's lesson table.
TEST_F(LessonDialogTest, CountFollowsEveryChange) {
    Open();
    struct Step {
        const char* label;
        std::function<void()> act;
        const char* count;
        std::vector<std::string> marked;
        int selectedCount;
    };
    const std::vector<Step> steps = {
        {"one lesson", [&] { SelectLesson(QStringLiteral("Tiere")); }, "3", {"Tiere"}, 1},
        {"two lessons", [&] { SelectLesson(QStringLiteral("Farben")); }, "5", {"Tiere", "Farben"},
         2},
        {"escaped name found again", [&] { SelectLesson(QStringLiteral("K\u00fcche")); }, "7",
         {"Tiere", "Farben", "K\"uche"}, 3},
        {"deselect", [&] { SelectLesson(QStringLiteral("Farben"), false); }, "5",
         {"Tiere", "K\"uche"}, 2},
        {"clear", [&] { Click("clearButton"); }, "0", {}, 0},
        {"start only is no range", [&] { Type("rangeStartEdit", "b"); }, "0", {}, 0},
        {"end too, still no language", [&] { Type("rangeEndEdit", "h"); }, "0", {}, 0},
        {"sort language makes the range", [&] { Click("sortGermanRadio"); }, "2", {}, 0},
        {"lesson within the range", [&] { SelectLesson(QStringLiteral("K\u00fcche")); }, "1",
         {"K\"uche"}, 1},
        {"all lessons within the range", [&] { Click("allLessonsButton"); }, "2",
         {"Tiere", "Farben", "K\"uche", "Leer"}, 4},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(Count(), QString::fromLatin1(step.count)) << step.label;
        EXPECT_EQ(MarkedLessons(), step.marked) << step.label;
        EXPECT_EQ(doc->lessonTable.selectedLessonCount, step.selectedCount) << step.label;
    }
    EXPECT_EQ(doc->lessonTable.lowerBound, "b");
    EXPECT_EQ(doc->lessonTable.upperBound, "h");
    EXPECT_EQ(doc->lessonTable.rangeLanguage, 0);
}

struct EndCase {
    const char* label;
    std::vector<const char*> lessons;
    const char* rangeStart;
    const char* rangeEnd;
    const char* sortRadio; // nullptr: none
    const char* button;
    int code;          // -1: the dialog stays open
    bool message;      // the alphabetic game refused with a message
};

class LessonDialogEnd : public LessonDialogTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(LessonDialogEnd, EndsWithTheCodeOfTheChoice) {
    const EndCase& c = GetParam();
    Open();
    for (const char* lesson : c.lessons) {
        SelectLesson(ToQString(lesson));
    }
    Type("rangeStartEdit", c.rangeStart);
    Type("rangeEndEdit", c.rangeEnd);
    if (c.sortRadio != nullptr) {
        Click(c.sortRadio);
    }
    MessageCatcher messages;
    Click(c.button);

    EXPECT_EQ(messages.texts.size(), c.message ? 1 : 0);
    if (c.message) {
        EXPECT_EQ(messages.captions[0], QStringLiteral("Alphabetisches Spiel"));
    }
    if (c.code < 0) {
        EXPECT_TRUE(dialog->isVisible());
        return;
    }
    EXPECT_FALSE(dialog->isVisible());
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

INSTANTIATE_TEST_SUITE_P(
    Cases, LessonDialogEnd,
    ::testing::Values(
        EndCase{"NothingChosenStaysQuietly", {}, "", "", nullptr, "okButton", -1, false},
        EndCase{"OneLesson", {"Tiere"}, "", "", nullptr, "okButton", 1, false},
        EndCase{"TwoLessons", {"Tiere", "K\xfc" "che"}, "", "", nullptr, "okButton", 1, false},
        EndCase{"LessonWinsOverRange", {"Farben"}, "b", "", nullptr, "okButton", 1, false},
        EndCase{"FullRange", {}, "b", "t", "sortEnglishRadio", "okButton", 1028, false},
        EndCase{"RangeStartOnlyRefused", {}, "b", "", nullptr, "okButton", -1, true},
        EndCase{"RangeEndOnlyRefused", {}, "", "t", "sortEnglishRadio", "okButton", -1, true},
        EndCase{"SortLanguageOnlyRefused", {}, "", "", "sortEnglishRadio", "okButton", -1, true},
        EndCase{"RangeWithoutLanguageRefused", {}, "b", "t", nullptr, "okButton", -1, true},
        EndCase{"ErrorFile", {"Tiere"}, "b", "", nullptr, "errorFileButton", 57601, false},
        EndCase{"Cancel", {"Tiere"}, "", "", nullptr, "cancelButton", 2, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(LessonDialogTest, EscapeCancels) {
    Open();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), LessonDialog::Cancelled);
}

TEST_F(LessonDialogTest, Rendering) {
    for (const char* dataSet : {"lingomat.voc", "spain.voc"}) {
        Open(dataSet);
        SelectLesson(QStringLiteral("Tiere"));
        SelectLesson(QStringLiteral("K\u00fcche"));
        Type("rangeStartEdit", "b");
        Click("sortGermanRadio");
        const QString file = ScreenshotFolder() + QStringLiteral("/lesson-") +
                             QString::fromLatin1(dataSet).replace(QStringLiteral(".voc"),
                                                                  QStringLiteral(".png"));
        EXPECT_TRUE(dialog->grab().save(file));
    }
}

} // namespace
} // namespace lingomat::testing
