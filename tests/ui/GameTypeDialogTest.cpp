#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "SetupDialogTestSupport.h"
#include "ui/GameTypeDialog.h"

namespace lingomat::testing {
namespace {

QAbstractButton* Button(QWidget& dialog, const char* name) {
    auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(name));
    EXPECT_NE(button, nullptr) << name;
    return button;
}

struct OkCase {
    const char* label;
    bool spanish;
    std::vector<const char*> clicks;
    const char16_t* message; // nullptr: the dialog closes with OK
    const char16_t* caption;
    int question;
    int answer;
    int gameType;
};

class GameTypeOk : public ::testing::TestWithParam<OkCase> {};

TEST_P(GameTypeOk, ChecksInOrderAndReportsTheChoice) {
    const OkCase& c = GetParam();
    GameTypeDialog dialog(c.spanish);
    dialog.show();
    for (const char* name : c.clicks) {
        Button(dialog, name)->click();
    }
    MessageCatcher messages;
    Button(dialog, "okButton")->click();

    if (c.message != nullptr) {
        ASSERT_EQ(messages.texts.size(), 1);
        EXPECT_EQ(messages.texts[0], QString::fromUtf16(c.message));
        EXPECT_EQ(messages.captions[0], QString::fromUtf16(c.caption));
        EXPECT_EQ(messages.icons[0], QMessageBox::Critical);
        EXPECT_TRUE(dialog.isVisible());
        return;
    }
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.QuestionLanguage(), c.question);
    EXPECT_EQ(dialog.AnswerLanguage(), c.answer);
    EXPECT_EQ(dialog.GameType(), c.gameType);
}

const char16_t* const kBoth = u"Sie m\u00fcssen beide Sprachen ausw\u00e4hlen.";
const char16_t* const kDifferent = u"Sie m\u00fcssen zwei unterschiedliche Sprachen ausw\u00e4hlen.";
const char16_t* const kType = u"Sie m\u00fcssen eine Spielart w\u00e4hlen.";

INSTANTIATE_TEST_SUITE_P(
    Cases, GameTypeOk,
    ::testing::Values(
        OkCase{"NothingChosen", false, {}, kBoth, u"Richtungs Wahl", -1, -1, -1},
        OkCase{"OnlyQuestion", false, {"questionGermanRadio", "writeRadio"}, kBoth,
               u"Richtungs Wahl", -1, -1, -1},
        OkCase{"OnlyAnswer", false, {"answerFrenchRadio"}, kBoth, u"Richtungs Wahl", -1, -1, -1},
        OkCase{"SameLanguagesBeforeGameType", false,
               {"questionGermanRadio", "answerGermanRadio"}, kDifferent, u"Richtungs Wahl", -1, -1,
               -1},
        OkCase{"NoGameType", false, {"questionGermanRadio", "answerEnglishRadio"}, kType,
               u"Spielartwahl", -1, -1, -1},
        OkCase{"GermanToFrenchWriting", false,
               {"questionGermanRadio", "answerFrenchRadio", "writeRadio"}, nullptr, nullptr, 0, 2,
               0},
        OkCase{"EnglishToGermanAlteredLetters", false,
               {"questionEnglishRadio", "answerGermanRadio", "choiceAlteredLettersRadio"}, nullptr,
               nullptr, 1, 0, 2},
        OkCase{"LastClickCounts", false,
               {"questionFrenchRadio", "answerGermanRadio", "viewRadio", "questionEnglishRadio",
                "copyRadio"},
               nullptr, nullptr, 1, 0, 3},
        OkCase{"SpanishSameLanguages", true, {"questionSpanishRadio", "answerSpanishRadio"},
               kDifferent, u"Richtungs Wahl", -1, -1, -1},
        OkCase{"SpanishToGermanView", true,
               {"questionSpanishRadio", "answerGermanRadio", "viewRadio"}, nullptr, nullptr, 1, 0,
               4}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(GameTypeDialog, SettingsButtonFollowsTheGameTypeAndNamesIt) {
    GameTypeDialog dialog(false);
    std::vector<GameMode> asked;
    dialog.onSettings = [&asked](GameMode mode) { asked.push_back(mode); };
    dialog.show();
    QAbstractButton* settings = Button(dialog, "settingsButton");
    EXPECT_FALSE(settings->isEnabled());

    const struct {
        const char* radio;
        bool enabled;
    } steps[] = {{"copyRadio", true},
                 {"writeRadio", false},
                 {"choiceOtherLessonsRadio", true},
                 {"choiceAlteredLettersRadio", true},
                 {"viewRadio", true}};
    for (const auto& step : steps) {
        Button(dialog, step.radio)->click();
        EXPECT_EQ(settings->isEnabled(), step.enabled) << step.radio;
        settings->click();
    }
    // A disabled button does not click: writing has no settings dialog.
    EXPECT_EQ(asked, (std::vector<GameMode>{GameModeCopy, GameModeChoiceOtherLessons,
                                            GameModeChoiceAlteredLetters, GameModeView}));
}

TEST(GameTypeDialog, VariantsOfferTheirLanguages) {
    const struct {
        bool spanish;
        std::vector<const char*> present;
        std::vector<const char*> absent;
    } variants[] = {
        {false,
         {"questionGermanRadio", "questionEnglishRadio", "questionFrenchRadio", "answerGermanRadio",
          "answerEnglishRadio", "answerFrenchRadio"},
         {"questionSpanishRadio", "answerSpanishRadio"}},
        {true,
         {"questionGermanRadio", "questionSpanishRadio", "answerGermanRadio",
          "answerSpanishRadio"},
         {"questionEnglishRadio", "questionFrenchRadio", "answerEnglishRadio",
          "answerFrenchRadio"}},
    };
    for (const auto& variant : variants) {
        GameTypeDialog dialog(variant.spanish);
        for (const char* name : variant.present) {
            EXPECT_NE(dialog.findChild<QAbstractButton*>(QString::fromLatin1(name)), nullptr)
                << name;
        }
        for (const char* name : variant.absent) {
            EXPECT_EQ(dialog.findChild<QAbstractButton*>(QString::fromLatin1(name)), nullptr)
                << name;
        }
        EXPECT_EQ(dialog.findChild<QAbstractButton*>(QStringLiteral("questionGermanRadio"))
                      ->isChecked(),
                  false);
    }
}

TEST(GameTypeDialog, EscapeEndsWithoutAGame) {
    GameTypeDialog dialog(false);
    dialog.show();
    Button(dialog, "questionGermanRadio")->click();
    MessageCatcher messages;
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST(GameTypeDialog, Rendering) {
    for (bool spanish : {false, true}) {
        GameTypeDialog dialog(spanish);
        Button(dialog, "questionGermanRadio")->click();
        Button(dialog, spanish ? "answerSpanishRadio" : "answerFrenchRadio")->click();
        Button(dialog, "copyRadio")->click();
        dialog.show();
        auto* picture = dialog.findChild<QLabel*>(QStringLiteral("questionGermanPicture"));
        ASSERT_NE(picture, nullptr);
        EXPECT_FALSE(picture->pixmap().isNull());
        const QString file = ScreenshotFolder() +
                             (spanish ? QStringLiteral("/game-type-spanish.png")
                                      : QStringLiteral("/game-type.png"));
        EXPECT_TRUE(dialog.grab().save(file));
    }
}

} // namespace
} // namespace lingomat::testing
