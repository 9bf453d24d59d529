#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "UiTestSupport.h"
#include "matching/AccentEscapes.h"
#include "matching/AnswerForms.h"
#include "screen/LingomatView.h"
#include "screen/ScreenFont.h"
#include "ui/GameCommands.h"
#include "ui/GameTypeDialog.h"
#include "ui/LessonDialog.h"

namespace lingomat::testing {
namespace {

QImage Render(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A right answer as the player would type it: the first of several forms, without the optional
// parts in parentheses.
QString RightAnswer(const CLingomatDoc& doc) {
    Random random(1);
    return ToQString(
        RemoveParentheses(FormAt(DecodeAccents(doc.pool.Current()->answerText), 0, random)));
}

// The images counted are all rendered as RGB32: one QRgb per pixel, rows without padding.
int CountPixels(const QImage& image, const QColor& colour) {
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
    return static_cast<int>(
        std::count(pixels, pixels + image.width() * image.height(), colour.rgb()));
}

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

class GameScreenTest : public ::testing::Test {
protected:
    GameScreenTest() : view(game.document) {
        view.SetHost(&game.host);
        view.resize(700, 440);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    void Start(GameMode mode) {
        StartGame(doc, mode);
        view.StartGameTimers();
    }
    QColor Background() { return Render(view).pixelColor(400, 215); }

    GameDocument game;
    CLingomatDoc& doc = game.document;
    CLingomatView view;
};

TEST_F(GameScreenTest, AWriteGameFromTheNewGameCommandThroughBothDialogsToTheEnd) {
    Answers answers;
    answers
        .On<GameTypeDialog>([](GameTypeDialog& dialog) {
            for (const char* name :
                 {"questionGermanRadio", "answerEnglishRadio", "writeRadio", "okButton"}) {
                ClickButton(dialog, name);
            }
        })
        .On<LessonDialog>([](LessonDialog& dialog) {
            Find<QListWidget>(dialog, "lessonList")->item(0)->setSelected(true);
            ClickButton(dialog, "okButton");
        });
    SaveShot(view, "start");
    NewGame(doc, view);
    ASSERT_TRUE(doc.gameStarted);
    const auto& lessons = doc.lessonTable.lessons;
    // The game is named after its lesson.
    EXPECT_EQ(doc.Title(), std::ranges::find(lessons, true, &LessonEntry::selected)->name);
    EXPECT_TRUE(view.TimerRunning(CLingomatView::ClockTimer));
    const QColor rightColour = FromColorRef(doc.Feedback().colorRight);
    const QColor wrongColour = FromColorRef(doc.Feedback().colorWrong);
    EXPECT_EQ(Background(), rightColour);
    SaveShot(view, "game-write");

    QTest::keyClicks(&view, QStringLiteral("falsch"));
    EXPECT_EQ(doc.TypedAnswer(), "falsch");
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(doc.LastVerdict(), 0);
    ASSERT_TRUE(doc.IsVerdictShowing());
    EXPECT_TRUE(view.TimerRunning(CLingomatView::FeedbackTimer));
    EXPECT_EQ(Background(), wrongColour);
    SaveShot(view, "verdict-wrong");
    // Enter during the pause does nothing; a typed character ends it and starts the next answer.
    const std::size_t left = doc.pool.Size();
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_TRUE(doc.IsVerdictShowing());
    EXPECT_EQ(doc.WrongCount(), 1u);
    view.OnChar(0xE9); // what the command for "é" does
    EXPECT_FALSE(doc.IsVerdictShowing());
    EXPECT_FALSE(view.TimerRunning(CLingomatView::FeedbackTimer));
    EXPECT_EQ(doc.TypedAnswer(), "\xE9");
    EXPECT_EQ(doc.CursorPos(), 1u);
    EXPECT_EQ(doc.pool.Size(), left);
    // A tick of the stopped pause timer that still arrives changes nothing.
    view.OnTimer(CLingomatView::FeedbackTimer);
    EXPECT_EQ(doc.TypedAnswer(), "\xE9");
    QTest::keyClick(&view, Qt::Key_Backspace);

    // The wrong colour stays through the next question until a right answer; later pauses end
    // by their timer.
    bool answeredRight = false;
    for (int guard = 0; !doc.IsGameOver() && guard < 500; ++guard) {
        if (doc.IsVerdictShowing()) {
            view.OnTimer(CLingomatView::FeedbackTimer);
            continue;
        }
        EXPECT_EQ(Background(), answeredRight ? rightColour : wrongColour);
        QTest::keyClicks(&view, RightAnswer(doc));
        QTest::keyClick(&view, Qt::Key_Return);
        ASSERT_EQ(doc.LastVerdict(), 1) << doc.VerdictText();
        if (!answeredRight && !doc.IsGameOver()) {
            EXPECT_EQ(Background(), rightColour);
            SaveShot(view, "verdict-right");
        }
        answeredRight = true;
    }
    ASSERT_TRUE(doc.IsGameOver());
    EXPECT_EQ(doc.Title(), "Statistik");
    EXPECT_EQ(doc.WrongCount(), 1u);
    EXPECT_FALSE(view.TimerRunning(CLingomatView::ClockTimer));

    // The score bar: red from the top for the wrong share, green from the bottom for the right.
    const QImage end = Render(view);
    SaveShot(view, "end-of-game");
    const int h = end.height();
    const double total = doc.RightCount() + doc.WrongCount();
    const int redBottom = static_cast<int>(h * doc.WrongCount() / total);
    const int x = end.width() - 40;
    EXPECT_EQ(end.pixelColor(x, redBottom / 2), QColor(255, 0, 0));
    EXPECT_EQ(end.pixelColor(x, redBottom + 3), QColor(0, 255, 0));
    EXPECT_EQ(end.pixelColor(x, h - 3), QColor(0, 255, 0));
}

// Editing keys and special characters work on the typed answer; keys without a printable
// character stay out of it, and the caret stands at the end of the text as drawn, for a short
// answer and for one set in a narrowed font.
TEST_F(GameScreenTest, TypingEditsTheAnswerAndTheCaretStaysAtTheTextsEnd) {
    Start(GameModeWrite);
    QTest::keyClicks(&view, QStringLiteral("Hase"));
    for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Delete, Qt::Key_Right}) {
        QTest::keyClick(&view, key);
    }
    view.OnChar(0xE4); // what the special-character command for "ä" does
    QTest::keyClick(&view, Qt::Key_End);
    QTest::keyClick(&view, Qt::Key_Backspace);
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(&view, Qt::Key_Left);
    }
    EXPECT_EQ(doc.TypedAnswer(), "a\xE4s");
    EXPECT_EQ(doc.CursorPos(), 0u);
    QTest::keyClick(&view, Qt::Key_Backspace);
    EXPECT_EQ(doc.TypedAnswer(), "a\xE4s");
    // A character Windows-1252 cannot hold is not typed at all.
    QKeyEvent unknown(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x0151)));
    QApplication::sendEvent(&view, &unknown);
    EXPECT_EQ(doc.TypedAnswer(), "a\xE4s");
    for (const QString& typed :
         {u"abc"_s, u"die Eisenbahnbruecke ueber den breiten Fluss bei Nacht"_s}) {
        Start(GameModeWrite);
        QTest::keyClick(&view, Qt::Key_Tab);
        QTest::keyClick(&view, Qt::Key_Escape);
        QTest::keyClicks(&view, typed);
        EXPECT_EQ(doc.TypedAnswer(), FromQString(typed));
        const QImage image = Render(view);
        const QRect box = view.AnswerTextRect();
        int caret = -1;
        int textEnd = -1;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                const QColor colour = image.pixelColor(x, y);
                if (colour == QColor(0, 0, 0)) {
                    caret = std::max(caret, x);
                } else if (colour.red() < 120 && colour.green() < 120) {
                    textEnd = std::max(textEnd, x);
                }
            }
        }
        ASSERT_GE(caret, 0) << typed.toStdString();
        EXPECT_NEAR(caret, textEnd, 4) << typed.toStdString();
        SaveShot(view, u"caret-"_s + QString::number(typed.size()));
    }
    // Language one of a Spanish data set shows the Spanish flag: the middle band of the answer
    // flag is yellow in Spain, blue and white in Britain.
    const auto yellow = [this] {
        const QColor colour = Render(view).pixelColor(80, 85);
        return colour.red() > 200 && colour.green() > 150 && colour.blue() < 100;
    };
    EXPECT_FALSE(yellow());
    DocProbe::DataSetName(doc) = "spanbasic.voc";
    EXPECT_TRUE(yellow());
    SaveShot(view, "game-spanish");
}

