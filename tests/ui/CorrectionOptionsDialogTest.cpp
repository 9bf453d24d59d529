#include <QCheckBox>
#include <QLabel>

#include "SettingsDialogTestSupport.h"
#include "ui/CorrectionOptionsDialog.h"
#include "ui/SettingsCommands.h"

namespace lingomat::testing {
namespace {

// Top to bottom as the player sees them.
const struct {
    const char* name;
    bool CorrectionOptions::*field;
} kRows[] = {
    {"ignoreSpacing", &CorrectionOptions::ignoreSpacing},
    {"ignoreCase", &CorrectionOptions::ignoreCase},
    {"ignoreAccents", &CorrectionOptions::ignoreAccents},
    {"ignoreArticles", &CorrectionOptions::ignoreArticles},
    {"repeatAtOnce", &CorrectionOptions::repeatAtOnce},
    {"oneRightSuffices", &CorrectionOptions::oneRightSuffices},
};

template <typename Widget>
Widget* Part(QWidget& dialog, const char* row, const char* kind) {
    return Find<Widget>(dialog, (std::string(row) + kind).c_str());
}

TEST(CorrectionOptionsDialog, EachBoxShowsAndSetsItsOwnOption) {
    CorrectionOptions all;
    for (const auto& row : kRows) {
        all.*row.field = true;
    }
    for (const auto& row : kRows) {
        for (bool ok : {true, false}) {
            uitest::GameDocument game;
            game.document.correctionOptions = all;
            int ticked = 0;
            const auto driver =
                WhenModalOpens<CorrectionOptionsDialog>([&](CorrectionOptionsDialog& dialog) {
                    for (const auto& other : kRows) {
                        ticked += Part<QCheckBox>(dialog, other.name, "Check")->isChecked();
                    }
                    Part<QCheckBox>(dialog, row.name, "Check")->click();
                    Close(dialog, ok);
                });
            RunCorrectionOptions(game.document, nullptr);
            EXPECT_EQ(ticked, 6);
            CorrectionOptions expected = all;
            expected.*row.field = !ok;
            EXPECT_EQ(game.document.correctionOptions, expected) << row.name << ok;
        }
    }
}

TEST(CorrectionOptionsDialog, WrappedTextsStandInOrderAndTickTheirBoxes) {
    CorrectionOptionsDialog dialog(CorrectionOptions{});
    dialog.show();
    int previousTop = -1;
    for (const auto& row : kRows) {
        auto* label = Part<QLabel>(dialog, row.name, "Label");
        const QRect area(label->mapTo(&dialog, QPoint(0, 0)), label->size());
        EXPECT_GT(area.top(), previousTop) << row.name;
        EXPECT_TRUE(dialog.rect().contains(area)) << row.name;
        previousTop = area.top();
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(label->width() - 4, 4));
        EXPECT_TRUE(Part<QCheckBox>(dialog, row.name, "Check")->isChecked()) << row.name;
    }
    EXPECT_TRUE(Part<QLabel>(dialog, "ignoreArticles", "Label")->text().endsWith(
        QStringLiteral("des, se, s', the, to)")));
    SaveShot(dialog, "correction-options");
}

} // namespace
} // namespace lingomat::testing
