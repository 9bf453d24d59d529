#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/LingomatDoc.h"

namespace lingomat {

// Reaches states of the document that playing would reach only slowly: counts, clock, verdicts,
// the round on screen. Only the tests use it; the window goes through the document's operations.
struct DocProbe {
    static std::uint32_t& RightCount(CLingomatDoc& doc) { return doc.rightCount; }
    static std::uint32_t& WrongCount(CLingomatDoc& doc) { return doc.wrongCount; }
    static std::uint32_t& CheatCount(CLingomatDoc& doc) { return doc.cheatCount; }
    static GameClock& Timer(CLingomatDoc& doc) { return doc.gameClock; }
    static std::uint32_t& AnswerVariant(CLingomatDoc& doc) { return doc.answerVariant; }
    static std::int32_t& LastVerdict(CLingomatDoc& doc) { return doc.lastVerdict; }
    static bool& VerdictShowing(CLingomatDoc& doc) { return doc.verdictShowing; }
    static std::vector<std::string>& Tips(CLingomatDoc& doc) { return doc.tipList; }
    static std::uint32_t& DistractorSearchLimit(CLingomatDoc& doc) {
        return doc.distractorSearchLimit;
    }
    static std::string& DataSetName(CLingomatDoc& doc) { return doc.dataSetName; }
    static Random& Dice(CLingomatDoc& doc) { return doc.random; }
};

// A group of settings changed member by member, and handed back through the document's own
// operation as the dialogs do.
template <typename Change> void WithFeedback(CLingomatDoc& doc, Change change) {
    FeedbackSettings settings = doc.Feedback();
    change(settings);
    doc.SetFeedbackSettings(settings);
}
template <typename Change> void WithCorrections(CLingomatDoc& doc, Change change) {
    CorrectionOptions options = doc.Corrections();
    change(options);
    doc.SetCorrectionOptions(options);
}
template <typename Change> void WithCopySettings(CLingomatDoc& doc, Change change) {
    CopyModeSettings settings = doc.CopySettings();
    change(settings);
    doc.SetCopyModeSettings(settings);
}
template <typename Change> void WithViewSettings(CLingomatDoc& doc, Change change) {
    ViewModeSettings settings = doc.ViewSettings();
    change(settings);
    doc.SetViewModeSettings(settings);
}

// Verdicts go on at once, without the pause that shows them.
inline void WithoutPause(CLingomatDoc& doc) {
    WithFeedback(doc, [](FeedbackSettings& feedback) { feedback.correcting = false; });
}

} // namespace lingomat