TEST_F(GameScreenTest, ChoicesByDigitAndByClickButNotDuringThePause) {
    Start(GameModeChoiceOtherLessons);
    SaveShot(view, "game-choice-other-lessons");
    const auto wrong = static_cast<char>(doc.Round().correctChoice == 0 ? '2' : '1');
    QTest::keyClick(&view, wrong);
    EXPECT_EQ(doc.LastVerdict(), 0);
    ASSERT_TRUE(doc.IsVerdictShowing());
    SaveShot(view, "verdict-choice-wrong");

    // A click or a digit during the pause only ends it: the choices of the next question are
    // not on screen yet, so nothing is judged.
    const auto pickDuringPause = [&](const auto& pick) {
        DocProbe::VerdictShowing(doc) = true;
        pick();
        EXPECT_FALSE(doc.IsVerdictShowing());
        EXPECT_EQ(doc.RightCount() + doc.WrongCount(), 1u);
    };
    pickDuringPause([&] { QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(200, 70 + 15)); });
    pickDuringPause([&] { QTest::keyClick(&view, '1'); });

    // Outside the pause, by click and by digit.
    QTest::mouseClick(&view, Qt::LeftButton, {},
                      QPoint(200, 70 + 15 + 30 * static_cast<int>(doc.Round().correctChoice)));
    EXPECT_EQ(doc.LastVerdict(), 1);
    view.OnTimer(CLingomatView::FeedbackTimer);
    QTest::keyClick(&view, static_cast<char>('1' + doc.Round().correctChoice));
    EXPECT_EQ(doc.LastVerdict(), 1);
    EXPECT_EQ(doc.RightCount() + doc.WrongCount(), 3u);
}

