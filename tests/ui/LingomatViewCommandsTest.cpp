#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "screen/LingomatView.h"
#include "screen/ScreenFont.h"
#include "ui/Commands.h"
#include "ui/MainFrame.h"

namespace lingomat {
namespace {

// Counts the repaints a widget receives and keeps the area of the last one.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
            region = static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
    int count = 0;
    QRegion region;
};

class ViewCommandsTest : public ::testing::Test {
protected:
    ViewCommandsTest() : view(game.document) {
        view.SetHost(&game.host);
        view.resize(700, 440);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    void StartWriteGame() {
        CLingomatDoc& doc = game.document;
        doc.OnNewDocument();
        doc.gameMode = GameModeWrite;
        doc.questionLanguage = LanguageGerman;
        doc.answerLanguage = LanguageFrench;
        doc.lessonTable.lessons.at(0).selected = true;
        doc.lessonTable.selectedLessonCount = 1;
        doc.StartGame();
        view.StartGameTimers();
        ASSERT_TRUE(doc.gameStarted);
    }

    uitest::GameDocument game;
    CLingomatView view;
};

struct ConfirmCase {
    MessageAnswer answer;
    bool keepsGame;
};

TEST_F(ViewCommandsTest, NewGameDuringAGameAsksFirstAndCancellingLeavesTheStartScreen) {
    for (const ConfirmCase& confirm :
         {ConfirmCase{MessageAnswer::No, true}, ConfirmCase{MessageAnswer::Yes, false}}) {
        StartWriteGame();
        QTest::keyClicks(&view, QStringLiteral("x"));
        QTest::keyClick(&view, Qt::Key_Return);
        ASSERT_TRUE(game.document.IsModified());
        game.host.answer = confirm.answer;
        game.host.lastMessage.clear();
        // Whatever dialog comes up is cancelled, as a player who changed his mind would.
        QTimer player;
        player.setInterval(10);
        QObject::connect(&player, &QTimer::timeout, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                dialog->close();
            }
        });
        player.start();
        view.OnNewGame();
        player.stop();
        EXPECT_EQ(game.host.lastMessage, "Sind sie sicher das Spiel verlassen zu wollen?");
        EXPECT_EQ(game.document.gameStarted, confirm.keepsGame);
        EXPECT_EQ(game.document.wrongCount, confirm.keepsGame ? 1u : 0u);
        EXPECT_EQ(view.TimerRunning(CLingomatView::ClockTimer), confirm.keepsGame);
    }
}

TEST_F(ViewCommandsTest, AClickOnTheStartScreenOpensTheGameTypeDialog) {
    QString opened;
    QTimer player;
    player.setInterval(10);
    QObject::connect(&player, &QTimer::timeout, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            opened = dialog->objectName();
            dialog->close();
        }
    });
    player.start();
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(300, 200));
    player.stop();
    EXPECT_EQ(opened, QStringLiteral("gameTypeDialog"));
    EXPECT_FALSE(game.document.gameStarted);
}

TEST_F(ViewCommandsTest, SkipAsksAndCountsOnlyOnYes) {
    for (const ConfirmCase& confirm :
         {ConfirmCase{MessageAnswer::No, true}, ConfirmCase{MessageAnswer::Yes, false}}) {
        StartWriteGame();
        const std::size_t left = game.document.pool.Size();
        game.host.answer = confirm.answer;
        view.OnSkipQuestion();
        EXPECT_EQ(game.host.lastMessage, "Sind Sie sicher diese Frage \xFC"
                                         "berspringen zu wollen?");
        EXPECT_EQ(game.document.cheatCount, confirm.keepsGame ? 0u : 1u);
        EXPECT_EQ(game.document.lastVerdict, -1);
        // A skipped question leaves the game.
        EXPECT_EQ(game.document.pool.Size(), confirm.keepsGame ? left : left - 1);
    }
}

