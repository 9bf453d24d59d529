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

// The speech-bubble picture of a language column; column 1 is Spanish in a Spanish data set.
// A null pixmap when the picture file is missing, so a dialog still opens without pictures.
QPixmap LanguagePicture(Language language, bool spanish);

// The game reads its pictures from images/ in the working directory; tests and tools that run
// elsewhere point this to another folder.
void SetPictureFolder(const QString& folder);

} // namespace lingomat
