#include "support/SetupDialogSupport.h"

namespace lingomat {

QPixmap LanguagePicture(Language language, bool spanish) {
    QString name;
    switch (language) {
    case LanguageGerman:
        name = QStringLiteral("language-german.png");
        break;
    case LanguageEnglish:
        name = spanish ? QStringLiteral("language-spanish.png")
                       : QStringLiteral("language-english.png");
        break;
    case LanguageFrench:
        name = QStringLiteral("language-french.png");
        break;
    default:
        return {};
    }
    return QPixmap(QStringLiteral("images/") + name);
}

} // namespace lingomat
