#pragma once

#include <string>
#include <string_view>

#include "data/GameTypes.h"

namespace lingomat::matchingtest {

// The test sources are UTF-8, the texts under test Windows-1252; the letters used here all lie in
// the Latin-1 range, where a two-byte UTF-8 sequence maps to one byte of the same value.
inline std::string W(std::string_view utf8) {
    std::string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
            text += static_cast<char>(((c & 0x03) << 6) |
                                      (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

// Options by letter: a accents, c capitals, s spacing, r articles.
inline CorrectionOptions Options(std::string_view letters) {
    CorrectionOptions options;
    options.ignoreAccents = letters.find('a') != std::string_view::npos;
    options.ignoreCase = letters.find('c') != std::string_view::npos;
    options.ignoreSpacing = letters.find('s') != std::string_view::npos;
    options.ignoreArticles = letters.find('r') != std::string_view::npos;
    return options;
}

// Every combination of the four options that the comparison reads.
inline constexpr std::string_view everyOptionSet[] = {
    "", "a", "c", "s", "r", "ac", "as", "ar", "cs", "cr", "sr", "acs", "acr", "asr", "csr", "acsr"};

} // namespace lingomat::matchingtest
