#include <cmath>
#include <limits>

#include <QLineEdit>
#include <QTest>

#include "SettingsDialogTestSupport.h"
#include "UiTestSupport.h"
#include "screen/LingomatView.h"
#include "ui/ChoiceSettingsDialog.h"
#include "ui/CopyModeDialog.h"
#include "ui/GameTypeDialog.h"
#include "ui/SettingsCommands.h"
#include "ui/ViewModeDialog.h"

namespace lingomat::testing {
namespace {

TEST(SettingsConversions, MillisecondsShowAsSecondsAndComeBack) {
    const struct {
        std::uint32_t stored;
        const char* shown;
        std::uint32_t afterOk;     // read back from the shown text
        std::uint32_t afterEscape; // from the seconds computed on opening
    } cases[] = {
        {1500, "1.5", 1500, 1500}, {2500, "2.5", 2500, 2500}, {300, "0.3", 300, 300},
        {700, "0.7", 699, 700},    {900, "0.9", 899, 900},    {400, "0.4", 400, 400},
        {0, "0", 0, 0},            {10000, "10", 10000, 10000}, {60000, "60", 60000, 60000},
        {1234, "1.234", 1233, 1234},
    };
    for (const auto& c : cases) {
        const float seconds = SecondsFromMilliseconds(c.stored);
        EXPECT_EQ(SecondsText(seconds), QString::fromLatin1(c.shown)) << c.stored;
        EXPECT_EQ(MillisecondsFromSeconds(*ParseSeconds(SecondsText(seconds))), c.afterOk)
            << c.stored;
        EXPECT_EQ(MillisecondsFromSeconds(seconds), c.afterEscape) << c.stored;
    }
}

TEST(SettingsConversions, OutOfRangeSecondsNeverWrap) {
    const struct {
        float seconds;
        std::uint32_t milliseconds;
    } cases[] = {
        {-1.5f, 0},
        {-0.0f, 0},
        {std::numeric_limits<float>::quiet_NaN(), 0},
        {1e12f, std::numeric_limits<std::uint32_t>::max()},
        {std::numeric_limits<float>::infinity(), std::numeric_limits<std::uint32_t>::max()},
        {2.5f, 2500},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MillisecondsFromSeconds(c.seconds), c.milliseconds) << c.seconds;
    }
}

TEST(SettingsConversions, ParsesWhatPlayersType) {
    const struct {
        const char16_t* text;
        std::optional<float> seconds;
    } times[] = {
        {u"2.5", 2.5f},   {u" 2,5 ", 2.5f}, {u"10", 10.0f}, {u"-1", -1.0f}, {u"1e1", 10.0f},
        {u"", {}},        {u"abc", {}},     {u"1.5s", {}},  {u"nan", {}},   {u"inf", {}},
        {u"1.2.3", {}},
    };
    for (const auto& c : times) {
        EXPECT_EQ(ParseSeconds(QString::fromUtf16(c.text)), c.seconds)
            << QString::fromUtf16(c.text).toStdString();
    }
    EXPECT_GT(*ParseSeconds(QStringLiteral("1e300")), 10.0f);

    const struct {
        const char16_t* text;
        std::optional<std::uint32_t> number;
    } wholes[] = {
        {u"0", 0u},    {u" 42 ", 42u}, {u"4294967295", 4294967295u}, {u"4294967296", {}},
        {u"-1", {}},   {u"1.0", {}},   {u"", {}},                    {u"+3", {}},
        {u"zwei", {}},
    };
    for (const auto& c : wholes) {
        EXPECT_EQ(ParseWholeNumber(QString::fromUtf16(c.text)), c.number)
            << QString::fromUtf16(c.text).toStdString();
    }
}

// Closes whichever settings dialog opens with Escape and names it.
std::unique_ptr<ModalDriver> NameAndEscapeNextDialog(QString& name) {
    return WhenModalOpens<QDialog>([&name](QDialog& dialog) {
        name = dialog.objectName();
        if (name == QStringLiteral("messageBox")) {
            ClickButton(dialog, "okButton");
        } else {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        }
    });
}

TEST(SettingsCommands, ModeSettingsOpenTheDialogOfTheGameType) {
    const struct {
        GameMode mode;
        const char* dialog; // "" for none
    } cases[] = {
        {GameModeWrite, ""},
        {GameModeChoiceOtherLessons, "choiceSettingsDialog"},
        {GameModeChoiceAlteredLetters, "choiceSettingsDialog"},
        {GameModeCopy, "copyModeDialog"},
        {GameModeView, "viewModeDialog"},
    };
    for (const auto& c : cases) {
        uitest::GameDocument game;
        QString opened;
        const auto driver = NameAndEscapeNextDialog(opened);
        RunModeSettings(game.document, c.mode, nullptr);
        if (*c.dialog == '\0') {
            // Give a dialog that should not be there the time to show itself.
            QTest::qWait(50);
        }
        EXPECT_EQ(opened, QString::fromLatin1(c.dialog)) << c.mode;
    }
}

TEST(SettingsCommands, GameSettingsNeedARunningGame) {
    uitest::GameDocument game;
    game.document.gameMode = GameModeCopy;
    MessageCatcher messages;
    RunGameSettings(game.document, nullptr);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0],
              QStringLiteral("Sie k\u00f6nnen diese Funktion nur w\u00e4hrend des Spiels nutzen."));
    EXPECT_EQ(messages.captions[0], QStringLiteral("Lingomat"));
}