TEST_F(GameScreenTest, CopyAndViewGamesFollowTheirTimers) {
    WithCopySettings(doc, [&](CopyModeSettings& s) {
        s.copyMode = 3;
        s.percentShown = 50;
    });
    Start(GameModeCopy);
    EXPECT_TRUE(view.TimerRunning(CLingomatView::CopyTimer));
    EXPECT_EQ(doc.CopyTemplate(), "");
    view.OnTimer(CLingomatView::CopyTimer);
    EXPECT_NE(doc.CopyTemplate(), "");
    SaveShot(view, "game-copy");

    // Five choices of altered letters stay inside their frame.
    Start(GameModeChoiceAlteredLetters);
    doc.SetChoiceCount(5);
    ASSERT_TRUE(doc.PrepareChoiceRound());
    SaveShot(view, "game-choice-five");
    WithViewSettings(doc, [&](ViewModeSettings& s) { s.fullScreen = true; });
    Start(GameModeView);
    view.OnTimer(CLingomatView::ViewModeTimer);
    view.OnTimer(CLingomatView::ViewModeTimer);
    SaveShot(view, "game-view-full-screen");
    WithViewSettings(doc, [&](ViewModeSettings& s) { s.fullScreen = false; });
    Start(GameModeView);
    ASSERT_TRUE(view.TimerRunning(CLingomatView::ViewModeTimer));
    for (int guard = 0; !doc.IsGameOver() && guard < 100000; ++guard) {
        if (guard == 3) {
            SaveShot(view, "game-view");
        }
        view.OnTimer(CLingomatView::ViewModeTimer);
    }
    // A view game that runs out of questions ends on the report.
    EXPECT_TRUE(doc.IsGameOver());
    SaveShot(view, "end-view-watched");
    EXPECT_FALSE(view.TimerRunning(CLingomatView::ViewModeTimer));
}

TEST_F(GameScreenTest, StartScreenDrawsItsWordsOnTheColourOfTheLastVerdict) {
    const QImage start = Render(view);
    EXPECT_EQ(start.pixelColor(1, 1), QColor(190, 255, 190));
    // "Lingomat" fills a good part of the screen; the black texts stand on top of it.
    for (const auto& [colour, least] :
         {std::pair{QColor(190, 190, 255), 2000}, std::pair{QColor(255, 160, 255), 500},
          std::pair{QColor(255, 255, 160), 200}, std::pair{QColor(0, 0, 0), 500}}) {
        EXPECT_GT(CountPixels(start, colour), least) << colour.name().toStdString();
    }
    WithFeedback(doc, [&](FeedbackSettings& f) {
        f.colorRight = 0x112233; // red 0x33, green 0x22, blue 0x11
        f.colorWrong = 12500735;
    });
    for (const auto& [verdict, expected] :
         {std::pair{-1, QColor(0x33, 0x22, 0x11)}, std::pair{1, QColor(0x33, 0x22, 0x11)},
          std::pair{0, QColor(255, 190, 190)}}) {
        DocProbe::LastVerdict(doc) = verdict;
        const QImage image = Render(view);
        for (const QPoint corner : {QPoint(1, 1), QPoint(1, 438), QPoint(698, 438)}) {
            EXPECT_EQ(image.pixelColor(corner), expected) << verdict << " at " << corner.x();
        }
        // Most of the screen is background; the rest is the three big words and the texts.
        EXPECT_GT(CountPixels(image, expected), image.width() * image.height() / 4);
    }
}

