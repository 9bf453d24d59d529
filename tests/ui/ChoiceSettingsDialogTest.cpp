#include <algorithm>

#include <QCheckBox>
#include <QComboBox>

#include "SettingsDialogTestSupport.h"
#include "ui/ChoiceSettingsDialog.h"
#include "ui/SettingsCommands.h"

namespace lingomat::testing {
namespace {

TEST(ChoiceSettingsDialog, CountAndNumberingGoBack) {
    const struct {
        std::uint32_t count;
        bool numbers;
        int pick; // combo index, -1: left alone
        bool toggle;
        bool ok;
        std::uint32_t storedCount;
        bool storedNumbers;
    } cases[] = {
        {4, true, -1, false, true, 4, true},
        {4, true, 3, true, true, 5, false},
        {3, false, 0, true, true, 2, true},
        {5, false, 0, true, false, 5, false},
    };
    for (const auto& c : cases) {
        uitest::GameDocument game;
        CLingomatDoc& doc = game.document;
        doc.SetChoiceCount(c.count);
        doc.showNumbers = c.numbers;
        const auto driver = WhenModalOpens<ChoiceSettingsDialog>([&](ChoiceSettingsDialog& dialog) {
            auto* combo = Find<QComboBox>(dialog, "choiceCountCombo");
            auto* numbers = Find<QCheckBox>(dialog, "showNumbersCheck");
            EXPECT_EQ(combo->currentText(), QString::number(c.count));
            EXPECT_EQ(numbers->isChecked(), c.numbers);
            if (c.pick >= 0) {
                combo->setCurrentIndex(c.pick);
            }
            if (c.toggle) {
                numbers->click();
            }
            Close(dialog, c.ok);
        });
        RunChoiceSettings(doc, nullptr);
        EXPECT_EQ(doc.multiNumber, c.storedCount);
        EXPECT_EQ(doc.choiceRound.texts.size(), c.storedCount);
        EXPECT_EQ(doc.showNumbers, c.storedNumbers);
    }
    ChoiceSettingsDialog dialog(2, true);
    dialog.show();
    SaveShot(dialog, "choice-settings");
}

TEST(ChoiceSettingsDialog, FiveChoicesReachTheRunningRoundAtOnce) {
    for (GameMode mode : {GameModeChoiceOtherLessons, GameModeChoiceAlteredLetters}) {
        uitest::GameDocument game;
        CLingomatDoc& doc = game.document;
        doc.gameMode = mode;
        doc.questionLanguage = LanguageGerman;
        doc.answerLanguage = LanguageEnglish;
        doc.lessonTable.lessons.at(0).selected = true;
        doc.lessonTable.selectedLessonCount = 1;
        doc.StartGame();
        ASSERT_EQ(doc.choiceRound.texts.size(), 4u);
        const auto driver = WhenModalOpens<ChoiceSettingsDialog>([](ChoiceSettingsDialog& dialog) {
            Find<QComboBox>(dialog, "choiceCountCombo")->setCurrentIndex(3);
            Close(dialog, true);
        });
        RunGameSettings(doc, nullptr);
        ASSERT_EQ(doc.choiceRound.texts.size(), 5u) << mode;
        // The right answer stands among the new choices, with wrong ones beside it.
        EXPECT_FALSE(doc.choiceRound.texts.at(doc.choiceRound.correctChoice).empty()) << mode;
        EXPECT_GE(std::count_if(doc.choiceRound.texts.begin(), doc.choiceRound.texts.end(),
                                [](const std::string& text) { return !text.empty(); }),
                  2)
            << mode;
    }
}

} // namespace
} // namespace lingomat::testing
