// A multiple-choice round is made from whatever the data set holds. However odd its records, the
// round must come to an end, hold the right answer exactly once, and offer no two choices that
// the player's correction options would both accept.

#include "FuzzSupport.h"
#include "matching/AccentEscapes.h"
#include "matching/AnswerForms.h"
#include "matching/AnswerMatching.h"

namespace lingomat::fuzz {

constexpr std::size_t MaxRecords = 40;
// The game asks again while a round reports two equivalent choices; it must not need forever.
constexpr int MaxRounds = 50;

LINGOMAT_FUZZ_TARGET(input) {
    auto document = std::make_unique<FuzzDocument>();
    CLingomatDoc& doc = document->doc;
    doc.SetCorrectionOptions(OptionsFrom(input.Byte()));
    doc.ChooseGame(static_cast<GameMode>(input.Byte() % 4 + 1), doc.questionLanguage,
                   doc.answerLanguage);
    // Out-of-range counts are brought into the range a round can hold.
    doc.SetChoiceCount(input.Byte() % 8);
    const std::uint8_t languages = input.Byte();
    doc.answerLanguage = languages % 3;
    doc.questionLanguage = languages / 3 % 3;
    const std::size_t asked = input.Byte();
    doc.SeedRandom(input.Byte());
    const std::string wrongChoice = input.Text();
    while (!input.Empty() && doc.vocabulary.size() < MaxRecords) {
        VocEntry& entry = doc.vocabulary.emplace_back();
        entry.wordClass = input.Byte() % 4;
        for (Language column = 0; column < 3; ++column) {
            entry.SetText(column, input.Text());
        }
    }
    if (doc.vocabulary.empty()) {
        return;
    }
    Question question = Question::FromEntry(doc.vocabulary[asked % doc.vocabulary.size()],
                                            doc.questionLanguage, doc.answerLanguage);
    question.wrongChoice = wrongChoice;
    doc.pool.Append(question);
    doc.pool.MoveToFirst();

    int rounds = 1;
    while (!doc.PrepareChoiceRound()) {
        FUZZ_CHECK(++rounds <= MaxRounds);
    }

    const ChoiceRound& round = doc.Round();
    const std::size_t count = round.texts.size();
    FUZZ_CHECK(count >= ChoiceRound::MinChoices && count <= ChoiceRound::MaxChoices);
    FUZZ_CHECK(doc.ChoiceCount() == count);
    FUZZ_CHECK(round.correctChoice < count);

    const std::string& right = round.texts[round.correctChoice];
    const std::string decoded = DecodeAccents(question.answerText);
    FUZZ_CHECK(
        right ==
        (doc.ModeTraits().alteredLetters ? decoded : DecodeAccents(RemoveGenderMarkers(decoded))));
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            const std::string& a = round.texts[i];
            const std::string& b = round.texts[j];
            if (a.empty() || b.empty()) {
                continue;
            }
            FUZZ_CHECK(a != b);
            FUZZ_CHECK(!TextsMatch(a, b, doc.Corrections()));
        }
    }
}

} // namespace lingomat::fuzz
