#include <string>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "matching/AccentEscapes.h"
#include "matching/AnswerForms.h"
#include "platform/qt/Cp1252.h"
#include "screen/LingomatView.h"
#include "screen/ScreenFont.h"

namespace lingomat {
namespace {

QImage Render(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void SaveShot(QWidget& widget, const char* name) {
    const QDir shots(QStringLiteral(LINGOMAT_BINARY_DIR "/screenshots"));
    shots.mkpath(QStringLiteral("."));
    widget.grab().save(shots.filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}

// A right answer as the player would type it: the first of several forms, without the optional
// parts in parentheses.
QString RightAnswer(const CLingomatDoc& doc) {
    const std::string answer = DecodeAccents(doc.pool.Current()->answerText);
    std::string form = answer;
    if (FormCount(answer) > 1) {
        Random random(1);
        form = FormAt(answer, 0, random);
    }
    return ToQString(RemoveParentheses(form));
}

void Click(QWidget* dialog, const char* name) {
    auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

class GamePlayTest : public ::testing::Test {
protected:
    GamePlayTest() : view(game.document) {
        view.SetHost(&game.host);
        view.resize(700, 440);
        view.show();
    }

    CLingomatDoc& Doc() { return game.document; }

    // Sets up a game the way the set-up dialogs would, without them.
    void Start(GameMode mode, Language question = LanguageGerman, Language answer = LanguageEnglish,
               std::size_t lesson = 0) {
        Doc().OnNewDocument();
        Doc().gameMode = mode;
        Doc().questionLanguage = question;
        Doc().answerLanguage = answer;
        Doc().lessonTable.lessons.at(lesson).selected = true;
        Doc().lessonTable.selectedLessonCount = 1;
        Doc().StartGame();
        view.StartGameTimers();
    }

    QColor Background(const QImage& image) const { return image.pixelColor(400, 215); }

    uitest::GameDocument game;
    CLingomatView view;
};

TEST_F(GamePlayTest, AWriteGameFromTheNewGameCommandThroughBothDialogsToTheEnd) {
    // The dialogs are modal: a timer plays the player's part in them.
    QTimer player;
    player.setInterval(10);
    QObject::connect(&player, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) {
            return;
        }
        if (dialog->objectName().startsWith(QStringLiteral("gameTypeDialog"))) {
            Click(dialog, "questionGermanRadio");
            Click(dialog, "answerEnglishRadio");
            Click(dialog, "writeRadio");
            Click(dialog, "okButton");
        } else if (dialog->objectName().startsWith(QStringLiteral("lessonDialog"))) {
            auto* lessons = dialog->findChild<QListWidget*>(QStringLiteral("lessonList"));
            ASSERT_NE(lessons, nullptr);
            lessons->item(0)->setSelected(true);
            Click(dialog, "okButton");
        }
    });
    SaveShot(view, "start");
    player.start();
    view.OnNewGame();
    player.stop();

    CLingomatDoc& doc = Doc();
    ASSERT_TRUE(doc.gameStarted);
    ASSERT_GT(doc.pool.Size(), 0u);
    std::string chosen;
    for (const LessonEntry& lesson : doc.lessonTable.lessons) {
        if (lesson.selected) {
            chosen = lesson.name;
        }
    }
    EXPECT_EQ(doc.Title(), chosen);
    EXPECT_TRUE(view.TimerRunning(CLingomatView::ClockTimer));
    const QColor rightColour = FromColorRef(doc.colorRight);
    const QColor wrongColour = FromColorRef(doc.colorWrong);
    EXPECT_EQ(Background(Render(view)), rightColour);
    SaveShot(view, "game-write");

    // A wrong answer turns the background and keeps it so through the next question.
    QTest::keyClicks(&view, QStringLiteral("falsch"));
    EXPECT_EQ(doc.typedAnswer, "falsch");
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(doc.lastVerdict, 0);
    EXPECT_TRUE(view.TimerRunning(CLingomatView::FeedbackTimer));
    EXPECT_EQ(Background(Render(view)), wrongColour);
    SaveShot(view, "verdict-wrong");
    // Enter during the pause does nothing; the pause ends by its timer.
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(doc.wrongCount, 1u);
    view.OnTimer(CLingomatView::FeedbackTimer);
    EXPECT_FALSE(doc.verdictShowing);
    EXPECT_EQ(Background(Render(view)), wrongColour);

    bool shotRight = false;
    for (int guard = 0; !doc.gameOver && guard < 500; ++guard) {
        if (doc.verdictShowing) {
            view.OnTimer(CLingomatView::FeedbackTimer);
            continue;
        }
        QTest::keyClicks(&view, RightAnswer(doc));
        QTest::keyClick(&view, Qt::Key_Return);
        ASSERT_EQ(doc.lastVerdict, 1) << doc.verdictText;
        if (!shotRight && !doc.gameOver) {
            EXPECT_EQ(Background(Render(view)), rightColour);
            SaveShot(view, "verdict-right");
            shotRight = true;
        }
    }
    ASSERT_TRUE(doc.gameOver);
    EXPECT_EQ(doc.Title(), "Statistik");
    EXPECT_EQ(doc.wrongCount, 1u);
    EXPECT_FALSE(view.TimerRunning(CLingomatView::ClockTimer));

    // The score bar: red from the top for the wrong share, green from the bottom for the right.
    const QImage end = Render(view);
    SaveShot(view, "end-of-game");
    const int h = end.height();
    const double total = doc.rightCount + doc.wrongCount;
    const int redBottom = static_cast<int>(h * doc.wrongCount / total);
    const int x = end.width() - 40;
    EXPECT_EQ(end.pixelColor(x, redBottom / 2), QColor(255, 0, 0));
    EXPECT_EQ(end.pixelColor(x, redBottom + 3), QColor(0, 255, 0));
    EXPECT_EQ(end.pixelColor(x, h - 3), QColor(0, 255, 0));
}

TEST_F(GamePlayTest, EditingKeysAndSpecialCharactersWorkOnTheTypedAnswer) {
    Start(GameModeWrite);
    CLingomatDoc& doc = Doc();
    QTest::keyClicks(&view, QStringLiteral("Hase"));
    QTest::keyClick(&view, Qt::Key_Home);
    QTest::keyClick(&view, Qt::Key_Delete);
    QTest::keyClick(&view, Qt::Key_Right);
    view.OnChar(0xE4); // what the special-character command for "ä" does
    QTest::keyClick(&view, Qt::Key_End);
    QTest::keyClick(&view, Qt::Key_Backspace);
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(doc.typedAnswer, "a\xE4s");
    EXPECT_EQ(doc.cursorPos, 0u);
    QTest::keyClick(&view, Qt::Key_Backspace);
    EXPECT_EQ(doc.typedAnswer, "a\xE4s");
    // A character Windows-1252 cannot hold is not typed at all.
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x0151)));
    QApplication::sendEvent(&view, &typed);
    EXPECT_EQ(doc.typedAnswer, "a\xE4s");
}

