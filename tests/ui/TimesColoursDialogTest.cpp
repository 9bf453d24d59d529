#include <QCheckBox>
#include <QColorDialog>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "SettingsDialogTestSupport.h"
#include "UiTestSupport.h"
#include "ui/ColorSwatch.h"
#include "ui/SettingsCommands.h"
#include "ui/TimesColoursDialog.h"

namespace lingomat::testing {
namespace {

std::uint32_t SwatchColour(QWidget& dialog, const char* name) {
    auto* swatch = Find<ColorSwatch>(dialog, name);
    return swatch != nullptr ? swatch->Colour() : 0;
}

struct TimesCase {
    const char* label;
    std::uint32_t right, wrong, glimpse;
    const char16_t* shownRight;
    const char16_t* shownWrong;
    const char16_t* shownGlimpse;
    const char16_t* typedWrong; // nullptr: left as shown
    bool ok;                    // false: closed with Escape
    std::uint32_t storedRight, storedWrong, storedGlimpse;
};

class TimesRoundTrip : public ::testing::TestWithParam<TimesCase> {};

TEST_P(TimesRoundTrip, ShownInSecondsAndStoredInMilliseconds) {
    const TimesCase& c = GetParam();
    uitest::GameDocument game;
    CLingomatDoc& doc = game.document;
    doc.rightTime = c.right;
    doc.wrongTime = c.wrong;
    doc.glimpseTime = c.glimpse;
    QStringList shown;
    const auto driver = WhenModalOpens<TimesColoursDialog>([&](TimesColoursDialog& dialog) {
        shown = {EditText(dialog, "rightTimeEdit"), EditText(dialog, "wrongTimeEdit"),
                 EditText(dialog, "glimpseTimeEdit")};
        if (c.typedWrong != nullptr) {
            SetEditText(dialog, "wrongTimeEdit", QString::fromUtf16(c.typedWrong));
        }
        if (c.ok) {
            ClickButton(dialog, "okButton");
        } else {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        }
    });
    RunTimesColoursSettings(doc, nullptr);

    EXPECT_EQ(shown, (QStringList{QString::fromUtf16(c.shownRight),
                                  QString::fromUtf16(c.shownWrong),
                                  QString::fromUtf16(c.shownGlimpse)}));
    EXPECT_EQ(doc.rightTime, c.storedRight);
    EXPECT_EQ(doc.wrongTime, c.storedWrong);
    EXPECT_EQ(doc.glimpseTime, c.storedGlimpse);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TimesRoundTrip,
    ::testing::Values(
        TimesCase{"WholeTenthsComeBack", 1500, 2500, 300, u"1.5", u"2.5", u"0.3", nullptr, true,
                  1500, 2500, 300},
        // Read back from "0.7" the float lies just below 0.7 and the way back truncates.
        TimesCase{"SevenTenthsLoseAMillisecondOnOk", 700, 900, 2000, u"0.7", u"0.9", u"2",
                  nullptr, true, 699, 899, 2000},
        TimesCase{"EscapeKeepsTheValuesComputedOnOpening", 700, 900, 2000, u"0.7", u"0.9", u"2",
                  nullptr, false, 700, 900, 2000},
        TimesCase{"EscapeIgnoresTypedValues", 400, 2000, 500, u"0.4", u"2", u"0.5", u"7", false,
                  400, 2000, 500},
        TimesCase{"TypedSecondsBecomeMilliseconds", 400, 2000, 500, u"0.4", u"2", u"0.5", u"2.5",
                  true, 400, 2500, 500},
        TimesCase{"DecimalCommaCounts", 400, 2000, 500, u"0.4", u"2", u"0.5", u"1,25", true, 400,
                  1250, 500},
        TimesCase{"LimitsAreAccepted", 0, 10000, 0, u"0", u"10", u"0", nullptr, true, 0, 10000,
                  0}),
    [](const auto& info) { return std::string(info.param.label); });

struct RefusalCase {
    const char* edit;
    const char16_t* typed;
    const char16_t* message;
};

TEST(TimesColoursDialog, RefusesTimesOutsideTheRangeAndStaysOpen) {
    const char16_t* const range = u"Bitte geben Sie eine Zahl zwischen 0 und 10 ein.";
    const RefusalCase cases[] = {
        {"wrongTimeEdit", u"12", range},
        {"rightTimeEdit", u"-0.5", range},
        {"glimpseTimeEdit", u"10.5", range},
        {"wrongTimeEdit", u"zwei", u"Bitte geben Sie eine Zahl ein."},
        {"rightTimeEdit", u"", u"Bitte geben Sie eine Zahl ein."},
    };
    for (const RefusalCase& c : cases) {
        TimesColoursValues values;
        values.rightTime = 0.4f;
        values.wrongTime = 2.0f;
        values.glimpseTime = 0.5f;
        TimesColoursDialog dialog(values);
        dialog.show();
        SetEditText(dialog, c.edit, QString::fromUtf16(c.typed));
        MessageCatcher messages;
        ClickButton(dialog, "okButton");
        ASSERT_EQ(messages.texts.size(), 1) << c.edit;
        EXPECT_EQ(messages.texts[0], QString::fromUtf16(c.message));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(dialog, c.edit));
        EXPECT_EQ(Find<QLineEdit>(dialog, c.edit)->selectedText(), QString::fromUtf16(c.typed));
        EXPECT_EQ(dialog.Values().wrongTime, 2.0f) << "nothing is taken from a refused OK";
    }
}

TEST(TimesColoursDialog, StoredTimeBeyondTheRangeIsReportedOnOpening) {
    TimesColoursValues values;
    values.wrongTime = SecondsFromMilliseconds(12000);
    TimesColoursDialog dialog(values);
    MessageCatcher messages;
    dialog.show();
    QTRY_COMPARE(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], QStringLiteral("Bitte geben Sie eine Zahl zwischen 0 und 10 ein."));
    EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(dialog, "wrongTimeEdit"));
}

