#include "ui/MainFrame.h"

#include <vector>

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QStatusBar>
#include <QUrl>

#include "game/LingomatDoc.h"
#include "platform/qt/Cp1252.h"
#include "screen/LingomatView.h"
#include "ui/AboutDialog.h"
#include "ui/HelpWindow.h"

namespace lingomat {

namespace {

const QString kWindowTitle = QStringLiteral("Lingomat, das Vokabelspiel");
const QString kIdleText = QStringLiteral("Lingomat, das Vokabelspiel.");

QString Utf8(const char* text) { return QString::fromUtf8(text); }

QString CharacterText(const SpecialCharacter& special) {
    return ToQString(std::string(1, static_cast<char>(special.byte)));
}

// The commands that work without the game screen's own handlers.
bool WorksHere(int command) {
    switch (command) {
    case CommandExit:
    case CommandSaveErrorFile:
    case CommandToolbar:
    case CommandStatusBar:
    case CommandHelp:
    case CommandAbout:
    case CommandWeb:
        return true;
    default:
        return false;
    }
}

} // namespace

CMainFrame::CMainFrame(CLingomatDoc& doc, QWidget* parent)
    : QMainWindow(parent), document(doc) {
    setObjectName(QStringLiteral("mainFrame"));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral("images/lingomat-%1.png").arg(size));
    }
    setWindowIcon(icon);
    view = new CLingomatView(document, this);
    setCentralWidget(view);
    CreateActions();
    view->ConnectCommands([this](int command) { return Action(command); });
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

QAction* CMainFrame::Action(int command) const {
    const auto found = actions.find(command);
    return found == actions.end() ? nullptr : found->second;
}

QAction* CMainFrame::AddAction(int command, const QString& text, const QString& prompt,
                               const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1").arg(command));
    action->setData(command);
    // A prompt carries its tooltip after a line break.
    const qsizetype split = prompt.indexOf(QLatin1Char('\n'));
    const QString statusText = split < 0 ? prompt : prompt.left(split);
    action->setStatusTip(statusText);
    if (split >= 0) {
        action->setToolTip(prompt.mid(split + 1));
    } else if (!statusText.isEmpty()) {
        action->setToolTip(statusText);
    }
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
    }
    action->setEnabled(WorksHere(command));
    actions[command] = action;
    return action;
}

