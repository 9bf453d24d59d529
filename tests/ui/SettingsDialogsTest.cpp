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

void Close(QWidget& dialog, bool ok) {
    if (ok) {
        ClickButton(dialog, "okButton");
    } else {
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }
}

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

// Outside a game the game's settings only say so. In a game they open the game type's own
// dialog, nothing for writing, and the game goes on where it was.
TEST(SettingsCommands, GameSettingsOpenTheRunningGameTypesDialogAndChoicesReachItsRound) {
    {
        GameDocument outside;
        Answers answers;
        RunGameSettings(outside.document, nullptr);
        EXPECT_EQ(answers.Texts(), QStringList{u"Sie k\u00f6nnen diese Funktion nur w\u00e4hrend "
                                               u"des Spiels nutzen."_s});
    }
    const std::pair<GameMode, const char*> cases[] = {
        {GameModeChoiceOtherLessons, "choiceSettingsDialog"},
        {GameModeChoiceAlteredLetters, "choiceSettingsDialog"},
        {GameModeCopy, "copyModeDialog"},
        {GameModeView, "viewModeDialog"},
        {GameModeWrite, ""},
    };
    for (const auto& [mode, expected] : cases) {
        GameDocument game;
        CLingomatDoc& doc = game.document;
        StartGame(doc, mode);
        const std::size_t questions = doc.pool.Size();
        Answers answers;
        if (*expected != '\0') {
            answers.On<QDialog>([&](QDialog& dialog) {
                if (dynamic_cast<ChoiceSettingsDialog*>(&dialog) != nullptr) {
                    Find<QComboBox>(dialog, "choiceCountCombo")->setCurrentIndex(3);
                }
                Close(dialog, dynamic_cast<ChoiceSettingsDialog*>(&dialog) != nullptr);
            });
        }
        RunGameSettings(doc, nullptr);
        EXPECT_EQ(answers.dialogs.value(0), QString::fromLatin1(expected)) << mode;
        EXPECT_EQ(doc.pool.Size(), questions);
        if (answers.dialogs.value(0) == u"choiceSettingsDialog"_s) {
            // Five choices reach the running round at once: the right answer stands among them,
            // with wrong ones beside it.
            const std::vector<std::string>& texts = doc.Round().texts;
            ASSERT_EQ(texts.size(), 5u) << mode;
            EXPECT_FALSE(texts.at(doc.Round().correctChoice).empty()) << mode;
            EXPECT_GE(std::count_if(texts.begin(), texts.end(),
                                    [](const std::string& text) { return !text.empty(); }),
                      2)
                << mode;
        }
    }
}

// An edit is open only while what it sets is used: the copy mode's ways, the view mode's letter by
// letter, the times and colours of the correction. "-" marks a closed one.
TEST(SettingsDialogs, EditsAreOpenOnlyWhileUsed) {
    const struct {
        char dialog;
        int opened;         // the copy mode's way; for the others whether the box is ticked
        const char* clicks; // separated by blanks
        const char* open;   // edits without their "Edit"
    } cases[] = {
        {'c', -1, "", "letterShown letterNotShown percentShown timeBeforeCopy"},
        {'c', 0, "", "-letterShown -letterNotShown -percentShown timeBeforeCopy"},
        {'c', 3, "", "-letterShown -letterNotShown percentShown timeBeforeCopy"},
        {'c', 0, "lettersNotShownRadio", "-letterShown letterNotShown -percentShown"},
        {'c', -1, "lettersShownRadio", "letterShown -letterNotShown -percentShown"},
        {'c', 3, "allLettersRadio", "-letterShown -letterNotShown -percentShown"},
        {'v', 0, "", "-timeLetter timeAfterWord"},
        {'v', 0, "letterByLetterCheck", "timeLetter timeAfterWord"},
        {'v', 1, "", "timeLetter timeAfterWord"},
        {'v', 1, "letterByLetterCheck", "-timeLetter timeAfterWord"},
        {'t', 1, "", "-rightTime -wrongTime glimpseTime"},
        {'t', 0, "noCorrectionCheck", "-rightTime -wrongTime glimpseTime"},
        {'t', 0, "noCorrectionCheck noColourChangeCheck",
         "-wrongTime -changeWrongColourButton -standardWrongColourButton "
         "standardRightColourButton"},
        {'t', 0, "noCorrectionCheck noColourChangeCheck noCorrectionCheck",
         "rightTime wrongTime -changeWrongColourButton standardRightColourButton"},
        {'t', 0, "noColourChangeCheck noColourChangeCheck",
         "rightTime changeWrongColourButton standardWrongColourButton"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.dialog << c.opened << " " << c.clicks);
        const auto dialog = Open(c.dialog, c.opened);
        for (const QString& name : QString::fromLatin1(c.clicks).split(u' ', Qt::SkipEmptyParts)) {
            ClickButton(*dialog, name.toLatin1().constData());
        }
        for (QString name : QString::fromLatin1(c.open).split(u' ')) {
            const bool open = !name.startsWith(u'-');
            name = name.mid(open ? 0 : 1);
            name += name.endsWith(u"Button"_s) ? QString() : u"Edit"_s;
            EXPECT_EQ(Find(*dialog, name.toLatin1().constData())->isEnabled(), open)
                << name.toStdString();
        }
        if (*c.clicks == '\0') {
            SaveShot(*dialog,
                     u"settings-"_s + QChar::fromLatin1(c.dialog) + QString::number(c.opened));
        }
    }
}

