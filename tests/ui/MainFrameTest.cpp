#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "screen/LingomatView.h"
#include "ui/MainFrame.h"

namespace lingomat {
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
    uitest::GameDocument game;
    CMainFrame frame{game.document};
};

struct MenuCase {
    const char* title;
    std::vector<const char*> items;
};

TEST_F(MainFrameTest, MenusHoldEveryItemWithItsText) {
    const std::vector<MenuCase> menus = {
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
        EXPECT_EQ(menu->title(), QString::fromUtf8(menus[i].title));
        QStringList expected;
        for (const char* item : menus[i].items) {
            expected << QString::fromUtf8(item);
        }
        EXPECT_EQ(Items(menu), expected) << menus[i].title;
    }
}

struct PromptCase {
    int command;
    const char* statusTip;
    const char* toolTip;
};

TEST_F(MainFrameTest, StatusBarPromptsAndTooltips) {
    const std::vector<PromptCase> prompts = {
        {CommandNew, "Startet ein neues Spiel.", "Neu"},
        {CommandOpenErrorFile, "Öffnet ein bestehendes Dokument.", "Öffnen"},
        {CommandExit, "Verläßt das Spiel", nullptr},
        {CommandToolbar, "Blendet die Symbolleiste ein oder aus.", "Symbolleiste ein-/ausschalten"},
        {CommandSkipQuestion, "Überspring die Frage", nullptr},
        {CommandHelp, "Listet die Hilfethemen auf.", "Hilfethemen"},
        {CommandEndGame, "Beendet das aktuelle Spiel.", nullptr},
        {32774, "Sonderzeichen: é (Kleines E mit Accent Aigu)", nullptr},
        {32776, "Sonderzeichen: ß (Scharfes S (Eszett))", nullptr},
        {32853, "", "ñ"},
        {CommandChangePlayer, "", nullptr},
    };
    for (const PromptCase& prompt : prompts) {
        const QAction* action = frame.Action(prompt.command);
        ASSERT_NE(action, nullptr) << prompt.command;
        EXPECT_EQ(action->statusTip(), QString::fromUtf8(prompt.statusTip)) << prompt.command;
        if (prompt.toolTip != nullptr) {
            EXPECT_EQ(action->toolTip(), QString::fromUtf8(prompt.toolTip)) << prompt.command;
        }
    }
}

TEST_F(MainFrameTest, ToolbarButtonsInOrderWithSeparators) {
    const std::vector<int> expected = {
        CommandNew, 0, CommandGlimpse, CommandSkipQuestion, CommandStatistics,
        CommandRotateAnswers, 0, CommandPlayerStatistics, 0,
        32794, 32798, 32774, 32775, 32792, 32793, 32799, 32796, 32797, 32802, 32800, 32801, 0,
        32776, 32778, 32780, 32781, 32784, 32785, 32786, 0, 32853, 32856, 0, CommandEndGame};
    std::vector<int> buttons;
    for (const QAction* action : frame.ToolBar()->actions()) {
        buttons.push_back(action->isSeparator() ? 0 : action->data().toInt());
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
        }
    }
    EXPECT_EQ(buttons, expected);
    EXPECT_EQ(frame.ToolBar()->iconSize(), QSize(16, 16));
    EXPECT_EQ(frame.toolBarArea(frame.ToolBar()), Qt::TopToolBarArea);
}

struct ShortcutCase {
    int command;
    QKeySequence keys;
};

TEST_F(MainFrameTest, AcceleratorsTriggerTheirCommands) {
    const std::vector<ShortcutCase> cases = {
        {CommandNew, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {CommandStatistics, QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Percent)},
        {CommandStatistics, QKeySequence(Qt::ALT | Qt::Key_Percent)},
        {CommandErrorList, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {CommandSkipQuestion, QKeySequence(Qt::CTRL | Qt::Key_I)},
        {CommandGlimpse, QKeySequence(Qt::CTRL | Qt::Key_U)},
        {CommandSearch, QKeySequence(Qt::Key_F3)},
    };
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    for (const ShortcutCase& shortcut : cases) {
        QAction* action = frame.Action(shortcut.command);
        // Only the accelerator is under test: the command's own work (a modal dialog for
        // "Neu") would wait for the player.
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        action->setEnabled(true);
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keySequence(&frame, shortcut.keys);
        EXPECT_EQ(triggered.count(), 1) << shortcut.keys.toString().toStdString();
    }
}

TEST_F(MainFrameTest, CtrlBClosesOnlyWhenTheDocumentAgrees) {
    bool agree = false;
    int asked = 0;
    frame.canClose = [&] {
        ++asked;
        return agree;
    };
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
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

} // namespace
} // namespace lingomat
