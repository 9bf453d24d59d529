// The text rules see every answer the player types and every text a data set holds. Beyond not
// crashing or hanging, they must keep the promises the game builds on: a text accepts itself,
// two texts match each other both ways round, and the range test agrees with wider ranges.

#include <limits>

#include "FuzzSupport.h"
#include "matching/AccentEscapes.h"
#include "matching/AlphabeticRange.h"
#include "matching/AnswerForms.h"
#include "matching/AnswerMatching.h"
#include "platform/Random.h"

namespace lingomat::fuzz {

// A single form that no parenthesised part expands: the text itself is one of its forms.
bool IsPlainForm(const std::string& text) {
    if (!text.empty() && text.front() == '/') {
        return false;
    }
    const std::size_t open = text.find('(');
    return open == std::string::npos || text.find(')', open + 1) == std::string::npos;
}

std::string SortedBytes(std::string text) {
    std::sort(text.begin(), text.end());
    return text;
}

void CheckComparison(const std::string& typed, const std::string& expected,
                     const CorrectionOptions& options) {
    const bool matches = AnswerMatches(typed, expected, options);
    FUZZ_CHECK(TextsMatch(typed, expected, options) == TextsMatch(expected, typed, options));
    if (matches && IsPlainForm(typed)) {
        FUZZ_CHECK(TextsMatch(typed, expected, options));
    }
    if (IsPlainForm(expected)) {
        FUZZ_CHECK(AnswerMatches(expected, expected, options));
        FUZZ_CHECK(TextsMatch(expected, expected, options));
    }
    const std::string once = NormaliseAnswer(PlainCapitals(typed), options);
    FUZZ_CHECK(NormaliseAnswer(once, options) == once);
}

void CheckSmallOperations(const std::string& text, const std::string& pattern,
                          const std::string& replacement) {
    const std::string squashed = SquashBlanks(text);
    FUZZ_CHECK(squashed.find("  ") == std::string::npos);
    FUZZ_CHECK(squashed.empty() || (squashed.front() != ' ' && squashed.back() != ' '));
    FUZZ_CHECK(SquashBlanks(squashed) == squashed);
    FUZZ_CHECK(ReplaceAll(squashed, " ", "") == ReplaceAll(text, " ", ""));

    const std::string replaced = ReplaceAll(text, pattern, replacement);
    if (pattern.empty()) {
        FUZZ_CHECK(replaced == text);
    } else if (replacement.size() < pattern.size()) {
        FUZZ_CHECK(replaced.find(pattern) == std::string::npos);
        FUZZ_CHECK(replaced.size() <= text.size());
    } else {
        FUZZ_CHECK(replaced.size() <=
                   text.size() + text.size() / pattern.size() * replacement.size());
    }

    const std::string stripped = StripArticle(text);
    FUZZ_CHECK(text.ends_with(stripped));

    const std::string plain = PlainCapitals(text);
    FUZZ_CHECK(plain.size() == text.size());
    FUZZ_CHECK(plain.find_first_of("\xC0\xC1\xC8\xC9\xCC\xCD\xD2\xD3\xD9\xDA") ==
               std::string::npos);
    const std::string lower = LowerCase(text);
    FUZZ_CHECK(lower.size() == text.size());
    FUZZ_CHECK(lower.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xD6\xDC") == std::string::npos);
    const std::string folded = FoldAccents(text);
    FUZZ_CHECK(folded.find_first_of("\"\\^3\xE0\xE1\xE2\xE4\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
                                    "\xF1\xF2\xF3\xF4\xF6\xF9\xFA\xFB\xFC") == std::string::npos);
    FUZZ_CHECK(FoldAccents(folded) == folded);

    const std::string decoded = DecodeAccents(text);
    FUZZ_CHECK(decoded.size() <= text.size());
    if (text.find_first_of("\\\"^~$") == std::string::npos) {
        FUZZ_CHECK(decoded == text);
    }
}

void CheckForms(const std::string& text, std::size_t k, Random& random) {
    const bool several = !text.empty() && text.front() == '/';
    const std::size_t count = FormCount(text);
    FUZZ_CHECK(count == (several ? 1 + static_cast<std::size_t>(
                                           std::count(text.begin() + 1, text.end(), '/'))
                                 : 1));

    // Whichever form is asked first, the player is shown the same forms.
    const std::string inOrder = DisplayForm(text, std::numeric_limits<std::size_t>::max());
    const std::string asked = DisplayForm(text, k);
    FUZZ_CHECK(asked.size() == inOrder.size());
    FUZZ_CHECK(SortedBytes(asked) == SortedBytes(inOrder));
    const std::string quoted = QuotedForms(text);
    FUZZ_CHECK(quoted.size() <= 3 * text.size());
    if (!several) {
        FUZZ_CHECK(inOrder == text && asked == text && quoted == text);
        FUZZ_CHECK(DropLeadingSlash(text) == text);
    } else {
        FUZZ_CHECK(inOrder.size() <= 2 * text.size());
        FUZZ_CHECK(DropLeadingSlash(text) == text.substr(1));
    }

    for (const long long index :
         {static_cast<long long>(k), -1LL, static_cast<long long>(count) + 1}) {
        const std::string form = FormAt(text, index, random);
        FUZZ_CHECK(
            several ? (form.find('/') == std::string::npos && text.find(form) != std::string::npos)
                    : form == text);
    }

    const std::string withoutParts = RemoveParentheses(text);
    FUZZ_CHECK(withoutParts.find('(') == std::string::npos);
    FUZZ_CHECK(withoutParts.size() <= text.size());
    const std::string withoutMarkers = RemoveGenderMarkers(text);
    FUZZ_CHECK(withoutMarkers.find("(f)") == std::string::npos);
    FUZZ_CHECK(withoutMarkers.size() <= text.size());
}

void CheckRange(const std::string& text, const std::string& lower, const std::string& upper) {
    const bool inside = InAlphabeticRange(text, lower, upper);
    if (!(lower < upper)) {
        FUZZ_CHECK(!inside);
    }
    if (inside) {
        // Widening either bound keeps every text that was inside.
        FUZZ_CHECK(InAlphabeticRange(text, lower.substr(0, lower.size() / 2), upper));
        FUZZ_CHECK(InAlphabeticRange(text, lower, upper + "\xFF"));
        FUZZ_CHECK(InAlphabeticRange(text, "", std::string(upper.size() + 1, '\xFF')));
    }
}

LINGOMAT_FUZZ_TARGET(input) {
    const CorrectionOptions options = OptionsFrom(input.Byte());
    const std::size_t k = input.Byte() % 8;
    const std::string first = input.Text();
    const std::string second = input.Text();
    const std::string third = input.Text();
    const std::string fourth = input.Text();
    Random random(static_cast<std::uint32_t>(first.size() + second.size()));

    CheckComparison(first, second, options);
    CheckComparison(second, first, options);
    CheckSmallOperations(first, second, third);
    CheckForms(first, k, random);
    CheckForms(second, k, random);
    CheckRange(first, second, third);
    CheckRange(DecodeAccents(fourth), second, third);
}

} // namespace lingomat::fuzz
