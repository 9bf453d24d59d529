#include "data/VocEntry.h"

#include <utility>

namespace lingomat {

void VocEntry::SetColumnCount(std::uint32_t count) {
    columnCount = count;
    inlineColumns.fill(Column{});
    moreColumns.assign(count > InlineColumns ? count - InlineColumns : 0, Column{});
}

const VocEntry::Column* VocEntry::Find(Language language) const {
    if (language >= columnCount) {
        return nullptr;
    }
    return language < InlineColumns ? &inlineColumns[language]
                                    : &moreColumns[language - InlineColumns];
}

VocEntry::Column* VocEntry::Find(Language language) {
    return const_cast<Column*>(std::as_const(*this).Find(language));
}

void VocEntry::SetText(Language language, std::string text) {
    Column* column = Find(language);
    if (column == nullptr) {
        return;
    }
    // Texts are short: a plain loop beats a library search call per blank.
    std::uint32_t blanks = 0;
    for (std::size_t i = 0; i < text.size() && blanks < 2; ++i) {
        blanks += text[i] == ' ' ? 1 : 0;
    }
    column->blankCount = blanks;
    column->text = std::move(text);
}

std::string VocEntry::Text(Language language) const {
    const Column* column = Find(language);
    return column != nullptr ? column->text : std::string();
}

std::uint32_t VocEntry::BlankCount(Language language) const {
    const Column* column = Find(language);
    return column != nullptr ? column->blankCount : 0;
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
