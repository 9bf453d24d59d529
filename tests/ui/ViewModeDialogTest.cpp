#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "SettingsDialogTestSupport.h"
#include "UiTestSupport.h"
#include "ui/SettingsCommands.h"
#include "ui/ViewModeDialog.h"

namespace lingomat::testing {
namespace {

TEST(ViewModeDialog, TimePerLetterOnlyWhileLetterByLetter) {
    for (bool opened : {false, true}) {
        ViewModeValues values;
        values.letterByLetter = opened;
        ViewModeDialog dialog(values);
        dialog.show();
        auto* perLetter = Find<QLineEdit>(dialog, "timeLetterEdit");
        auto* check = Find<QCheckBox>(dialog, "letterByLetterCheck");
        for (int click = 0; click < 3; ++click) {
            EXPECT_EQ(perLetter->isEnabled(), check->isChecked());
            EXPECT_TRUE(Find<QLineEdit>(dialog, "timeAfterWordEdit")->isEnabled());
            EXPECT_TRUE(Find<QLineEdit>(dialog, "timeBeforeViewerEdit")->isEnabled());
            check->click();
        }
    }
}

struct ViewCase {
    const char* label;
    std::vector<std::pair<const char*, const char16_t*>> typed;
    std::vector<const char*> clicks;
    bool ok;
    std::uint32_t timeLetter, timeAfterWord, timeBeforeViewer;
    bool letterByLetter, fullScreen;
};

TEST(ViewModeDialog, ValuesGoBackInMilliseconds) {
    const ViewCase cases[] = {
        {"Unchanged", {}, {}, true, 100, 500, 1000, true, false},
        {"Typed",
         {{"timeLetterEdit", u"0.25"}, {"timeAfterWordEdit", u"2.5"}, {"timeBeforeViewerEdit",
                                                                     u"0"}},
         {"fullScreenCheck"},
         true,
         250,
         2500,
         0,
         true,
         true},
        {"LetterByLetterOff", {}, {"letterByLetterCheck"}, true, 100, 500, 1000, false, false},
        {"Escape",
         {{"timeAfterWordEdit", u"9"}},
         {"letterByLetterCheck", "fullScreenCheck"},
         false,
         100,
         500,
         1000,
         true,
         false},
    };
    for (const ViewCase& c : cases) {
        uitest::GameDocument game;
        ViewModeSettings& settings = game.document.viewModeSettings;
        QStringList shown;
        const auto driver = WhenModalOpens<ViewModeDialog>([&](ViewModeDialog& dialog) {
            for (const char* name : {"timeLetterEdit", "timeAfterWordEdit", "timeBeforeViewerEdit"}) {
                shown << EditText(dialog, name);
            }
            for (const auto& [name, text] : c.typed) {
                SetEditText(dialog, name, QString::fromUtf16(text));
            }
            for (const char* name : c.clicks) {
                ClickButton(dialog, name);
            }
            if (c.ok) {
                ClickButton(dialog, "okButton");
            } else {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            }
        });
        RunViewModeSettings(game.document, nullptr);
        EXPECT_EQ(shown, (QStringList{QStringLiteral("0.1"), QStringLiteral("0.5"),
                                      QStringLiteral("1")}))
            << c.label;
        EXPECT_EQ(settings.timeLetter, c.timeLetter) << c.label;
        EXPECT_EQ(settings.timeAfterWord, c.timeAfterWord) << c.label;
        EXPECT_EQ(settings.timeBeforeViewer, c.timeBeforeViewer) << c.label;
        EXPECT_EQ(settings.letterByLetter, c.letterByLetter) << c.label;
        EXPECT_EQ(settings.fullScreen, c.fullScreen) << c.label;
    }
}

TEST(ViewModeDialog, RefusesNegativeAndNonNumericTimes) {
    const struct {
        const char* edit;
        const char16_t* typed;
        const char16_t* message;
    } cases[] = {
        {"timeLetterEdit", u"-0.1", u"Bitte geben Sie eine Zahl zwischen 0 und 60 ein."},
        {"timeAfterWordEdit", u"1e9", u"Bitte geben Sie eine Zahl zwischen 0 und 60 ein."},
        {"timeBeforeViewerEdit", u"1s", u"Bitte geben Sie eine Zahl ein."},
    };
    for (const auto& c : cases) {
        ViewModeValues values;
        values.letterByLetter = true;
        ViewModeDialog dialog(values);
        dialog.show();
        SetEditText(dialog, c.edit, QString::fromUtf16(c.typed));
        MessageCatcher messages;
        ClickButton(dialog, "okButton");
        ASSERT_EQ(messages.texts.size(), 1) << c.edit;
        EXPECT_EQ(messages.texts[0], QString::fromUtf16(c.message));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(dialog, c.edit));
    }
}

TEST(ViewModeDialog, Rendering) {
    ViewModeValues values;
    values.letterByLetter = false;
    values.timeLetter = 0.1f;
    values.timeAfterWord = 0.5f;
    values.timeBeforeViewer = 1.0f;
    ViewModeDialog dialog(values);
    dialog.show();
    EXPECT_TRUE(dialog.grab().save(ScreenshotFolder() + QStringLiteral("/view-mode.png")));
}

} // namespace
} // namespace lingomat::testing
