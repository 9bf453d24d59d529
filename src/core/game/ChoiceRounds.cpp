#include "game/LingomatDoc.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

#include "matching/AccentEscapes.h"
#include "matching/AnswerForms.h"
#include "matching/AnswerMatching.h"
#include "matching/DistractorMaker.h"

namespace lingomat {

namespace {

// A round that keeps coming out with two equivalent choices is mended in place after this many
// remakes in a row, so that the caller's "make it again" always comes to an end.
constexpr std::uint32_t MaxRemakes = 8;
// Altered texts asked for one choice before the maker is taken to have nothing new to offer,
// as with an answer of capitals and digits that no rule changes.
constexpr int MaxAlterAttempts = 64;
// Searches for one choice whose winner proved taken once its accents were decoded.
constexpr int MaxSearchRestarts = 8;
// A candidate that agrees with the answer in more places than this is good enough.
constexpr std::size_t CloseEnough = 5;

std::uint32_t BlankCount(const std::string& text) {
    return static_cast<std::uint32_t>(
        std::min<std::ptrdiff_t>(std::count(text.begin(), text.end(), ' '), 2));
}

std::size_t AgreeingPositions(const std::string& candidate, const std::string& answer) {
    const std::size_t length = std::min(candidate.size(), answer.size());
    std::size_t score = 0;
    for (std::size_t j = 0; j < length; ++j) {
        score += candidate[j] == answer[j] ? 1 : 0;
    }
    return score;
}

FormList SortedForms(const std::string& text, const CorrectionOptions& options) {
    FormList forms = AcceptedForms(text, options);
    std::sort(forms.begin(), forms.end());
    return forms;
}

bool SharesForm(const FormList& forms, const FormList& sortedForms) {
    return std::any_of(forms.begin(), forms.end(), [&](const std::string& form) {
        return std::binary_search(sortedForms.begin(), sortedForms.end(), form);
    });
}

// The admission test for wrong answers, with the forms of every placed choice worked out once:
// a round asks it a few hundred times and its choices change only when one is placed. Comparing
// form lists is what TextsMatch does, so the outcome is the same.
class ChoiceAdmission {
public:
    // otherRight: answers of records that ask the same question, right too when picked.
    ChoiceAdmission(const std::vector<std::string>& texts, const Question* question,
                    const CorrectionOptions& options,
                    const std::vector<std::string>& otherRight = {})
        : question(question), options(options) {
        for (const std::string& text : texts) {
            slots.push_back(Describe(text));
        }
        for (const std::string& text : otherRight) {
            const FormList forms = AcceptedForms(text, options);
            otherRightForms.insert(otherRightForms.end(), forms.begin(), forms.end());
        }
        std::sort(otherRightForms.begin(), otherRightForms.end());
    }

    // Whether a player picking the text would give an answer that counts as right.
    bool OtherRight(const std::string& text) const {
        return !otherRightForms.empty() &&
               SharesForm(AcceptedForms(text, options), otherRightForms);
    }

    void Place(std::size_t slot, const std::string& text) { slots[slot] = Describe(text); }

    bool Taken(const std::string& candidate) const {
        // A raw several-answer text would show its slashes.
        if (!candidate.empty() && candidate.front() == '/') {
            return true;
        }
        if (question != nullptr && candidate == question->answerText) {
            return true;
        }
        if (OtherRight(candidate)) {
            return true;
        }
        const std::string shown = DecodeAccents(DisplayForm(candidate, 0));
        if (std::any_of(slots.begin(), slots.end(),
                        [&](const Slot& slot) { return slot.shown == shown; })) {
            return true;
        }
        const FormList forms = AcceptedForms(RemoveParentheses(candidate), options);
        return std::any_of(slots.begin(), slots.end(),
                           [&](const Slot& slot) { return SharesForm(forms, slot.plainForms); });
    }

    // Whether a player could give the candidate for one of the placed choices, parenthesised
    // parts included. The admission rules compare the texts without those parts, which misses
    // an answer such as "to go" beside "(to) go".
    bool MatchesPlaced(const std::string& candidate) const {
        const FormList forms = AcceptedForms(candidate, options);
        return std::any_of(slots.begin(), slots.end(), [&](const Slot& slot) {
            return !slot.empty && SharesForm(forms, slot.forms);
        });
    }

private:
    struct Slot {
        bool empty = true;
        std::string shown;
        FormList plainForms;
        FormList forms;
    };

    Slot Describe(const std::string& text) const {
        return Slot{text.empty(), DecodeAccents(DisplayForm(text, 0)),
                    SortedForms(RemoveParentheses(text), options), SortedForms(text, options)};
    }

