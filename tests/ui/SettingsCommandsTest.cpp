#include <limits>

#include "SettingsDialogTestSupport.h"
#include "screen/LingomatView.h"
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
        {1500, "1.5", 1500, 1500}, {300, "0.3", 300, 300},       {700, "0.7", 699, 700},
        {900, "0.9", 899, 900},    {1234, "1.234", 1233, 1234},  {0, "0", 0, 0},
        {10000, "10", 10000, 10000},
    };
    for (const auto& c : cases) {
        const float seconds = SecondsFromMilliseconds(c.stored);
        EXPECT_EQ(SecondsText(seconds), QString::fromLatin1(c.shown)) << c.stored;
        EXPECT_EQ(MillisecondsFromSeconds(*ParseSeconds(SecondsText(seconds))), c.afterOk);
        EXPECT_EQ(MillisecondsFromSeconds(seconds), c.afterEscape) << c.stored;
    }
    const std::uint32_t most = std::numeric_limits<std::uint32_t>::max();
    for (const auto& [seconds, milliseconds] :
         {std::pair{-1.5f, 0u}, std::pair{std::numeric_limits<float>::quiet_NaN(), 0u},
          std::pair{1e12f, most}, std::pair{2.5f, 2500u}}) {
        EXPECT_EQ(MillisecondsFromSeconds(seconds), milliseconds) << seconds;
    }
}

TEST(SettingsCommands, EachGameTypeOpensItsOwnDialog) {
    const struct {
        GameMode mode;
        const char* dialog; // "" for none
    } cases[] = {
        {GameModeChoiceOtherLessons, "choiceSettingsDialog"},
        {GameModeChoiceAlteredLetters, "choiceSettingsDialog"},
        {GameModeCopy, "copyModeDialog"},
        {GameModeView, "viewModeDialog"},
        {GameModeWrite, ""},
    };
    for (bool running : {false, true}) {
        for (const auto& c : cases) {
            uitest::GameDocument game;
            CLingomatDoc& doc = game.document;
            if (running) {
                doc.gameMode = c.mode;
                doc.lessonTable.lessons.at(0).selected = true;
                doc.lessonTable.selectedLessonCount = 1;
                doc.StartGame();
            }
            const std::size_t questions = doc.pool.Size();
            QString opened;
            const auto driver = WhenModalOpens<QDialog>([&](QDialog& dialog) {
                opened = dialog.objectName();
                QTest::keyClick(&dialog, Qt::Key_Escape);
            });
            if (running) {
                RunGameSettings(doc, nullptr);
            } else {
                RunModeSettings(doc, c.mode, nullptr);
            }
            // Give a dialog that should not be there the time to show itself.
            QTest::qWait(*c.dialog == '\0' ? 50 : 0);
            EXPECT_EQ(opened, QString::fromLatin1(c.dialog)) << c.mode << running;
            EXPECT_EQ(doc.pool.Size(), questions) << "the game goes on where it was";
        }
    }
}

TEST(SettingsCommands, GameSettingsOutsideAGameOnlySaySo) {
    uitest::GameDocument game;
    game.document.gameMode = GameModeCopy;
    MessageCatcher messages;
    RunGameSettings(game.document, nullptr);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0],
              QStringLiteral("Sie k\u00f6nnen diese Funktion nur w\u00e4hrend des Spiels nutzen."));
    EXPECT_EQ(messages.captions[0], QStringLiteral("Lingomat"));
}

TEST(SettingsCommands, GameTypeDialogOverTheGameScreenEditsItsDocument) {
    uitest::GameDocument game;
    CLingomatView view(game.document);
    GameTypeDialog dialog(false, &view);
    dialog.show();
    ClickButton(dialog, "viewRadio");
    {
        const auto driver = WhenModalOpens<ViewModeDialog>([](ViewModeDialog& settings) {
            SetEditText(settings, "timeAfterWordEdit", u"2.5");
            Close(settings, true);
        });
        ClickButton(dialog, "settingsButton");
    }
    EXPECT_EQ(game.document.viewModeSettings.timeAfterWord, 2500u);
    ClickButton(dialog, "copyRadio");
    const auto driver = WhenModalOpens<CopyModeDialog>([](CopyModeDialog& settings) {
        ClickButton(settings, "percentShownRadio");
        Close(settings, true);
    });
    ClickButton(dialog, "settingsButton");
    EXPECT_EQ(game.document.copyModeSettings.copyMode, 3u);
}

} // namespace
} // namespace lingomat::testing
