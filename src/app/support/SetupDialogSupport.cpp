#include "support/SetupDialogSupport.h"

#include <QPushButton>

namespace lingomat {

void ShowDialogMessage(QWidget* parent, const QString& text, const QString& caption,
                       QMessageBox::Icon icon) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(icon);
    // Set here, so the button is German even without Qt's translations.
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("yesButton"));
    no->setObjectName(QStringLiteral("noButton"));
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

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