    std::vector<Slot> slots;
    const Question* question;
    CorrectionOptions options;
    FormList otherRightForms; // sorted
};

// Looks through the data set for wrong answers of the same word class and shape as the right
// one, from a walk position that moves on round the vocabulary.
class RecordSearch {
public:
    RecordSearch(const std::deque<VocEntry>& vocabulary, Language language,
                 const Question& question, std::uint32_t searchLimit,
                 const ChoiceAdmission& admission, std::size_t start)
        : vocabulary(vocabulary), language(language), answer(question.answerText),
          answerBlanks(BlankCount(question.answerText)),
          wordClass(question.entry != nullptr ? question.entry->wordClass : 0),
          searchLimit(searchLimit), admission(admission), position(start) {}

    void MoveOn() {
        if (!vocabulary.empty()) {
            position = (position + 1) % vocabulary.size();
        }
    }

    // The record for one wrong answer: the most alike of up to searchLimit free records, or
    // none when no record can be used at all.
    std::optional<std::size_t> FindRecord() {
        for (int restart = 0; restart <= MaxSearchRestarts; ++restart) {
            MoveOn();
            if (!WalkToFree(false)) {
                return std::nullopt;
            }
            std::size_t best = position;
            std::size_t bestScore = 0;
            for (std::uint32_t looked = 0; looked < searchLimit; ++looked) {
                if (!WalkToFree(true)) {
                    break;
                }
                const std::string text = vocabulary[position].Text(language);
                if (BlankCount(text) == answerBlanks) {
                    const std::size_t score = AgreeingPositions(text, answer);
                    if (score > bestScore) {
                        best = position;
                        bestScore = score;
                    }
                    if (score > CloseEnough) {
                        break;
                    }
                }
                MoveOn();
            }
            const bool free = !admission.Taken(DecodeAccents(vocabulary[best].Text(language)));
            MoveOn();
            if (free) {
                return best;
            }
        }
        return std::nullopt;
    }

    // Any record whose decoded text passes both tests, for when the altered texts ran out.
    std::optional<std::size_t> FindAnyRecord() {
        for (std::size_t step = 0; step < vocabulary.size(); ++step) {
            MoveOn();
            const std::string text = DecodeAccents(vocabulary[position].Text(language));
            if (!admission.Taken(text) && !admission.MatchesPlaced(text)) {
                return position;
            }
        }
        return std::nullopt;
    }

private:
    // Moves on to a record that is not taken, passing over records of another word class until
    // searchLimit of them have been passed. One full round without a stop shows that every free
    // record is of another class, so the second round takes the first free one; a second round
    // without a stop shows that there is none.
    bool WalkToFree(bool decoded) {
        std::uint32_t otherClass = 0;
        for (std::size_t step = 0; step < 2 * vocabulary.size(); ++step) {
            if (step == vocabulary.size()) {
                otherClass = searchLimit;
            }
            const VocEntry& entry = vocabulary[position];
            const bool sameClass = entry.wordClass == wordClass;
            if (sameClass || otherClass >= searchLimit) {
                const std::string text = entry.Text(language);
                if (!admission.Taken(decoded ? DecodeAccents(text) : text)) {
                    return true;
                }
            }
            if (!sameClass) {
                ++otherClass;
            }
            MoveOn();
        }
        return false;
    }

