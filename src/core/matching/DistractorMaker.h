#pragma once

#include <string>

#include "data/GameTypes.h"
#include "platform/Random.h"

namespace lingomat {

// Makes look-alike wrong answers from a right one by plausible misspellings: endings swapped, a
// doubled letter dropped, a letter confused with a similar one, an article exchanged. Every call
// draws afresh, so the same input gives different results; it may also return the input itself,
// which the caller detects and asks again.
class DistractorMaker {
public:
    explicit DistractorMaker(Random& random) : random(random) {}
    virtual ~DistractorMaker() = default;

    // German rules for column 0, French for column 2, English (also for Spanish) otherwise.
    std::string Alter(Language language, std::string text);

    std::string AlterGerman(std::string t);
    std::string AlterEnglish(std::string t);
    std::string AlterFrench(std::string t);

    // A vowel for a vowel, a consonant for another lowercase letter; anything else unchanged.
    char RandomSimilarLetter(char c);
    std::string DropBlankOrHyphen(std::string t);
    std::string SwapGermanArticle(std::string t);
    std::string SwapFrenchArticle(std::string t);
    // The letter-by-letter pass; stops after the first letter replaced within its group.
    std::string LetterPass(Language language, std::string t);

private:
    bool SubstringRule(std::string& t, const std::string& pattern, const std::string& replacement);
    bool LastLetterRule(std::string& t, char from, char to);
    template <typename Step> bool OptionalStep(std::string& t, Step step);

    Random& random;
};

} // namespace lingomat
