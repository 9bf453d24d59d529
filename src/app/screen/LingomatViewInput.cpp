#include "screen/LingomatView.h"

#include <algorithm>
#include <string>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

#include "game/LingomatDoc.h"
#include "support/Cp1252.h"
#include "screen/ScreenFont.h"

namespace lingomat {

namespace {

constexpr unsigned char Enter = 13;
constexpr unsigned char Backspace = 8;

} // namespace

bool CLingomatView::focusNextPrevChild(bool /*next*/) {
    // Tab is a character of the answer like any other, not a way out of the game screen.
    return false;
}

void CLingomatView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Delete:
        OnKeyDown(event->key());
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnChar(Enter);
        return;
    case Qt::Key_Backspace:
        OnChar(Backspace);
        return;
    default:
        break;
    }
    // Characters Windows-1252 cannot hold are dropped by the conversion, not mangled; control
    // characters (Tab, Escape) would stand in the answer unseen and make it wrong.
    std::string typed = FromQString(event->text());
    std::erase_if(typed, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
    if (typed.empty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    for (const char c : typed) {
        OnChar(static_cast<unsigned char>(c));
    }
}

void CLingomatView::OnChar(unsigned char character) {
    if (document.IsGameOver() || !document.gameStarted) {
        return;
    }
    if (document.IsVerdictShowing()) {
        if (character == Enter) {
            return;
        }
        // The key ends the pause. Typed letters go on into the next answer; a digit of a
        // choice game would pick among choices that are not on screen yet, so it does not.
        EndFeedbackPause();
        update();
        if (document.IsGameOver() || document.ModeTraits().choice) {
            return;
        }
    }
    if (document.ModeTraits().typesAnswer) {
        if (character == Enter) {
            document.CheckTypedAnswer();
            AfterVerdict();
            return;
        }
        if (character == Backspace) {
            document.EraseBeforeCursor();
        } else {
            document.TypeCharacter(static_cast<char>(character));
        }
        update(AnswerTextRect());
    } else if (document.ModeTraits().choice && character >= '1' && character <= '5') {
        document.CheckChoice(static_cast<std::uint32_t>(character - '1'));
        AfterVerdict();
    }
}

void CLingomatView::OnKeyDown(int key) {
    // In the View game the insertion point counts the revealed letters: the keys must not move it.
    if (!document.gameStarted || document.IsGameOver() || document.ModeTraits().revealsItself) {
        return;
    }
    const auto length = static_cast<std::uint32_t>(document.TypedAnswer().size());
    const std::uint32_t cursor = std::min(document.CursorPos(), length);
    switch (key) {
    case Qt::Key_End:
        document.SetCursor(length);
        break;
    case Qt::Key_Home:
        document.SetCursor(0);
        break;
    case Qt::Key_Left:
        document.SetCursor(cursor > 0 ? cursor - 1 : 0);
        break;
    case Qt::Key_Right:
        document.SetCursor(cursor + 1);
        break;
    case Qt::Key_Delete:
        document.EraseAfterCursor();
        break;
    default:
        return;
    }
    update(AnswerTextRect());
}

void CLingomatView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        OnLButtonDown(event->position().toPoint());
        return;
    }
    QWidget::mousePressEvent(event);
}

void CLingomatView::OnLButtonDown(const QPoint& pixel) {
    const QPoint point(static_cast<int>(pixel.x() / Scale()),
                       static_cast<int>(pixel.y() / Scale()));
    if (!document.gameStarted) {
        if (newGameRequested) {
            newGameRequested();
        }
        return;
    }
    if (document.IsGameOver()) {
        return;
    }
    // A click in the pause only ends it: what it would hit is not on screen yet.
    if (document.IsVerdictShowing()) {
        EndFeedbackPause();
        update();
        return;
    }
    const int w = LayoutWidth();
    if (document.ModeTraits().choice) {
        // Neighbouring lines overlap by four pixels; the upper line gets the overlap.
        for (std::uint32_t i = 0; i < document.ChoiceCount(); ++i) {
            const QRect hit(130, 70 + 30 * static_cast<int>(i), std::max(0, w - 230), 34);
            if (hit.contains(point)) {
                document.CheckChoice(i);
                AfterVerdict();
                return;
            }
        }
        return;
    }
    if (document.ModeTraits().revealsItself) {
        return;
    }
    const QRect box = AnswerTextBox();
    if (!box.contains(point)) {
        return;
    }
    // The insertion point goes to the character boundary nearest to the click.
    const QString typed = ToQString(document.TypedAnswer());
    const QFontMetrics metrics(AnswerFontSpec(typed).Font());
    const auto at = [&](int i) { return i <= 0 ? 0 : metrics.horizontalAdvance(typed.left(i)); };
    const int x = point.x() - box.left();
    auto cursor = static_cast<std::uint32_t>(typed.size());
    for (int i = 0; i <= typed.size(); ++i) {
        const int low = (at(i - 1) + at(i)) / 2;
        const int high = (at(i) + at(i + 1)) / 2;
        if (x >= low && x < high) {
            cursor = static_cast<std::uint32_t>(i);
            break;
        }
    }
    document.SetCursor(cursor);
    update(AnswerTextRect());
}

void CLingomatView::AfterVerdict() {
    trace.Progress(document);
    if (document.IsGameOver()) {
        StopGameTimers();
        update();
        return;
    }
    if (document.Feedback().correcting && document.IsVerdictShowing()) {
        SetTimer(FeedbackTimer, static_cast<int>(document.FeedbackDelay()));
    }
    if (const std::uint32_t delay = document.CopyDelay(false); delay != 0) {
        SetTimer(CopyTimer, static_cast<int>(delay));
    }
    update();
}

void CLingomatView::EndFeedbackPause() {
    document.ContinueAfterFeedback();
    KillTimer(FeedbackTimer);
    if (document.IsGameOver()) {
        StopGameTimers();
    }
    trace.Progress(document);
}

} // namespace lingomat
