#include "matching/DistractorMaker.h"

#include <array>
#include <string_view>

namespace lingomat {

namespace {

constexpr std::string_view vowels = "aeiou";
constexpr std::string_view consonants = "bcdfghjklmnpqrstvwxyz";

// The letters a letter is confused with; empty when it belongs to no group in that language.
std::string_view LetterGroup(Language language, char c) {
    switch (c) {
    case 'a':
    case 'e':
        return language == LanguageGerman ? std::string_view("ae\xE4") : "ae";
    case 'b':
    case 'p':
        return "bp";
    case 'c':
    case 's':
    case 'z':
        return "csz";
    case 'd':
    case 't':
        return "dt";
    case 'f':
    case 'v':
    case 'w':
        return "fvw";
    case 'i':
    case 'j':
    case 'y':
        return "ijy";
    case 'm':
    case 'n':
        return "mn";
    case 'o':
    case 'u':
        return language == LanguageGerman ? std::string_view("ou\xFC\xF6") : "ou";
    case '\xE8':
    case '\xE9':
    case '\xEA':
        return language == LanguageFrench ? std::string_view("\xE8\xE9\xEA") : "";
    default:
        return "";
    }
}

} // namespace

std::string DistractorMaker::Alter(Language language, std::string text) {
    if (language == LanguageGerman) {
        return AlterGerman(std::move(text));
    }
    if (language == LanguageFrench) {
        return AlterFrench(std::move(text));
    }
    return AlterEnglish(std::move(text));
}

bool DistractorMaker::SubstringRule(std::string& t, const std::string& pattern,
                                    const std::string& replacement) {
    const auto at = t.find(pattern);
    if (at == std::string::npos || !random.OneIn(10)) {
        return false;
    }
    t.replace(at, pattern.size(), replacement);
    return random.OneIn(5);
}

bool DistractorMaker::LastLetterRule(std::string& t, char from, char to) {
    if (t.empty() || t.back() != from || !random.OneIn(10)) {
        return false;
    }
    t.back() = to;
    return random.OneIn(5);
}

template <typename Step> bool DistractorMaker::OptionalStep(std::string& t, Step step) {
    if (!random.OneIn(5)) {
        return false;
    }
    t = (this->*step)(std::move(t));
    return random.OneIn(5);
}

char DistractorMaker::RandomSimilarLetter(char c) {
    if (vowels.find(c) != std::string_view::npos) {
        return vowels[random.Draw(vowels.size())];
    }
    if (c >= 'a' && c <= 'z') {
        return consonants[random.Draw(consonants.size())];
    }
    return c;
}

std::string DistractorMaker::DropBlankOrHyphen(std::string t) {
    if (const auto blank = t.find(' '); blank != std::string::npos && random.OneIn(10)) {
        t.erase(blank, 1);
    } else if (const auto hyphen = t.find('-'); hyphen != std::string::npos && random.OneIn(10)) {
        t.erase(hyphen, 1);
    }
    return t;
}

std::string DistractorMaker::SwapGermanArticle(std::string t) {
    static constexpr std::array<std::string_view, 6> articles = {"der", "die", "das",
                                                                 "dem", "den", "des"};
    if (t.size() < 3 || t[0] != 'd') {
        return t;
    }
    const std::string_view front(t.data(), 3);
    for (std::size_t i = 0; i < articles.size(); ++i) {
        if (articles[i] == front) {
            // Index among the other five: skip the article the text already has.
            std::size_t other = random.Draw(5);
            if (other >= i) {
                ++other;
            }
            t.replace(0, 3, articles[other]);
            break;
        }
    }
    return t;
}

std::string DistractorMaker::SwapFrenchArticle(std::string t) {
    if (t.empty() || t[0] != 'l') {
        return t;
    }
    if (t.compare(0, 3, "les") == 0) {
        t.replace(0, 3, random.OneIn(2) ? "le" : "la");
    } else if (t.compare(0, 2, "le") == 0) {
        t.replace(0, 2, random.OneIn(2) ? "la" : "les");
    } else if (t.compare(0, 2, "la") == 0) {
        t.replace(0, 2, random.OneIn(2) ? "le" : "les");
    }
    return t;
}

std::string DistractorMaker::LetterPass(Language language, std::string t) {
    const std::uint32_t chance = language == LanguageGerman ? 7 : 5;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!random.OneIn(chance)) {
            continue;
        }
        if (i + 1 < t.size() && t[i + 1] == t[i]) {
            // German keeps a doubled letter half the time and treats it as a single one.
            if (language != LanguageGerman || !random.OneIn(2)) {
                t.erase(i + 1, 1);
                continue;
            }
        }
        if (const auto group = LetterGroup(language, t[i]); !group.empty()) {
            t[i] = group[random.Draw(group.size())];
            return t;
        }
        if (!random.OneIn(10)) {
            t[i] = RandomSimilarLetter(t[i]);
        }
    }
    return t;
}

