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
    // Texts are short: a plain loop beats a library search call per blank.
    std::uint32_t blanks = 0;
    for (std::size_t i = 0; i < text.size() && blanks < 2; ++i) {
        blanks += text[i] == ' ' ? 1 : 0;
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