// The dialog shows a box for each switch of the option table, top to bottom in its order.
const auto& kRows = CorrectionOptionTable;

template <typename Widget> Widget* Part(QWidget& dialog, const char* row, const char* kind) {
    return Find<Widget>(dialog, (std::string(row) + kind).c_str());
}

// Everything the settings dialogs set, one "name=value" each.
std::map<std::string, std::uint32_t> Settings(const CLingomatDoc& doc) {
    const CopyModeSettings& copy = doc.CopySettings();
    const ViewModeSettings& view = doc.ViewSettings();
    std::map<std::string, std::uint32_t> values = {
        {"copyMode", copy.copyMode},
        {"letterShown", copy.letterShown},
        {"letterNotShown", copy.letterNotShown},
        {"percentShown", copy.percentShown},
        {"timeBeforeCopy", copy.timeBeforeCopy},
        {"showSZAsSS", copy.showSZAsSS},
        {"timeLetter", view.timeLetter},
        {"timeAfterWord", view.timeAfterWord},
        {"timeBeforeViewer", view.timeBeforeViewer},
        {"letterByLetter", view.letterByLetter},
        {"fullScreen", view.fullScreen},
        {"rightTime", doc.Feedback().rightTime},
        {"wrongTime", doc.Feedback().wrongTime},
        {"glimpseTime", doc.Feedback().glimpseTime},
        {"useRabbits", doc.Feedback().useRabbits},
        {"correcting", doc.Feedback().correcting},
        {"colorRight", doc.Feedback().colorRight},
        {"colorWrong", doc.Feedback().colorWrong},
        {"multiNumber", doc.ChoiceCount()},
        {"choices", static_cast<std::uint32_t>(doc.Round().texts.size())},
        {"showNumbers", doc.ShowsNumbers()}};
    for (const auto& row : kRows) {
        values[row.key] = doc.Corrections().*row.field;
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
// steps ("name=text" types into an edit, "name#3" picks an entry of a list, otherwise a click)
// and OK or Escape; what it changed, and nothing else, reaches the document. Times are shown in
// seconds and stored in milliseconds.
TEST(SettingsDialogs, ShowTheDocumentsValuesAndStoreWhatWasChanged) {
    const std::uint32_t right = 0x102030;
    const std::uint32_t wrong = 0x405060;
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
         true, copied, "copyMode=1 letterShown=6 showSZAsSS=1 timeBeforeCopy=2500"},
        {&kCopy, "percentShownRadio|letterShownEdit=6|timeBeforeCopyEdit=2.5|showSZAsSSCheck",
         false, copied, ""},
        {&kView, "timeLetterEdit=0.25|timeAfterWordEdit=2.5|timeBeforeViewerEdit=0|fullScreenCheck",
         true, viewed, "fullScreen=1 timeAfterWord=2500 timeBeforeViewer=0 timeLetter=250"},
        {&kView, "letterByLetterCheck", true, viewed, "letterByLetter=0"},
        {&kView, "timeLetterEdit=9|timeAfterWordEdit=9|letterByLetterCheck|fullScreenCheck", false,
         viewed, ""},
        // Read back from "0.7" the float lies just below 0.7; the way back rounds.
        {&kTimes, "", true, timed, ""},
        // Escape keeps the seconds computed on opening, and typed text and boxes are not read.
        {&kTimes, "wrongTimeEdit=7|smileysRadio|noCorrectionCheck", false, timed, ""},
        {&kTimes, "wrongTimeEdit=2,5|smileysRadio", true, timed, "useRabbits=0 wrongTime=2500"},
        {&kTimes, "noCorrectionCheck", true, timed, "correcting=0"},
        // Colours are set by their buttons at once, so Escape keeps them too.
        {&kTimes, "standardWrongColourButton", false, timed, "colorWrong=12500735"},
        {&kTimes, "standardRightColourButton|noColourChangeCheck", true, timed,
         "colorRight=12517310 colorWrong=12517310"},
        {&kChoice, "choiceCountCombo#3|showNumbersCheck", true, "4|1",
         "choices=5 multiNumber=5 showNumbers=0"},
        {&kChoice, "choiceCountCombo#0|showNumbersCheck", false, "4|1", ""},
        {&kCorrection, "ignoreCaseCheck|oneRightSufficesCheck", true, "1|1|1|1|1|1",
         "ignoreCase=0 oneRightSuffices=0"},
        {&kCorrection, "ignoreSpacingCheck|oneRightSufficesCheck", false, "1|1|1|1|1|1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.dialog->shows << " / " << c.steps << " / " << c.ok);
        GameDocument game;
        CLingomatDoc& doc = game.document;
        WithCopySettings(doc, [](CopyModeSettings& copy) {
            copy.copyMode = 0;
            copy.letterShown = 4;
            copy.letterNotShown = 1;
            copy.percentShown = 30;
            copy.timeBeforeCopy = 700;
        });
        WithFeedback(doc, [&](FeedbackSettings& feedback) {
            feedback.rightTime = 700;
            feedback.wrongTime = 900;
            feedback.glimpseTime = 1234;
            feedback.colorRight = right;
            feedback.colorWrong = wrong;
        });
        doc.SetChoiceSettings(4, true);
        WithCorrections(doc, [](CorrectionOptions& options) {
            for (const auto& row : kRows) {
                options.*row.field = true;
            }
        });
        const auto before = Settings(doc);
        QStringList shown;
        Answers answers;
        answers.On<QDialog>([&](QDialog& dialog) {
            for (const QString& name : QString::fromLatin1(c.dialog->shows).split(u' ')) {
                shown << Shown(*Find(dialog, name.toLatin1().constData()));
            }
            for (const QString& step :
                 QString::fromLatin1(c.steps).split(u'|', Qt::SkipEmptyParts)) {
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
            Close(dialog, c.ok);
        });
        c.dialog->run(doc, nullptr);
        EXPECT_EQ(answers.dialogs.size(), 1);
        EXPECT_EQ(shown.join(u'|'), QString::fromLatin1(c.shown));
        std::string changed;
        for (const auto& [name, value] : Settings(doc)) {
            if (before.at(name) != value) {
                changed += (changed.empty() ? "" : " ") + name + "=" + std::to_string(value);
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

std::uint32_t Swatch(QWidget& dialog, const char* name) {
    return Find<ColorSwatch>(dialog, name)->Colour();
}

TEST(SettingsDialogs, RefuseEntriesThatAreNoSoundNumber) {
    const char16_t* const whole = u"Bitte geben Sie eine ganze Zahl ab 0 ein.";
    const char16_t* const minute = u"Bitte geben Sie eine Zahl zwischen 0 und 60 ein.";
    const char16_t* const tenSeconds = u"Bitte geben Sie eine Zahl zwischen 0 und 10 ein.";
    const char16_t* const number = u"Bitte geben Sie eine Zahl ein.";
    const struct {
        char dialog; // copy mode (with its way), view mode, times and colours
        int copyMode;
        const char* edit;
        const char16_t* typed;
        const char16_t* message;
    } cases[] = {
        {'c', 1, "letterShownEdit", u"2.5", whole},
        {'c', 2, "letterNotShownEdit", u"-3", whole},
        {'c', 1, "letterShownEdit", u"99999999999", whole},
        {'c', 3, "percentShownEdit", u"150", u"Bitte geben Sie eine Zahl zwischen 0 und 100 ein."},
        {'c', 0, "timeBeforeCopyEdit", u"-1", minute},
        {'c', 0, "timeBeforeCopyEdit", u"eins", number},
        {'v', 0, "timeAfterWordEdit", u"-0.1", minute},
        {'v', 0, "timeAfterWordEdit", u"1e9", minute},
        {'t', 0, "wrongTimeEdit", u"12", tenSeconds},
        {'t', 0, "glimpseTimeEdit", u"-0.5", tenSeconds},
        {'t', 0, "rightTimeEdit", u"zwei", number},
    };
    for (const auto& c : cases) {
        // Each edit is refused while it is the open one, so the player can type it again at once.
        const auto dialog = Open(c.dialog, c.copyMode);
        Find<QLineEdit>(*dialog, c.edit)->setText(QString::fromUtf16(c.typed));
        Answers answers;
        ClickButton(*dialog, "okButton");
        EXPECT_EQ(answers.Texts(), QStringList{QString::fromUtf16(c.message)}) << c.edit;
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->focusWidget(), Find(*dialog, c.edit));
        if (auto* copy = dynamic_cast<CopyModeDialog*>(dialog.get())) {
            EXPECT_EQ(copy->Values().letterShown, 2u);
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
