#include <algorithm>
#include <limits>
#include <map>
#include <string>

#include "UiTestSupport.h"
#include "ui/ChoiceSettingsDialog.h"
#include "ui/ColorSwatch.h"
#include "ui/CopyModeDialog.h"
#include "ui/CorrectionOptionsDialog.h"
#include "ui/SettingsCommands.h"
#include "ui/TimesColoursDialog.h"
#include "ui/ViewModeDialog.h"

namespace lingomat::testing {
namespace {

// A dialog opened outside the game, for the tests of its own behaviour: copy mode (opened with
// the given way), view mode, times and colours.
std::unique_ptr<QDialog> Open(char dialog, int copyMode) {
    std::unique_ptr<QDialog> opened;
    if (dialog == 'c') {
        opened = std::make_unique<CopyModeDialog>(CopyModeValues{copyMode, 2, 3, 50, 1.0f, false});
    } else if (dialog == 'v') {
        opened = std::make_unique<ViewModeDialog>(ViewModeValues{.letterByLetter = copyMode != 0});
    } else {
        opened =
            std::make_unique<TimesColoursDialog>(TimesColoursValues{.noCorrection = copyMode != 0});
    }
    opened->show();
    return opened;
}

// Plays the player's steps, separated by "|": "name=text" types into an edit, "name#3" picks an
// entry of a list, any other name is clicked.
void Play(QWidget& dialog, const char* steps) {
    for (const QString& step : QString::fromLatin1(steps).split(u'|', Qt::SkipEmptyParts)) {
        const QStringList typed = step.split(u'=');
        const QStringList picked = step.split(u'#');
        if (typed.size() == 2) {
            Find<QLineEdit>(dialog, typed[0].toLatin1().constData())->setText(typed[1]);
        } else if (picked.size() == 2) {
            Find<QComboBox>(dialog, picked[0].toLatin1().constData())
                ->setCurrentIndex(picked[1].toInt());
        } else {
            ClickButton(dialog, step.toLatin1().constData());
        }
    }
}

// Seconds out of range or not a number keep to what milliseconds can hold, and round to the
// nearest.
TEST(SettingsConversions, MillisecondsFromSecondsStayInRange) {
    const std::uint32_t most = std::numeric_limits<std::uint32_t>::max();
    for (const auto& [seconds, milliseconds] :
         {std::pair{-1.5f, 0u}, std::pair{std::numeric_limits<float>::quiet_NaN(), 0u},
          std::pair{1e12f, most}, std::pair{2.5f, 2500u}, std::pair{0.0014f, 1u},
          std::pair{0.0016f, 2u}}) {
        EXPECT_EQ(MillisecondsFromSeconds(seconds), milliseconds) << seconds;
    }
}

// Outside a game the game's settings only say so. In a choice game they open its dialog, and
// the count chosen reaches the running round at once; writing has no dialog. The game goes on
// where it was. Which game type opens which dialog the game type dialog's test pins.
TEST(SettingsCommands, GameSettingsOpenTheRunningGameTypesDialogAndChoicesReachItsRound) {
    {
        GameDocument outside;
        Answers answers;
        RunGameSettings(outside.document, nullptr);
        EXPECT_EQ(answers.Texts(), QStringList{u"Sie k\u00f6nnen diese Funktion nur w\u00e4hrend "
                                               u"des Spiels nutzen."_s});
    }
    for (const GameMode mode :
         {GameModeChoiceOtherLessons, GameModeChoiceAlteredLetters, GameModeWrite}) {
        GameDocument game;
        CLingomatDoc& doc = game.document;
        StartGame(doc, mode);
        const std::size_t questions = doc.pool.Size();
        const bool choice = mode != GameModeWrite;
        Answers answers;
        if (choice) {
            answers.On<ChoiceSettingsDialog>([](ChoiceSettingsDialog& dialog) {
                Find<QComboBox>(dialog, "choiceCountCombo")->setCurrentIndex(3);
                ClickButton(dialog, "okButton");
            });
        }
        RunGameSettings(doc, nullptr);
        EXPECT_EQ(answers.dialogs.size(), choice ? 1 : 0) << mode;
        EXPECT_EQ(doc.pool.Size(), questions);
        if (choice) {
            // Five choices: the right answer stands among them, with wrong ones beside it.
            const std::vector<std::string>& texts = doc.Round().texts;
            ASSERT_EQ(texts.size(), 5u) << mode;
            EXPECT_FALSE(texts.at(doc.Round().correctChoice).empty()) << mode;
            EXPECT_LE(std::count(texts.begin(), texts.end(), std::string()), 3) << mode;
        }
    }
}

// An edit is open only while what it sets is used: the copy mode's ways, the view mode's letter by
// letter, the times and colours of the correction. "-" marks a closed one. OK refuses an entry
// that is no sound number while its edit is the open one, so the player can type it again at once.
TEST(SettingsDialogs, EditsAreOpenOnlyWhileUsedAndRefuseUnsoundNumbers) {
    const char16_t* const whole = u"Bitte geben Sie eine ganze Zahl ab 0 ein.";
    const char16_t* const minute = u"Bitte geben Sie eine Zahl zwischen 0 und 60 ein.";
    const char16_t* const tenSeconds = u"Bitte geben Sie eine Zahl zwischen 0 und 10 ein.";
    const char16_t* const number = u"Bitte geben Sie eine Zahl ein.";
    const struct {
        char dialog;
        int opened;                        // the copy mode's way; else whether the box is ticked
        const char* steps;                 // as Play takes them
        const char* open;                  // edits without their "Edit"
        const char16_t* refused = nullptr; // what OK says about the one edit typed into
    } cases[] = {
        {'c', -1, "", "letterShown letterNotShown percentShown timeBeforeCopy"},
        {'c', 0, "", "-letterShown -letterNotShown -percentShown timeBeforeCopy"},
        {'c', 3, "", "-letterShown -letterNotShown percentShown timeBeforeCopy"},
        {'c', 0, "lettersNotShownRadio", "-letterShown letterNotShown -percentShown"},
        {'c', -1, "lettersShownRadio", "letterShown -letterNotShown -percentShown"},
        {'v', 0, "", "-timeLetter timeAfterWord"},
        {'v', 0, "letterByLetterCheck", "timeLetter timeAfterWord"},
        {'v', 1, "", "timeLetter timeAfterWord"},
        {'t', 1, "", "-rightTime -wrongTime glimpseTime"},
        {'t', 0, "noCorrectionCheck", "-rightTime -wrongTime glimpseTime"},
        {'t', 0, "noCorrectionCheck|noColourChangeCheck",
         "-wrongTime -changeWrongColourButton -standardWrongColourButton "
         "standardRightColourButton"},
        {'t', 0, "noCorrectionCheck|noColourChangeCheck|noCorrectionCheck",
         "rightTime wrongTime -changeWrongColourButton standardRightColourButton"},
        {'t', 0, "noColourChangeCheck|noColourChangeCheck",
         "rightTime changeWrongColourButton standardWrongColourButton"},
        {'c', 1, "letterShownEdit=2.5", "letterShown", whole},
        {'c', 2, "letterNotShownEdit=-3", "", whole},
        {'c', 1, "letterShownEdit=99999999999", "", whole},
        {'c', 3, "percentShownEdit=150", "", u"Bitte geben Sie eine Zahl zwischen 0 und 100 ein."},
        {'c', 0, "timeBeforeCopyEdit=-1", "", minute},
        {'c', 0, "timeBeforeCopyEdit=eins", "", number},
        {'v', 0, "timeAfterWordEdit=-0.1", "", minute},
        {'v', 0, "timeAfterWordEdit=1e9", "", minute},
        {'t', 0, "wrongTimeEdit=12", "", tenSeconds},
        {'t', 0, "glimpseTimeEdit=-0.5", "", tenSeconds},
        {'t', 0, "rightTimeEdit=zwei", "", number},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.dialog << c.opened << " " << c.steps);
        const auto dialog = Open(c.dialog, c.opened);
        Play(*dialog, c.steps);
        for (QString name : QString::fromLatin1(c.open).split(u' ', Qt::SkipEmptyParts)) {
            const bool open = !name.startsWith(u'-');
            name = name.mid(open ? 0 : 1);
            name += name.endsWith(u"Button"_s) ? QString() : u"Edit"_s;
            EXPECT_EQ(Find(*dialog, name.toLatin1().constData())->isEnabled(), open)
                << name.toStdString();
        }
        if (*c.steps == '\0') {
            SaveShot(*dialog,
                     u"settings-"_s + QChar::fromLatin1(c.dialog) + QString::number(c.opened));
        }
        if (c.refused != nullptr) {
            Answers answers;
            ClickButton(*dialog, "okButton");
            EXPECT_EQ(answers.Texts(), QStringList{QString::fromUtf16(c.refused)});
            EXPECT_TRUE(dialog->isVisible());
            const QString edit = QString::fromLatin1(c.steps).section(u'=', 0, 0);
            EXPECT_EQ(dialog->focusWidget(), Find(*dialog, edit.toLatin1().constData()));
            if (auto* copy = dynamic_cast<CopyModeDialog*>(dialog.get())) {
                EXPECT_EQ(copy->Values().letterShown, 2u);
            }
        }
    }