TEST_F(GamePlayTest, ChoicesByDigitAndByClickAlsoDuringThePause) {
    Start(GameModeChoiceOtherLessons);
    CLingomatDoc& doc = Doc();
    SaveShot(view, "game-choice-other-lessons");
    const auto wrongIndex = [&] {
        return static_cast<std::uint32_t>(doc.choiceRound.correctChoice == 0 ? 1 : 0);
    };
    QTest::keyClick(&view, static_cast<char>('1' + wrongIndex()));
    EXPECT_EQ(doc.lastVerdict, 0);
    ASSERT_TRUE(doc.verdictShowing);
    SaveShot(view, "verdict-choice-wrong");

    // A click during the pause ends it and picks for the next question: one more answer is
    // judged, and the question of the pause is not judged again.
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(200, 70 + 15));
    EXPECT_EQ(doc.rightCount + doc.wrongCount, 2u);
    EXPECT_EQ(doc.wrongCount >= 1u, true);

    // By digit once more, through the keyboard, after the pause's timer.
    view.OnTimer(CLingomatView::FeedbackTimer);
    const auto right = static_cast<char>('1' + doc.choiceRound.correctChoice);
    QTest::keyClick(&view, right);
    EXPECT_EQ(doc.lastVerdict, 1);
    EXPECT_EQ(doc.rightCount + doc.wrongCount, 3u);
}