TEST_F(ViewCommandsTest, EndGameShowsTheEndScreenAndStopsTheTimers) {
    StartWriteGame();
    view.OnEndGame();
    EXPECT_TRUE(game.document.gameOver);
    EXPECT_FALSE(view.TimerRunning(CLingomatView::ClockTimer));
    // Input after the end changes nothing.
    QTest::keyClicks(&view, QStringLiteral("abc"));
    EXPECT_EQ(game.document.typedAnswer, "");
}

TEST_F(ViewCommandsTest, TheClockRepaintsItsOwnCornerOncePerSecond) {
    StartWriteGame();
    QApplication::processEvents();
    PaintCounter paints;
    view.installEventFilter(&paints);
    for (int tick = 0; tick < 9; ++tick) {
        view.OnTimer(CLingomatView::ClockTimer);
    }
    QApplication::processEvents();
    EXPECT_EQ(paints.count, 0);
    game.clock.Advance(1);
    view.OnTimer(CLingomatView::ClockTimer);
    QApplication::processEvents();
    EXPECT_EQ(paints.count, 1);
    EXPECT_EQ(paints.region.boundingRect(), view.ClockRect());
    EXPECT_EQ(game.document.ClockText(), "00 : 01");
    view.removeEventFilter(&paints);
}

TEST_F(ViewCommandsTest, MenuCommandsReachTheView) {
    CMainFrame frame(game.document);
    CLingomatView& shown = *frame.View();
    shown.SetHost(&game.host);
    frame.resize(700, 500);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    CLingomatDoc& doc = game.document;
    doc.OnNewDocument();
    doc.gameMode = GameModeWrite;
    doc.lessonTable.lessons.at(0).selected = true;
    doc.lessonTable.selectedLessonCount = 1;
    doc.StartGame();
    shown.StartGameTimers();

    for (const int command : {CommandNew, CommandSkipQuestion, CommandGlimpse, CommandEndGame,
                              CommandRotateAnswers, CommandRemoveDuplicates, CommandStatistics}) {
        EXPECT_TRUE(frame.Action(command)->isEnabled()) << command;
    }
    QTest::keyClicks(&shown, QStringLiteral("Sb"));
    QTest::keyClick(&shown, Qt::Key_Left);
    // Every special character goes in at the insertion point, like a typed key.
    std::string expected = "S";
    for (const SpecialCharacter& special : kSpecialCharacters) {
        frame.Action(special.command)->trigger();
        expected += static_cast<char>(special.byte);
    }
    EXPECT_EQ(doc.typedAnswer, expected + "b");
    EXPECT_EQ(doc.cursorPos, expected.size());

    frame.Action(CommandGlimpse)->trigger();
    EXPECT_TRUE(doc.glimpseActive);
    frame.Action(CommandEndGame)->trigger();
    EXPECT_TRUE(doc.gameOver);
}

struct FitCase {
    int steps; // how many steps the target width allows for
    int width;
    int weight;
};

TEST(FitFontTest, NarrowsAndLightensStepByStepAndStopsAtItsFloor) {
    const QString text = QStringLiteral("Die Eisenbahnbr\u00fccke \u00fcber den Flu\u00df");
    const FontSpec question{40, 11, 600};
    const auto advance = [&](int width) {
        return QFontMetrics(FontSpec{40, width, 600}.Font()).horizontalAdvance(text);
    };
    const std::vector<FitCase> cases = {{0, 11, 600}, {1, 10, 500}, {2, 9, 400}};
    for (const FitCase& fit : cases) {
        const FontSpec result = FitFont(question, text, advance(11 - fit.steps), 100);
        EXPECT_EQ(result.width, fit.width) << fit.steps;
        EXPECT_EQ(result.weight, fit.weight) << fit.steps;
        EXPECT_EQ(result.height, 40);
    }
    // No room at all: the font stops at a legible width and a weight above zero.
    const FontSpec floor = FitFont(question, text, 0, 100);
    EXPECT_EQ(floor.width, 3);
    EXPECT_GE(floor.weight, 1);
}

} // namespace
} // namespace lingomat