    // A stored time beyond the range is pointed out as soon as the dialog opens.
    TimesColoursValues stored;
    stored.wrongTime = SecondsFromMilliseconds(12000);
    TimesColoursDialog dialog(stored);
    Answers answers;
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(answers.Texts(), QStringList{QString::fromUtf16(tenSeconds)});
}

// The dialog shows a box for each switch of the option table, top to bottom in its order.
const auto& kRows = CorrectionOptionTable;

template <typename Widget> Widget* Part(QWidget& dialog, const char* row, const char* kind) {
    return Find<Widget>(dialog, (std::string(row) + kind).c_str());
}

// Everything the settings dialogs set, "key=value" each as the document stores it; the correction
// options by their names.
std::map<std::string, std::string> Settings(GameDocument& game) {
    game.document.WriteSettings();
    std::map<std::string, std::string> values;
    for (const char* key :
         {"CopyMode",   "LetterShown", "LetterNotShown", "PercentShown",     "TimeBeforeCopy",
          "ShowSZAsSS", "TimeLetter",  "TimeAfterWord",  "TimeBeforeViewer", "LetterByLetter",
          "FullScreen", "Right",       "Wrong",          "Glimpse",          "Hase",
          "Correcting", "ColorRight",  "ColorWrong",     "MultiNumber",      "MultiNumeration"}) {
        values[key] = game.profile.GetString(PlayerSettingsSection(""), key, "?");
    }
    for (const auto& row : kRows) {
        values[row.key] = std::to_string(game.document.Corrections().*row.field);
    }
    return values;
}

// One settings dialog: its command and the widgets whose values it shows on opening.
struct SettingsDialog {
    void (*run)(CLingomatDoc&, QWidget*);
    const char* shows;
};
const SettingsDialog kCopy{
    RunCopyModeSettings, "letterShownEdit letterNotShownEdit percentShownEdit timeBeforeCopyEdit"};
const SettingsDialog kView{RunViewModeSettings,
                           "timeLetterEdit timeAfterWordEdit timeBeforeViewerEdit"};
const SettingsDialog kTimes{RunTimesColoursSettings,
                            "rightTimeEdit wrongTimeEdit glimpseTimeEdit rabbitsRadio "
                            "rightColourSwatch wrongColourSwatch"};
const SettingsDialog kChoice{RunChoiceSettings, "choiceCountCombo showNumbersCheck"};
const SettingsDialog kCorrection{RunCorrectionOptions,
                                 "ignoreSpacingCheck ignoreCaseCheck ignoreAccentsCheck "
                                 "ignoreArticlesCheck repeatAtOnceCheck oneRightSufficesCheck"};

QString Shown(QWidget& widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
        return edit->text();
    }
    if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
        return combo->currentText();
    }
    if (auto* swatch = dynamic_cast<ColorSwatch*>(&widget)) {
        return QString::number(swatch->Colour());
    }
    auto* button = qobject_cast<QAbstractButton*>(&widget);
    return button != nullptr ? QString::number(button->isChecked()) : u"?"_s;
}

