#pragma once

#include <functional>
#include <string>

#include <QPointer>
#include <QWidget>

#include "data/DataSetLoader.h"
#include "platform/DocumentHost.h"
#include "platform/ProfileStore.h"
#include "support/LoadingDialog.h"

namespace lingomat {

// The document's window-system needs met with Qt dialogs.
class QtDocumentHost : public DocumentHost {
public:
    explicit QtDocumentHost(ProfileStore& profile);
    ~QtDocumentHost() override;

    // Dialogs are centred over this window; null before the frame exists.
    void SetWindow(QWidget* window);
    std::function<void(const std::string&)> onTitleChanged;
    std::function<void(bool)> onModifiedChanged;

    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons, MessageIcon icon) override;
    void ChoosePlayer(PlayerStatistics& statistics, std::string& dataSetName) override;
    void ChangePlayer(PlayerStatistics& statistics, const std::string& loadedDataSet) override;
    LoadProgress* LoadingProgress() override;
    void TitleChanged(const std::string& title) override;
    void ModifiedChanged(bool modified) override;

private:
    ProfileStore& profile;
    QPointer<QWidget> window;
    QPointer<LoadingDialog> progress;
};

} // namespace lingomat
