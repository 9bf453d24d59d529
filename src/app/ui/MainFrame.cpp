#include "ui/MainFrame.h"

#include <algorithm>
#include <vector>

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QUrl>
#include <QWindow>

#include "game/LingomatDoc.h"
#include "support/Cp1252.h"
#include "screen/LingomatView.h"
#include "ui/AboutDialog.h"
#include "ui/CommandTable.h"
#include "support/Commands.h"
#include "ui/HelpWindow.h"
#include "support/Prompts.h"

namespace lingomat {

namespace {

const QString kWindowTitle = QStringLiteral("Lingomat, das Vokabelspiel");
const QString kIdleText = QStringLiteral("Lingomat, das Vokabelspiel.");

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// The due-words button: a card box with cards standing in it. Drawn here, so the toolbar strip
// and its pictures stay as they are.
QIcon CardBoxIcon() {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QColor(60, 60, 60));
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRect(3, 1, 7, 9);
    painter.setBrush(QColor(255, 217, 102));
    painter.drawRect(6, 3, 7, 8);
    painter.setBrush(QColor(176, 122, 64));
    painter.drawRect(1, 8, 13, 6);
    painter.fillRect(5, 10, 6, 2, QColor(224, 102, 102));
    return QIcon(picture);
}

} // namespace

CMainFrame::CMainFrame(CLingomatDoc& doc, QWidget* parent) : QMainWindow(parent), document(doc) {
    setObjectName(QStringLiteral("mainFrame"));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral("images/lingomat-%1.png").arg(size));
    }
    setWindowIcon(icon);
    // Every other window of the game, the list windows beside it included, carries it too.
    QApplication::setWindowIcon(icon);
    view = new CLingomatView(document, this);
    setCentralWidget(view);
    CreateActions();
    view->newGameRequested = [this] { Action(CommandNew)->trigger(); };
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    SetDocumentTitle(ToQString(document.Title()));
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    delete helpWindow.data();
}

QSize CMainFrame::StartSize(const QSize& available) const {
    const QSize decoration(16, 48);
    return QSize(700, 500).boundedTo(available - decoration).expandedTo(minimumSizeHint());
}

QAction* CMainFrame::Action(int command) const {
    const auto found = actions.find(command);
    return found == actions.end() ? nullptr : found->second;
}

QAction* CMainFrame::AddAction(const CommandEntry& command) {
    auto* action = new QAction(Utf8(command.text), this);
    action->setObjectName(QStringLiteral("command%1").arg(command.id));
    action->setData(command.id);
    // A prompt carries its tooltip after a line break.
    const QString prompt = Utf8(command.prompt);
    const qsizetype split = prompt.indexOf(QLatin1Char('\n'));
    const QString statusText = split < 0 ? prompt : prompt.left(split);
    action->setStatusTip(statusText);
    if (split >= 0) {
        action->setToolTip(prompt.mid(split + 1));
    } else if (!statusText.isEmpty()) {
        action->setToolTip(statusText);
    }
    action->setShortcuts(QList<QKeySequence>(command.shortcuts.begin(), command.shortcuts.end()));
    action->setCheckable(command.checkable);
    connect(action, &QAction::triggered, this, [this, &command] {
        command.handler({document, *view, *this, command});
    });
    actions[command.id] = action;
    return action;
}

void CMainFrame::CreateActions() {
    for (const CommandEntry& command : CommandTable()) {
        AddAction(command);
    }
}

void CMainFrame::CreateMenus() {
    std::map<QString, QMenu*> menus;
    for (const MenuEntry& entry : MenuTable()) {
        QMenu* menu = menuBar()->addMenu(Utf8(entry.title));
        menu->setObjectName(QString::fromLatin1(entry.objectName));
        menus[Utf8(entry.title)] = menu;
    }
    for (const CommandEntry& command : CommandTable()) {
        if (command.menu == nullptr) {
            continue;
        }
        const QString place = Utf8(command.menu);
        QMenu*& menu = menus[place];
        if (menu == nullptr) {
            // A sub-menu stands where its first command would.
            const qsizetype slash = place.lastIndexOf(QLatin1Char('/'));
            menu = menus.at(place.left(slash))->addMenu(place.mid(slash + 1));
        }
        if (command.separatorBefore) {
            menu->addSeparator();
        }
        menu->addAction(Action(command.id));
    }
}

void CMainFrame::CreateToolBar() {
    std::vector<const CommandEntry*> buttons;
    for (const CommandEntry& command : CommandTable()) {
        if (command.toolBar != ToolBarRow::None) {
            buttons.push_back(&command);
        }
    }
    std::sort(buttons.begin(), buttons.end(),
              [](const CommandEntry* a, const CommandEntry* b) { return a->picture < b->picture; });

    const auto makeBar = [this](const QString& title, const QString& name) {
        auto* bar = new QToolBar(title, this);
        bar->setObjectName(name);
        bar->setIconSize(QSize(16, 16));
        bar->setMovable(true);
        bar->setFloatable(true);
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        addToolBar(Qt::TopToolBarArea, bar);
        return bar;
    };
    toolBar = makeBar(QStringLiteral("Symbolleiste"), QStringLiteral("toolBar"));
    addToolBarBreak(Qt::TopToolBarArea);
    characterBar = makeBar(QStringLiteral("Sonderzeichen"), QStringLiteral("characterBar"));

    const QPixmap strip(QStringLiteral("images/toolbar.png"));
    std::map<QToolBar*, int> lastGroup;
    for (const CommandEntry* command : buttons) {
        QToolBar* bar = command->toolBar == ToolBarRow::Characters ? characterBar : toolBar;
        const auto last = lastGroup.find(bar);
        if (last != lastGroup.end() && last->second != command->group) {
            bar->addSeparator();
        }
        lastGroup[bar] = command->group;
        QAction* action = Action(command->id);
        if (!strip.isNull() && strip.width() >= (command->picture + 1) * 16) {
            action->setIcon(QIcon(strip.copy(command->picture * 16, 0, 16, 16)));
        } else if (command->id == CommandDueWords) {
            action->setIcon(CardBoxIcon());
        }
        // The menu shows characters as text; only the toolbar shows their pictures.
        action->setIconVisibleInMenu(command->toolBar != ToolBarRow::Characters);
        bar->addAction(action);
    }

    QAction* toggle = Action(CommandToolbar);
    toggle->setChecked(true);
    for (QToolBar* bar : {toolBar, characterBar}) {
        connect(bar, &QToolBar::visibilityChanged, toggle, [this, toggle] {
            // Hidden together with a minimised window is not hidden by the player.
            if (!isMinimized()) {
                toggle->setChecked(toolBar->isVisible() || characterBar->isVisible());
            }
        });
    }
}

