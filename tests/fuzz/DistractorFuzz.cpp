// Altered-letter wrong answers are made from whatever the data set holds. Each call may change a
// text only by the misspellings it knows: a few letters more at most, and no byte that neither
// the text nor a known misspelling brings in.

#include "FuzzSupport.h"
#include "matching/DistractorMaker.h"
#include "platform/Random.h"

namespace lingomat::fuzz {

// The rules that lengthen a text (such as "i" to "ie", "le" to "les" or a final é to "er") each
// add one letter, and no call applies more than four of them.
constexpr std::size_t MaxGrowth = 4;

// Every letter a rule or a letter group can put into a text.
constexpr std::string_view IntroducedLetters = "abcdefghijklmnopqrstuvwxyz\xE4\xF6\xFC\xE8\xE9\xEA";

LINGOMAT_FUZZ_TARGET(input) {
    const Language language = input.Byte() % 4;
    std::uint32_t seed = 0;
    for (int i = 0; i < 4; ++i) {
        seed = seed << 8 | input.Byte();
    }
    const std::string text = input.Rest();
    Random random(seed);
    DistractorMaker maker(random);

    for (int call = 0; call < 16; ++call) {
        const std::string altered = maker.Alter(language, text);
        FUZZ_CHECK(altered.size() <= text.size() + MaxGrowth);
        if (text.empty()) {
            FUZZ_CHECK(altered.empty());
        }
        for (const char c : altered) {
            FUZZ_CHECK(text.find(c) != std::string::npos ||
                       IntroducedLetters.find(c) != std::string_view::npos);
        }
    }
    for (const char c : text) {
        const char similar = maker.RandomSimilarLetter(c);
        FUZZ_CHECK(c >= 'a' && c <= 'z' ? (similar >= 'a' && similar <= 'z') : similar == c);
    }
}

} // namespace lingomat::fuzz