void CMainFrame::CreateActions() {
    AddAction(CommandNew, Utf8("&Neu\tStrg+N"), Utf8("Startet ein neues Spiel.\nNeu"),
              QKeySequence(Qt::CTRL | Qt::Key_N));
    // The character "%" with Alt, however the keyboard makes it: on German keys it needs Shift.
    QAction* statistics =
        AddAction(CommandStatistics, Utf8("&Statistik\tAlt+%"),
                  Utf8("Zeigt ein Fenster mit der Aktuellen Statistik an."));
    statistics->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Percent),
                              QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Percent)});
    AddAction(CommandTimesAndColours, Utf8("&Zeiten und Farben"),
              Utf8("Zeit- und Farbeinstellungen von Lingomat"));
    AddAction(CommandCorrectionOptions, Utf8("&Fehler- und Sprachoptionen"),
              Utf8("Optionen zur Verbesserung"));
    AddAction(CommandGameSettings, Utf8("Spiel&einstellungen"),
              Utf8("Spieleinstellung, zum Ändern während des Spiels"));
    AddAction(CommandOpenErrorFile, Utf8("Fehlerdatei laden"),
              Utf8("Öffnet ein bestehendes Dokument.\nÖffnen"));
    AddAction(CommandSaveErrorFile, Utf8("Fehlerdatei schreiben"),
              Utf8("Schreibt einen ErrorFile mit ihren Fehlern."));
    AddAction(CommandExit, Utf8("&Beenden\tStrg+B"), Utf8("Verläßt das Spiel"),
              QKeySequence(Qt::CTRL | Qt::Key_B));

    AddAction(CommandChangePlayer, Utf8("Ä&ndern"), {});
    AddAction(CommandPlayerStatistics, Utf8("Spieler &Statistik"), {});

    QAction* toolbarAction =
        AddAction(CommandToolbar, Utf8("&Symbolleiste"),
                  Utf8("Blendet die Symbolleiste ein oder aus.\nSymbolleiste ein-/ausschalten"));
    toolbarAction->setCheckable(true);
    QAction* statusAction =
        AddAction(CommandStatusBar, Utf8("S&tatusleiste"),
                  Utf8("Blendet die Statusleiste ein oder aus.\nStatusleiste ein-/ausschalten"));
    statusAction->setCheckable(true);
    AddAction(CommandRotateAnswers, Utf8("Mehrfachantworten rotieren"), {});

    AddAction(CommandGlimpse, Utf8("E&inblenden der Antwort\tStrg+U"),
              Utf8("Wirft einen kurzen Blick auf die Frage."), QKeySequence(Qt::CTRL | Qt::Key_U));
    AddAction(CommandSkipQuestion, Utf8("Eine Frage &überspringen\tStrg+I"),
              Utf8("Überspring die Frage"), QKeySequence(Qt::CTRL | Qt::Key_I));
    AddAction(CommandRemoveDuplicates, Utf8("Doppelte Vokabeln entfernen"), {});

    for (const SpecialCharacter& special : kSpecialCharacters) {
        const QString character = CharacterText(special);
        const QString prompt =
            special.name == nullptr
                ? QString()
                : QStringLiteral("Sonderzeichen: %1 (%2)").arg(character, Utf8(special.name));
        QAction* action = AddAction(special.command, character, prompt);
        if (action->toolTip().isEmpty()) {
            action->setToolTip(character);
        }
    }

    AddAction(CommandLessonLists, Utf8("&Lektionen auf Listen"), {});
    AddAction(CommandSearch, Utf8("&Suchen\tF3"),
              Utf8("Durchsucht die Vokabel Datenbank von Lingomat"), QKeySequence(Qt::Key_F3));
    AddAction(CommandRemainingQuestions, Utf8("&Verbleibende Vokabeln"),
              Utf8("Zeigt an, welche Fragen Sie noch beantworten müssen."));
    AddAction(CommandErrorList, Utf8("&Fehlerliste\tStrg+F"),
              Utf8("Zeigt eine Liste mit allen Bislang begangen Fehlern an."),
              QKeySequence(Qt::CTRL | Qt::Key_F));
    AddAction(CommandWordsPerLesson, Utf8("Wörter pro Lektion"), {});

    AddAction(CommandHelp, Utf8("&Hilfe\tF1"), Utf8("Listet die Hilfethemen auf.\nHilfethemen"),
              QKeySequence(Qt::Key_F1));
    AddAction(CommandTips, Utf8("&Tipps zu Lingomat"), {});
    AddAction(CommandAbout, Utf8("Inf&o über Lingomat"),
              Utf8("Zeigt Programm-Informationen, Versionsnummer und Copyright an.\nInfo"));
    AddAction(CommandWeb, Utf8("Borkenwald im Web"), {});
    AddAction(CommandEndGame, Utf8("Spiel beenden"), Utf8("Beendet das aktuelle Spiel."));

    connect(Action(CommandExit), &QAction::triggered, this, &QWidget::close);
    connect(Action(CommandAbout), &QAction::triggered, this, &CMainFrame::ShowAbout);
    connect(Action(CommandHelp), &QAction::triggered, this, &CMainFrame::ShowHelp);
    connect(Action(CommandWeb), &QAction::triggered, this, &CMainFrame::OpenMakerWebAddress);
    connect(Action(CommandSaveErrorFile), &QAction::triggered, this, &CMainFrame::SaveErrorFile);
}

void CMainFrame::CreateMenus() {
    // 0 stands for a separator.
    const auto fill = [this](QMenu* menu, const std::vector<int>& commands) {
        for (const int command : commands) {
            if (command == 0) {
                menu->addSeparator();
            } else {
                menu->addAction(Action(command));
            }
        }
    };
    const auto addMenu = [this](const char* title, const char* name) {
        QMenu* menu = menuBar()->addMenu(Utf8(title));
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };

    fill(addMenu("&Spiel", "gameMenu"),
         {CommandNew, 0, CommandStatistics, CommandTimesAndColours, CommandCorrectionOptions,
          CommandGameSettings, 0, CommandOpenErrorFile, CommandSaveErrorFile, 0, CommandExit});
    fill(addMenu("S&pieler", "playerMenu"), {CommandChangePlayer, CommandPlayerStatistics});
    fill(addMenu("&Ansicht", "viewMenu"),
         {CommandToolbar, CommandStatusBar, 0, CommandRotateAnswers});
    fill(addMenu("Sch&ummeln", "cheatMenu"),
         {CommandGlimpse, CommandSkipQuestion, CommandRemoveDuplicates});

    QMenu* characters = addMenu("Sonder&zeichen", "specialCharacterMenu");
    const std::vector<std::pair<const char*, std::vector<int>>> groups = {
        {"A", {32855, 32794, 32798, 32778, 32784}},
        {"E", {32774, 32775, 32792, 32793}},
        {"I", {32856, 32799, 32796}},
        {"O", {32857, 32797, 32780, 32785}},
        {"U", {32858, 32802, 32800, 32781, 32786}},
    };
    for (const auto& [title, commands] : groups) {
        fill(characters->addMenu(Utf8(title)), commands);
    }
    fill(characters, {0, 32801, 32776, 32853, 32854});

    fill(addMenu("&Vokabeln", "vocabularyMenu"),
         {CommandLessonLists, CommandSearch, CommandRemainingQuestions, CommandErrorList,
          CommandWordsPerLesson});
    fill(addMenu("&?", "helpMenu"), {CommandHelp, CommandTips, 0, CommandAbout, CommandWeb});
}

