#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include "SettingsDialogTestSupport.h"
#include "UiTestSupport.h"
#include "ui/CorrectionOptionsDialog.h"
#include "ui/SettingsCommands.h"

namespace lingomat::testing {
namespace {

struct OptionRow {
    const char* name;
    bool CorrectionOptions::*field;
    const char16_t* text;
};

// Top to bottom as the player sees them.
const OptionRow kRows[] = {
    {"ignoreSpacing", &CorrectionOptions::ignoreSpacing,
     u"Ignorieren von Fehlern durch falsches Zusammen- oder Auseinanderschreiben oder das "
     u"falsche Benutzen von Bindestrichen."},
    {"ignoreCase", &CorrectionOptions::ignoreCase,
     u"Ignorieren von Fehlern durch die nichtbeachtete Gro\u00dfschreibung"},
    {"ignoreAccents", &CorrectionOptions::ignoreAccents,
     u"Ignorieren von Akzent- und Umlautfehlern."},
    {"ignoreArticles", &CorrectionOptions::ignoreArticles,
     u"Vernachl\u00e4ssigen von Artikeln (der, die, das, ein, eine, sich, el, le, la, las, les, "
     u"los, l', un, une, des, se, s', the, to)"},
    {"repeatAtOnce", &CorrectionOptions::repeatAtOnce,
     u"Sofortiges Wiederholen einer falsch beantworteten Frage."},
    {"oneRightSuffices", &CorrectionOptions::oneRightSuffices,
     u"Nach einem Fehler braucht die Frage nur einmal richtig beantwortet zu werden. "
     u"(Standard zwei Mal)"},
};

QCheckBox* Box(QWidget& dialog, const OptionRow& row) {
    return Find<QCheckBox>(dialog, (std::string(row.name) + "Check").c_str());
}

TEST(CorrectionOptionsDialog, EachBoxShowsAndSetsItsOwnOption) {
    for (const OptionRow& row : kRows) {
        for (bool ok : {true, false}) {
            uitest::GameDocument game;
            CLingomatDoc& doc = game.document;
            CorrectionOptions all;
            for (const OptionRow& other : kRows) {
                all.*other.field = true;
            }
            doc.correctionOptions = all;
            std::vector<bool> shown;
            const auto driver = WhenModalOpens<CorrectionOptionsDialog>([&](CorrectionOptionsDialog& dialog) {
                for (const OptionRow& other : kRows) {
                    shown.push_back(Box(dialog, other)->isChecked());
                }
                Box(dialog, row)->click();
                if (ok) {
                    ClickButton(dialog, "okButton");
                } else {
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                }
            });
            RunCorrectionOptions(doc, nullptr);

            EXPECT_EQ(shown, std::vector<bool>(std::size(kRows), true));
            CorrectionOptions expected = all;
            expected.*row.field = !ok;
            EXPECT_EQ(doc.correctionOptions, expected) << row.name << (ok ? " OK" : " Escape");
        }
    }
}

TEST(CorrectionOptionsDialog, TextsInOrderAndClickableOverTheirWholeWidth) {
    CorrectionOptionsDialog dialog(CorrectionOptions{});
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Fehler- und Sprachoptionen"));
    int previousTop = -1;
    for (const OptionRow& row : kRows) {
        auto* label = Find<QLabel>(dialog, (std::string(row.name) + "Label").c_str());
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf16(row.text));
        const int top = label->mapTo(&dialog, QPoint(0, 0)).y();
        EXPECT_GT(top, previousTop) << row.name;
        previousTop = top;
        // The text wraps inside the dialog rather than widening it.
        EXPECT_LE(label->mapTo(&dialog, QPoint(label->width(), 0)).x(), dialog.width());

        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(label->width() - 4, 4));
        EXPECT_TRUE(Box(dialog, row)->isChecked()) << row.name;
    }
    EXPECT_TRUE(dialog.grab().save(ScreenshotFolder() + QStringLiteral("/correction-options.png")));
}

} // namespace
} // namespace lingomat::testing
