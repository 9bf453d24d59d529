#include "screen/LingomatView.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include "game/LingomatDoc.h"
#include "support/Cp1252.h"
#include "screen/ScreenFont.h"
#include "support/Commands.h"

namespace lingomat {

void DrawSingleLine(QPainter& painter, const QRect& area, const QString& text, const QFont& font,
                    const QColor& colour, int escapement, bool centreVertically) {
    const QFontMetrics metrics(font);
    const int cellHeight = metrics.ascent() + metrics.descent();
    const int x = area.left() + (area.width() - metrics.horizontalAdvance(text)) / 2;
    const int y = centreVertically ? area.top() + (area.height() - cellHeight) / 2 : area.top();
    painter.save();
    painter.translate(x, y);
    painter.rotate(-escapement / 10.0);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(0, metrics.ascent(), text);
    painter.restore();
}

CLingomatView::CLingomatView(CLingomatDoc& doc, QWidget* parent) : QWidget(parent), document(doc) {
    setObjectName(QStringLiteral("lingomatView"));
    // Every pixel is painted by the erase step, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(DesignWidth * 4 / 5, DesignHeight * 4 / 5);
}

double CLingomatView::Scale() const {
    const double scale = std::min(width() / double(DesignWidth), height() / double(DesignHeight));
    return scale > 0 ? scale : 1.0;
}

int CLingomatView::LayoutWidth() const {
    return static_cast<int>(std::lround(width() / Scale()));
}

int CLingomatView::LayoutHeight() const {
    return static_cast<int>(std::lround(height() / Scale()));
}

QRect CLingomatView::ToDevice(const QRect& box) const {
    const double scale = Scale();
    return QRectF(box.x() * scale, box.y() * scale, box.width() * scale, box.height() * scale)
        .toAlignedRect();
}

QColor CLingomatView::BackgroundColour() const {
    return FromColorRef(document.LastVerdict() == 0 ? document.Feedback().colorWrong
                                                    : document.Feedback().colorRight);
}

void CLingomatView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    OnEraseBkgnd(painter);
    // Text is drawn at the scaled size, so it stays sharp.
    painter.scale(Scale(), Scale());
    OnDraw(painter);
}

void CLingomatView::OnEraseBkgnd(QPainter& painter) {
    painter.fillRect(rect(), BackgroundColour());
}

void CLingomatView::OnDraw(QPainter& painter) {
    if (document.IsGameOver()) {
        DrawGameOverScreen(painter);
    } else if (!document.gameStarted) {
        DrawStartScreen(painter);
    } else if (document.ModeTraits().revealsItself && document.ViewSettings().fullScreen) {
        DrawViewModeScreen(painter);
    } else {
        DrawGameScreen(painter);
    }
}

void CLingomatView::DrawStartScreen(QPainter& painter) {
    const int w = LayoutWidth();
    const int h = LayoutHeight();
    const QRect whole(0, 0, w, h);
    DrawSingleLine(painter, whole, QStringLiteral("Vokabeln"),
                   ScreenFont(static_cast<int>(0.2 * h), 50), QColor(255, 255, 160), -180, false);
    DrawSingleLine(painter, QRect(0, 80, w, h - 80), QStringLiteral("Sprachen"),
                   ScreenFont(static_cast<int>(0.4 * h), 50), QColor(255, 160, 255), 0, true);
    DrawSingleLine(painter, whole, QStringLiteral("Lingomat"),
                   ScreenFont(static_cast<int>(0.7 * h), 50), QColor(190, 190, 255), 120, true);

    painter.save();
    painter.setFont(ScreenFont(20, 10, 1000));
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 150, w, std::max(0, h - 150)), Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromUtf8("Lingomat\nVokabeltrainer für Deutsch, Englisch und "
                                       "Französisch.\n Und NEU: sPaNIscH!!!!"));
    painter.drawText(QRect(0, 300, w, std::max(0, h - 300)), Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromUtf8("Lingomat ist ein Produkt von Borkenwald\n"
                                       "Wörter, Bilder und Programm aus einer Hand\n") +
                         QString::fromLatin1(kMakerWebAddress));
    painter.restore();
}

void CLingomatView::DrawGameOverScreen(QPainter& painter) {
    const int w = LayoutWidth();
    const int h = LayoutHeight();
    painter.save();
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(ScreenFont(50, 40));
    painter.drawText(QRect(10, 10, std::max(0, w - 10), std::max(0, h - 10)),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Statistik"));
    painter.setFont(font());
    painter.drawText(QRect(10, 70, std::max(0, w - 10), std::max(0, h - 70)),
                     Qt::AlignLeft | Qt::AlignTop, ToQString(document.EndHeadline()));
    painter.drawText(QRect(10, 110, std::max(0, w - 10), std::max(0, h - 110)),
                     Qt::AlignLeft | Qt::AlignTop, ToQString(document.TimeReport()));
    const int left = 10 + (w - 10) / 2;
    painter.drawText(QRect(left, 110, std::max(0, w - 60 - left), std::max(0, h - 110)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     ToQString(document.GameDescription()));
    painter.restore();
    DrawScoreBar(painter);
}

void CLingomatView::DrawScoreBar(QPainter& painter) {
    const double total = static_cast<double>(document.RightCount()) + document.WrongCount();
    if (total <= 0) {
        return;
    }
    const int w = LayoutWidth();
    const int h = LayoutHeight();
    painter.save();
    painter.setPen(Qt::black);
    const int wrongBottom = static_cast<int>(h * document.WrongCount() / total);
    const int rightTop = static_cast<int>(h - h * document.RightCount() / total);
    painter.setBrush(QColor(255, 0, 0));
    painter.drawRect(QRect(QPoint(w - 50, 0), QPoint(w - 1, wrongBottom - 1)));
    painter.setBrush(QColor(0, 255, 0));
    painter.drawRect(QRect(QPoint(w - 50, rightTop), QPoint(w - 1, h - 1)));
    painter.setFont(ScreenFont(11, 6));
    const QRect labels(w - 50, 5, 50, std::max(0, h - 10));
    painter.drawText(labels, Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("%1%").arg(document.WrongCount() * 100.0 / total, 0, 'f', 1));
    painter.drawText(labels, Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("%1%").arg(document.RightCount() * 100.0 / total, 0, 'f', 1));
    painter.restore();
}

} // namespace lingomat
