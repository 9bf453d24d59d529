#include <fstream>
#include <tuple>

#include "UiTestSupport.h"
#include "screen/LingomatView.h"
#include "ui/HelpWindow.h"
#include "ui/LingomatApp.h"
#include "playerdialogs/PlayerChoiceDialog.h"
#include "ui/CommandTable.h"
#include "ui/MainFrame.h"

namespace lingomat::testing {
namespace {

class MainFrameTest : public ::testing::Test {
protected:
    GameDocument game;
    CMainFrame frame{game.document};
};

// Every button takes its picture from the strip, and at the window's default size every one
// shows, none is left behind the overflow arrow; the view menu hides and shows the bars. A
// command's prompt gives status text and tooltip: split at a line break, or the one text for both.
TEST_F(MainFrameTest, ToolbarButtonsHavePicturesAndPromptsAndAllShowAtTheDefaultSize) {
    const std::tuple<int, const char*, const char*> prompts[] = {
        {CommandNew, "Startet ein neues Spiel.", "Neu"},
        {CommandExit, "Verläßt das Spiel", "Verläßt das Spiel"},
        {32853, "", "ñ"},
    };
    for (const auto& [command, statusTip, toolTip] : prompts) {
        EXPECT_EQ(frame.Action(command)->statusTip(), QString::fromUtf8(statusTip)) << command;
        EXPECT_EQ(frame.Action(command)->toolTip(), QString::fromUtf8(toolTip)) << command;
    }
    frame.resize(700, 500);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    SaveShot(frame, "toolbars-700x500");
    int buttons = 0;
    for (QToolBar* bar : {frame.ToolBar(), frame.CharacterBar()}) {
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) {
                continue;
            }
            ++buttons;
            EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
            const QWidget* button = bar->widgetForAction(action);
            ASSERT_NE(button, nullptr) << action->data().toInt();
            EXPECT_TRUE(button->isVisible()) << action->data().toInt();
        }
    }
    EXPECT_GT(buttons, 20);

    // The view menu shows and hides toolbar and status bar with check marks.
    const std::vector<std::pair<int, QWidget*>> bars = {{CommandToolbar, frame.ToolBar()},
                                                        {CommandStatusBar, frame.statusBar()}};
    for (const auto& [command, bar] : bars) {
        for (const bool shown : {false, true}) {
            frame.Action(command)->trigger();
            EXPECT_EQ(bar->isVisible(), shown) << command;
            EXPECT_EQ(frame.Action(command)->isChecked(), shown) << command;
        }
    }
    // Closing the toolbars by other means takes the check mark away as well.
    frame.ToolBar()->hide();
    EXPECT_TRUE(frame.Action(CommandToolbar)->isChecked());
    frame.CharacterBar()->hide();
    EXPECT_FALSE(frame.Action(CommandToolbar)->isChecked());
}

// The window keeps a size at which the game screen has its whole layout, and the screen grows
// uniformly with the window; the first size fits a 1280 x 1024 screen at a scale factor of 2.
TEST_F(MainFrameTest, GameScreenScalesUniformlyWithinASaneWindowSize) {
    StartGame(game.document, GameModeWrite);
    game.document.TypeAnswer("falsch");
    game.document.CheckTypedAnswer();
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    CLingomatView& view = *frame.View();
    for (const QSize asked : {QSize(420, 320), QSize(700, 500), QSize(1400, 1000)}) {
        const QString name = u"%1x%2"_s.arg(asked.width()).arg(asked.height());
        SCOPED_TRACE(name.toStdString());
        frame.resize(asked);
        QApplication::processEvents();
        // Never below four fifths of the layout, and at that scale in both directions.
        EXPECT_GE(view.width(), CLingomatView::DesignWidth * 4 / 5);
        EXPECT_GE(view.height(), CLingomatView::DesignHeight * 4 / 5);
        const double scale = view.Scale();
        EXPECT_GE(scale, 0.8 - 1e-9);
        EXPECT_NEAR(view.AnswerTextRect().top(), 72 * scale, 1.0);
        EXPECT_NEAR(view.AnswerTextRect().height(), 31 * scale, 2.0);
        SaveShot(frame, u"window-"_s + name);
    }
    EXPECT_GT(view.Scale(), 1.9);

    // At a scale factor of 2 a 1280 x 1024 screen gives 640 x 512 less its panel.
    const QSize available(640, 488);
    const QSize start = frame.StartSize(available);
    EXPECT_LE(start.width() + 16, available.width());
    EXPECT_LE(start.height() + 48, available.height());
    EXPECT_EQ(frame.StartSize(QSize(1920, 1080)), QSize(700, 500));
    frame.resize(start);
    QApplication::processEvents();
    EXPECT_EQ(frame.size(), start);
}

