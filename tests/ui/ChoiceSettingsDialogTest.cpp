#include <QCheckBox>
#include <QComboBox>
#include <QTest>

#include "SettingsDialogTestSupport.h"
#include "UiTestSupport.h"
#include "ui/ChoiceSettingsDialog.h"
#include "ui/SettingsCommands.h"

namespace lingomat::testing {
namespace {

void StartGame(CLingomatDoc& doc, GameMode mode) {
    doc.gameMode = mode;
    doc.questionLanguage = LanguageGerman;
    doc.answerLanguage = LanguageEnglish;
    doc.lessonTable.lessons.at(0).selected = true;
    doc.lessonTable.selectedLessonCount = 1;
    doc.StartGame();
}

struct ChoiceCase {
    const char* label;
    std::uint32_t multiNumber;
    bool showNumbers;
    int pick; // combo index to choose, -1: leave
    bool toggleNumbers;
    bool ok;
    QString shownCount;
    std::uint32_t storedCount;
    bool storedNumbers;
};

TEST(ChoiceSettingsDialog, CountAndNumberingGoBack) {
    const ChoiceCase cases[] = {
        {"Unchanged", 4, true, -1, false, true, QStringLiteral("4"), 4, true},
        {"FiveWithoutNumbers", 4, true, 3, true, true, QStringLiteral("4"), 5, false},
        {"TwoWithNumbers", 3, false, 0, true, true, QStringLiteral("3"), 2, true},
        {"EscapeKeeps", 5, false, 0, true, false, QStringLiteral("5"), 5, false},
    };
    for (const ChoiceCase& c : cases) {
        uitest::GameDocument game;
        CLingomatDoc& doc = game.document;
        doc.SetChoiceCount(c.multiNumber);
        doc.showNumbers = c.showNumbers;
        QString shownCount;
        bool shownNumbers = !c.showNumbers;
        const auto driver = WhenModalOpens<ChoiceSettingsDialog>([&](ChoiceSettingsDialog& dialog) {
            auto* combo = Find<QComboBox>(dialog, "choiceCountCombo");
            auto* numbers = Find<QCheckBox>(dialog, "showNumbersCheck");
            shownCount = combo->currentText();
            shownNumbers = numbers->isChecked();
            if (c.pick >= 0) {
                combo->setCurrentIndex(c.pick);
            }
            if (c.toggleNumbers) {
                numbers->click();
            }
            if (c.ok) {
                ClickButton(dialog, "okButton");
            } else {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            }
        });
        RunChoiceSettings(doc, nullptr);
        EXPECT_EQ(shownCount, c.shownCount) << c.label;
        EXPECT_EQ(shownNumbers, c.showNumbers) << c.label;
        EXPECT_EQ(doc.multiNumber, c.storedCount) << c.label;
        EXPECT_EQ(doc.choiceRound.texts.size(), c.storedCount) << c.label;
        EXPECT_EQ(doc.showNumbers, c.storedNumbers) << c.label;
    }
}

TEST(ChoiceSettingsDialog, FiveChoicesReachTheRunningRoundAtOnce) {
    for (GameMode mode : {GameModeChoiceOtherLessons, GameModeChoiceAlteredLetters}) {
        uitest::GameDocument game;
        CLingomatDoc& doc = game.document;
        StartGame(doc, mode);
        ASSERT_EQ(doc.choiceRound.texts.size(), 4u);
        const auto driver = WhenModalOpens<ChoiceSettingsDialog>([](ChoiceSettingsDialog& dialog) {
            Find<QComboBox>(dialog, "choiceCountCombo")->setCurrentIndex(3);
            ClickButton(dialog, "okButton");
        });
        RunGameSettings(doc, nullptr);
        ASSERT_EQ(doc.choiceRound.texts.size(), 5u) << mode;
        EXPECT_LT(doc.choiceRound.correctChoice, 5u);
        // The right answer is among the new choices, not left behind in the old round.
        EXPECT_FALSE(doc.choiceRound.texts[doc.choiceRound.correctChoice].empty()) << mode;
        int filled = 0;
        for (const std::string& text : doc.choiceRound.texts) {
            filled += text.empty() ? 0 : 1;
        }
        EXPECT_GE(filled, 2) << mode;
    }
}

TEST(ChoiceSettingsDialog, Rendering) {
    ChoiceSettingsDialog dialog(2, true);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Multiple-Choice-Einstellungen"));
    EXPECT_TRUE(dialog.grab().save(ScreenshotFolder() + QStringLiteral("/choice-settings.png")));
}

} // namespace
} // namespace lingomat::testing
