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

// The speech-bubble picture of a language column from images/ in the working directory; column 1
// is Spanish in a Spanish data set. A null pixmap when the file is missing: the dialog still
// works without its pictures.
QPixmap LanguagePicture(Language language, bool spanish);

} // namespace lingomat
