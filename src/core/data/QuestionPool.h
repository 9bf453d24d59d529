#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "data/GameTypes.h"
#include "data/VocEntry.h"

namespace lingomat {

// One question of a running game. The record stays in the database's lists, which never move
// their records while a pool refers to them.
struct Question {
    // Texts as stored in the record; the pool builders decode them afterwards.
    static Question FromEntry(VocEntry& entry, Language questionLanguage, Language answerLanguage) {
        return Question{&entry, entry.Text(questionLanguage), entry.Text(answerLanguage), {}};
    }

    VocEntry* entry = nullptr;
    std::string questionText;
    std::string answerText;
    // The choice last picked wrongly for this question in a multiple-choice game.
    std::string wrongChoice;
};

// The questions still to be answered. The current position always names a question while the
// pool is not empty; every operation is safe on an empty pool.
class QuestionPool {
public:
    void Clear();
    void Append(const Question& question) { questions.push_back(question); }
    std::size_t Size() const { return questions.size(); }
    bool Empty() const { return questions.empty(); }

    // Null when the pool is empty.
    Question* Current() { return Empty() ? nullptr : &questions[currentQuestion]; }
    const Question* Current() const { return Empty() ? nullptr : &questions[currentQuestion]; }
    std::size_t CurrentIndex() const { return currentQuestion; }

    void MoveToFirst() { currentQuestion = 0; }
    // Moves forward steps times, from the last question on to the first.
    void Advance(std::size_t steps);
    // Takes out the current question; the position moves on to the question that followed
    // it, or to the first when it was the last.
    void RemoveCurrent();

    const std::vector<Question>& Questions() const { return questions; }

private:
    std::vector<Question> questions;
    std::size_t currentQuestion = 0;
};

// The choices of the current multiple-choice question.
class ChoiceRound {
public:
    static constexpr std::size_t MinChoices = 2;
    static constexpr std::size_t MaxChoices = 5;

    // Empties the choices and sizes the round; counts outside 2..5 are brought into range.
    void Reset(std::size_t multiNumber);
    std::size_t MultiNumber() const { return texts.size(); }

    // Index of the right choice, below MultiNumber().
    std::size_t correctChoice = 0;
    // In display form; "" while not filled.
    std::vector<std::string> texts = std::vector<std::string>(MinChoices);
};

} // namespace lingomat
