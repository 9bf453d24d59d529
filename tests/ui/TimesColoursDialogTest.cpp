#include <QCheckBox>
#include <QColorDialog>

#include "SettingsDialogTestSupport.h"
#include "ui/ColorSwatch.h"
#include "ui/SettingsCommands.h"
#include "ui/TimesColoursDialog.h"

namespace lingomat::testing {
namespace {

std::uint32_t Swatch(QWidget& dialog, const char* name) {
    return Find<ColorSwatch>(dialog, name)->Colour();
}

TEST(TimesColoursDialog, TimesShownInSecondsAndStoredInMilliseconds) {
    const struct {
        std::uint32_t right, wrong, glimpse;
        const char16_t* typedWrong; // nullptr: left as shown
        bool ok;
        std::vector<const char*> shown;
        std::uint32_t storedRight, storedWrong, storedGlimpse;
    } cases[] = {
        {1500, 2500, 300, nullptr, true, {"1.5", "2.5", "0.3"}, 1500, 2500, 300},
        // Read back from "0.7" the float lies just below 0.7, and the way back truncates.
        {700, 900, 0, nullptr, true, {"0.7", "0.9", "0"}, 699, 899, 0},
        // Escape keeps the seconds computed on opening, and typed text is not read.
        {700, 900, 10000, u"7", false, {"0.7", "0.9", "10"}, 700, 900, 10000},
        {400, 2000, 500, u"2,5", true, {"0.4", "2", "0.5"}, 400, 2500, 500},
    };
    for (const auto& c : cases) {
        uitest::GameDocument game;
        CLingomatDoc& doc = game.document;
        doc.rightTime = c.right;
        doc.wrongTime = c.wrong;
        doc.glimpseTime = c.glimpse;
        QStringList shown;
        const auto driver = WhenModalOpens<TimesColoursDialog>([&](TimesColoursDialog& dialog) {
            for (const char* name : {"rightTimeEdit", "wrongTimeEdit", "glimpseTimeEdit"}) {
                shown << Find<QLineEdit>(dialog, name)->text();
            }
            if (c.typedWrong != nullptr) {
                SetEditText(dialog, "wrongTimeEdit", c.typedWrong);
            }
            Close(dialog, c.ok);
        });
        RunTimesColoursSettings(doc, nullptr);
        EXPECT_EQ(shown, Latin1List(c.shown));
        EXPECT_EQ(doc.rightTime, c.storedRight) << c.right;
        EXPECT_EQ(doc.wrongTime, c.storedWrong) << c.right;
        EXPECT_EQ(doc.glimpseTime, c.storedGlimpse) << c.right;
    }
}

TEST(TimesColoursDialog, RefusesTimesOutsideZeroToTenSeconds) {
    const char16_t* const range = u"Bitte geben Sie eine Zahl zwischen 0 und 10 ein.";
    const struct {
        const char* edit;
        const char16_t* typed;
        const char16_t* message;
    } cases[] = {{"wrongTimeEdit", u"12", range},
                 {"glimpseTimeEdit", u"-0.5", range},
                 {"rightTimeEdit", u"zwei", u"Bitte geben Sie eine Zahl ein."}};
    for (const auto& c : cases) {
        TimesColoursDialog dialog(TimesColoursValues{});
        dialog.show();
        ExpectRefusal(dialog, c.edit, c.typed, c.message);
    }

    // A stored time beyond the range is pointed out as soon as the dialog opens.
    TimesColoursValues stored;
    stored.wrongTime = SecondsFromMilliseconds(12000);
    TimesColoursDialog dialog(stored);
    MessageCatcher messages;
    dialog.show();
    QTRY_COMPARE(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], QString::fromUtf16(range));
}

TEST(TimesColoursDialog, CheckBoxesDisableWhatTheyMakeUnused) {
    TimesColoursDialog dialog(TimesColoursValues{});
    dialog.show();
    for (const char* box : {"noCorrectionCheck", "noColourChangeCheck", "noCorrectionCheck",
                            "noColourChangeCheck"}) {
        ClickButton(dialog, box);
        const bool correction = !Find<QCheckBox>(dialog, "noCorrectionCheck")->isChecked();
        const bool colourChange = !Find<QCheckBox>(dialog, "noColourChangeCheck")->isChecked();
        EXPECT_EQ(Find(dialog, "rightTimeEdit")->isEnabled(), correction);
        EXPECT_EQ(Find(dialog, "wrongTimeEdit")->isEnabled(), correction);
        EXPECT_TRUE(Find(dialog, "glimpseTimeEdit")->isEnabled());
        EXPECT_EQ(Find(dialog, "changeWrongColourButton")->isEnabled(), colourChange);
        EXPECT_EQ(Find(dialog, "standardWrongColourButton")->isEnabled(), colourChange);
        EXPECT_TRUE(Find(dialog, "standardRightColourButton")->isEnabled());
    }
    TimesColoursValues ticked;
    ticked.noCorrection = true;
    TimesColoursDialog opened(ticked);
    EXPECT_FALSE(Find(opened, "wrongTimeEdit")->isEnabled());
}

TEST(TimesColoursDialog, FlagsPicturesAndColoursReachTheDocument) {
    const std::uint32_t right = 0x102030;
    const std::uint32_t wrong = 0x405060;
    const struct {
        std::vector<const char*> clicks;
        bool ok;
        bool useRabbits, correcting;
        std::uint32_t colorRight, colorWrong;
    } cases[] = {
        {{"smileysRadio", "noCorrectionCheck"}, true, false, false, right, wrong},
        {{"smileysRadio", "noCorrectionCheck"}, false, true, true, right, wrong},
        {{"standardRightColourButton"}, true, true, true, 12517310, wrong},
        // Colours are set by their buttons at once, so Escape keeps them too.
        {{"standardWrongColourButton"}, false, true, true, right, 12500735},
        {{"noColourChangeCheck"}, true, true, true, right, right},
        {{"standardRightColourButton", "noColourChangeCheck"}, true, true, true, 12517310,
         12517310},
    };
    for (const auto& c : cases) {
        uitest::GameDocument game;
        CLingomatDoc& doc = game.document;
        doc.colorRight = right;
        doc.colorWrong = wrong;
        const auto driver = WhenModalOpens<TimesColoursDialog>([&](TimesColoursDialog& dialog) {
            EXPECT_TRUE(Find<QAbstractButton>(dialog, "rabbitsRadio")->isChecked());
            EXPECT_EQ(Swatch(dialog, "rightColourSwatch"), right);
            EXPECT_EQ(Swatch(dialog, "wrongColourSwatch"), wrong);
            for (const char* name : c.clicks) {
                ClickButton(dialog, name);
            }
            Close(dialog, c.ok);
        });
        RunTimesColoursSettings(doc, nullptr);
        EXPECT_EQ(doc.useRabbits, c.useRabbits) << c.clicks.front();
        EXPECT_EQ(doc.correcting, c.correcting) << c.clicks.front();
        EXPECT_EQ(doc.colorRight, c.colorRight) << c.clicks.front();
        EXPECT_EQ(doc.colorWrong, c.colorWrong) << c.clicks.front();
    }
}

TEST(TimesColoursDialog, EachColourKeepsItsOwnCustomColoursForTheRun) {
    using Colour = TimesColoursDialog::Colour;
    const QColor mint(150, 250, 200);
    const QColor rose(250, 150, 170);
    TimesColoursValues values{false, false, 0.4f, 2.0f, 0.5f, 1, 12517310, 12500735};
    // Opens the chooser of one colour, notes custom colour 3 and sets custom colour 3 and the
    // current colour to pick.
    const auto choose = [](TimesColoursDialog& dialog, const char* button, QColor pick,
                           bool accept) {
        QColor started;
        QColor slot3;
        const auto driver = WhenModalOpens<QColorDialog>([&](QColorDialog& chooser) {
            started = chooser.currentColor();
            slot3 = QColorDialog::customColor(3);
            QColorDialog::setCustomColor(3, pick);
            chooser.setCurrentColor(pick);
            accept ? chooser.accept() : chooser.reject();
        });
        ClickButton(dialog, button);
        return std::pair{started, slot3};
    };
    {
        TimesColoursDialog dialog(values);
        dialog.show();
        EXPECT_EQ(choose(dialog, "changeRightColourButton", mint, true).first,
                  QColor(190, 255, 190));
        EXPECT_EQ(Swatch(dialog, "rightColourSwatch"), RgbFromColour(mint));
        EXPECT_NE(choose(dialog, "changeWrongColourButton", rose, false).second, mint);
        EXPECT_EQ(Swatch(dialog, "wrongColourSwatch"), values.colourWrong) << "cancel keeps it";
        SaveShot(dialog, "times-colours");
    }
    EXPECT_EQ(TimesColoursDialog::CustomColour(Colour::Right, 3), mint);
    EXPECT_EQ(TimesColoursDialog::CustomColour(Colour::Wrong, 3), rose);
    TimesColoursDialog again(values);
    again.show();
    EXPECT_EQ(choose(again, "changeRightColourButton", mint, false).second, mint);
    EXPECT_EQ(choose(again, "changeWrongColourButton", rose, false).second, rose);

    // The swatch paints its colour over its whole inside.
    const QImage swatch = Find(again, "wrongColourSwatch")->grab().toImage();
    EXPECT_EQ(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), QColor(255, 190, 190));
}

} // namespace
} // namespace lingomat::testing