    const std::deque<VocEntry>& vocabulary;
    Language language;
    const std::string& answer;
    std::uint32_t answerBlanks;
    std::uint32_t wordClass;
    std::uint32_t searchLimit;
    const ChoiceAdmission& admission;
    std::size_t position;
};

} // namespace

void CLingomatDoc::SetChoiceCount(std::uint32_t count) {
    // The round and the count must agree: picks are checked against the count.
    multiNumber = static_cast<std::uint32_t>(
        std::clamp<std::size_t>(count, ChoiceRound::MinChoices, ChoiceRound::MaxChoices));
    choiceRound.Reset(multiNumber);
}

void CLingomatDoc::SetChoiceSettings(std::uint32_t count, bool numbered) {
    SetChoiceCount(count);
    showNumbers = numbered;
}

bool CLingomatDoc::ChoiceIsTaken(const std::string& candidate) {
    const Question* question = pool.Current();
    return ChoiceAdmission(choiceRound.texts, question, correctionOptions,
                           question != nullptr ? OtherRightAnswers(*question)
                                               : std::vector<std::string>{})
        .Taken(candidate);
}

bool CLingomatDoc::PrepareChoiceRound() {
    if (choiceRound.MultiNumber() != multiNumber) {
        SetChoiceCount(multiNumber);
    }
    std::vector<std::string>& texts = choiceRound.texts;
    std::fill(texts.begin(), texts.end(), std::string());
    const Question* question = pool.Current();
    if (question == nullptr) {
        choiceRound.correctChoice = 0;
        return true;
    }
    const auto count = static_cast<std::uint32_t>(texts.size());
    const std::size_t right = random.Draw(count);
    choiceRound.correctChoice = right;
    texts[right] = DecodeAccents(question->answerText);

    // A round has one right choice: the answers of records asking the same question are kept
    // out of the wrong ones.
    const std::vector<std::string> otherRight = OtherRightAnswers(*question);
    const ChoiceAdmission rightOnes({}, nullptr, correctionOptions, otherRight);

    // The last wrong pick comes back, unless a change of the correction options has since made
    // it an answer that counts as right.
    std::optional<std::size_t> repeated;
    if (!question->wrongChoice.empty() && question->wrongChoice != texts[right] &&
        !TextsMatch(question->wrongChoice, texts[right], correctionOptions) &&
        !rightOnes.OtherRight(question->wrongChoice)) {
        std::size_t slot = random.Draw(count - 1);
        slot += slot >= right ? 1 : 0;
        texts[slot] = question->wrongChoice;
        repeated = slot;
    }

    ChoiceAdmission admission(texts, question, correctionOptions, otherRight);
    RecordSearch search(vocabulary, answerLanguage, *question, distractorSearchLimit, admission,
                        random.Draw(static_cast<std::uint32_t>(vocabulary.size())));
    const auto isOpen = [&](std::size_t slot) { return slot != right && slot != repeated; };

    if (TraitsOf(gameMode).alteredLetters) {
        DistractorMaker maker(random);
        const std::string shownAnswer = DisplayForm(question->answerText, 0);
        for (std::size_t slot = 0; slot < texts.size(); ++slot) {
            if (!isOpen(slot)) {
                continue;
            }
            for (int attempt = 0; attempt < MaxAlterAttempts && texts[slot].empty(); ++attempt) {
                std::string altered = DecodeAccents(maker.Alter(answerLanguage, shownAnswer));
                if (!admission.Taken(altered) && !admission.MatchesPlaced(altered)) {
                    texts[slot] = std::move(altered);
                }
            }
            // An answer that no rule alters gets words of other records instead.
            if (texts[slot].empty()) {
                if (const auto record = search.FindAnyRecord()) {
                    texts[slot] = DecodeAccents(vocabulary[*record].Text(answerLanguage));
                }
            }
            admission.Place(slot, texts[slot]);
        }
        choiceRemakes = 0;
        return true;
    }

    // A slot left empty means the data set holds no further usable answer; the screen shows
    // no choice there.
    for (std::size_t slot = 0; slot < texts.size(); ++slot) {
        if (isOpen(slot)) {
            if (const auto record = search.FindRecord()) {
                texts[slot] = vocabulary[*record].Text(answerLanguage);
                admission.Place(slot, texts[slot]);
            }
        }
    }
    for (std::string& text : texts) {
        text = DecodeAccents(RemoveGenderMarkers(text));
    }

    // Without their gender markers two choices can turn out to be the same answer.
    const auto equivalent = [&](std::size_t i, std::size_t j) {
        // Equal texts count too: a text with no form at all, such as a lone slash, matches
        // nothing, not even itself.
        return !texts[i].empty() && !texts[j].empty() &&
               (texts[i] == texts[j] || TextsMatch(texts[i], texts[j], correctionOptions));
    };
    // Without its gender marker a wrong answer can also turn into another right one.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i != right && !texts[i].empty() && rightOnes.OtherRight(texts[i])) {
            texts[i].clear();
        }
    }
    bool clash = false;
    for (std::size_t i = 0; i < texts.size() && !clash; ++i) {
        for (std::size_t j = i + 1; j < texts.size() && !clash; ++j) {
            clash = equivalent(i, j);
        }
    }
    if (clash && choiceRemakes < MaxRemakes) {
        ++choiceRemakes;
        return false;
    }
    if (clash) {
        // Keep the right answer and the first of each group of equivalent wrong ones.
        for (std::size_t j = 0; j < texts.size(); ++j) {
            for (std::size_t i = 0; i < texts.size() && j != right && !texts[j].empty(); ++i) {
                if (i != j && (i == right || i < j) && equivalent(i, j)) {
                    texts[j].clear();
                }
            }
        }
    }
    choiceRemakes = 0;
    return true;
}

} // namespace lingomat
