#include "game/SameQuestion.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "matching/AccentEscapes.h"
#include "matching/AnswerMatching.h"

namespace lingomat {

std::string QuestionKey(const std::string& question, const CorrectionOptions& options) {
    // Read as a typed answer is: the player cannot tell apart what the options make equal.
    std::string key = SquashBlanks(PlainCapitals(question));
    if (options.ignoreArticles) {
        key = StripArticle(std::move(key));
    }
    return NormaliseAnswer(std::move(key), options);
}

bool IsAskable(const std::string& storedQuestion) {
    return storedQuestion.empty() || storedQuestion.front() != '/';
}

void SameQuestionIndex::Build(const std::deque<VocEntry>& records, Language questionLanguage,
                              const CorrectionOptions& options) {
    byKey.clear();
    for (const VocEntry& record : records) {
        const std::string question = record.Text(questionLanguage);
        if (IsAskable(question)) {
            byKey[QuestionKey(DecodeAccents(question), options)].push_back(&record);
        }
    }
    builtFrom = &records;
    builtSize = records.size();
    builtLanguage = questionLanguage;
    builtOptions = options;
}

bool SameQuestionIndex::BuiltFor(const std::deque<VocEntry>& records, Language questionLanguage,
                                 const CorrectionOptions& options) const {
    // Only the options that change how a text reads; the repetition switches do not.
    if (builtFrom != &records || builtSize != records.size() || builtLanguage != questionLanguage) {
        return false;
    }
    return std::all_of(std::begin(CorrectionOptionTable), std::end(CorrectionOptionTable),
                       [&](const CorrectionOptionTraits& option) {
                           return !option.changesReading ||
                                  builtOptions.*option.field == options.*option.field;
                       });
}

void SameQuestionIndex::Clear() {
    byKey.clear();
    builtFrom = nullptr;
    builtSize = 0;
}

const std::vector<const VocEntry*>& SameQuestionIndex::Find(const std::string& question) const {
    static const std::vector<const VocEntry*> none;
    const auto found = byKey.find(QuestionKey(question, builtOptions));
    return found == byKey.end() ? none : found->second;
}

std::vector<std::string> AnswerFormSet(const std::string& storedAnswer,
                                       const CorrectionOptions& options) {
    FormList forms = AcceptedForms(DecodeAccents(storedAnswer), options);
    std::sort(forms.begin(), forms.end());
    forms.erase(std::unique(forms.begin(), forms.end()), forms.end());
    return forms;
}

std::vector<std::vector<std::size_t>> AmbiguousQuestions(const std::deque<VocEntry>& records,
                                                         Language questionLanguage,
                                                         Language answerLanguage,
                                                         const CorrectionOptions& options) {
    std::map<std::string, std::vector<std::size_t>> byKey;
    std::vector<std::string> order;
    for (std::size_t r = 0; r < records.size(); ++r) {
        const std::string question = records[r].Text(questionLanguage);
        if (!IsAskable(question)) {
            continue;
        }
        auto& group = byKey[QuestionKey(DecodeAccents(question), options)];
        if (group.empty()) {
            order.push_back(QuestionKey(DecodeAccents(question), options));
        }
        group.push_back(r);
    }
    std::vector<std::vector<std::size_t>> ambiguous;
    for (const std::string& key : order) {
        const auto& group = byKey[key];
        if (group.size() < 2) {
            continue;
        }
        const auto first = AnswerFormSet(records[group[0]].Text(answerLanguage), options);
        const bool differ = std::any_of(group.begin() + 1, group.end(), [&](std::size_t r) {
            return AnswerFormSet(records[r].Text(answerLanguage), options) != first;
        });
        if (differ) {
            ambiguous.push_back(group);
        }
    }
    return ambiguous;
}

} // namespace lingomat
