#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/GameTypes.h"
#include "data/VocEntry.h"

namespace lingomat {

// What a question reads as under the options: two records whose keys are equal ask the same
// thing, so the answer of either is right for both. Takes the decoded question text.
std::string QuestionKey(const std::string& question, const CorrectionOptions& options);

// A several-answer text stays on the answer side: it is never asked as a question.
bool IsAskable(const std::string& storedQuestion);

// The records of a data set by the key of their question text, for one question language and
// one set of options. Built once, so judging an answer costs one look-up, not a scan.
class SameQuestionIndex {
public:
    void Build(const std::deque<VocEntry>& records, Language questionLanguage,
               const CorrectionOptions& options);
    bool BuiltFor(const std::deque<VocEntry>& records, Language questionLanguage,
                  const CorrectionOptions& options) const;
    void Clear();

    // The askable records whose question reads as this decoded one; empty when there are none.
    const std::vector<const VocEntry*>& Find(const std::string& question) const;

private:
    std::unordered_map<std::string, std::vector<const VocEntry*>> byKey;
    const std::deque<VocEntry>* builtFrom = nullptr;
    std::size_t builtSize = 0;
    Language builtLanguage = 0;
    CorrectionOptions builtOptions;
};

// The normalised forms that a stored answer accepts, sorted and without repeats: two answers
// with equal sets are one answer to the player.
std::vector<std::string> AnswerFormSet(const std::string& storedAnswer,
                                       const CorrectionOptions& options);

// Groups of askable records (indices in file order) that read as the same question in this
// direction but accept different answers, ordered by their first record.
std::vector<std::vector<std::size_t>> AmbiguousQuestions(const std::deque<VocEntry>& records,
                                                         Language questionLanguage,
                                                         Language answerLanguage,
                                                         const CorrectionOptions& options);

} // namespace lingomat
