#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "SettingsDialogTestSupport.h"
#include "UiTestSupport.h"
#include "ui/CopyModeDialog.h"
#include "ui/SettingsCommands.h"

namespace lingomat::testing {
namespace {

const char* const kEdits[] = {"letterShownEdit", "letterNotShownEdit", "percentShownEdit"};

CopyModeValues SomeValues(int copyMode) {
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
        const char* click; // nullptr: just opened
        std::vector<bool> enabled;
    } cases[] = {
        {-1, nullptr, {true, true, true}},
        {0, nullptr, {false, false, false}},
        {1, nullptr, {true, false, false}},
        {3, nullptr, {false, false, true}},
        {0, "lettersNotShownRadio", {false, true, false}},
        {2, "percentShownRadio", {false, false, true}},
        {-1, "lettersShownRadio", {true, false, false}},
        {3, "allLettersRadio", {false, false, false}},
    };
    for (const auto& c : cases) {
        CopyModeDialog dialog(SomeValues(c.opened));
        dialog.show();
        if (c.click != nullptr) {
            ClickButton(dialog, c.click);
        }
        std::vector<bool> enabled;
        for (const char* name : kEdits) {
            enabled.push_back(Find<QLineEdit>(dialog, name)->isEnabled());
        }
        EXPECT_EQ(enabled, c.enabled) << c.opened << " " << (c.click ? c.click : "");
        EXPECT_TRUE(Find<QLineEdit>(dialog, "timeBeforeCopyEdit")->isEnabled());
    }
}

TEST(CopyModeDialog, ValuesGoBackToTheDocument) {
    uitest::GameDocument game;
    CopyModeSettings& settings = game.document.copyModeSettings;
    settings.copyMode = 1;
    settings.letterShown = 4;
    settings.letterNotShown = 1;
    settings.percentShown = 30;
    settings.timeBeforeCopy = 1500;
    settings.showSZAsSS = false;
    QStringList shown;
    const auto driver = WhenModalOpens<CopyModeDialog>([&](CopyModeDialog& dialog) {
        for (const char* name : {"letterShownEdit", "letterNotShownEdit", "percentShownEdit",
                                 "timeBeforeCopyEdit"}) {
            shown << EditText(dialog, name);
        }
        EXPECT_TRUE(Find<QRadioButton>(dialog, "lettersShownRadio")->isChecked());
        ClickButton(dialog, "lettersNotShownRadio");
        SetEditText(dialog, "letterNotShownEdit", QStringLiteral(" 6 "));
        SetEditText(dialog, "timeBeforeCopyEdit", QStringLiteral("2.5"));
        ClickButton(dialog, "showSZAsSSCheck");
        ClickButton(dialog, "okButton");
    });
    RunCopyModeSettings(game.document, nullptr);

    EXPECT_EQ(shown, (QStringList{QStringLiteral("4"), QStringLiteral("1"), QStringLiteral("30"),
                                  QStringLiteral("1.5")}));
    EXPECT_EQ(settings.copyMode, 2u);
    EXPECT_EQ(settings.letterShown, 4u);
    EXPECT_EQ(settings.letterNotShown, 6u);
    EXPECT_EQ(settings.percentShown, 30u);
    EXPECT_EQ(settings.timeBeforeCopy, 2500u);
    EXPECT_TRUE(settings.showSZAsSS);
}

TEST(CopyModeDialog, EscapeKeepsTheValues) {
    uitest::GameDocument game;
    CopyModeSettings& settings = game.document.copyModeSettings;
    settings.copyMode = 3;
    settings.timeBeforeCopy = 700;
    const auto driver = WhenModalOpens<CopyModeDialog>([](CopyModeDialog& dialog) {
        ClickButton(dialog, "allLettersRadio");
        SetEditText(dialog, "percentShownEdit", QStringLiteral("80"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    RunCopyModeSettings(game.document, nullptr);
    EXPECT_EQ(settings.copyMode, 3u);
    EXPECT_EQ(settings.percentShown, 50u);
    EXPECT_EQ(settings.timeBeforeCopy, 700u);
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
        {"percentShownEdit", 3, u"viel", whole},
        {"letterShownEdit", 1, u"99999999999", whole},
        {"percentShownEdit", 3, u"150", u"Bitte geben Sie eine Zahl zwischen 0 und 100 ein."},
        {"timeBeforeCopyEdit", 0, u"-1", u"Bitte geben Sie eine Zahl zwischen 0 und 60 ein."},
        {"timeBeforeCopyEdit", 0, u"eins", u"Bitte geben Sie eine Zahl ein."},
    };
    for (const auto& c : cases) {
        CopyModeDialog dialog(SomeValues(c.copyMode));
        dialog.show();
        SetEditText(dialog, c.edit, QString::fromUtf16(c.typed));
        MessageCatcher messages;
        ClickButton(dialog, "okButton");
        ASSERT_EQ(messages.texts.size(), 1) << c.edit;
        EXPECT_EQ(messages.texts[0], QString::fromUtf16(c.message)) << c.edit;
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(dialog, c.edit));
        EXPECT_EQ(dialog.Values().letterShown, 2u);
    }
}

TEST(CopyModeDialog, Rendering) {
    CopyModeDialog dialog(SomeValues(2));
    dialog.show();
    EXPECT_TRUE(dialog.grab().save(ScreenshotFolder() + QStringLiteral("/copy-mode.png")));
}

} // namespace
} // namespace lingomat::testing
