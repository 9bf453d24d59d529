#include "ImportModel.h"

#include <map>

namespace lingomat {
namespace {

// Lower case for the names lists use: ASCII and the Latin-1 capitals (Ö, Ä, É ...) in UTF-8.
std::string Folded(const std::string& name) {
    std::string folded;
    const std::size_t begin = name.find_first_not_of(" \t");
    const std::size_t end = name.find_last_not_of(" \t.");
    if (begin == std::string::npos || end == std::string::npos || end < begin) {
        return folded;
    }
    for (std::size_t i = begin; i <= end; ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z') {
            folded += static_cast<char>(c + 32);
        } else if (c == 0xC3 && i < end && static_cast<unsigned char>(name[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(name[i + 1]) <= 0x9E &&
                   static_cast<unsigned char>(name[i + 1]) != 0x97) {
            folded += name[i];
            folded += static_cast<char>(static_cast<unsigned char>(name[i + 1]) + 0x20);
            ++i;
        } else {
            folded += static_cast<char>(c);
        }
    }
    return folded;
}

} // namespace

std::optional<ImportColumn> ColumnForName(const std::string& name) {
    static const std::map<std::string, ImportColumn> names = {
        {"deutsch", ImportColumn::German},
        {"german", ImportColumn::German},
        {"de", ImportColumn::German},
        {"deu", ImportColumn::German},
        {"ger", ImportColumn::German},
        {"englisch", ImportColumn::English},
        {"english", ImportColumn::English},
        {"en", ImportColumn::English},
        {"eng", ImportColumn::English},
        {"französisch", ImportColumn::French},
        {"franzoesisch", ImportColumn::French},
        {"franzosisch", ImportColumn::French},
        {"french", ImportColumn::French},
        {"français", ImportColumn::French},
        {"francais", ImportColumn::French},
        {"fr", ImportColumn::French},
        {"fra", ImportColumn::French},
        {"fre", ImportColumn::French},
        {"spanisch", ImportColumn::Spanish},
        {"spanish", ImportColumn::Spanish},
        {"español", ImportColumn::Spanish},
        {"espanol", ImportColumn::Spanish},
        {"es", ImportColumn::Spanish},
        {"spa", ImportColumn::Spanish},
        {"lektion", ImportColumn::Lesson},
        {"lektionen", ImportColumn::Lesson},
        {"lesson", ImportColumn::Lesson},
        {"lessons", ImportColumn::Lesson},
        {"kapitel", ImportColumn::Lesson},
        {"chapter", ImportColumn::Lesson},
        {"unit", ImportColumn::Lesson},
        {"wortart", ImportColumn::WordClass},
        {"word class", ImportColumn::WordClass},
        {"wordclass", ImportColumn::WordClass},
        {"word type", ImportColumn::WordClass},
        {"class", ImportColumn::WordClass},
        {"part of speech", ImportColumn::WordClass},
        {"-", ImportColumn::Skip},
    };
    std::string folded = Folded(name);
    // Locales such as de_DE or en-GB name the language by their first two letters.
    if (folded.size() == 5 && (folded[2] == '_' || folded[2] == '-')) {
        folded.resize(2);
    }
    const auto found = names.find(folded);
    if (found == names.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::string> WordClassForName(const std::string& name) {
    static const std::map<std::string, std::string> classes = {
        {"", ""},
        {"n", "n"},
        {"nomen", "n"},
        {"substantiv", "n"},
        {"subst", "n"},
        {"noun", "n"},
        {"hauptwort", "n"},
        {"v", "v"},
        {"verb", "v"},
        {"zeitwort", "v"},
        {"a", "a"},
        {"adj", "a"},
        {"adjektiv", "a"},
        {"adjective", "a"},
        {"adv", "a"},
        {"adverb", "a"},
        {"eigenschaftswort", "a"},
    };
    std::string folded = Folded(name);
    // Word lists of other trainers refine nouns by gender: "noun/male".
    if (folded.rfind("noun/", 0) == 0) {
        folded = "noun";
    }
    const auto found = classes.find(folded);
    if (found == classes.end()) {
        return std::nullopt;
    }
    return found->second;
}

const char* ImportLanguageName(std::size_t language) {
    static const char* const names[ImportLanguageCount] = {"Deutsch", "Englisch", "Französisch",
                                                           "Spanisch"};
    return language < ImportLanguageCount ? names[language] : "";
}

const char* ColumnRoleName(ImportColumn column) {
    switch (column) {
    case ImportColumn::Lesson:
        return "Lektion";
    case ImportColumn::WordClass:
        return "Wortart";
    case ImportColumn::Skip:
        return "übersprungen";
    default:
        return ImportLanguageName(static_cast<std::size_t>(column));
    }
}

} // namespace lingomat