void CMainFrame::CreateToolBar() {
    toolBar = new QToolBar(QStringLiteral("Symbolleiste"), this);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setMovable(true);
    toolBar->setFloatable(true);
    toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    addToolBar(Qt::TopToolBarArea, toolBar);

    // The strip holds the buttons' pictures in this order; 0 is a separator, which has none.
    const std::vector<int> buttons = {
        CommandNew, 0, CommandGlimpse, CommandSkipQuestion, CommandStatistics,
        CommandRotateAnswers, 0, CommandPlayerStatistics, 0,
        32794, 32798, 32774, 32775, 32792, 32793, 32799, 32796, 32797, 32802, 32800, 32801, 0,
        32776, 32778, 32780, 32781, 32784, 32785, 32786, 0,
        32853, 32856, 0, CommandEndGame};
    const QPixmap strip(QStringLiteral("images/toolbar.png"));
    int picture = 0;
    for (const int command : buttons) {
        if (command == 0) {
            toolBar->addSeparator();
            continue;
        }
        QAction* action = Action(command);
        if (!strip.isNull() && strip.width() >= (picture + 1) * 16) {
            action->setIcon(QIcon(strip.copy(picture * 16, 0, 16, 16)));
        }
        ++picture;
        toolBar->addAction(action);
    }
    // The menu shows characters as text; only the toolbar shows their pictures.
    for (const SpecialCharacter& special : kSpecialCharacters) {
        Action(special.command)->setIconVisibleInMenu(false);
    }

    QAction* toggle = Action(CommandToolbar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, toolBar, &QWidget::setVisible);
    connect(toolBar, &QToolBar::visibilityChanged, toggle, [this, toggle](bool visible) {
        // Hidden together with a minimised window is not hidden by the player.
        if (!isMinimized()) {
            toggle->setChecked(visible);
        }
    });
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    messagePane = new QLabel(kIdleText, bar);
    messagePane->setObjectName(QStringLiteral("messagePane"));
    bar->addWidget(messagePane, 1);
    capsLockIndicator = new QLabel(QStringLiteral("UF"), bar);
    capsLockIndicator->setObjectName(QStringLiteral("capsLockIndicator"));
    capsLockIndicator->setToolTip(QStringLiteral("Feststelltaste"));
    bar->addPermanentWidget(capsLockIndicator);
    SetCapsLock(false);

    QAction* toggle = Action(CommandStatusBar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);
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
    about.exec();
}

void CMainFrame::ShowHelp() {
    if (!helpWindow) {
        // Its own top-level window, so the game stays usable beside it.
        helpWindow = new CHelpWindow(QDir::current().filePath(QStringLiteral("help")));
        helpWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    helpWindow->ShowContents();
}

void CMainFrame::OpenMakerWebAddress() {
    // A missing browser is no reason to bother the player.
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerWebAddress)));
}

void CMainFrame::SaveErrorFile() {
    const QString suggested =
        QDir::current().filePath(ToQString(document.Title()) + QStringLiteral(".lef"));
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Fehlerdatei schreiben"), suggested,
        QStringLiteral("Lingomat Fehler Datei (*.lef);;Alle Dateien (*)"));
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".lef");
    }
    // File names are handed on in the system's own encoding, not in the game's text encoding.
    if (!document.OnSaveDocument(QFile::encodeName(path).toStdString())) {
        QMessageBox::warning(this, QStringLiteral("Lingomat"),
                             QStringLiteral("Die Fehlerdatei \"%1\" konnte nicht geschrieben "
                                            "werden.")
                                 .arg(QDir::toNativeSeparators(path)));
    }
}

} // namespace lingomat
