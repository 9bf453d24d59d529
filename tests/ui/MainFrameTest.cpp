#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>

#include "UiTestSupport.h"
#include "screen/LingomatView.h"
#include "ui/AboutDialog.h"
#include "ui/HelpWindow.h"
#include "ui/MainFrame.h"

namespace lingomat::testing {
namespace {

// A menu's items as the player reads them: a separator as "-", a sub-menu as its title followed
// by its items in brackets.
QStringList Items(const QMenu* menu) {
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            items << QStringLiteral("-");
        } else if (action->menu() != nullptr) {
            items << action->text() + QStringLiteral("[") +
                         Items(action->menu()).join(QLatin1Char('|')) + QStringLiteral("]");
        } else {
            items << action->text();
        }
    }
    return items;
}

class MainFrameTest : public ::testing::Test {
protected:
    void ShowAndActivate() {
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }

    GameDocument game;
    CMainFrame frame{game.document};
};

TEST_F(MainFrameTest, MenusHoldEveryItemWithItsText) {
    const std::vector<std::pair<const char*, std::vector<const char*>>> menus = {
        {"&Spiel",
         {"&Neu\tStrg+N", "-", "&Statistik\tAlt+%", "&Zeiten und Farben",
          "&Fehler- und Sprachoptionen", "Spiel&einstellungen", "-", "Fehlerdatei laden",
          "Fehlerdatei schreiben", "-", "&Beenden\tStrg+B"}},
        {"S&pieler", {"Ä&ndern", "Spieler &Statistik"}},
        {"&Ansicht", {"&Symbolleiste", "S&tatusleiste", "-", "Mehrfachantworten rotieren"}},
        {"Sch&ummeln",
         {"E&inblenden der Antwort\tStrg+U", "Eine Frage &überspringen\tStrg+I",
          "Doppelte Vokabeln entfernen"}},
        {"Sonder&zeichen",
         {"A[á|à|â|ä|Ä]", "E[é|è|ê|ë]", "I[í|î|ï]", "O[ó|ô|ö|Ö]", "U[ú|ù|û|ü|Ü]", "-", "ç", "ß",
          "ñ", "Ñ"}},
        {"&Vokabeln",
         {"&Lektionen auf Listen", "&Suchen\tF3", "&Verbleibende Vokabeln",
          "&Fehlerliste\tStrg+F", "Wörter pro Lektion"}},
        {"&?", {"&Hilfe\tF1", "&Tipps zu Lingomat", "-", "Inf&o über Lingomat", "Borkenwald im Web"}},
    };
    const QList<QAction*> bar = frame.menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(menus.size()));
    for (std::size_t i = 0; i < menus.size(); ++i) {
        const QMenu* menu = bar[static_cast<qsizetype>(i)]->menu();
        ASSERT_NE(menu, nullptr);
        const auto& [title, items] = menus[i];
        EXPECT_EQ(menu->title(), QString::fromUtf8(title));
        QStringList expected;
        for (const char* item : items) {
            expected << QString::fromUtf8(item);
        }
        EXPECT_EQ(Items(menu), expected) << title;
    }
}

TEST_F(MainFrameTest, PromptsGiveStatusTextAndTooltip) {
    // One command per way a prompt becomes status text and tooltip.
    const struct {
        int command;
        const char* statusTip;
        const char* toolTip;
    } prompts[] = {
        {CommandNew, "Startet ein neues Spiel.", "Neu"},
        {CommandExit, "Verläßt das Spiel", "Verläßt das Spiel"},
        {32774, "Sonderzeichen: é (Kleines E mit Accent Aigu)",
         "Sonderzeichen: é (Kleines E mit Accent Aigu)"},
        {32853, "", "ñ"},
        {CommandChangePlayer, "", nullptr},
    };
    for (const auto& prompt : prompts) {
        const QAction* action = frame.Action(prompt.command);
        ASSERT_NE(action, nullptr) << prompt.command;
        EXPECT_EQ(action->statusTip(), QString::fromUtf8(prompt.statusTip)) << prompt.command;
        if (prompt.toolTip != nullptr) {
            EXPECT_EQ(action->toolTip(), QString::fromUtf8(prompt.toolTip)) << prompt.command;
        }
    }
}

// Every button takes its picture from the strip.
TEST_F(MainFrameTest, ToolbarButtonsHavePictures) {
    EXPECT_EQ(frame.ToolBar()->actions().size(), 34);
    for (const QAction* action : frame.ToolBar()->actions()) {
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull()) << action->data().toInt();
    }
    EXPECT_EQ(frame.ToolBar()->iconSize(), QSize(16, 16));
    EXPECT_EQ(frame.toolBarArea(frame.ToolBar()), Qt::TopToolBarArea);
}