TEST(SettingsCommands, GameSettingsFollowTheRunningGame) {
    const struct {
        GameMode mode;
        const char* dialog;
    } cases[] = {
        {GameModeWrite, ""},
        {GameModeChoiceAlteredLetters, "choiceSettingsDialog"},
        {GameModeCopy, "copyModeDialog"},
        {GameModeView, "viewModeDialog"},
    };
    for (const auto& c : cases) {
        uitest::GameDocument game;
        CLingomatDoc& doc = game.document;
        doc.gameMode = c.mode;
        doc.questionLanguage = LanguageGerman;
        doc.answerLanguage = LanguageEnglish;
        doc.lessonTable.lessons.at(0).selected = true;
        doc.lessonTable.selectedLessonCount = 1;
        doc.StartGame();
        ASSERT_TRUE(doc.gameStarted);
        const std::size_t questions = doc.pool.Size();
        QString opened;
        const auto driver = NameAndEscapeNextDialog(opened);
        RunGameSettings(doc, nullptr);
        if (*c.dialog == '\0') {
            QTest::qWait(50);
        }
        EXPECT_EQ(opened, QString::fromLatin1(c.dialog)) << c.mode;
        EXPECT_EQ(doc.pool.Size(), questions) << "the game goes on where it was";
        EXPECT_TRUE(doc.gameStarted);
    }
}

TEST(SettingsCommands, GameTypeDialogOverTheGameScreenEditsItsDocument) {
    uitest::GameDocument game;
    CLingomatView view(game.document);
    GameTypeDialog dialog(false, &view);
    dialog.show();
    ClickButton(dialog, "viewRadio");
    const auto viewSettings = WhenModalOpens<ViewModeDialog>([](ViewModeDialog& settings) {
        SetEditText(settings, "timeAfterWordEdit", QStringLiteral("2.5"));
        ClickButton(settings, "okButton");
    });
    ClickButton(dialog, "settingsButton");
    EXPECT_EQ(game.document.viewModeSettings.timeAfterWord, 2500u);

    ClickButton(dialog, "copyRadio");
    const auto copySettings = WhenModalOpens<CopyModeDialog>([](CopyModeDialog& settings) {
        ClickButton(settings, "percentShownRadio");
        ClickButton(settings, "okButton");
    });
    ClickButton(dialog, "settingsButton");
    EXPECT_EQ(game.document.copyModeSettings.copyMode, 3u);
    EXPECT_FALSE(game.document.gameStarted);
}

} // namespace
} // namespace lingomat::testing
