#include "matching/LanguageNames.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace lingomat {

bool IsSpanishDataSet(const std::string& fileName) {
    static constexpr std::array<std::string_view, 4> spanishDataSets{
        "spain.voc", "spanbasic.voc", "spantheme.voc", "spantest.voc"};
    return std::find(spanishDataSets.begin(), spanishDataSets.end(), fileName) !=
           spanishDataSets.end();
}

std::string LanguageName(Language language, const std::string& dataSetName) {
    switch (language) {
    case LanguageGerman:
        return "Deutsch";
    case LanguageEnglish:
        return IsSpanishDataSet(dataSetName) ? "Spanisch" : "Englisch";
    case LanguageFrench:
        return "Franz\xF6sisch";
    default:
        return {};
    }
}

} // namespace lingomat
