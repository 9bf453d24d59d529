#include <QCheckBox>

#include "SettingsDialogTestSupport.h"
#include "ui/SettingsCommands.h"
#include "ui/ViewModeDialog.h"

namespace lingomat::testing {
namespace {

TEST(ViewModeDialog, TimePerLetterOnlyWhileLetterByLetter) {
    for (bool letterByLetter : {false, true}) {
        ViewModeValues values;
        values.letterByLetter = letterByLetter;
        ViewModeDialog dialog(values);
        dialog.show();
        for (int click = 0; click < 3; ++click) {
            EXPECT_EQ(Find(dialog, "timeLetterEdit")->isEnabled(),
                      Find<QCheckBox>(dialog, "letterByLetterCheck")->isChecked());
            EXPECT_TRUE(Find(dialog, "timeAfterWordEdit")->isEnabled());
            ClickButton(dialog, "letterByLetterCheck");
        }
        if (!letterByLetter) {
            SaveShot(dialog, "view-mode");
        }
    }
}

TEST(ViewModeDialog, ValuesGoBackInMilliseconds) {
    const struct {
        std::vector<const char16_t*> typed; // per letter, after a word, before a word
        std::vector<const char*> clicks;
        bool ok;
        std::uint32_t timeLetter, timeAfterWord, timeBeforeViewer;
        bool letterByLetter, fullScreen;
    } cases[] = {
        {{}, {}, true, 100, 500, 1000, true, false},
        {{u"0.25", u"2.5", u"0"}, {"fullScreenCheck"}, true, 250, 2500, 0, true, true},
        {{}, {"letterByLetterCheck"}, true, 100, 500, 1000, false, false},
        {{u"9", u"9", u"9"}, {"letterByLetterCheck", "fullScreenCheck"}, false, 100, 500, 1000,
         true, false},
    };
    const char* const edits[] = {"timeLetterEdit", "timeAfterWordEdit", "timeBeforeViewerEdit"};
    for (const auto& c : cases) {
        uitest::GameDocument game;
        ViewModeSettings& settings = game.document.viewModeSettings;
        QStringList shown;
        const auto driver = WhenModalOpens<ViewModeDialog>([&](ViewModeDialog& dialog) {
            for (std::size_t i = 0; i < std::size(edits); ++i) {
                shown << Find<QLineEdit>(dialog, edits[i])->text();
                if (i < c.typed.size()) {
                    SetEditText(dialog, edits[i], c.typed[i]);
                }
            }
            for (const char* name : c.clicks) {
                ClickButton(dialog, name);
            }
            Close(dialog, c.ok);
        });
        RunViewModeSettings(game.document, nullptr);
        EXPECT_EQ(shown, Latin1List({"0.1", "0.5", "1"}));
        EXPECT_EQ(settings.timeLetter, c.timeLetter);
        EXPECT_EQ(settings.timeAfterWord, c.timeAfterWord);
        EXPECT_EQ(settings.timeBeforeViewer, c.timeBeforeViewer);
        EXPECT_EQ(settings.letterByLetter, c.letterByLetter);
        EXPECT_EQ(settings.fullScreen, c.fullScreen);
    }
}

TEST(ViewModeDialog, RefusesTimesThatCannotBeAPause) {
    for (const char16_t* typed : {u"-0.1", u"1e9"}) {
        ViewModeDialog dialog(ViewModeValues{});
        dialog.show();
        ExpectRefusal(dialog, "timeAfterWordEdit", typed,
                      u"Bitte geben Sie eine Zahl zwischen 0 und 60 ein.");
    }
}

} // namespace
} // namespace lingomat::testing
