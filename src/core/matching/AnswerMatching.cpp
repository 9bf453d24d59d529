#include "matching/AnswerMatching.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <utility>

namespace lingomat {

namespace {

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

constexpr std::array<char, 256> IdentityTable() {
    std::array<char, 256> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<char>(i);
    }
    return table;
}

constexpr void Map(std::array<char, 256>& table, std::string_view from, char to) {
    for (char c : from) {
        table[static_cast<unsigned char>(c)] = to;
    }
}

constexpr std::array<char, 256> MakePlainCapitalsTable() {
    std::array<char, 256> table = IdentityTable();
    Map(table, "\xC9\xC8", 'E');
    Map(table, "\xC1\xC0", 'A');
    Map(table, "\xD9\xDA", 'U');
    Map(table, "\xD2\xD3", 'O');
    Map(table, "\xCC\xCD", 'I');
    return table;
}

constexpr std::array<char, 256> MakeLowerTable() {
    std::array<char, 256> table = IdentityTable();
    for (char c = 'A'; c <= 'Z'; ++c) {
        table[static_cast<unsigned char>(c)] = static_cast<char>(c - 'A' + 'a');
    }
    Map(table, "\xC4", '\xE4');
    Map(table, "\xD6", '\xF6');
    Map(table, "\xDC", '\xFC');
    return table;
}

constexpr std::array<char, 256> MakeFoldTable() {
    std::array<char, 256> table = IdentityTable();
    Map(table, "\xE0\xE1\xE2\xE4", 'a');
    Map(table, "\xE7", 'c');
    Map(table, "\xE8\xE9\xEA\xEB", 'e');
    Map(table, "\xEC\xED\xEE\xEF", 'i');
    Map(table, "\xF1", 'n');
    Map(table, "\xF2\xF3\xF4\xF6", 'o');
    Map(table, "\xF9\xFA\xFB\xFC", 'u');
    return table;
}

constexpr std::array<char, 256> plainCapitals = MakePlainCapitalsTable();
constexpr std::array<char, 256> lowered = MakeLowerTable();
constexpr std::array<char, 256> folded = MakeFoldTable();

void AppendFolded(std::string& out, char c) {
    switch (c) {
    case '"':
    case '\\':
    case '^':
        return;
    case '3':
        out += "ss";
        return;
    default:
        out += folded[Byte(c)];
    }
}

std::string MapBytes(std::string text, const std::array<char, 256>& table) {
    for (char& c : text) {
        c = table[Byte(c)];
    }
    return text;
}

bool IsBlankOnly(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

constexpr std::array<std::string_view, 2> articlesA{"a ", "an "};
constexpr std::array<std::string_view, 4> articlesD{"der ", "die ", "das ", "des "};
constexpr std::array<std::string_view, 4> articlesE{"ein ", "einen ", "eine ", "el "};
constexpr std::array<std::string_view, 6> articlesL{"la ", "le ", "l'", "les ", "los ", "las "};
constexpr std::array<std::string_view, 3> articlesS{"sich ", "se ", "s'"};
constexpr std::array<std::string_view, 2> articlesT{"the ", "to "};
constexpr std::array<std::string_view, 2> articlesU{"un ", "une "};

std::span<const std::string_view> ArticlesStartingWith(char first) {
    switch (first) {
    case 'a':
        return articlesA;
    case 'd':
        return articlesD;
    case 'e':
        return articlesE;
    case 'l':
        return articlesL;
    case 's':
        return articlesS;
    case 't':
        return articlesT;
    case 'u':
        return articlesU;
    default:
        return {};
    }
}

// Keeps the form list within MaxForms and MaxFormBytes while a step appends to it.
class FormBudget {
public:
    explicit FormBudget(const FormList& forms) : count(forms.size()) {
        for (const std::string& form : forms) {
            bytes += form.size();
        }
    }

    bool Append(FormList& forms, std::string form) {
        if (count >= MaxForms || bytes + form.size() > MaxFormBytes) {
            return false;
        }
        ++count;
        bytes += form.size();
        forms.push_back(std::move(form));
        return true;
    }

private:
    std::size_t count;
    std::size_t bytes = 0;
};

} // namespace

std::string SquashBlanks(std::string text) {
    std::size_t write = 0;
    bool blankPending = false;
    for (std::size_t read = 0; read < text.size(); ++read) {
        const char c = text[read];
        if (c == ' ') {
            blankPending = write > 0;
            continue;
        }
        if (blankPending) {
            text[write++] = ' ';
            blankPending = false;
        }
        text[write++] = c;
    }
    text.resize(write);
    return text;
}

std::string ReplaceAll(std::string text, const std::string& pattern,
                       const std::string& replacement) {
    if (pattern.empty() || text.find(pattern) == std::string::npos) {
        return text;
    }
    std::string result;
    result.reserve(text.size());
    if (replacement.size() >= pattern.size()) {
        std::size_t from = 0;
        for (std::size_t found = text.find(pattern); found != std::string::npos;
             found = text.find(pattern, from)) {
            result.append(text, from, found - from);
            result += replacement;
            from = found + pattern.size();
        }
        result.append(text, from);
        return result;
    }
    // The finished part never holds the pattern, so an occurrence that appears at its end is the
    // leftmost one of the whole text; its replacement is read again like input, in case it joins
    // with what follows. Every replacement shortens the text, so this ends.
    std::string pending;
    std::size_t next = 0;
    while (!pending.empty() || next < text.size()) {
        if (!pending.empty()) {
            result += pending.back();
            pending.pop_back();
        } else {
            result += text[next++];
        }
        if (result.ends_with(pattern)) {
            result.resize(result.size() - pattern.size());
            pending.append(replacement.rbegin(), replacement.rend());
        }
    }
    return result;
}

std::string StripPrefix(std::string text, const std::string& prefix) {
    if (text.starts_with(prefix)) {
        text.erase(0, prefix.size());
    }
    return text;
}

std::string StripArticle(std::string text) {
    if (text.empty()) {
        return text;
    }
    // Chosen once: «der die Katze» loses both articles, «die der Katze» only the first.
    for (std::string_view article : ArticlesStartingWith(text.front())) {
        if (text.starts_with(article)) {
            text.erase(0, article.size());
        }
    }
    return text;
}

std::string PlainCapitals(std::string text) {
    return MapBytes(std::move(text), plainCapitals);
}

std::string LowerCase(std::string text) {
    return MapBytes(std::move(text), lowered);
}

std::string FoldAccents(std::string text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        AppendFolded(result, c);
    }
    return result;
}

