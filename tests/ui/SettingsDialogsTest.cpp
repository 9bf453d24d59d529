#include <algorithm>
#include <limits>

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "UiTestSupport.h"
#include "screen/LingomatView.h"
#include "ui/ChoiceSettingsDialog.h"
#include "ui/ColorSwatch.h"
#include "ui/CopyModeDialog.h"
#include "ui/CorrectionOptionsDialog.h"
#include "ui/GameTypeDialog.h"
#include "ui/SettingsCommands.h"
#include "ui/TimesColoursDialog.h"
#include "ui/ViewModeDialog.h"

namespace lingomat::testing {
namespace {

void SetEditText(QWidget& dialog, const char* name, const char16_t* text) {
    Find<QLineEdit>(dialog, name)->setText(QString::fromUtf16(text));
}

void Close(QWidget& dialog, bool ok) {
    if (ok) {
        ClickButton(dialog, "okButton");
    } else {
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }
}

// Types into one edit, presses OK and expects the one message, the dialog still open and the
// edit focused for typing again.
void ExpectRefusal(QWidget& dialog, const char* edit, const char16_t* typed,
                   const char16_t* message) {
    SetEditText(dialog, edit, typed);
    Answers answers;
    ClickButton(dialog, "okButton");
    EXPECT_EQ(answers.Texts(), QStringList{QString::fromUtf16(message)}) << edit;
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), Find(dialog, edit));
}

TEST(SettingsConversions, MillisecondsShowAsSecondsAndComeBack) {
    const struct {
        std::uint32_t stored;
        const char* shown;
        std::uint32_t afterOk;     // read back from the shown text
        std::uint32_t afterEscape; // from the seconds computed on opening
    } cases[] = {
        {1500, "1.5", 1500, 1500},   {300, "0.3", 300, 300},      {700, "0.7", 700, 700},
        {900, "0.9", 900, 900},      {1234, "1.234", 1234, 1234}, {0, "0", 0, 0},
        {10000, "10", 10000, 10000},
    };
    for (const auto& c : cases) {
        const float seconds = SecondsFromMilliseconds(c.stored);
        EXPECT_EQ(SecondsText(seconds), QString::fromLatin1(c.shown)) << c.stored;
        EXPECT_EQ(MillisecondsFromSeconds(*ParseSeconds(SecondsText(seconds))), c.afterOk);
        EXPECT_EQ(MillisecondsFromSeconds(seconds), c.afterEscape) << c.stored;
    }
    const std::uint32_t most = std::numeric_limits<std::uint32_t>::max();
    for (const auto& [seconds, milliseconds] :
         {std::pair{-1.5f, 0u}, std::pair{std::numeric_limits<float>::quiet_NaN(), 0u},
          std::pair{1e12f, most}, std::pair{2.5f, 2500u}, std::pair{0.0014f, 1u},
          std::pair{0.0016f, 2u}}) {
        EXPECT_EQ(MillisecondsFromSeconds(seconds), milliseconds) << seconds;
    }
}

