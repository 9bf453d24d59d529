#pragma once

#include <cstdint>

namespace lingomat {

// A column of the data set. Column 1 holds Spanish in the Spanish data sets.
using Language = std::uint32_t;
inline constexpr Language LanguageGerman = 0;
inline constexpr Language LanguageEnglish = 1;
inline constexpr Language LanguageFrench = 2;

// Numbered as the buttons of the game type dialog; the numbers are stored in player files.
using GameMode = std::uint32_t;
inline constexpr GameMode GameModeWrite = 0;
inline constexpr GameMode GameModeChoiceOtherLessons = 1;
inline constexpr GameMode GameModeChoiceAlteredLetters = 2;
inline constexpr GameMode GameModeCopy = 3;
inline constexpr GameMode GameModeView = 4;

struct CorrectionOptions {
    bool ignoreAccents = false;
    bool ignoreCase = false;
    bool repeatAtOnce = false;
    bool ignoreSpacing = false;
    bool ignoreArticles = false;
    bool oneRightSuffices = false;

    friend bool operator==(const CorrectionOptions&, const CorrectionOptions&) = default;
};

} // namespace lingomat