FormList SplitForms(const std::string& text) {
    FormList forms;
    if (text.empty() || text.front() != '/') {
        forms.push_back(text);
        return forms;
    }
    forms.reserve(8);
    std::size_t start = 1;
    while (forms.size() < MaxForms) {
        const std::size_t slash = text.find('/', start);
        if (slash == std::string::npos) {
            if (!IsBlankOnly(std::string_view(text).substr(start))) {
                forms.push_back(text.substr(start));
            }
            break;
        }
        std::string form = SquashBlanks(text.substr(start, slash - start));
        if (!form.empty()) {
            forms.push_back(std::move(form));
        }
        start = slash + 1;
    }
    return forms;
}

void AddSharpSForms(FormList& forms) {
    FormBudget budget(forms);
    const std::size_t count = forms.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (forms[i].find('\xDF') != std::string::npos &&
            !budget.Append(forms, ReplaceAll(forms[i], "\xDF", "ss"))) {
            return;
        }
    }
}

void AddParenthesisForms(FormList& forms) {
    FormBudget budget(forms);
    // Forms appended here are visited too, so every combination of the parts is reached.
    for (std::size_t i = 0; i < forms.size(); ++i) {
        for (;;) {
            const std::size_t open = forms[i].find('(');
            if (open == std::string::npos) {
                break;
            }
            const std::size_t close = forms[i].find(')', open + 1);
            if (close == std::string::npos) {
                break;
            }
            std::string kept = forms[i];
            kept.erase(close, 1);
            kept.erase(open, 1);
            if (!budget.Append(forms, SquashBlanks(std::move(kept)))) {
                return;
            }
            forms[i].erase(open, close - open + 1);
            forms[i] = SquashBlanks(std::move(forms[i]));
        }
    }
}

void AddArticleForms(FormList& forms) {
    FormBudget budget(forms);
    for (std::size_t i = forms.size(); i-- > 0;) {
        std::string stripped = StripArticle(forms[i]);
        // A form without an article would only be duplicated.
        if (stripped.size() != forms[i].size() && !budget.Append(forms, std::move(stripped))) {
            return;
        }
    }
}

std::string NormaliseAnswer(std::string text, const CorrectionOptions& options) {
    if (!options.ignoreSpacing && !options.ignoreAccents) {
        return options.ignoreCase ? LowerCase(std::move(text)) : text;
    }
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (options.ignoreSpacing && (c == ' ' || c == '-')) {
            continue;
        }
        if (options.ignoreCase) {
            c = lowered[Byte(c)];
        }
        if (options.ignoreAccents) {
            AppendFolded(result, c);
        } else {
            result += c;
        }
    }
    return result;
}

FormList AcceptedForms(const std::string& expected, const CorrectionOptions& options) {
    FormList forms = SplitForms(PlainCapitals(expected));
    AddSharpSForms(forms);
    AddParenthesisForms(forms);
    if (options.ignoreArticles) {
        AddArticleForms(forms);
    }
    for (std::string& form : forms) {
        form = NormaliseAnswer(std::move(form), options);
    }
    return forms;
}

bool AnswerMatches(std::string typed, const std::string& expected,
                   const CorrectionOptions& options) {
    typed = NormaliseAnswer(PlainCapitals(std::move(typed)), options);
    const FormList forms = AcceptedForms(expected, options);
    return std::find(forms.begin(), forms.end(), typed) != forms.end();
}

bool TextsMatch(const std::string& first, const std::string& second,
                const CorrectionOptions& options) {
    const FormList firstForms = AcceptedForms(first, options);
    FormList secondForms = AcceptedForms(second, options);
    std::sort(secondForms.begin(), secondForms.end());
    return std::any_of(firstForms.begin(), firstForms.end(), [&](const std::string& form) {
        return std::binary_search(secondForms.begin(), secondForms.end(), form);
    });
}

} // namespace lingomat