TEST(SettingsCommands, EachGameTypeOpensItsOwnDialogAndChoicesReachTheRunningRound) {
    const struct {
        GameMode mode;
        const char* dialog; // "" for none
    } cases[] = {
        {GameModeChoiceOtherLessons, "choiceSettingsDialog"},
        {GameModeChoiceAlteredLetters, "choiceSettingsDialog"},
        {GameModeCopy, "copyModeDialog"},
        {GameModeView, "viewModeDialog"},
        {GameModeWrite, ""},
    };
    for (bool running : {false, true}) {
        for (const auto& c : cases) {
            GameDocument game;
            CLingomatDoc& doc = game.document;
            if (running) {
                StartGame(doc, c.mode);
            }
            doc.ChooseGame(c.mode, doc.questionLanguage, doc.answerLanguage);
            const std::size_t questions = doc.pool.Size();
            Answers answers;
            if (!running) {
                // Outside a game the game's settings only say so.
                RunGameSettings(doc, nullptr);
                EXPECT_EQ(answers.Texts(), QStringList{u"Sie k\u00f6nnen diese Funktion nur "
                                                       u"w\u00e4hrend des Spiels nutzen."_s});
                EXPECT_EQ(answers.boxes.at(0).caption, u"Lingomat"_s);
            }
            // A game type without settings opens nothing, so no steps wait for it.
            if (*c.dialog != '\0') {
                answers.On<QDialog>([&](QDialog& dialog) {
                    if (dynamic_cast<ChoiceSettingsDialog*>(&dialog) != nullptr) {
                        Find<QComboBox>(dialog, "choiceCountCombo")->setCurrentIndex(3);
                        Close(dialog, true);
                    } else {
                        QTest::keyClick(&dialog, Qt::Key_Escape);
                    }
                });
            }
            if (running) {
                RunGameSettings(doc, nullptr);
            } else {
                RunModeSettings(doc, c.mode, nullptr);
            }
            const QString opened = answers.dialogs.value(0);
            EXPECT_EQ(opened, QString::fromLatin1(c.dialog)) << c.mode << running;

            EXPECT_EQ(doc.pool.Size(), questions) << "the game goes on where it was";
            if (running && opened == u"choiceSettingsDialog"_s) {
                // Five choices reach the running round at once: the right answer stands among
                // them, with wrong ones beside it.
                const std::vector<std::string>& texts = doc.Round().texts;
                ASSERT_EQ(texts.size(), 5u) << c.mode;
                EXPECT_FALSE(texts.at(doc.Round().correctChoice).empty()) << c.mode;
                EXPECT_GE(std::count_if(texts.begin(), texts.end(),
                                        [](const std::string& text) { return !text.empty(); }),
                          2)
                    << c.mode;
            }
        }
    }
}

TEST(SettingsCommands, GameTypeDialogOverTheGameScreenEditsItsDocument) {
    GameDocument game;
    CLingomatView view(game.document);
    GameTypeDialog dialog(false, &view);
    dialog.show();
    Answers answers;
    answers
        .On<ViewModeDialog>([](ViewModeDialog& settings) {
            SetEditText(settings, "timeAfterWordEdit", u"2.5");
            Close(settings, true);
        })
        .On<CopyModeDialog>([](CopyModeDialog& settings) {
            ClickButton(settings, "percentShownRadio");
            Close(settings, true);
        });
    ClickButton(dialog, "viewRadio");
    ClickButton(dialog, "settingsButton");
    EXPECT_EQ(game.document.ViewSettings().timeAfterWord, 2500u);
    ClickButton(dialog, "copyRadio");
    ClickButton(dialog, "settingsButton");
    EXPECT_EQ(game.document.CopySettings().copyMode, 3u);
}

TEST(ChoiceSettingsDialog, CountAndNumberingGoBack) {
    const struct {
        std::uint32_t count;
        bool numbers;
        int pick; // combo index, -1: left alone
        bool toggle;
        bool ok;
        std::uint32_t storedCount;
        bool storedNumbers;
    } cases[] = {
        {4, true, -1, false, true, 4, true},
        {4, true, 3, true, true, 5, false},
        {3, false, 0, true, true, 2, true},
        {5, false, 0, true, false, 5, false},
    };
    for (const auto& c : cases) {
        GameDocument game;
        CLingomatDoc& doc = game.document;
        doc.SetChoiceSettings(c.count, c.numbers);
        Answers answers;
        answers.On<ChoiceSettingsDialog>([&](ChoiceSettingsDialog& dialog) {
            auto* combo = Find<QComboBox>(dialog, "choiceCountCombo");
            auto* numbers = Find<QCheckBox>(dialog, "showNumbersCheck");
            EXPECT_EQ(combo->currentText(), QString::number(c.count));
            EXPECT_EQ(numbers->isChecked(), c.numbers);
            if (c.pick >= 0) {
                combo->setCurrentIndex(c.pick);
            }
            if (c.toggle) {
                numbers->click();
            }
            SaveShot(dialog, "choice-settings");
            Close(dialog, c.ok);
        });
        RunChoiceSettings(doc, nullptr);
        EXPECT_EQ(doc.ChoiceCount(), c.storedCount);
        EXPECT_EQ(doc.Round().texts.size(), c.storedCount);
        EXPECT_EQ(doc.ShowsNumbers(), c.storedNumbers);
    }
}

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
        const char* click;         // nullptr: as opened
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
        SaveShot(dialog, "copy-mode");
    }
}

