#include "data/QuestionPool.h"

#include <algorithm>

namespace lingomat {

void QuestionPool::Clear() {
    questions.clear();
    currentQuestion = 0;
}

void QuestionPool::Advance(std::size_t steps) {
    if (Empty()) {
        return;
    }
    currentQuestion = (currentQuestion + steps % questions.size()) % questions.size();
}

void QuestionPool::RemoveCurrent() {
    if (Empty()) {
        return;
    }
    questions.erase(questions.begin() + static_cast<std::ptrdiff_t>(currentQuestion));
    if (currentQuestion >= questions.size()) {
        currentQuestion = 0;
    }
}

void ChoiceRound::Reset(std::size_t multiNumber) {
    texts.assign(std::clamp(multiNumber, MinChoices, MaxChoices), std::string());
    correctChoice = 0;
}

} // namespace lingomat