void CMainFrame::SetToolBarsVisible(bool visible) {
    toolBar->setVisible(visible);
    characterBar->setVisible(visible);
}

void CMainFrame::SetStatusBarVisible(bool visible) {
    statusBar()->setVisible(visible);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    messagePane = new QLabel(kIdleText, bar);
    messagePane->setObjectName(QStringLiteral("messagePane"));
    bar->addWidget(messagePane, 1);
    dueCount = new QLabel(bar);
    dueCount->setObjectName(QStringLiteral("dueCount"));
    dueCount->setToolTip(Utf8("Wörter Ihrer Kartei, die heute fällig sind (Spiel → Fällige Wörter "
                              "üben)"));
    bar->addPermanentWidget(dueCount);
    capsLockIndicator = new QLabel(QStringLiteral("UF"), bar);
    capsLockIndicator->setObjectName(QStringLiteral("capsLockIndicator"));
    capsLockIndicator->setToolTip(QStringLiteral("Feststelltaste"));
    bar->addPermanentWidget(capsLockIndicator);
    SetCapsLock(false);

    Action(CommandStatusBar)->setChecked(true);
}

void CMainFrame::SetCapsLock(bool on) {
    // Greyed out, not hidden, while off, so the status bar does not jump.
    capsLockIndicator->setEnabled(on);
    capsLockIndicator->setProperty("capsLock", on);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // Qt cannot ask for the Caps Lock state, so the indicator follows the keys: the key itself
    // toggles it, and a letter whose case disagrees with the Shift key gives it away.
    // Only at the window, where every key arrives once; the widgets below pass unhandled keys
    // on to their parents, and the filter would see each of those passes.
    if (event->type() == QEvent::KeyPress && watched->isWindowType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->windowHandle() == watched && window != this &&
                    dynamic_cast<CHelpWindow*>(window) == nullptr) {
                    ShowHelpFor(window);
                    return true;
                }
            }
        }
        if (key->key() == Qt::Key_CapsLock) {
            SetCapsLock(!capsLockIndicator->isEnabled());
        } else if (key->text().size() == 1) {
            const QChar c = key->text().front();
            if (c.isLetter() && c.isUpper() != c.isLower()) {
                const bool shift = key->modifiers().testFlag(Qt::ShiftModifier);
                SetCapsLock(c.isUpper() != shift);
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::SetDocumentTitle(const QString& title) {
    // Every game's start and end changes the title, and with them what is due.
    const std::uint32_t due = document.DueTodayCount();
    dueCount->setText(due == 0   ? Utf8("Heute ist kein Wort fällig")
                      : due == 1 ? Utf8("Heute fällig: 1 Wort")
                                 : Utf8("Heute fällig: %1 Wörter").arg(due));
    setWindowTitle(title.isEmpty() ? kWindowTitle : title + QStringLiteral(" - ") + kWindowTitle);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (canClose && !canClose()) {
        event->ignore();
        return;
    }
    if (helpWindow) {
        helpWindow->close();
    }
    event->accept();
}

void CMainFrame::ShowAbout() {
    CAboutDialog about(this);
    RunDialog(about);
}

void CMainFrame::ShowHelp() {
    if (!helpWindow) {
        // Its own top-level window, so the game stays usable beside it.
        helpWindow = new CHelpWindow(QDir::current().filePath(QStringLiteral("help")));
        helpWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    helpWindow->ShowContents();
}

void CMainFrame::ShowHelpFor(QWidget* window) {
    // A message box has no page of its own: the window it stands over has.
    QWidget* owner = window;
    while (owner->objectName() == QLatin1String("messageBox") && owner->parentWidget() != nullptr) {
        owner = owner->parentWidget()->window();
    }
    CHelpWindow* help = nullptr;
    for (QObject* child : window->children()) {
        help = help != nullptr ? help : dynamic_cast<CHelpWindow*>(child);
    }
    if (help == nullptr) {
        help = new CHelpWindow(QDir::current().filePath(QStringLiteral("help")), window);
        help->setWindowFlag(Qt::Window);
        help->setAttribute(Qt::WA_DeleteOnClose);
    }
    help->ShowPage(CHelpWindow::PageFor(owner->objectName()));
}

void CMainFrame::OpenMakerWebAddress() {
    // A missing browser is no reason to bother the player.
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerWebAddress)));
}

} // namespace lingomat