std::string DistractorMaker::AlterEnglish(std::string t) {
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"ent", "ant"},
                                   {"ant", "ent"},
                                   {"chs", "x"},
                                   {"ee", "eh"},
                                   {"eh", "ee"},
                                   {"ie", "i"},
                                   {"i", "ie"}}) {
        if (SubstringRule(t, from, to)) {
            return t;
        }
    }
    if (LastLetterRule(t, 't', 's') || LastLetterRule(t, 's', 't')) {
        return t;
    }
    if (OptionalStep(t, &DistractorMaker::DropBlankOrHyphen)) {
        return t;
    }
    return LetterPass(LanguageEnglish, std::move(t));
}

std::string DistractorMaker::AlterFrench(std::string t) {
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"ent", "ant"}, {"ant", "ent"}, {"chs", "x"}}) {
        if (SubstringRule(t, from, to)) {
            return t;
        }
    }
    if (const auto s = t.find('s'); s != std::string::npos && random.OneIn(10)) {
        t.insert(s, 1, 's');
        return t;
    }
    if (const auto ss = t.find("ss"); ss != std::string::npos && random.OneIn(10)) {
        t.erase(ss, 1);
        return t;
    }
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"ee", "eh"},
                                   {"eh", "ee"},
                                   {"ie", "i"},
                                   {"i", "ie"}}) {
        if (SubstringRule(t, from, to)) {
            return t;
        }
    }
    if (!t.empty() && t.back() == '\xE9' && random.OneIn(10)) {
        t.back() = 'e';
        t.push_back('r');
        if (random.OneIn(5)) {
            return t;
        }
    }
    if (LastLetterRule(t, 't', 's') || LastLetterRule(t, 's', 't')) {
        return t;
    }
    if (OptionalStep(t, &DistractorMaker::SwapFrenchArticle) ||
        OptionalStep(t, &DistractorMaker::DropBlankOrHyphen)) {
        return t;
    }
    return LetterPass(LanguageFrench, std::move(t));
}

std::string DistractorMaker::AlterGerman(std::string t) {
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"chs", "x"},
                                   {"\\3", "s"},
                                   {"s", "ss"},
                                   {"ss", "s"},
                                   {"ee", "eh"},
                                   {"eh", "ee"},
                                   {"ie", "i"},
                                   {"i", "ie"},
                                   {"k", "ck"},
                                   {"ck", "k"}}) {
        if (SubstringRule(t, from, to)) {
            return t;
        }
    }
    if (LastLetterRule(t, 't', 's') || LastLetterRule(t, 's', 't')) {
        return t;
    }
    if (OptionalStep(t, &DistractorMaker::SwapGermanArticle) ||
        OptionalStep(t, &DistractorMaker::DropBlankOrHyphen)) {
        return t;
    }
    return LetterPass(LanguageGerman, std::move(t));
}

} // namespace lingomat
