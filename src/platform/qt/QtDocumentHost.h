#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

#include "data/DataSetLoader.h"
#include "platform/DocumentHost.h"
#include "platform/ProfileStore.h"


namespace lingomat {

// The loading progress as a small window of its own that stays until the load ends.
class QtLoadProgress : public LoadProgress {
public:
    explicit QtLoadProgress(QWidget* parent);
    ~QtLoadProgress() override;
    void Begin(int low, int high) override;
    void Set(int value) override;
    void End() override;
    QProgressDialog* Window() const { return window.data(); }

private:
    QPointer<QWidget> parent;
    QPointer<QProgressDialog> window;
};

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
    LoadProgress* LoadingProgress() override;
    void TitleChanged(const std::string& title) override;
    void ModifiedChanged(bool modified) override;

private:
    ProfileStore& profile;
    QPointer<QWidget> window;
    std::unique_ptr<QtLoadProgress> progress;
};

} // namespace lingomat