TEST(CopyModeDialog, ValuesGoBackWithTheDelayInMilliseconds) {
    for (bool ok : {true, false}) {
        GameDocument game;
        WithCopySettings(game.document, [](CopyModeSettings& s) {
            s.copyMode = 0;
            s.letterShown = 4;
            s.letterNotShown = 1;
            s.percentShown = 30;
            s.timeBeforeCopy = 700;
        });
        const CopyModeSettings& settings = game.document.CopySettings();
        QStringList shown;
        Answers answers;
        answers.On<CopyModeDialog>([&](CopyModeDialog& dialog) {
            for (const char* name : {"letterShownEdit", "letterNotShownEdit", "percentShownEdit",
                                     "timeBeforeCopyEdit"}) {
                shown << Find<QLineEdit>(dialog, name)->text();
            }
            ClickButton(dialog, "lettersShownRadio");
            SetEditText(dialog, "letterShownEdit", u" 6 ");
            SetEditText(dialog, "timeBeforeCopyEdit", u"2.5");
            ClickButton(dialog, "showSZAsSSCheck");
            Close(dialog, ok);
        });
        RunCopyModeSettings(game.document, nullptr);
        EXPECT_EQ(shown.join(u'|'), u"4|1|30|0.7"_s);
        EXPECT_EQ(settings.copyMode, ok ? 1u : 0u);
        EXPECT_EQ(settings.letterShown, ok ? 6u : 4u);
        EXPECT_EQ(settings.letterNotShown, 1u);
        EXPECT_EQ(settings.percentShown, 30u);
        EXPECT_EQ(settings.timeBeforeCopy, ok ? 2500u : 700u);
        EXPECT_EQ(settings.showSZAsSS, ok);
    }
}

// The dialog shows a box for each switch of the option table, top to bottom in its order.
const auto& kRows = CorrectionOptionTable;

template <typename Widget> Widget* Part(QWidget& dialog, const char* row, const char* kind) {
    return Find<Widget>(dialog, (std::string(row) + kind).c_str());
}

