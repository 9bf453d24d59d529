#include "data/VocEntry.h"

#include <algorithm>
#include <utility>

namespace lingomat {

void VocEntry::SetColumnCount(std::uint32_t count) {
    texts.assign(count, std::string());
    blankCounts.assign(count, 0);
}

void VocEntry::SetText(Language language, std::string text) {
    if (language >= texts.size()) {
        return;
    }
    const auto blanks = std::count(text.begin(), text.end(), ' ');
    blankCounts[language] = static_cast<std::uint32_t>(std::min<std::ptrdiff_t>(blanks, 2));
    texts[language] = std::move(text);
}

std::string VocEntry::Text(Language language) const {
    return language < texts.size() ? texts[language] : std::string();
}

std::uint32_t VocEntry::BlankCount(Language language) const {
    return language < blankCounts.size() ? blankCounts[language] : 0;
}

void VocEntry::SetWordClass(const std::string& line) {
    if (line == "n") {
        wordClass = WordClassNoun;
    } else if (line == "v") {
        wordClass = WordClassVerb;
    } else if (line == "a") {
        wordClass = WordClassAdjective;
    } else {
        wordClass = WordClassNone;
    }
}

} // namespace lingomat
