#pragma once

#include <cstdint>
#include <optional>

#include <QString>

#include "data/GameTypes.h"

class QLineEdit;
class QWidget;

namespace lingomat {

class CLingomatDoc;

// The settings commands. Each opens its dialog on copies of the document's fields and writes
// them back whichever way the dialog was closed; the dialogs have no cancel button, and closing
// one without OK leaves the values it was given. The caller repaints the game screen afterwards.

// "Zeiten und Farben": pauses, glimpse time, background colours and the verdict pictures.
void RunTimesColoursSettings(CLingomatDoc& doc, QWidget* parent);

// "Fehler- und Sprachoptionen": the six correction options.
void RunCorrectionOptions(CLingomatDoc& doc, QWidget* parent);

// "Spieleinstellungen": the settings of the running game's type. Outside a game it only says
// that it needs one; a multiple-choice game gets new choices for the current question.
void RunGameSettings(CLingomatDoc& doc, QWidget* parent);

// "Einstellungen" of the game type dialog: the settings of the game type chosen there. Nothing
// for writing.
void RunModeSettings(CLingomatDoc& doc, GameMode mode, QWidget* parent);

// The dialogs of the two game types that RunModeSettings and RunGameSettings share.
void RunChoiceSettings(CLingomatDoc& doc, QWidget* parent);
void RunCopyModeSettings(CLingomatDoc& doc, QWidget* parent);
void RunViewModeSettings(CLingomatDoc& doc, QWidget* parent);

// Times are kept in milliseconds and edited in seconds, as 32-bit floats; the way back rounds to
// the nearest millisecond, so a time comes back as it was shown.
float SecondsFromMilliseconds(std::uint32_t milliseconds);
// Values below 0 (and NaN) give 0, values too large for 32 bits the largest.
std::uint32_t MillisecondsFromSeconds(float seconds);

// The seconds as a settings edit shows them: six significant digits, "0.3", "1.5", "10".
QString SecondsText(float seconds);
// The entered seconds, or nothing for text that is not a finite number. A decimal comma is
// taken like a point, as German players write it.
std::optional<float> ParseSeconds(const QString& text);
// The entered non-negative whole number, or nothing.
std::optional<std::uint32_t> ParseWholeNumber(const QString& text);

// The refusals of a settings edit: the message box, then the edit focused with its text
// selected, so the player can type the value again at once.
void RefuseNumberEntry(QLineEdit* edit);
void RefuseWholeNumberEntry(QLineEdit* edit);
void RefuseRangeEntry(QLineEdit* edit, int low, int high);

} // namespace lingomat