// Ctrl+B closes only when the document agrees; the others trigger their commands.
TEST_F(MainFrameTest, AcceleratorsTriggerTheirCommands) {
    const std::vector<std::pair<int, QKeySequence>> cases = {
        {CommandNew, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {CommandStatistics, QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Percent)},
        {CommandStatistics, QKeySequence(Qt::ALT | Qt::Key_Percent)},
        {CommandSearch, QKeySequence(Qt::Key_F3)},
    };
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
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
    int asked = 0;
    for (const bool agree : {false, true}) {
        frame.canClose = [&] { return ++asked, agree; };
        QTest::keySequence(&frame, QKeySequence(Qt::CTRL | Qt::Key_B));
        EXPECT_EQ(asked, agree ? 2 : 1);
        EXPECT_EQ(frame.isVisible(), !agree);
    }
}

// The title is the document's title before the window's; the count of due words follows it, and
// the caps lock pane follows the keys the program sees.
TEST_F(MainFrameTest, StatusBarAndTitleFollowTheGame) {
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Neues Spiel - Lingomat, das Vokabelspiel"));
    EXPECT_EQ(frame.DueCount()->text(), QStringLiteral("Heute ist kein Wort f\u00e4llig"));
    CLingomatDoc& doc = game.document;
    for (const VocEntry& entry : doc.vocabulary) {
        if (doc.Cards().Size() < 2 && !entry.Text(LanguageGerman).starts_with('/')) {
            doc.Cards().Answer(entry, LanguageGerman, LanguageFrench, false, doc.Today());
        }
    }
    frame.SetDocumentTitle(QStringLiteral("Statistik"));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Statistik - Lingomat, das Vokabelspiel"));
    EXPECT_EQ(frame.DueCount()->text(), QStringLiteral("Heute f\u00e4llig: 2 W\u00f6rter"));

    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    // the key pressed, its modifiers and text, and whether the caps lock pane is lit after it
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*, bool> keys[] = {
        {Qt::Key_A, Qt::NoModifier, "a", false},
        {Qt::Key_CapsLock, Qt::NoModifier, "", true},
        {Qt::Key_5, Qt::NoModifier, "5", true},
        {Qt::Key_A, Qt::ShiftModifier, "a", true},
        {Qt::Key_CapsLock, Qt::NoModifier, "", false},
        {Qt::Key_A, Qt::NoModifier, "A", true}, // caps lock was on before the program saw it
        {Qt::Key_A, Qt::ShiftModifier, "A", false},
    };
    for (const auto& [key, modifiers, text, capsAfter] : keys) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, QString::fromUtf8(text));
        QApplication::sendEvent(frame.windowHandle(), &press);
        EXPECT_EQ(frame.CapsLockIndicator()->isEnabled(), capsAfter) << text;
    }
}

