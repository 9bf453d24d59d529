#include <QCheckBox>

#include "SettingsDialogTestSupport.h"
#include "ui/CopyModeDialog.h"
#include "ui/SettingsCommands.h"

namespace lingomat::testing {
namespace {

CopyModeValues Values(int copyMode) {
    CopyModeValues values;
    values.copyMode = copyMode;
    values.letterShown = 2;
    values.letterNotShown = 3;
    values.percentShown = 50;
    values.timeBeforeCopy = 1.0f;
    return values;
}

TEST(CopyModeDialog, OnlyTheChosenWaysEditIsOpen) {
    const struct {
        int opened;
        const char* click; // nullptr: as opened
        std::vector<bool> enabled; // letters shown, letters left out, percentage
    } cases[] = {
        {-1, nullptr, {true, true, true}},
        {0, nullptr, {false, false, false}},
        {3, nullptr, {false, false, true}},
        {0, "lettersNotShownRadio", {false, true, false}},
        {-1, "lettersShownRadio", {true, false, false}},
        {3, "allLettersRadio", {false, false, false}},
    };
    for (const auto& c : cases) {
        CopyModeDialog dialog(Values(c.opened));
        dialog.show();
        if (c.click != nullptr) {
            ClickButton(dialog, c.click);
        }
        std::vector<bool> enabled;
        for (const char* name : {"letterShownEdit", "letterNotShownEdit", "percentShownEdit"}) {
            enabled.push_back(Find(dialog, name)->isEnabled());
        }
        EXPECT_EQ(enabled, c.enabled) << c.opened << (c.click ? c.click : "");
        EXPECT_TRUE(Find(dialog, "timeBeforeCopyEdit")->isEnabled());
    }
    CopyModeDialog dialog(Values(2));
    dialog.show();
    SaveShot(dialog, "copy-mode");
}

TEST(CopyModeDialog, ValuesGoBackWithTheDelayInMilliseconds) {
    for (bool ok : {true, false}) {
        uitest::GameDocument game;
        CopyModeSettings& settings = game.document.copyModeSettings;
        settings.copyMode = 0;
        settings.letterShown = 4;
        settings.letterNotShown = 1;
        settings.percentShown = 30;
        settings.timeBeforeCopy = 700;
        std::vector<QString> shown;
        const auto driver = WhenModalOpens<CopyModeDialog>([&](CopyModeDialog& dialog) {
            for (const char* name : {"letterShownEdit", "letterNotShownEdit", "percentShownEdit",
                                     "timeBeforeCopyEdit"}) {
                shown.push_back(Find<QLineEdit>(dialog, name)->text());
            }
            ClickButton(dialog, "lettersShownRadio");
            SetEditText(dialog, "letterShownEdit", u" 6 ");
            SetEditText(dialog, "timeBeforeCopyEdit", u"2.5");
            ClickButton(dialog, "showSZAsSSCheck");
            Close(dialog, ok);
        });
        RunCopyModeSettings(game.document, nullptr);
        EXPECT_EQ(QStringList(shown.begin(), shown.end()), Latin1List({"4", "1", "30", "0.7"}));
        EXPECT_EQ(settings.copyMode, ok ? 1u : 0u);
        EXPECT_EQ(settings.letterShown, ok ? 6u : 4u);
        EXPECT_EQ(settings.letterNotShown, 1u);
        EXPECT_EQ(settings.percentShown, 30u);
        EXPECT_EQ(settings.timeBeforeCopy, ok ? 2500u : 700u);
        EXPECT_EQ(settings.showSZAsSS, ok);
    }
}

TEST(CopyModeDialog, RefusesEntriesThatAreNoSoundNumber) {
    const char16_t* const whole = u"Bitte geben Sie eine ganze Zahl ab 0 ein.";
    // Each edit is refused while it is the open one, so the player can type it again at once.
    const struct {
        const char* edit;
        int copyMode;
        const char16_t* typed;
        const char16_t* message;
    } cases[] = {
        {"letterShownEdit", 1, u"2.5", whole},
        {"letterNotShownEdit", 2, u"-3", whole},
        {"letterShownEdit", 1, u"99999999999", whole},
        {"percentShownEdit", 3, u"150", u"Bitte geben Sie eine Zahl zwischen 0 und 100 ein."},
        {"timeBeforeCopyEdit", 0, u"-1", u"Bitte geben Sie eine Zahl zwischen 0 und 60 ein."},
        {"timeBeforeCopyEdit", 0, u"eins", u"Bitte geben Sie eine Zahl ein."},
    };
    for (const auto& c : cases) {
        CopyModeDialog dialog(Values(c.copyMode));
        dialog.show();
        ExpectRefusal(dialog, c.edit, c.typed, c.message);
        EXPECT_EQ(dialog.Values().letterShown, 2u);
    }
}

} // namespace
} // namespace lingomat::testing