TEST_F(MainFrameTest, AcceleratorsTriggerTheirCommands) {
    const std::vector<std::pair<int, QKeySequence>> cases = {
        {CommandNew, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {CommandStatistics, QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Percent)},
        {CommandStatistics, QKeySequence(Qt::ALT | Qt::Key_Percent)},
        {CommandErrorList, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {CommandSkipQuestion, QKeySequence(Qt::CTRL | Qt::Key_I)},
        {CommandGlimpse, QKeySequence(Qt::CTRL | Qt::Key_U)},
        {CommandSearch, QKeySequence(Qt::Key_F3)},
    };
    ShowAndActivate();
    for (const auto& [command, keys] : cases) {
        QAction* action = frame.Action(command);
        // Only the accelerator is under test: the command's own work (a modal dialog for
        // "Neu") would wait for the player.
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        action->setEnabled(true);
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keySequence(&frame, keys);
        EXPECT_EQ(triggered.count(), 1) << keys.toString().toStdString();
    }
}

TEST_F(MainFrameTest, CtrlBClosesOnlyWhenTheDocumentAgrees) {
    bool agree = false;
    int asked = 0;
    frame.canClose = [&] {
        ++asked;
        return agree;
    };
    ShowAndActivate();
    QTest::keySequence(&frame, QKeySequence(Qt::CTRL | Qt::Key_B));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(frame.isVisible());
    agree = true;
    QTest::keySequence(&frame, QKeySequence(Qt::CTRL | Qt::Key_B));
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(MainFrameTest, ViewMenuShowsAndHidesToolbarAndStatusBarWithCheckMarks) {
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const std::vector<std::pair<int, QWidget*>> bars = {
        {CommandToolbar, frame.ToolBar()}, {CommandStatusBar, frame.statusBar()}};
    for (const auto& [command, bar] : bars) {
        QAction* toggle = frame.Action(command);
        ASSERT_TRUE(toggle->isCheckable());
        EXPECT_TRUE(toggle->isChecked());
        toggle->trigger();
        EXPECT_FALSE(bar->isVisible()) << command;
        EXPECT_FALSE(toggle->isChecked()) << command;
        toggle->trigger();
        EXPECT_TRUE(bar->isVisible()) << command;
        EXPECT_TRUE(toggle->isChecked()) << command;
    }
    // Closing the toolbar by other means takes the check mark away as well.
    frame.ToolBar()->hide();
    EXPECT_FALSE(frame.Action(CommandToolbar)->isChecked());
}

TEST_F(MainFrameTest, TitleIsTheDocumentTitleBeforeTheWindowTitle) {
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Neues Spiel - Lingomat, das Vokabelspiel"));
    frame.SetDocumentTitle(QStringLiteral("Statistik"));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Statistik - Lingomat, das Vokabelspiel"));
}

TEST_F(MainFrameTest, StatusBarShowsIdleTextAndCapsLockIndicator) {
    EXPECT_EQ(frame.MessagePane()->text(), QStringLiteral("Lingomat, das Vokabelspiel."));
    EXPECT_EQ(frame.CapsLockIndicator()->text(), QStringLiteral("UF"));
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    struct KeyCase {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        bool capsAfter;
    };
    const std::vector<KeyCase> keys = {
        {Qt::Key_A, Qt::NoModifier, "a", false},
        {Qt::Key_CapsLock, Qt::NoModifier, "", true},
        {Qt::Key_5, Qt::NoModifier, "5", true},
        {Qt::Key_A, Qt::ShiftModifier, "a", true},
        {Qt::Key_CapsLock, Qt::NoModifier, "", false},
        {Qt::Key_A, Qt::NoModifier, "A", true},   // caps lock was on before the program saw it
        {Qt::Key_A, Qt::ShiftModifier, "A", false},
    };
    for (const KeyCase& key : keys) {
        QKeyEvent press(QEvent::KeyPress, key.key, key.modifiers, QString::fromUtf8(key.text));
        QApplication::sendEvent(frame.windowHandle(), &press);
        EXPECT_EQ(frame.CapsLockIndicator()->isEnabled(), key.capsAfter) << key.text;
    }
}

TEST_F(MainFrameTest, FrameAboutAndHelpShowThemselves) {
    frame.resize(700, 500);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    SaveShot(frame, "main-window");
    CAboutDialog about(&frame);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    SaveShot(about, "about");
    about.close();

    // Help opens with its contents and the first page.
    frame.ShowHelp();
    CHelpWindow* help = frame.HelpWindow();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    ASSERT_TRUE(help->HasContents());
    EXPECT_GT(help->Contents()->topLevelItemCount(), 3);
    EXPECT_TRUE(help->Browser()->source().toLocalFile().endsWith(u"/index.html"_s));
    EXPECT_FALSE(help->Browser()->toPlainText().isEmpty());
    SaveShot(*help, "help");
    help->close();
}

TEST(HelpWindowTest, DamagedContentsNestSoundlyAndNamePagesOfTheFolderOnly) {
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("help"));
    const QString helpFolder = folder.filePath(QStringLiteral("help"));
    QFile contents(QDir(helpFolder).filePath(QStringLiteral("contents.txt")));
    ASSERT_TRUE(contents.open(QIODevice::WriteOnly));
    contents.write("../secret.html\tGeheim\n"
                   "\t\t\t\ttief.html\tZu tief\n"
                   "no tab here\n"
                   "\n"
                   "b.html\tZweite\n");
    contents.close();
    QFile outside(folder.filePath(QStringLiteral("secret.html")));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.write("<p>outside</p>");
    outside.close();

    CHelpWindow help(helpFolder);
    help.ShowContents();
    ASSERT_EQ(help.Contents()->topLevelItemCount(), 2);
    // A level that jumps ahead hangs below the line before it.
    ASSERT_EQ(help.Contents()->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(help.Contents()->topLevelItem(0)->child(0)->text(0), QStringLiteral("Zu tief"));
    EXPECT_EQ(help.Browser()->source().toLocalFile(),
              QDir(helpFolder).absoluteFilePath(QStringLiteral("secret.html")));
    EXPECT_FALSE(help.Browser()->toPlainText().contains(QStringLiteral("outside")));
    help.close();

    // Without contents it says so.
    CHelpWindow missing(folder.path());
    missing.ShowContents();
    EXPECT_FALSE(missing.HasContents());
    EXPECT_TRUE(missing.Browser()->toPlainText().contains(QStringLiteral("nicht gefunden")));
    missing.close();
}

} // namespace
} // namespace lingomat::testing