// Skipping and a new game ask first during a game and act only on "Ja": a skipped question
// leaves the game, its answer shown where a tip stood before; a new game leaves the running one
// for the game type dialog.
TEST_F(GameScreenTest, SkipAndNewGameAskFirstAndActOnlyOnYes) {
    for (const auto& [answer, keepsGame] :
         {std::pair{MessageAnswer::No, true}, std::pair{MessageAnswer::Yes, false}}) {
        Start(GameModeWrite);
        const std::size_t left = doc.pool.Size();
        game.host.answers = {answer};
        view.OnSkipQuestion();
        EXPECT_EQ(game.host.LastMessage(),
                  "Sind Sie sicher, diese Frage \374berspringen zu wollen?");
        EXPECT_EQ(doc.CheatCount(), keepsGame ? 0u : 1u);
        EXPECT_EQ(doc.LastVerdict(), -1);
        EXPECT_EQ(doc.pool.Size(), keepsGame ? left : left - 1);
        const QImage hint = Render(view).copy(10, 300, 140, 25);
        EXPECT_EQ(CountPixels(hint, QColor(255, 0, 0)) > 0, keepsGame);
        SaveShot(view, keepsGame ? "not-skipped" : "skipped");

        QTest::keyClicks(&view, QStringLiteral("x"));
        QTest::keyClick(&view, Qt::Key_Return);
        ASSERT_TRUE(doc.IsModified());
        game.host.answers = {answer};
        // Whatever dialog comes up is cancelled, as a player who changed his mind would.
        Answers answers;
        NewGame(doc, view);
        EXPECT_EQ(game.host.LastMessage(), "Sind Sie sicher, das Spiel verlassen zu wollen?");
        EXPECT_EQ(answers.dialogs, keepsGame ? QStringList() : QStringList{u"gameTypeDialog"_s});
        EXPECT_EQ(doc.gameStarted, keepsGame);
        EXPECT_EQ(doc.WrongCount(), keepsGame ? 1u : 0u);
        EXPECT_EQ(view.TimerRunning(CLingomatView::ClockTimer), keepsGame);
    }
    // On the start screen a click opens the dialog as well; cancelled, it leaves the start screen.
    view.newGameRequested = [this] { NewGame(doc, view); };
    Answers answers;
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_EQ(answers.dialogs, QStringList{u"gameTypeDialog"_s});
    EXPECT_FALSE(doc.gameStarted);
}

TEST_F(GameScreenTest, TheClockRepaintsItsOwnCornerOncePerSecond) {
    Start(GameModeWrite);
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
    EXPECT_EQ(doc.ClockText(), "00 : 01");
}

// A text too wide for its room narrows and lightens the font step by step, down to a legible
// width and a weight above zero.
TEST(FitFontTest, NarrowsAndLightensStepByStepAndStopsAtItsFloor) {
    const QString text = QStringLiteral("Die Eisenbahnbr\u00fccke \u00fcber den Flu\u00df");
    const FontSpec question{40, 11, 600};
    // the width the room is measured for (0: no room at all), and the font that fits
    for (const auto& [measured, width, weight] : {std::tuple{11, 11, 600}, std::tuple{10, 10, 500},
                                                  std::tuple{9, 9, 400}, std::tuple{0, 3, 1}}) {
        const int room =
            measured == 0
                ? 0
                : QFontMetrics(FontSpec{40, measured, 600}.Font()).horizontalAdvance(text);
        const FontSpec result = FitFont(question, text, room, 100);
        EXPECT_EQ(result.width, width) << measured;
        EXPECT_EQ(result.weight, weight) << measured;
        EXPECT_EQ(result.height, 40);
    }
}

} // namespace
} // namespace lingomat::testing
