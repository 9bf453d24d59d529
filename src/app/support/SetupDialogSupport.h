#pragma once

#include <QPixmap>
#include <QString>

#include "data/GameTypes.h"
#include "support/Prompts.h"

class QWidget;

namespace lingomat {

// The speech-bubble picture of a language column from images/ in the working directory; column 1
// is Spanish in a Spanish data set. A null pixmap when the file is missing: the dialog still
// works without its pictures.
QPixmap LanguagePicture(Language language, bool spanish);

} // namespace lingomat