TEST(CorrectionOptionsDialog, EachBoxShowsAndSetsItsOwnOption) {
    CorrectionOptions all;
    for (const auto& row : kRows) {
        all.*row.field = true;
    }
    for (const auto& row : kRows) {
        for (bool ok : {true, false}) {
            GameDocument game;
            game.document.SetCorrectionOptions(all);
            int ticked = 0;
            Answers answers;
            answers.On<CorrectionOptionsDialog>([&](CorrectionOptionsDialog& dialog) {
                for (const auto& other : kRows) {
                    ticked += Part<QCheckBox>(dialog, other.key, "Check")->isChecked();
                }
                Part<QCheckBox>(dialog, row.key, "Check")->click();
                Close(dialog, ok);
            });
            RunCorrectionOptions(game.document, nullptr);
            EXPECT_EQ(ticked, static_cast<int>(std::size(kRows)));
            CorrectionOptions expected = all;
            expected.*row.field = !ok;
            EXPECT_EQ(game.document.Corrections(), expected) << row.key << ok;
        }
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
        // Escape keeps everything as it was.
        {{u"9", u"9", u"9"},
         {"letterByLetterCheck", "fullScreenCheck"},
         false,
         100,
         500,
         1000,
         true,
         false},
    };
    const char* const edits[] = {"timeLetterEdit", "timeAfterWordEdit", "timeBeforeViewerEdit"};
    for (const auto& c : cases) {
        GameDocument game;
        const ViewModeSettings& settings = game.document.ViewSettings();
        QStringList shown;
        Answers answers;
        answers.On<ViewModeDialog>([&](ViewModeDialog& dialog) {
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
        EXPECT_EQ(shown.join(u'|'), u"0.1|0.5|1"_s);
        EXPECT_EQ(settings.timeLetter, c.timeLetter);
        EXPECT_EQ(settings.timeAfterWord, c.timeAfterWord);
        EXPECT_EQ(settings.timeBeforeViewer, c.timeBeforeViewer);
        EXPECT_EQ(settings.letterByLetter, c.letterByLetter);
        EXPECT_EQ(settings.fullScreen, c.fullScreen);
    }
}

std::uint32_t Swatch(QWidget& dialog, const char* name) {
    return Find<ColorSwatch>(dialog, name)->Colour();
}

TEST(TimesColoursDialog, TimesShownInSecondsAndStoredInMilliseconds) {
    const struct {
        std::uint32_t right, wrong, glimpse;
        const char16_t* typedWrong; // nullptr: left as shown
        bool ok;
        const char* shown;
        std::uint32_t storedRight, storedWrong, storedGlimpse;
    } cases[] = {
        // Read back from "0.7" the float lies just below 0.7; the way back rounds.
        {700, 900, 0, nullptr, true, "0.7|0.9|0", 700, 900, 0},
        // Escape keeps the seconds computed on opening, and typed text is not read.
        {700, 900, 10000, u"7", false, "0.7|0.9|10", 700, 900, 10000},
        {400, 2000, 500, u"2,5", true, "0.4|2|0.5", 400, 2500, 500},
    };
    for (const auto& c : cases) {
        GameDocument game;
        CLingomatDoc& doc = game.document;
        WithFeedback(doc, [&](FeedbackSettings& f) {
            f.rightTime = c.right;
            f.wrongTime = c.wrong;
            f.glimpseTime = c.glimpse;
        });
        QStringList shown;
        Answers answers;
        answers.On<TimesColoursDialog>([&](TimesColoursDialog& dialog) {
            for (const char* name : {"rightTimeEdit", "wrongTimeEdit", "glimpseTimeEdit"}) {
                shown << Find<QLineEdit>(dialog, name)->text();
            }
            if (c.typedWrong != nullptr) {
                SetEditText(dialog, "wrongTimeEdit", c.typedWrong);
            }
            Close(dialog, c.ok);
        });
        RunTimesColoursSettings(doc, nullptr);
        EXPECT_EQ(shown.join(u'|'), QString::fromLatin1(c.shown));
        EXPECT_EQ(doc.Feedback().rightTime, c.storedRight) << c.right;
        EXPECT_EQ(doc.Feedback().wrongTime, c.storedWrong) << c.right;
        EXPECT_EQ(doc.Feedback().glimpseTime, c.storedGlimpse) << c.right;
    }
}

// Each edit is refused while it is the open one, so the player can type it again at once.
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
        std::unique_ptr<QDialog> dialog;
        if (c.dialog == 'c') {
            dialog = std::make_unique<CopyModeDialog>(Values(c.copyMode));
        } else if (c.dialog == 'v') {
            dialog = std::make_unique<ViewModeDialog>(ViewModeValues{});
        } else {
            dialog = std::make_unique<TimesColoursDialog>(TimesColoursValues{});
        }
        dialog->show();
        ExpectRefusal(*dialog, c.edit, c.typed, c.message);
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
    QTRY_COMPARE(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text, QString::fromUtf16(tenSeconds));
}

TEST(TimesColoursDialog, CheckBoxesDisableWhatTheyMakeUnused) {
    TimesColoursDialog dialog(TimesColoursValues{});
    dialog.show();
    for (const char* box :
         {"noCorrectionCheck", "noColourChangeCheck", "noCorrectionCheck", "noColourChangeCheck"}) {
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
        {{"standardRightColourButton", "noColourChangeCheck"},
         true,
         true,
         true,
         12517310,
         12517310},
    };
    for (const auto& c : cases) {
        GameDocument game;
        CLingomatDoc& doc = game.document;
        WithFeedback(doc, [&](FeedbackSettings& feedback) {
            feedback.colorRight = right;
            feedback.colorWrong = wrong;
        });
        Answers answers;
        answers.On<TimesColoursDialog>([&](TimesColoursDialog& dialog) {
            EXPECT_TRUE(Find<QAbstractButton>(dialog, "rabbitsRadio")->isChecked());
            EXPECT_EQ(Swatch(dialog, "rightColourSwatch"), right);
            EXPECT_EQ(Swatch(dialog, "wrongColourSwatch"), wrong);
            for (const char* name : c.clicks) {
                ClickButton(dialog, name);
            }
            Close(dialog, c.ok);
        });
        RunTimesColoursSettings(doc, nullptr);
        EXPECT_EQ(doc.Feedback().useRabbits, c.useRabbits) << c.clicks.front();
        EXPECT_EQ(doc.Feedback().correcting, c.correcting) << c.clicks.front();
        EXPECT_EQ(doc.Feedback().colorRight, c.colorRight) << c.clicks.front();
        EXPECT_EQ(doc.Feedback().colorWrong, c.colorWrong) << c.clicks.front();
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