// F1 in another window shows the help page of that window (of the window under a message box)
// in a help window that the window's modality does not block; Escape closes it.
TEST_F(MainFrameTest, F1InADialogShowsItsHelpPageAndEscapeClosesIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"lessonDialogSpanish", "/lektionen.html"},
        {"aboutDialog", "/index.html"},
    };
    for (const auto& [name, page] : cases) {
        QDialog dialog(&frame);
        dialog.setObjectName(QString::fromLatin1(name));
        QMessageBox box(&dialog);
        box.setObjectName(u"messageBox"_s);
        for (QWidget* window : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(&box)}) {
            window->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
            QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
            QApplication::sendEvent(window->windowHandle(), &press);
            auto* help = dynamic_cast<CHelpWindow*>(
                window->findChild<QWidget*>(u"helpWindow"_s, Qt::FindDirectChildrenOnly));
            ASSERT_NE(help, nullptr) << name;
            EXPECT_TRUE(help->isVisible()) << name;
            EXPECT_TRUE(help->Browser()->source().toLocalFile().endsWith(QString::fromLatin1(page)))
                << name;
            EXPECT_GT(help->Contents()->topLevelItemCount(), 3) << name;
            EXPECT_FALSE(help->Browser()->toPlainText().isEmpty()) << name;
            QTest::keyClick(help->Browser(), Qt::Key_Escape);
            EXPECT_FALSE(help->isVisible()) << name;
        }
    }
}

TEST(HelpWindowTest, DamagedContentsNestSoundlyAndNamePagesOfTheFolderOnly) {
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "help");
    std::ofstream(folder.File("help/contents.txt")) << "../secret.html\tGeheim\n"
                                                       "\t\t\t\ttief.html\tZu tief\n"
                                                       "no tab here\n"
                                                       "\n"
                                                       "b.html\tZweite\n";
    std::ofstream(folder.File("secret.html")) << "<p>outside</p>";
    const QString helpFolder = ToQString(folder.File("help"));
    CHelpWindow help(helpFolder);
    help.ShowContents();
    ASSERT_EQ(help.Contents()->topLevelItemCount(), 2);
    // A level that jumps ahead hangs below the line before it.
    ASSERT_EQ(help.Contents()->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(help.Contents()->topLevelItem(0)->child(0)->text(0), QStringLiteral("Zu tief"));
    EXPECT_EQ(help.Browser()->source().toLocalFile(),
              QDir(helpFolder).absoluteFilePath(QStringLiteral("secret.html")));
    EXPECT_FALSE(help.Browser()->toPlainText().contains(QStringLiteral("outside")));

    // Without contents it says so.
    CHelpWindow missing(ToQString(folder.Path().string()));
    missing.ShowContents();
    EXPECT_FALSE(missing.HasContents());
    EXPECT_TRUE(missing.Browser()->toPlainText().contains(QStringLiteral("nicht gefunden")));
}

