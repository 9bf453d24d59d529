#include "game/LingomatDoc.h"

#include <algorithm>

#include "matching/AccentEscapes.h"
#include "matching/AnswerForms.h"
#include "matching/AnswerMatching.h"

namespace lingomat {

namespace {

const char* const RightText = "Richtig!";
const char* const WrongPrefix = "Falsch! \" ";
const char* const WrongSuffix = " \" ist falsch!";
const char* const SkipPrefix = "Sie haben eine Frage \xFC"
                               "bersprungen.\n\" ";
const char* const SkipMiddle = " \" w\xE4re die richtige Antwort f\xFCr:\n\" ";
const char* const SkipSuffix = " \" gewesen.";

// A round that keeps coming out with two equivalent choices is used as it stands rather than
// drawn again forever; a data set too small for distinct choices must not hang the game.
constexpr int MaxChoiceRoundAttempts = 100;

} // namespace

void CLingomatDoc::NextQuestion() {
    answerVariant = 0;
    if (pool.Empty()) {
        glimpseActive = false;
        return;
    }
    // Built here once for the game's language and options, so that judging needs no scan.
    SameQuestions();
    const auto size = static_cast<std::uint32_t>(pool.Size());
    const std::uint32_t steps = random.Draw(size / 2 + 1) + 1;
    pool.Advance(steps);
    cardGlimpsed = false;
    if (TraitsOf(gameMode).choice) {
        for (int attempt = 0; attempt < MaxChoiceRoundAttempts && !PrepareChoiceRound();
             ++attempt) {
        }
    }
    glimpseActive = false;
}

bool CLingomatDoc::JudgeRight() {
    RecordCardVerdict(true);
    lastVerdict = 1;
    previousEntry = pool.Current()->entry;
    verdictText = RightText;
    if (!(feedback.correcting && feedback.rightTime != 0)) {
        pool.RemoveCurrent();
        if (pool.Empty()) {
            ++rightCount;
            EndOfGame();
            return false;
        }
        NextQuestion();
    }
    ++rightCount;
    return true;
}

void CLingomatDoc::JudgeWrong(const std::string& shownAnswer) {
    RecordCardVerdict(false);
    Question& current = *pool.Current();
    VocEntry* const entry = current.entry;
    previousEntry = entry;
    verdictText = WrongPrefix + shownAnswer + WrongSuffix;
    if (!correctionOptions.oneRightSuffices) {
        pool.Append(Question(current));
    }
    if (entry != nullptr) {
        ++entry->errorCount;
    }
}

void CLingomatDoc::AfterWrong() {
    if (!(feedback.correcting && feedback.wrongTime != 0) && !correctionOptions.repeatAtOnce) {
        pool.MoveToFirst();
        NextQuestion();
    }
    lastVerdict = 0;
    ++wrongCount;
}

void CLingomatDoc::FinishVerdict() {
    if (feedback.correcting && FeedbackDelay() > 0) {
        verdictShowing = true;
    } else {
        typedAnswer.clear();
        cursorPos = 0;
    }
}

// During a verdict pause the judged question may still stand in the pool, waiting to be taken
// out; judging it again would count one answer twice.
bool CLingomatDoc::AcceptsAnswer() const {
    return gameStarted && !gameOver && !verdictShowing && !pool.Empty();
}

bool CLingomatDoc::CheckTypedAnswer() {
    if (!AcceptsAnswer()) {
        return true;
    }
    const std::string given = SquashBlanks(typedAnswer);
    if (IsRightAnswer(given)) {
        if (!JudgeRight()) {
            return false;
        }
    } else {
        JudgeWrong(DecodeAccents(given));
        AfterWrong();
    }
    FinishVerdict();
    return true;
}

const SameQuestionIndex& CLingomatDoc::SameQuestions() {
    if (!sameQuestions.BuiltFor(vocabulary, questionLanguage, correctionOptions)) {
        sameQuestions.Build(vocabulary, questionLanguage, correctionOptions);
    }
    return sameQuestions;
}

std::vector<std::string> CLingomatDoc::OtherRightAnswers(const Question& question) {
    std::vector<std::string> answers;
    for (const VocEntry* record : SameQuestions().Find(question.questionText)) {
        std::string answer = DecodeAccents(record->Text(answerLanguage));
        if (record != question.entry && answer != question.answerText &&
            std::find(answers.begin(), answers.end(), answer) == answers.end()) {
            answers.push_back(std::move(answer));
        }
    }
    return answers;
}

bool CLingomatDoc::IsRightAnswer(const std::string& given) {
    const Question& question = *pool.Current();
    if (AnswerMatches(given, DecodeAccents(question.answerText), correctionOptions)) {
        return true;
    }
    const auto others = OtherRightAnswers(question);
    return std::any_of(others.begin(), others.end(), [&](const std::string& answer) {
        return AnswerMatches(given, answer, correctionOptions);
    });
}

bool CLingomatDoc::CheckChoice(std::uint32_t index) {
    // A round short of usable wrong answers leaves slots empty; a pick of one is no answer.
    if (index >= multiNumber || index >= choiceRound.texts.size() ||
        choiceRound.texts[index].empty() || !AcceptsAnswer()) {
        return true;
    }
    if (index == choiceRound.correctChoice) {
        if (!JudgeRight()) {
            return false;
        }
    } else {
        const std::string picked = choiceRound.texts[index];
        JudgeWrong(QuotedForms(SquashBlanks(picked)));
        // The copy appended for the repetition may have moved the questions.
        pool.Current()->wrongChoice = picked;
        AfterWrong();
    }
    FinishVerdict();
    return true;
}

std::uint32_t CLingomatDoc::FeedbackDelay() const {
    switch (lastVerdict) {
    case 0:
        return feedback.wrongTime;
    case 1:
        return feedback.rightTime;
    default:
        return 0;
    }
}

bool CLingomatDoc::ContinueAfterFeedback() {
    // Only a running pause can end: a second call for the same pause would otherwise take out a
    // question that was never answered.
    if (!verdictShowing || gameOver || pool.Empty()) {
        verdictShowing = false;
        return !gameOver;
    }
    if (lastVerdict == 1) {
        pool.RemoveCurrent();
        if (pool.Empty()) {
            verdictShowing = false;
            EndOfGame();
            return false;
        }
        NextQuestion();
        verdictShowing = false;
        typedAnswer.clear();
        cursorPos = 0;
        return true;
    }
    if (lastVerdict == 0 && !correctionOptions.repeatAtOnce) {
        pool.MoveToFirst();
    }
    verdictShowing = false;
    typedAnswer.clear();
    cursorPos = 0;
    if (!correctionOptions.repeatAtOnce) {
        NextQuestion();
    }
    return true;
}

bool CLingomatDoc::SkipQuestion() {
    // During a verdict pause the question on screen is the one just judged: the skip acts on
    // it, not on the next one, which the player has not seen yet. Its verdict stays counted.
    if (verdictShowing && !gameOver) {
        verdictShowing = false;
    }
    if (!AcceptsAnswer()) {
        return false;
    }
    ++cheatCount;
    lastVerdict = -1;
    RecordCardVerdict(false);
    const Question& current = *pool.Current();
    // The words of the skipped record are shown below its answer, as after a wrong answer.
    previousEntry = current.entry;
    verdictText = SkipPrefix + DisplayForm(current.answerText, 0) + SkipMiddle +
                  current.questionText + SkipSuffix;
    typedAnswer.clear();
    cursorPos = 0;
    pool.RemoveCurrent();
    if (pool.Empty()) {
        EndOfGame();
        return false;
    }
    NextQuestion();
    return true;
}

bool CLingomatDoc::EndGameNow() {
    // Ending twice would record the same game twice in the player's statistics.
    if (gameStarted && !gameOver) {
        EndOfGame();
    }
    return true;
}

void CLingomatDoc::EndOfGame() {
    playedTitle = title;
    SetTitle("Statistik");
    gameOver = true;
    typedAnswer.clear();
    cursorPos = 0;
    SetModifiedFlag(false);

    const auto left = static_cast<float>(pool.Size());
    const auto answered = static_cast<float>(rightCount) + static_cast<float>(wrongCount);
    // A game ended before any answer has no share of right answers: it counts as 0, not as
    // not-a-number, which would poison every comparison of the statistics. Nothing left to
    // answer means the game was done.
    const float score = answered > 0.0f ? static_cast<float>(rightCount) / answered : 0.0f;
    const float completion = answered + left > 0.0f ? 1.0f - left / (answered + left) : 1.0f;
    for (const LessonEntry& lesson : lessonTable.lessons) {
        if (lesson.selected) {
            playerStatistics.Record(lesson.code, score, completion, gameMode, questionLanguage,
                                    answerLanguage);
        }
    }
    // Written at every game's end, so a crash later in the run loses no learnt word.
    SaveCardBox();
}

std::string CLingomatDoc::RemainingText() const {
    switch (pool.Size()) {
    case 0:
        return "Es sind keine Fragen mehr zu beantworten.";
    case 1:
        return "Es ist noch eine Frage zu beantworten.";
    default:
        return "Es sind noch " + std::to_string(pool.Size()) + " Fragen zu beantworten.";
    }
}

} // namespace lingomat