// Each dialog through its command, as the player uses it: what it shows on opening, then the
// steps and OK or Escape; what it changed, and nothing else, reaches the document. Times are shown
// in seconds and stored in milliseconds.
TEST(SettingsDialogs, ShowTheDocumentsValuesAndStoreWhatWasChanged) {
    // The player's stored settings: these, the defaults otherwise, and every correction option.
    const std::pair<const char*, int> stored[] = {
        {"CopyMode", 0},          {"LetterShown", 4},      {"LetterNotShown", 1},
        {"PercentShown", 30},     {"TimeBeforeCopy", 700}, {"Right", 700},
        {"Wrong", 900},           {"Glimpse", 1234},       {"ColorRight", 0x102030},
        {"ColorWrong", 0x405060}, {"MultiNumber", 3},      {"MultiNumeration", 0}};
    const char* const copied = "4|1|30|0.7";
    const char* const viewed = "0.1|0.5|1";
    const char* const timed = "0.7|0.9|1.234|1|1056816|4214880";
    const struct {
        const SettingsDialog* dialog;
        const char* steps; // separated by "|"
        bool ok;
        const char* shown;
        const char* changed;
    } cases[] = {
        {&kCopy, "lettersShownRadio|letterShownEdit= 6 |timeBeforeCopyEdit=2.5|showSZAsSSCheck",
         true, copied, "CopyMode=1 LetterShown=6 ShowSZAsSS=1 TimeBeforeCopy=2500"},
        {&kCopy, "percentShownRadio|letterShownEdit=6|timeBeforeCopyEdit=2.5|showSZAsSSCheck",
         false, copied, ""},
        {&kView, "timeLetterEdit=0.25|timeAfterWordEdit=2.5|timeBeforeViewerEdit=0|fullScreenCheck",
         true, viewed, "FullScreen=1 TimeAfterWord=2500 TimeBeforeViewer=0 TimeLetter=250"},
        {&kView, "letterByLetterCheck", true, viewed, "LetterByLetter=0"},
        {&kView, "timeLetterEdit=9|timeAfterWordEdit=9|letterByLetterCheck|fullScreenCheck", false,
         viewed, ""},
        // Read back from "0.7" the float lies just below 0.7; the way back rounds.
        {&kTimes, "", true, timed, ""},
        // Escape keeps the seconds computed on opening, and typed text and boxes are not read.
        {&kTimes, "wrongTimeEdit=7|smileysRadio|noCorrectionCheck", false, timed, ""},
        {&kTimes, "wrongTimeEdit=2,5|smileysRadio", true, timed, "Hase=0 Wrong=2500"},
        {&kTimes, "noCorrectionCheck", true, timed, "Correcting=0"},
        // Colours are set by their buttons at once, so Escape keeps them too.
        {&kTimes, "standardWrongColourButton", false, timed, "ColorWrong=12500735"},
        {&kTimes, "standardRightColourButton|noColourChangeCheck", true, timed,
         "ColorRight=12517310 ColorWrong=12517310"},
        {&kChoice, "choiceCountCombo#3|showNumbersCheck", true, "3|0",
         "MultiNumber=5 MultiNumeration=1"},
        {&kChoice, "choiceCountCombo#0|showNumbersCheck", false, "3|0", ""},
        {&kCorrection, "ignoreCaseCheck|oneRightSufficesCheck", true, "1|1|1|1|1|1",
         "ignoreCase=0 oneRightSuffices=0"},
        {&kCorrection, "ignoreSpacingCheck|oneRightSufficesCheck", false, "1|1|1|1|1|1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.dialog->shows << " / " << c.steps << " / " << c.ok);
        GameDocument game;
        for (const auto& [key, value] : stored) {
            game.profile.WriteInt(PlayerSettingsSection(""), key, value);
        }
        game.profile.WriteString(PlayerSettingsSection(""), "CorrectionOptions",
                                 std::string(std::size(kRows), 'X'));
        game.document.ReadSettings();
        const auto before = Settings(game);
        QStringList shown;
        Answers answers;
        answers.On<QDialog>([&](QDialog& dialog) {
            for (const QString& name : QString::fromLatin1(c.dialog->shows).split(u' ')) {
                shown << Shown(*Find(dialog, name.toLatin1().constData()));
            }
            Play(dialog, c.steps);
            c.ok ? ClickButton(dialog, "okButton") : QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        c.dialog->run(game.document, nullptr);
        EXPECT_EQ(answers.dialogs.size(), 1);
        EXPECT_EQ(shown.join(u'|'), QString::fromLatin1(c.shown));
        std::string changed;
        for (const auto& [name, value] : Settings(game)) {
            if (before.at(name) != value) {
                changed += (changed.empty() ? "" : " ") + name + "=" + value;
            }
        }
        EXPECT_EQ(changed, c.changed);
    }
}

TEST(CorrectionOptionsDialog, WrappedTextsStandInOrderAndTickTheirBoxes) {
    CorrectionOptionsDialog dialog(CorrectionOptions{});
    dialog.show();
    int previousTop = -1;
    for (const auto& row : kRows) {
        auto* label = Part<QLabel>(dialog, row.key, "Label");
        const QRect area(label->mapTo(&dialog, QPoint(0, 0)), label->size());
        EXPECT_GT(area.top(), previousTop) << row.key;
        EXPECT_TRUE(dialog.rect().contains(area)) << row.key;
        previousTop = area.top();
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(label->width() - 4, 4));
        EXPECT_TRUE(Part<QCheckBox>(dialog, row.key, "Check")->isChecked()) << row.key;
    }
    EXPECT_TRUE(Part<QLabel>(dialog, "ignoreArticles", "Label")
                    ->text()
                    .endsWith(QStringLiteral("des, se, s', the, to)")));
    SaveShot(dialog, "correction-options");
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
        Answers answers;
        answers.On<QColorDialog>([&](QColorDialog& chooser) {
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
        EXPECT_EQ(Find<ColorSwatch>(dialog, "rightColourSwatch")->Colour(), RgbFromColour(mint));
        EXPECT_NE(choose(dialog, "changeWrongColourButton", rose, false).second, mint);
        // Cancelled, the colour stays.
        EXPECT_EQ(Find<ColorSwatch>(dialog, "wrongColourSwatch")->Colour(), values.colourWrong);
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
