#include "LearnerCheck.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <set>
#include <utility>

#include "TextEncoding.h"
#include "data/VocEntry.h"
#include "game/SameQuestion.h"
#include "matching/AccentEscapes.h"
#include "matching/AnswerMatching.h"

namespace lingomat {
namespace {

std::string Quoted(std::string_view cp1252) {
    return "„" + Cp1252ToUtf8(std::string(cp1252)) + "“";
}

const char* ColumnLanguage(Language column, bool spanish) {
    static const char* const names[3] = {"Deutsch", "Englisch", "Französisch"};
    return spanish && column == 1 ? "Spanisch" : names[column];
}

std::string Direction(Language question, Language answer, bool spanish) {
    return std::string(ColumnLanguage(question, spanish)) + " → " + ColumnLanguage(answer, spanish);
}

std::vector<std::pair<Language, Language>> Directions(bool spanish) {
    if (spanish) {
        // Spanish data sets pair German with Spanish only.
        return {{0, 1}, {1, 0}};
    }
    return {{0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 1}};
}

std::set<std::string> Forms(const std::string& text) {
    const FormList forms = AcceptedForms(text, CorrectionOptions{});
    return {forms.begin(), forms.end()};
}

// The askable records whose question reads like that of another record, in file order: only
// they can be ambiguous. Hashes of the keys find them, so that the game's own test below runs
// on these few records and not on a copy of every record of a large data set.
std::vector<std::size_t> SharedQuestions(const DataSetLayout& layout, Language question,
                                         const CorrectionOptions& options) {
    std::vector<std::pair<std::size_t, std::size_t>> keys; // hash of the key, record
    for (std::size_t r = 0; r < layout.records.size(); ++r) {
        const std::string text(layout.records[r].Text(question).text);
        if (IsAskable(text)) {
            keys.emplace_back(std::hash<std::string>{}(QuestionKey(DecodeAccents(text), options)),
                              r);
        }
    }
    std::sort(keys.begin(), keys.end());
    std::vector<std::size_t> shared;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if ((i > 0 && keys[i - 1].first == keys[i].first) ||
            (i + 1 < keys.size() && keys[i + 1].first == keys[i].first)) {
            shared.push_back(keys[i].second);
        }
    }
    std::sort(shared.begin(), shared.end());
    return shared;
}

void AddAmbiguous(const DataSetLayout& layout, bool spanish, std::vector<Finding>& findings) {
    // The options a new player starts with.
    const CorrectionOptions options;
    const auto directions = Directions(spanish);
    for (std::size_t d = 0; d < directions.size();) {
        const Language question = directions[d].first;
        const std::vector<std::size_t> shared = SharedQuestions(layout, question, options);
        std::deque<VocEntry> records(shared.size());
        for (std::size_t i = 0; i < shared.size(); ++i) {
            for (Language column = 0; column < 3; ++column) {
                records[i].SetText(column,
                                   std::string(layout.records[shared[i]].Text(column).text));
            }
        }
        for (; d < directions.size() && directions[d].first == question; ++d) {
            const Language answer = directions[d].second;
            for (const auto& group : AmbiguousQuestions(records, question, answer, options)) {
                std::vector<std::string> answers;
                for (const std::size_t i : group) {
                    const NumberedText field = layout.records[shared[i]].Text(answer);
                    const std::string listed =
                        Quoted(field.text) + " (Zeile " + std::to_string(field.line) + ")";
                    if (std::find(answers.begin(), answers.end(), listed) == answers.end()) {
                        answers.push_back(listed);
                    }
                }
                std::string list;
                for (const auto& a : answers) {
                    list += (list.empty() ? "" : ", ") + a;
                }
                const NumberedText first = layout.records[shared[group.front()]].Text(question);
                findings.push_back({Severity::Warning, FindingKind::AmbiguousQuestion, first.line,
                                    Direction(question, answer, spanish) + ": die Frage " +
                                        Quoted(first.text) +
                                        " hat verschiedene Antworten: " + list});
            }
        }
    }
}

void AddNeverAsked(const DataSetLayout& layout, bool spanish, std::vector<Finding>& findings) {
    const auto directions = Directions(spanish);
    for (const LayoutRecord& record : layout.records) {
        for (Language column = 0; column < 3; ++column) {
            const NumberedText field = record.Text(column);
            if (IsAskable(std::string(field.text))) {
                continue;
            }
            std::string where;
            for (const auto& [question, answer] : directions) {
                if (question == column) {
                    where += (where.empty() ? "" : ", ") + Direction(question, answer, spanish);
                }
            }
            if (where.empty()) {
                continue;
            }
            findings.push_back({Severity::Warning, FindingKind::NeverAsked, field.line,
                                Quoted(field.text) +
                                    " hat mehrere Antworten und wird deshalb in Richtung " + where +
                                    " nie gefragt"});
        }
    }
}

void AddOptionalPartHints(const DataSetLayout& layout, std::vector<Finding>& findings) {
    for (const LayoutRecord& record : layout.records) {
        for (Language column = 0; column < 3; ++column) {
            const NumberedText field = record.Text(column);
            if (const std::string plain = OptionalPartSpelling(std::string(field.text));
                !plain.empty()) {
                findings.push_back({Severity::Warning, FindingKind::CouldBeOptionalPart, field.line,
                                    "Hinweis: " + Quoted(field.text) + " ließe sich als " +
                                        Quoted(plain) + " schreiben"});
            }
        }
    }
}

} // namespace

std::string OptionalPartSpelling(const std::string& text) {
    const FormList forms = SplitForms(text);
    if (text.empty() || text.front() != '/' || forms.size() != 2 ||
        forms[0].size() == forms[1].size()) {
        return {};
    }
    const bool firstShorter = forms[0].size() < forms[1].size();
    const std::string& shorter = firstShorter ? forms[0] : forms[1];
    const std::string& longer = firstShorter ? forms[1] : forms[0];
    if (text.find_first_of("()") != std::string::npos) {
        return {};
    }
    const std::set<std::string> wanted = Forms(text);
    const std::size_t extra = longer.size() - shorter.size();
    // Each place where the shorter form splits into a front and a back of the longer one; the
    // first spelling that accepts the same answers wins.
    for (std::size_t at = 0; at <= shorter.size(); ++at) {
        if (longer.compare(0, at, shorter, 0, at) != 0 ||
            longer.compare(at + extra, std::string::npos, shorter, at) != 0) {
            continue;
        }
        const std::string inserted = longer.substr(at, extra);
        const std::string part = SquashBlanks(inserted);
        // A part inside a word («math(ematic)s») would read as a riddle, not as an option.
        const bool atWordEdge = at == 0 || at == shorter.size() || shorter[at - 1] == ' ' ||
                                shorter[at] == ' ' || inserted.front() == ' ' ||
                                inserted.back() == ' ';
        if (part.empty() || !atWordEdge) {
            continue;
        }
        const std::string spelling = shorter.substr(0, at) + (inserted.front() == ' ' ? " " : "") +
                                     "(" + part + ")" + (inserted.back() == ' ' ? " " : "") +
                                     shorter.substr(at);
        if (Forms(spelling) == wanted) {
            return SquashBlanks(spelling);
        }
    }
    return {};
}

void AddLearnerFindings(const DataSetLayout& layout, bool spanish, std::vector<Finding>& findings) {
    AddAmbiguous(layout, spanish, findings);
    AddNeverAsked(layout, spanish, findings);
    AddOptionalPartHints(layout, findings);
}

} // namespace lingomat
