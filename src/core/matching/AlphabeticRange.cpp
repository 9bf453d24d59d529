#include "matching/AlphabeticRange.h"

#include <algorithm>

#include "matching/AnswerMatching.h"

namespace lingomat {

bool InAlphabeticRange(const std::string& text, const std::string& lower,
                       const std::string& upper) {
    FormList forms = SplitForms(PlainCapitals(text));
    AddSharpSForms(forms);
    AddParenthesisForms(forms);

    CorrectionOptions keyOptions;
    keyOptions.ignoreAccents = true;
    keyOptions.ignoreCase = true;
    keyOptions.ignoreSpacing = true;
    // std::string compares its bytes as unsigned char, so umlauts sort after every ASCII letter.
    return std::any_of(forms.begin(), forms.end(), [&](std::string& form) {
        const std::string key = NormaliseAnswer(StripArticle(std::move(form)), keyOptions);
        return key > lower && key < upper;
    });
}

} // namespace lingomat
