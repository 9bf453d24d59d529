#include "screen/LingomatView.h"

#include "game/LingomatDoc.h"
#include "platform/DocumentHost.h"
#include "support/Cp1252.h"
#include "support/Prompts.h"

namespace lingomat {

bool CLingomatView::Confirm(const std::string& text, const std::string& caption, bool stopIcon) {
    const MessageIcon icon = stopIcon ? MessageIcon::Stop : MessageIcon::Question;
    if (host != nullptr) {
        return host->ShowMessage(text, caption, MessageButtons::YesNo, icon) == MessageAnswer::Yes;
    }
    return AskYesNo(this, ToQString(text), ToQString(caption),
                    stopIcon ? QMessageBox::Critical : QMessageBox::Question, true);
}

void CLingomatView::OnSkipQuestion() {
    if (document.gameStarted && !document.IsGameOver() &&
        Confirm("Sind Sie sicher, diese Frage \xFC"
                "berspringen zu wollen?",
                "Frage \xFC"
                "berspringen?",
                true)) {
        document.SkipQuestion();
        KillTimer(FeedbackTimer);
        if (document.IsGameOver()) {
            StopGameTimers();
        }
        trace.Progress(document);
    }
    update();
}

void CLingomatView::OnGlimpse() {
    if (!document.gameStarted || document.IsGameOver()) {
        return;
    }
    document.Glimpse();
    if (document.IsGlimpsing()) {
        SetTimer(GlimpseTimer, static_cast<int>(document.Feedback().glimpseTime));
    }
    update();
}

void CLingomatView::OnRotateAnswers() {
    document.RotateAnswerForm();
    update();
}

void CLingomatView::OnRemoveDuplicates() {
    document.RemoveDuplicateQuestions();
    update();
}

void CLingomatView::OnEndGame() {
    if (document.gameStarted && !document.IsGameOver()) {
        document.EndGameNow();
        StopGameTimers();
        trace.Progress(document);
    }
    update();
}

void CLingomatView::OnChangePlayer() {
    document.ChangePlayer();
    update();
}

} // namespace lingomat
