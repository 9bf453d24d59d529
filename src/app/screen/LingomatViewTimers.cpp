#include "screen/LingomatView.h"

#include <algorithm>

#include <QTimerEvent>

#include "game/LingomatDoc.h"

namespace lingomat {

void CLingomatView::SetTimer(int id, int milliseconds) {
    KillTimer(id);
    timers[id] = startTimer(std::max(0, milliseconds));
}

void CLingomatView::KillTimer(int id) {
    if (const auto found = timers.find(id); found != timers.end()) {
        killTimer(found->second);
        timers.erase(found);
    }
}

void CLingomatView::StopGameTimers() {
    for (const int id : {FeedbackTimer, ClockTimer, ViewModeTimer, CopyTimer, GlimpseTimer}) {
        KillTimer(id);
    }
}

void CLingomatView::timerEvent(QTimerEvent* event) {
    for (const auto& [id, qtId] : timers) {
        if (qtId == event->timerId()) {
            OnTimer(id);
            return;
        }
    }
    QWidget::timerEvent(event);
}

QRect CLingomatView::ClockRect() const {
    return ToDevice(ClockBox());
}

QRect CLingomatView::AnswerBoxRect() const {
    return ToDevice(QRect(130, 70, std::max(0, LayoutWidth() - 230), 35));
}

void CLingomatView::OnTimer(int id) {
    switch (id) {
    case FeedbackTimer:
        if (document.IsVerdictShowing() && !document.IsGameOver()) {
            EndFeedbackPause();
            update();
        }
        break;
    case ClockTimer:
        // Ticks come ten times a second; the clock is drawn again only when its second changed.
        if (document.gameStarted && !document.IsGameOver() && document.TickClock()) {
            update(ClockRect());
        }
        break;
    case ViewModeTimer: {
        KillTimer(ViewModeTimer);
        if (!document.gameStarted || document.IsGameOver()) {
            break;
        }
        const std::uint32_t delay = document.ViewModeStep();
        if (delay != 0) {
            SetTimer(ViewModeTimer, static_cast<int>(delay));
        } else {
            StopGameTimers();
        }
        // While a word is being revealed only the answer changes, unless the view covers it all.
        if (document.ViewSettings().wordShown && !document.ViewSettings().fullScreen) {
            update(AnswerBoxRect());
        } else {
            update();
        }
        break;
    }
    case CopyTimer:
        KillTimer(CopyTimer);
        if (document.gameStarted && !document.IsGameOver()) {
            document.CopyDelay(true);
            update(AnswerBoxRect());
        }
        break;
    case GlimpseTimer:
        if (document.IsGlimpsing() && !document.IsGameOver()) {
            document.EndGlimpse();
            KillTimer(GlimpseTimer);
            update();
        }
        break;
    default:
        break;
    }
}

void CLingomatView::StartGameTimers() {
    document.StartClock();
    if (const std::uint32_t delay = document.CopyDelay(false); delay != 0) {
        SetTimer(CopyTimer, static_cast<int>(delay));
    }
    if (document.ModeTraits().revealsItself) {
        if (const std::uint32_t delay = document.ViewModeStep(); delay != 0) {
            SetTimer(ViewModeTimer, static_cast<int>(delay));
        }
    }
    SetTimer(ClockTimer, 100);
    trace.Started(document);
    update();
}

} // namespace lingomat