TEST(TimesColoursDialog, CheckBoxesDisableWhatTheyMakeUnused) {
    const struct {
        bool noCorrection;
        bool noColourChange;
    } states[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (bool startTicked : {false, true}) {
        TimesColoursValues values;
        values.noCorrection = startTicked;
        TimesColoursDialog dialog(values);
        dialog.show();
        for (const auto& state : states) {
            auto* noCorrection = Find<QCheckBox>(dialog, "noCorrectionCheck");
            auto* noColourChange = Find<QCheckBox>(dialog, "noColourChangeCheck");
            if (noCorrection->isChecked() != state.noCorrection) {
                noCorrection->click();
            }
            if (noColourChange->isChecked() != state.noColourChange) {
                noColourChange->click();
            }
            EXPECT_EQ(Find<QLineEdit>(dialog, "rightTimeEdit")->isEnabled(), !state.noCorrection);
            EXPECT_EQ(Find<QLineEdit>(dialog, "wrongTimeEdit")->isEnabled(), !state.noCorrection);
            EXPECT_TRUE(Find<QLineEdit>(dialog, "glimpseTimeEdit")->isEnabled());
            for (const char* name : {"changeWrongColourButton", "standardWrongColourButton"}) {
                EXPECT_EQ(Find<QWidget>(dialog, name)->isEnabled(), !state.noColourChange) << name;
            }
            for (const char* name : {"changeRightColourButton", "standardRightColourButton"}) {
                EXPECT_TRUE(Find<QWidget>(dialog, name)->isEnabled()) << name;
            }
        }
    }
    TimesColoursValues ticked;
    ticked.noCorrection = true;
    TimesColoursDialog opened(ticked);
    EXPECT_FALSE(Find<QLineEdit>(opened, "wrongTimeEdit")->isEnabled());
}

TEST(TimesColoursDialog, FlagsPicturesAndColoursReachTheDocument) {
    const struct {
        const char* label;
        std::vector<const char*> clicks;
        bool useRabbits;
        bool correcting;
        std::uint32_t colorRight;
        std::uint32_t colorWrong;
    } cases[] = {
        {"Nothing", {}, true, true, 0x102030, 0x405060},
        {"Smileys", {"smileysRadio"}, false, true, 0x102030, 0x405060},
        {"NoCorrection", {"noCorrectionCheck"}, true, false, 0x102030, 0x405060},
        {"StandardRight", {"standardRightColourButton"}, true, true, 12517310, 0x405060},
        {"StandardWrong", {"standardWrongColourButton"}, true, true, 0x102030, 12500735},
        {"NoColourChange", {"noColourChangeCheck"}, true, true, 0x102030, 0x102030},
        {"StandardThenNoColourChange",
         {"standardRightColourButton", "noColourChangeCheck"}, true, true, 12517310, 12517310},
    };
    for (const auto& c : cases) {
        uitest::GameDocument game;
        CLingomatDoc& doc = game.document;
        doc.colorRight = 0x102030;
        doc.colorWrong = 0x405060;
        const auto driver = WhenModalOpens<TimesColoursDialog>([&](TimesColoursDialog& dialog) {
            EXPECT_TRUE(Find<QRadioButton>(dialog, "rabbitsRadio")->isChecked());
            EXPECT_EQ(SwatchColour(dialog, "rightColourSwatch"), 0x102030u);
            EXPECT_EQ(SwatchColour(dialog, "wrongColourSwatch"), 0x405060u);
            for (const char* name : c.clicks) {
                ClickButton(dialog, name);
            }
            ClickButton(dialog, "okButton");
        });
        RunTimesColoursSettings(doc, nullptr);
        EXPECT_EQ(doc.useRabbits, c.useRabbits) << c.label;
        EXPECT_EQ(doc.correcting, c.correcting) << c.label;
        EXPECT_EQ(doc.colorRight, c.colorRight) << c.label;
        EXPECT_EQ(doc.colorWrong, c.colorWrong) << c.label;
    }
}

TEST(TimesColoursDialog, NoColourChangeOpensUntickedWithBothSwatchesAlike) {
    uitest::GameDocument game;
    CLingomatDoc& doc = game.document;
    const auto tick = WhenModalOpens<TimesColoursDialog>([](TimesColoursDialog& dialog) {
        ClickButton(dialog, "noColourChangeCheck");
        ClickButton(dialog, "okButton");
    });
    RunTimesColoursSettings(doc, nullptr);
    bool ticked = true;
    std::uint32_t right = 0;
    std::uint32_t wrong = 1;
    const auto look = WhenModalOpens<TimesColoursDialog>([&](TimesColoursDialog& dialog) {
        ticked = Find<QCheckBox>(dialog, "noColourChangeCheck")->isChecked();
        right = SwatchColour(dialog, "rightColourSwatch");
        wrong = SwatchColour(dialog, "wrongColourSwatch");
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    RunTimesColoursSettings(doc, nullptr);
    EXPECT_FALSE(ticked);
    EXPECT_EQ(right, 12517310u);
    EXPECT_EQ(wrong, 12517310u);
}

// Opens the chooser of one colour from the dialog and drives it.
void Choose(TimesColoursDialog& dialog, const char* button,
            std::function<void(QColorDialog&)> drive) {
    const auto driver = WhenModalOpens<QColorDialog>(std::move(drive));
    ClickButton(dialog, button);
}

TEST(TimesColoursDialog, ChooserKeepsSeparateCustomColoursForTheRun) {
    using Colour = TimesColoursDialog::Colour;
    const QColor mint(150, 250, 200);
    const QColor rose(250, 150, 170);
    TimesColoursValues values;
    values.colourRight = 0x102030;
    values.colourWrong = 0x405060;
    {
        TimesColoursDialog dialog(values);
        dialog.show();
        QColor startedAt;
        Choose(dialog, "changeRightColourButton", [&](QColorDialog& chooser) {
            startedAt = chooser.currentColor();
            QColorDialog::setCustomColor(3, mint);
            chooser.setCurrentColor(mint);
            chooser.accept();
        });
        EXPECT_EQ(startedAt, QColor(0x30, 0x20, 0x10));
        EXPECT_EQ(SwatchColour(dialog, "rightColourSwatch"), RgbFromColour(mint));

        QColor wrongSetSlot3;
        Choose(dialog, "changeWrongColourButton", [&](QColorDialog& chooser) {
            wrongSetSlot3 = QColorDialog::customColor(3);
            QColorDialog::setCustomColor(5, rose);
            chooser.setCurrentColor(rose);
            chooser.reject();
        });
        EXPECT_NE(wrongSetSlot3, mint);
        EXPECT_EQ(SwatchColour(dialog, "wrongColourSwatch"), 0x405060u) << "cancel keeps it";
        ClickButton(dialog, "okButton");
        EXPECT_EQ(dialog.Values().colourRight, RgbFromColour(mint));
    }
    EXPECT_EQ(TimesColoursDialog::CustomColour(Colour::Right, 3), mint);
    EXPECT_EQ(TimesColoursDialog::CustomColour(Colour::Wrong, 5), rose);

    // A later opening of the dialog finds each colour's own set again.
    TimesColoursDialog again(values);
    again.show();
    QColor rightSlot3;
    QColor rightSlot5;
    Choose(again, "changeRightColourButton", [&](QColorDialog& chooser) {
        rightSlot3 = QColorDialog::customColor(3);
        rightSlot5 = QColorDialog::customColor(5);
        chooser.reject();
    });
    EXPECT_EQ(rightSlot3, mint);
    EXPECT_NE(rightSlot5, rose);
    QColor wrongSlot5;
    Choose(again, "changeWrongColourButton", [&](QColorDialog& chooser) {
        wrongSlot5 = QColorDialog::customColor(5);
        chooser.reject();
    });
    EXPECT_EQ(wrongSlot5, rose);
}

TEST(TimesColoursDialog, SwatchesPaintTheirColourAndRendering) {
    TimesColoursValues values;
    values.rightTime = 0.4f;
    values.wrongTime = 2.0f;
    values.glimpseTime = 0.5f;
    values.pictureChoice = 1;
    values.colourRight = 12517310;
    values.colourWrong = 12500735;
    TimesColoursDialog dialog(values);
    dialog.show();
    for (const auto& [name, colour] :
         {std::pair{"rightColourSwatch", QColor(190, 255, 190)},
          std::pair{"wrongColourSwatch", QColor(255, 190, 190)}}) {
        auto* swatch = Find<ColorSwatch>(dialog, name);
        const QImage image = swatch->grab().toImage();
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), colour) << name;
    }
    EXPECT_TRUE(dialog.grab().save(ScreenshotFolder() + QStringLiteral("/times-colours.png")));
}

} // namespace
} // namespace lingomat::testing
