#include "host/QtDocumentHost.h"

#include <QApplication>

#include "support/Cp1252.h"
#include "players/PlayerStatistics.h"
#include "playerdialogs/PlayerChoiceDialog.h"
#include "support/Prompts.h"

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
    static constexpr QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                                  QMessageBox::Question, QMessageBox::Warning,
                                                  QMessageBox::Critical};
    const QMessageBox::Icon shown = icons[static_cast<int>(icon)];
    if (buttons == MessageButtons::YesNo) {
        return AskYesNo(window, ToQString(text), ToQString(caption), shown, true)
                   ? MessageAnswer::Yes
                   : MessageAnswer::No;
    }
    ShowDialogMessage(window, ToQString(text), ToQString(caption), shown);
    return MessageAnswer::Ok;
}

// Stands in for the player dialog: asks for the name only; the data set stays as preset.
void QtDocumentHost::ChoosePlayer(PlayerStatistics& statistics, std::string& dataSetName) {
    PlayerChoiceDialog dialog(statistics, profile, dataSetName, {}, window);
    RunDialog(dialog);
    // A folder without data sets leaves the choice empty; the preset then still gets its chance.
    if (!dialog.DataSetName().empty()) {
        dataSetName = dialog.DataSetName();
    }
}

void QtDocumentHost::ChangePlayer(PlayerStatistics& statistics, const std::string& loadedDataSet) {
    PlayerChoiceDialog dialog(statistics, profile, loadedDataSet, {}, window);
    dialog.FixDataSet();
    RunDialog(dialog);
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
