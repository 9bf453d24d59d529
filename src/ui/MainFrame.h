#pragma once

#include <functional>
#include <map>

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QToolBar>

#include "ui/Commands.h"
#include "ui/HelpWindow.h"

namespace lingomat {

class CLingomatDoc;
class CLingomatView;

// The main window: menu, accelerators, toolbar, status bar and the game view in the middle.
// Every command is a QAction found by its number; commands whose work lies elsewhere are
// created disabled and enabled by whoever connects them.
class CMainFrame : public QMainWindow {
public:
    explicit CMainFrame(CLingomatDoc& document, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QAction* Action(int command) const;
    CLingomatView* View() const { return view; }
    QToolBar* ToolBar() const { return toolBar; }
    QLabel* MessagePane() const { return messagePane; }
    QLabel* CapsLockIndicator() const { return capsLockIndicator; }

    // The caption is the document's title followed by the window title.
    void SetDocumentTitle(const QString& title);

    // Asked before the window closes; false keeps it open. Without it the window just closes.
    std::function<bool()> canClose;

    void ShowAbout();
    void ShowHelp();
    CHelpWindow* HelpWindow() const { return helpWindow; }
    void OpenMakerWebAddress();
    void SetCapsLock(bool on);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddAction(int command, const QString& text, const QString& prompt,
                       const QKeySequence& shortcut = {});
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void SaveErrorFile();

    CLingomatDoc& document;
    CLingomatView* view = nullptr;
    QToolBar* toolBar = nullptr;
    QLabel* messagePane = nullptr;
    QLabel* capsLockIndicator = nullptr;
    QPointer<CHelpWindow> helpWindow;
    std::map<int, QAction*> actions;
};

} // namespace lingomat
