#include "ui/SettingsCommands.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include <QLineEdit>
#include <QLocale>

#include "game/LingomatDoc.h"
#include "ui/ChoiceSettingsDialog.h"
#include "ui/CopyModeDialog.h"
#include "ui/CorrectionOptionsDialog.h"
#include "support/SetupDialogSupport.h"
#include "ui/TimesColoursDialog.h"
#include "ui/ViewModeDialog.h"

namespace lingomat {

namespace {

// A round that comes out with two equivalent choices asks to be made again; it mends itself
// after a few tries, so this bound is never the one that stops.
constexpr int MaxChoiceRoundAttempts = 16;

void Refuse(QLineEdit* edit, const QString& text) {
    ShowDialogMessage(edit->window(), text, QStringLiteral("Lingomat"), QMessageBox::Warning);
    edit->setFocus();
    edit->selectAll();
}

} // namespace

float SecondsFromMilliseconds(std::uint32_t milliseconds) {
    return static_cast<float>(milliseconds) * 0.001f;
}

std::uint32_t MillisecondsFromSeconds(float seconds) {
    const double milliseconds = static_cast<double>(seconds) * 1000.0;
    if (!(milliseconds > 0.0)) {
        return 0;
    }
    if (milliseconds >= static_cast<double>(std::numeric_limits<std::uint32_t>::max())) {
        return std::numeric_limits<std::uint32_t>::max();
    }
    // Rounded: the float nearest to 0.7 lies just below it, and truncating made 0.7 s 699 ms.
    return static_cast<std::uint32_t>(milliseconds + 0.5);
}

QString SecondsText(float seconds) {
    return QString::number(static_cast<double>(seconds), 'g', 6);
}

std::optional<float> ParseSeconds(const QString& text) {
    QString number = text.trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    // Beyond the float range the value still counts as a number; the range check refuses it.
    if (std::fabs(value) > static_cast<double>(FLT_MAX)) {
        return value < 0 ? -FLT_MAX : FLT_MAX;
    }
    return static_cast<float>(value);
}

std::optional<std::uint32_t> ParseWholeNumber(const QString& text) {
    const QString number = text.trimmed();
    if (number.isEmpty()) {
        return std::nullopt;
    }
    for (const QChar character : number) {
        if (character < QLatin1Char('0') || character > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const qulonglong value = number.toULongLong(&ok);
    if (!ok || value > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

void RefuseNumberEntry(QLineEdit* edit) {
    Refuse(edit, QStringLiteral("Bitte geben Sie eine Zahl ein."));
}

void RefuseWholeNumberEntry(QLineEdit* edit) {
    Refuse(edit, QStringLiteral("Bitte geben Sie eine ganze Zahl ab 0 ein."));
}

void RefuseRangeEntry(QLineEdit* edit, int low, int high) {
    Refuse(edit,
           QStringLiteral("Bitte geben Sie eine Zahl zwischen %1 und %2 ein.").arg(low).arg(high));
}

void RunTimesColoursSettings(CLingomatDoc& doc, QWidget* parent) {
    TimesColoursValues shown;
    shown.pictureChoice = doc.Feedback().useRabbits ? 1 : 0;
    shown.noCorrection = !doc.Feedback().correcting;
    shown.rightTime = SecondsFromMilliseconds(doc.Feedback().rightTime);
    shown.wrongTime = SecondsFromMilliseconds(doc.Feedback().wrongTime);
    shown.glimpseTime = SecondsFromMilliseconds(doc.Feedback().glimpseTime);
    shown.colourRight = doc.Feedback().colorRight;
    shown.colourWrong = doc.Feedback().colorWrong;
    TimesColoursDialog dialog(shown, parent);
    RunDialog(dialog);

    const TimesColoursValues& taken = dialog.Values();
    FeedbackSettings feedback;
    feedback.colorRight = taken.colourRight;
    feedback.colorWrong = taken.colourWrong;
    feedback.useRabbits = taken.pictureChoice != 0;
    feedback.rightTime = MillisecondsFromSeconds(taken.rightTime);
    feedback.wrongTime = MillisecondsFromSeconds(taken.wrongTime);
    feedback.glimpseTime = MillisecondsFromSeconds(taken.glimpseTime);
    feedback.correcting = !taken.noCorrection;
    doc.SetFeedbackSettings(feedback);
}

void RunCorrectionOptions(CLingomatDoc& doc, QWidget* parent) {
    CorrectionOptionsDialog dialog(doc.Corrections(), parent);
    RunDialog(dialog);
    doc.SetCorrectionOptions(dialog.Options());
}

void RunChoiceSettings(CLingomatDoc& doc, QWidget* parent) {
    ChoiceSettingsDialog dialog(static_cast<int>(doc.ChoiceCount()) - 2, doc.ShowsNumbers(),
                                parent);
    RunDialog(dialog);
    // The document keeps the count within the numbers a round can hold.
    doc.SetChoiceSettings(static_cast<std::uint32_t>(std::max(dialog.ChoiceIndex() + 2, 0)),
                          dialog.Numbering());
}

void RunCopyModeSettings(CLingomatDoc& doc, QWidget* parent) {
    CopyModeSettings settings = doc.CopySettings();
    CopyModeValues shown;
    shown.copyMode = static_cast<int>(settings.copyMode);
    shown.letterShown = settings.letterShown;
    shown.letterNotShown = settings.letterNotShown;
    shown.percentShown = settings.percentShown;
    shown.timeBeforeCopy = SecondsFromMilliseconds(settings.timeBeforeCopy);
    shown.showSZAsSS = settings.showSZAsSS;
    CopyModeDialog dialog(shown, parent);
    RunDialog(dialog);

    const CopyModeValues& taken = dialog.Values();
    // With no way chosen the template keeps the way it had.
    if (taken.copyMode >= 0) {
        settings.copyMode = static_cast<std::uint32_t>(taken.copyMode);
    }
    settings.letterShown = taken.letterShown;
    settings.letterNotShown = taken.letterNotShown;
    settings.percentShown = taken.percentShown;
    settings.timeBeforeCopy = MillisecondsFromSeconds(taken.timeBeforeCopy);
    settings.showSZAsSS = taken.showSZAsSS;
    doc.SetCopyModeSettings(settings);
}

void RunViewModeSettings(CLingomatDoc& doc, QWidget* parent) {
    ViewModeSettings settings = doc.ViewSettings();
    ViewModeValues shown;
    shown.letterByLetter = settings.letterByLetter;
    shown.timeLetter = SecondsFromMilliseconds(settings.timeLetter);
    shown.timeAfterWord = SecondsFromMilliseconds(settings.timeAfterWord);
    shown.timeBeforeViewer = SecondsFromMilliseconds(settings.timeBeforeViewer);
    shown.fullScreen = settings.fullScreen;
    ViewModeDialog dialog(shown, parent);
    RunDialog(dialog);

    const ViewModeValues& taken = dialog.Values();
    settings.letterByLetter = taken.letterByLetter;
    settings.timeLetter = MillisecondsFromSeconds(taken.timeLetter);
    settings.timeAfterWord = MillisecondsFromSeconds(taken.timeAfterWord);
    settings.timeBeforeViewer = MillisecondsFromSeconds(taken.timeBeforeViewer);
    settings.fullScreen = taken.fullScreen;
    doc.SetViewModeSettings(settings);
}

void RunModeSettings(CLingomatDoc& doc, GameMode mode, QWidget* parent) {
    const GameModeTraits& traits = TraitsOf(mode);
    if (traits.choice) {
        RunChoiceSettings(doc, parent);
    } else if (traits.showsTemplate) {
        RunCopyModeSettings(doc, parent);
    } else if (traits.revealsItself) {
        RunViewModeSettings(doc, parent);
    }
}

void RunGameSettings(CLingomatDoc& doc, QWidget* parent) {
    if (!doc.gameStarted) {
        ShowDialogMessage(parent,
                          QStringLiteral("Sie k\u00f6nnen diese Funktion nur w\u00e4hrend des "
                                         "Spiels nutzen."),
                          QStringLiteral("Lingomat"), QMessageBox::NoIcon);
        return;
    }
    RunModeSettings(doc, doc.Mode(), parent);
    if (doc.ModeTraits().choice) {
        // The count may have changed: the current question gets a round of the new size.
        for (int attempt = 0; attempt < MaxChoiceRoundAttempts && !doc.PrepareChoiceRound();
             ++attempt) {
        }
    }
}

} // namespace lingomat
