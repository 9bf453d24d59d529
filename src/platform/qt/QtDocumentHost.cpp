#include "platform/qt/QtDocumentHost.h"

#include <algorithm>

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

#include "platform/qt/Cp1252.h"
#include "players/PlayerStatistics.h"
#include "players/dialogs/PlayerChoiceDialog.h"

namespace lingomat {

QtLoadProgress::QtLoadProgress(QWidget* parentWindow) : parent(parentWindow) {}

QtLoadProgress::~QtLoadProgress() {
    delete window.data();
}

void QtLoadProgress::Begin(int low, int high) {
    if (window == nullptr) {
        window = new QProgressDialog(parent);
        window->setObjectName(QStringLiteral("loadingProgress"));
        window->setWindowTitle(QStringLiteral("Laden von Lingomat"));
        window->setLabelText(QStringLiteral("Die Vokabeln werden geladen ..."));
        window->setCancelButton(nullptr);
        window->setWindowModality(Qt::NonModal);
        window->setMinimumDuration(0);
        window->setAutoClose(false);
        window->setAutoReset(false);
    }
    window->setRange(low, high > low ? high : low + 1);
    window->setValue(low);
    window->show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtLoadProgress::Set(int value) {
    if (window == nullptr) {
        return;
    }
    // Repainting at every record would make the load slower than the reading.
    const int step = std::max(1, (window->maximum() - window->minimum()) / 100);
    if (value == window->maximum() || (value - window->minimum()) % step == 0) {
        window->setValue(value);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void QtLoadProgress::End() {
    if (window != nullptr) {
        window->hide();
    }
}

QtDocumentHost::QtDocumentHost(ProfileStore& store) : profile(store) {}

QtDocumentHost::~QtDocumentHost() = default;

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

LoadProgress* QtDocumentHost::LoadingProgress() {
    if (!progress) {
        progress = std::make_unique<QtLoadProgress>(window);
    }
    return progress.get();
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
