#include "host/QtDocumentHost.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "support/Cp1252.h"
#include "players/PlayerStatistics.h"
#include "playerdialogs/PlayerChoiceDialog.h"

namespace lingomat {

QtDocumentHost::QtDocumentHost(ProfileStore& store) : profile(store) {}

QtDocumentHost::~QtDocumentHost() {
    delete progress.data();
}

void QtDocumentHost::SetWindow(QWidget* frame) {
    window = frame;
}

MessageAnswer QtDocumentHost::ShowMessage(const std::string& text, const std::string& caption,
                                          MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(window);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setWindowTitle(ToQString(caption));
    box.setText(ToQString(text));
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    // The button texts are set here, so they are German even without Qt's translations.
    if (buttons == MessageButtons::YesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        yes->setObjectName(QStringLiteral("yesButton"));
        no->setObjectName(QStringLiteral("noButton"));
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return MessageAnswer::Ok;
}

// Stands in for the player dialog: asks for the name only; the data set stays as preset.
void QtDocumentHost::ChoosePlayer(PlayerStatistics& statistics, std::string& dataSetName) {
    PlayerChoiceDialog dialog(statistics, profile, dataSetName, {}, window);
    dialog.exec();
    // A folder without data sets leaves the choice empty; the preset then still gets its chance.
    if (!dialog.DataSetName().empty()) {
        dataSetName = dialog.DataSetName();
    }
}

void QtDocumentHost::ChangePlayer(PlayerStatistics& statistics, const std::string& loadedDataSet) {
    PlayerChoiceDialog dialog(statistics, profile, loadedDataSet, {}, window);
    dialog.FixDataSet();
    dialog.exec();
}

LoadProgress* QtDocumentHost::LoadingProgress() {
    if (progress == nullptr) {
        progress = new LoadingDialog(window);
    }
    return progress.data();
}

void QtDocumentHost::TitleChanged(const std::string& title) {
    if (onTitleChanged) {
        onTitleChanged(title);
    }
}

void QtDocumentHost::ModifiedChanged(bool modified) {
    if (onModifiedChanged) {
        onModifiedChanged(modified);
    }
}

} // namespace lingomat
