#pragma once

#include <functional>
#include <map>

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QToolBar>

#include "support/Commands.h"
#include "ui/HelpWindow.h"

namespace lingomat {

class CLingomatDoc;
class CLingomatView;
struct CommandEntry;

// The main window: menu, accelerators, toolbar, status bar and the game view in the middle.
// Every command is a QAction found by its number, made from the command table.
class CMainFrame : public QMainWindow {
public:
    explicit CMainFrame(CLingomatDoc& document, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The window's first size: 700 x 500, but within the screen's free area, a title bar and
    // frame allowed for (at a scale factor of 2 a 1280 x 1024 screen has 640 x 512 to give).
    QSize StartSize(const QSize& available) const;

    QAction* Action(int command) const;
    CLingomatView* View() const { return view; }
    QToolBar* ToolBar() const { return toolBar; }
    QToolBar* CharacterBar() const { return characterBar; }
    QLabel* CapsLockIndicator() const { return capsLockIndicator; }
    QLabel* DueCount() const { return dueCount; }

    // The caption is the document's title followed by the window title.
    void SetDocumentTitle(const QString& title);

    // Asked before the window closes; false keeps it open. Without it the window just closes.
    std::function<bool()> canClose;

    void ShowAbout();
    void ShowHelp();
    // F1 in another window of the game: the help page of that window, in a help window of its
    // own that the window's modality does not block and that goes with it.
    void ShowHelpFor(QWidget* window);
    CHelpWindow* HelpWindow() const { return helpWindow; }
    void OpenMakerWebAddress();
    void SetCapsLock(bool on);
    void SetToolBarsVisible(bool visible);
    void SetStatusBarVisible(bool visible);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddAction(const CommandEntry& command);
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();

    CLingomatDoc& document;
    CLingomatView* view = nullptr;
    QToolBar* toolBar = nullptr;
    QToolBar* characterBar = nullptr;
    QLabel* messagePane = nullptr;
    QLabel* capsLockIndicator = nullptr;
    QLabel* dueCount = nullptr;
    QPointer<CHelpWindow> helpWindow;
    std::map<int, QAction*> actions;
};

} // namespace lingomat
