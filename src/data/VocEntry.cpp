#include "data/VocEntry.h"

#include <utility>

namespace lingomat {

void VocEntry::SetColumnCount(std::uint32_t count) {
    columns.assign(count, Column{});
}

void VocEntry::SetText(Language language, std::string text) {
    if (language >= columns.size()) {
        return;
    }
    std::uint32_t blanks = 0;
    for (std::size_t at = text.find(' '); at != std::string::npos && blanks < 2;
         at = text.find(' ', at + 1)) {
        ++blanks;
    }
    columns[language].blankCount = blanks;
    columns[language].text = std::move(text);
}

std::string VocEntry::Text(Language language) const {
    return language < columns.size() ? columns[language].text : std::string();
}

std::uint32_t VocEntry::BlankCount(Language language) const {
    return language < columns.size() ? columns[language].blankCount : 0;
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
