#include "screen/GameTrace.h"

#include <QDebug>

#include "game/LingomatDoc.h"
#include "matching/AccentEscapes.h"
#include "matching/AnswerForms.h"
#include "support/Cp1252.h"

namespace lingomat {

Q_LOGGING_CATEGORY(lcGame, "lingomat.game", QtInfoMsg)

void GameTrace::Started(const CLingomatDoc& doc) {
    right = doc.RightCount();
    wrong = doc.WrongCount();
    over = false;
    if (!lcGame().isDebugEnabled()) {
        return;
    }
    qCDebug(lcGame).noquote().nospace()
        << "Spielbeginn: Spielart " << static_cast<int>(doc.Mode()) << ", Frage "
        << static_cast<int>(doc.questionLanguage) << ", Antwort "
        << static_cast<int>(doc.answerLanguage) << ", " << doc.pool.Size() << " Fragen";
    Progress(doc);
}

void GameTrace::Progress(const CLingomatDoc& doc) {
    if (!lcGame().isDebugEnabled()) {
        return;
    }
    const bool gotRight = doc.RightCount() != right;
    const bool gotWrong = doc.WrongCount() != wrong;
    right = doc.RightCount();
    wrong = doc.WrongCount();
    if (gotRight) {
        qCDebug(lcGame).noquote() << "Antwort richtig";
    }
    if (gotWrong) {
        qCDebug(lcGame).noquote() << "Antwort falsch";
    }
    if (doc.IsGameOver()) {
        if (!over) {
            qCDebug(lcGame).noquote().nospace()
                << "Spielende: " << right << " richtig, " << wrong << " falsch";
        }
        over = true;
        return;
    }
    // During the verdict pause the next question is not up yet.
    if (doc.gameStarted && !doc.IsVerdictShowing()) {
        Question(doc);
    }
}

void GameTrace::Question(const CLingomatDoc& doc) const {
    if (const auto* question = doc.pool.Current()) {
        qCDebug(lcGame).noquote() << "Frage:"
                                  << ToQString(
                                         DisplayForm(DecodeAccents(question->questionText), 0));
    }
}

} // namespace lingomat