TEST_F(GamePlayTest, TypingDuringThePauseEndsItAndStartsTheNextAnswer) {
    Start(GameModeWrite);
    CLingomatDoc& doc = Doc();
    QTest::keyClicks(&view, QStringLiteral("nein"));
    QTest::keyClick(&view, Qt::Key_Return);
    ASSERT_TRUE(doc.verdictShowing);
    const std::size_t left = doc.pool.Size();
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_TRUE(doc.verdictShowing);
    EXPECT_EQ(doc.wrongCount, 1u);
    view.OnChar(0xE9); // what the command for "é" does: it ends the pause like a typed key
    EXPECT_FALSE(doc.verdictShowing);
    EXPECT_FALSE(view.TimerRunning(CLingomatView::FeedbackTimer));
    EXPECT_EQ(doc.typedAnswer, "\xE9");
    EXPECT_EQ(doc.cursorPos, 1u);
    EXPECT_EQ(doc.pool.Size(), left);
    // A tick of the stopped pause timer that still arrives changes nothing.
    view.OnTimer(CLingomatView::FeedbackTimer);
    EXPECT_EQ(doc.typedAnswer, "\xE9");
}

TEST_F(GamePlayTest, LanguageOneOfASpanishDataSetShowsTheSpanishFlag) {
    Start(GameModeWrite, LanguageGerman, LanguageEnglish);
    const auto yellow = [](const QColor& colour) {
        return colour.red() > 200 && colour.green() > 150 && colour.blue() < 100;
    };
    // The middle band of the answer flag: yellow in Spain, blue and white in Britain.
    EXPECT_FALSE(yellow(Render(view).pixelColor(80, 85)));
    Doc().dataSetName = "spanbasic.voc";
    EXPECT_TRUE(yellow(Render(view).pixelColor(80, 85)));
    SaveShot(view, "game-spanish");
}

TEST_F(GamePlayTest, GlimpseShowsTheAnswerUntilItsTimer) {
    Start(GameModeWrite);
    CLingomatDoc& doc = Doc();
    view.OnGlimpse();
    EXPECT_TRUE(doc.glimpseActive);
    EXPECT_EQ(doc.cheatCount, 1u);
    EXPECT_TRUE(view.TimerRunning(CLingomatView::GlimpseTimer));
    SaveShot(view, "glimpse");
    view.OnTimer(CLingomatView::GlimpseTimer);
    EXPECT_FALSE(doc.glimpseActive);
    EXPECT_FALSE(view.TimerRunning(CLingomatView::GlimpseTimer));
}

TEST_F(GamePlayTest, CopyAndViewGamesFollowTheirTimers) {
    Doc().copyModeSettings.copyMode = 3;
    Doc().copyModeSettings.percentShown = 50;
    Start(GameModeCopy);
    EXPECT_TRUE(view.TimerRunning(CLingomatView::CopyTimer));
    EXPECT_EQ(Doc().CopyTemplate(), "");
    view.OnTimer(CLingomatView::CopyTimer);
    EXPECT_NE(Doc().CopyTemplate(), "");
    SaveShot(view, "game-copy");

    Start(GameModeChoiceAlteredLetters);
    SaveShot(view, "game-choice-altered-letters");
    Doc().viewModeSettings.fullScreen = true;
    Start(GameModeView);
    view.OnTimer(CLingomatView::ViewModeTimer);
    view.OnTimer(CLingomatView::ViewModeTimer);
    SaveShot(view, "game-view-full-screen");
    Doc().viewModeSettings.fullScreen = false;
    Start(GameModeView);
    ASSERT_TRUE(view.TimerRunning(CLingomatView::ViewModeTimer));
    for (int guard = 0; Doc().gameStarted && guard < 100000; ++guard) {
        if (guard == 3) {
            SaveShot(view, "game-view");
        }
        view.OnTimer(CLingomatView::ViewModeTimer);
    }
    // A view game that runs out of questions goes back to the start screen.
    EXPECT_FALSE(Doc().gameStarted);
    EXPECT_FALSE(Doc().gameOver);
    EXPECT_FALSE(view.TimerRunning(CLingomatView::ViewModeTimer));
}

} // namespace
} // namespace lingomat
