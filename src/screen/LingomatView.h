#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

class QPainter;

namespace lingomat {

class CLingomatDoc;

// The game screen. It keeps no game state: every repaint reads the document and draws one of
// the screens, each in its own Draw operation.
class CLingomatView : public QWidget {
public:
    explicit CLingomatView(CLingomatDoc& document, QWidget* parent = nullptr);

    CLingomatDoc& Document() const { return document; }

    // The whole repaint: background, then the screen the document's state calls for.
    void OnEraseBkgnd(QPainter& painter);
    void OnDraw(QPainter& painter);

    void DrawStartScreen(QPainter& painter);
    void DrawGameOverScreen(QPainter& painter);
    void DrawGameScreen(QPainter& painter);
    void DrawScoreBar(QPainter& painter);

    // The colour the background takes now: the wrong colour after a wrong answer, else the
    // right one.
    QColor BackgroundColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CLingomatDoc& document;
};

// One line of text laid out as if unrotated, centred horizontally in area and at its top or
// centred vertically, then turned about its starting point by escapement tenths of a degree
// (positive turns upwards).
void DrawSingleLine(QPainter& painter, const QRect& area, const QString& text, const QFont& font,
                    const QColor& colour, int escapement, bool centreVertically);

} // namespace lingomat