// Every command runs from its menu item during a write game: what it opens, each cancelled at
// once ("box" a message box, "file" a file chooser, otherwise the window's name). Those that work
// on the game screen do so first: every special character goes in at the insertion point like a
// typed key, a glimpse lasts until its timer, and the end screen stops the timers and takes no
// more input.
TEST_F(MainFrameTest, EveryCommandOpensWhatItShould) {
    const std::pair<int, const char*> cases[] = {
        {CommandStatistics, "box"},
        {CommandTimesAndColours, "timesColoursDialog"},
        {CommandCorrectionOptions, "correctionOptionsDialog"},
        {CommandGameSettings, ""},
        {CommandSaveErrorFile, "file"},
        {CommandChangePlayer, ""},
        {CommandPlayerStatistics, "playerStatisticsDialog"},
        {CommandRotateAnswers, ""},
        {CommandGlimpse, ""},
        {CommandRemoveDuplicates, ""},
        {CommandLessonLists, "lessonListDialog"},
        {CommandSearch, "vocabularySearchDialog"},
        {CommandRemainingQuestions, "remainingQuestionsDialog"},
        {CommandErrorList, "errorListDialog"},
        {CommandWordsPerLesson, "lessonCountDialog"},
        {CommandHelp, "helpWindow"},
        {CommandTips, "tipsDialog"},
        {CommandAbout, "aboutDialog"},
        {CommandSkipQuestion, "box"}, // the view's own question: no host here
        {CommandEndGame, ""},
        {CommandOpenErrorFile, "file"},
        {CommandNew, "gameTypeDialog"},
        {CommandDueWords, "gameTypeDialog"},
        {CommandExit, ""},
    };
    frame.canClose = [] { return false; };
    CLingomatDoc& doc = game.document;
    CLingomatView& view = *frame.View();
    StartGame(doc, GameModeWrite);
    view.StartGameTimers();
    frame.show();
    QTest::keyClicks(&view, QStringLiteral("Sb"));
    QTest::keyClick(&view, Qt::Key_Left);
    std::string typed = "S";
    for (const CommandEntry& command : CommandTable()) {
        if (const unsigned char byte = CharacterOf(command); byte != 0) {
            frame.Action(command.id)->trigger();
            typed += static_cast<char>(byte);
        }
    }
    EXPECT_EQ(doc.TypedAnswer(), typed + "b");
    EXPECT_EQ(doc.CursorPos(), typed.size());
    frame.Action(CommandGlimpse)->trigger();
    EXPECT_TRUE(doc.IsGlimpsing());
    EXPECT_EQ(doc.CheatCount(), 1u);
    EXPECT_TRUE(view.TimerRunning(CLingomatView::GlimpseTimer));
    SaveShot(view, "glimpse");
    view.OnTimer(CLingomatView::GlimpseTimer);
    EXPECT_FALSE(doc.IsGlimpsing());
    EXPECT_FALSE(view.TimerRunning(CLingomatView::GlimpseTimer));
    frame.Action(CommandEndGame)->trigger();
    EXPECT_TRUE(doc.IsGameOver());
    SaveShot(view, "end-early");
    EXPECT_FALSE(view.TimerRunning(CLingomatView::ClockTimer));
    typed = doc.TypedAnswer();
    QTest::keyClicks(&view, QStringLiteral("abc"));
    EXPECT_EQ(doc.TypedAnswer(), typed);

    StartGame(doc, GameModeWrite);
    for (const auto& [command, expected] : cases) {
        const QWidgetList before = QApplication::topLevelWidgets();
        Answers answers;
        frame.Action(command)->trigger();
        QStringList opened = answers.dialogs;
        opened += QStringList(static_cast<qsizetype>(answers.boxes.size()), u"box"_s);
        opened += QStringList(static_cast<qsizetype>(answers.choosers.size()), u"file"_s);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!before.contains(window) && window->isVisible()) {
                opened << window->objectName();
                SaveShot(*window, window->objectName());
                window->close();
            }
        }
        EXPECT_EQ(opened.join(u' '), QString::fromLatin1(expected)) << command;
    }
    EXPECT_TRUE(frame.isVisible());
}

// The whole program's start in a folder of its own, after the player chose a name: a data set
// that cannot be used is told in German, and the window opens all the same, so the player is
// never left without a word.
TEST(StartUpTest, ADataSetThatCannotBeLoadedIsToldAndTheWindowOpens) {
    // what lingomat.voc holds (nullptr: there is no data set at all), and what the player is told
    const std::pair<const char*, const char*> cases[] = {
        {"kein Datensatz", "konnte nicht gelesen werden"},
        {nullptr, "Im Spielordner liegt kein Datensatz"},
    };
    const QString before = QDir::currentPath();
    for (const auto& [contents, told] : cases) {
        TempFolder folder;
        if (contents != nullptr) {
            std::ofstream(folder.File("lingomat.voc"), std::ios::binary) << contents;
        }
        QDir::setCurrent(QString::fromStdString(folder.Path().string()));
        {
            Answers answers;
            answers.On<PlayerChoiceDialog>([](PlayerChoiceDialog& dialog) {
                Find<QComboBox>(dialog, "playerNameCombo")->setEditText(u"Anna"_s);
            });
            CLingomatApp app;
            EXPECT_TRUE(app.InitInstance()) << told;
            EXPECT_TRUE(answers.Texts().join(u'\n').contains(QString::fromUtf8(told)))
                << answers.Texts().join(u'\n').toStdString();
            EXPECT_TRUE(app.MainFrame()->isVisible());
        }
        QDir::setCurrent(before);
    }
}

} // namespace
} // namespace lingomat::testing
