#pragma once

#include <functional>
#include <map>
#include <string>

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

#include "screen/GameTrace.h"
#include "screen/ScreenFont.h"

class QPainter;

namespace lingomat {

class CLingomatDoc;
class DocumentHost;

// The game screen. It keeps no game state: every repaint reads the document and draws one of
// the screens, each in its own Draw operation; input and timers are handed to the document.
class CLingomatView : public QWidget {
public:
    // The window timers, numbered as the game has always numbered them.
    static constexpr int FeedbackTimer = 103;
    static constexpr int ClockTimer = 104;
    static constexpr int ViewModeTimer = 109;
    static constexpr int CopyTimer = 110;
    static constexpr int GlimpseTimer = 32771;

    // The screens are laid out for a view of this size and scaled uniformly to the view's size;
    // the side with room to spare gets a longer layout. The view shrinks to four fifths at most.
    static constexpr int DesignWidth = 700;
    static constexpr int DesignHeight = 400;

    explicit CLingomatView(CLingomatDoc& document, QWidget* parent = nullptr);

    // Device pixels per layout unit.
    double Scale() const;

    CLingomatDoc& Document() const { return document; }

    // The window system the document talks to; the view's questions and the player choice go
    // through it too. Without one, questions get a plain message box and the player stays.
    void SetHost(DocumentHost* value) { host = value; }

    // What a click on the start screen does: the frame hands it the new-game command.
    std::function<void()> newGameRequested;

    // The whole repaint: background, then the screen the document's state calls for.
    void OnEraseBkgnd(QPainter& painter);
    void OnDraw(QPainter& painter);

    void DrawStartScreen(QPainter& painter);
    void DrawGameOverScreen(QPainter& painter);
    void DrawGameScreen(QPainter& painter);
    void DrawViewModeScreen(QPainter& painter);
    void DrawScoreBar(QPainter& painter);
    void DrawClock(QPainter& painter);
    void DrawAnswerArea(QPainter& painter);
    // Draws the picture of the last verdict and returns the text colour to use for it.
    QColor DrawVerdictPicture(QPainter& painter, const QColor& textColour);

    // The colour the background takes now: the wrong colour after a wrong answer, else the
    // right one.
    QColor BackgroundColour() const;

    // Input: a Windows-1252 character, an editing key (Qt key code), a click.
    void OnChar(unsigned char character);
    void OnKeyDown(int key);
    void OnLButtonDown(const QPoint& point);

    // The tick of one of the timers above; also called by tests instead of waiting.
    void OnTimer(int id);
    bool TimerRunning(int id) const { return timers.count(id) != 0; }

    // Commands.
    void OnSkipQuestion();
    void OnGlimpse();
    void OnRotateAnswers();
    void OnRemoveDuplicates();
    void OnEndGame();
    void OnChangePlayer();
    // Clock, copy delay and the view game's steps at the start of a game; all of them stopped.
    void StartGameTimers();
    void StopGameTimers();

    // Yes/no question to the player.
    bool Confirm(const std::string& text, const std::string& caption, bool stopIcon);

    // The rectangle of the typed answer, which typing repaints alone; the answer box around it;
    // the clock. In the view's own pixels.
    QRect AnswerTextRect() const;
    QRect AnswerBoxRect() const;
    QRect ClockRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // The view's size in layout units, and a box of the layout in the view's pixels.
    int LayoutWidth() const;
    int LayoutHeight() const;
    QRect ToDevice(const QRect& box) const;
    QRect AnswerTextBox() const;
    QRect ClockBox() const;
    // The font of the answer line: fitted to its room, and in the Copy game no wider than the
    // template's.
    FontSpec AnswerFontSpec(const QString& shown) const;

    void SetTimer(int id, int milliseconds);
    void KillTimer(int id);
    // Ends a running verdict pause before new input counts for the next question.
    void EndFeedbackPause();
    // After an answer was judged: the pause, the copy delay, and a full repaint.
    void AfterVerdict();

    CLingomatDoc& document;
    DocumentHost* host = nullptr;
    // Game timer number -> Qt's timer id.
    std::map<int, int> timers;
    GameTrace trace;
};

// One line of text laid out as if unrotated, centred horizontally in area and at its top or
// centred vertically, then turned about its starting point by escapement tenths of a degree
// (positive turns upwards).
void DrawSingleLine(QPainter& painter, const QRect& area, const QString& text, const QFont& font,
                    const QColor& colour, int escapement, bool centreVertically);

} // namespace lingomat
