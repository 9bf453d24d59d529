#pragma once

#include <QMessageBox>
#include <QPixmap>
#include <QString>

#include "data/GameTypes.h"

class QWidget;

namespace lingomat {

// A modal message box with a German OK button. Tests find it by its object name
// "messageBox" and its button by "okButton".
void ShowDialogMessage(QWidget* parent, const QString& text, const QString& caption,
                       QMessageBox::Icon icon);

// A modal yes/no question with German buttons "yesButton" and "noButton"; "Nein" is the default
// and the answer to Escape, so a hasty Enter changes nothing. True for "Ja".
bool AskYesNo(QWidget* parent, const QString& text, const QString& caption);

// The speech-bubble picture of a language column from images/ in the working directory; column 1
// is Spanish in a Spanish data set. A null pixmap when the file is missing: the dialog still
// works without its pictures.
QPixmap LanguagePicture(Language language, bool spanish);

} // namespace lingomat
