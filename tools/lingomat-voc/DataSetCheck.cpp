#include "DataSetCheck.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <unordered_map>

#include "DataSetLayout.h"
#include "LearnerCheck.h"
#include "LessonCodes.h"
#include "TextEncoding.h"
#include "data/VocEntry.h"
#include "matching/AccentEscapes.h"

namespace lingomat {
namespace {

const char* const ColumnNames[2][3] = {
    {"deutscher Text", "englischer Text", "französischer Text"},
    {"deutscher Text", "spanischer Text", "französischer Text"},
};

std::string Quoted(std::string_view cp1252) {
    return "„" + Cp1252ToUtf8(std::string(cp1252)) + "“";
}

std::string RecordName(const LayoutRecord& record) {
    return "Datensatz " + Quoted(record.Text(0).text);
}

std::string LessonName(const LayoutLesson& lesson) {
    return "Lektion " + Quoted(lesson.name.text) + " (Kennung " + Quoted(lesson.code.text) + ")";
}

std::string Plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The pieces between the slashes of a several-answer text, the leading slash left out.
std::vector<std::string_view> SlashPieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t start = 1;
    for (;;) {
        const std::size_t slash = text.find('/', start);
        if (slash == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, slash - start));
        start = slash + 1;
    }
}

bool OnlyBlanks(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// Sorts the items by key, equal keys by item, and gives, indexed by item, the first item with
// the same key.
template <typename Key>
std::vector<std::uint32_t> FirstOfEach(std::vector<std::uint32_t>& items, Key key) {
    std::sort(items.begin(), items.end(), [&](std::uint32_t a, std::uint32_t b) {
        const auto ka = key(a);
        const auto kb = key(b);
        return ka != kb ? ka < kb : a < b;
    });
    std::uint32_t size = 0;
    for (const std::uint32_t item : items) {
        size = std::max(size, item + 1);
    }
    std::vector<std::uint32_t> first(size, 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
        first[items[i]] =
            i > 0 && key(items[i - 1]) == key(items[i]) ? first[items[i - 1]] : items[i];
    }
    return first;
}

class Checker {
public:
    Checker(const TextLines& lines, bool spanish)
        : layout(ParseDataSetLayout(lines)), spanish(spanish), membership(layout) {}

    CheckReport Run(bool full) {
        Summarise(full);
        CheckStructure();
        CheckLessons();
        CheckRecords();
        if (full) {
            AddLearnerFindings(layout, spanish, report.findings);
        }
        std::stable_sort(report.findings.begin(), report.findings.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        return std::move(report);
    }

private:
    void Add(Severity severity, FindingKind kind, std::size_t line, std::string message) {
        report.findings.push_back({severity, kind, line, std::move(message)});
    }

    void Summarise(bool full) {
        lessonSizes.assign(layout.lessons.size(), 0);
        for (std::size_t l = 0; l < layout.lessons.size(); ++l) {
            lessonSizes[l] = membership.RecordsOf(l).size();
        }
        report.lessonCount = layout.lessons.size();
        report.recordCount = layout.records.size();
        if (!full) {
            return;
        }
        if (layout.hasHeader) {
            report.summary.push_back("Kopfzeile: ### Lingomatdata, Version " +
                                     Quoted(layout.versionLine) + " (gelesen als " +
                                     (layout.version == 1 ? "1, mit Wortart" : "0, ohne Wortart") +
                                     ")");
        } else {
            report.summary.push_back("Keine Kopfzeile: gelesen als Version 0, ohne Wortart");
        }
        report.summary.push_back("Vorspann: " +
                                 Plural(layout.preambleLineCount, "Zeile", "Zeilen"));
        report.summary.push_back("Lektionen: " + std::to_string(layout.lessons.size()));
        for (std::size_t l = 0; l < layout.lessons.size(); ++l) {
            report.summary.push_back("  " + LessonName(layout.lessons[l]) + ": " +
                                     Plural(lessonSizes[l], "Datensatz", "Datensätze"));
        }
        report.summary.push_back("Datensätze insgesamt: " + std::to_string(layout.records.size()));
    }

    void CheckStructure() {
        if (layout.hasHeader && layout.version != 0 && layout.version != 1) {
            Add(Severity::Warning, FindingKind::UnknownVersion, 2,
                "Version " + Quoted(layout.versionLine) +
                    " ist unbekannt und wird wie Version 0 (ohne Wortart) gelesen");
        }
        for (const auto& odd : layout.oddSectionEnds) {
            Add(Severity::Warning, FindingKind::OddSectionEnd, odd.line,
                "Die Zeile " + Quoted(odd.text) +
                    " beginnt mit „#“ und beendet deshalb den Abschnitt; ihr Rest ab dem dritten "
                    "Zeichen wird als eigene Zeile gelesen");
        }
        static const char* const sectionNames[3] = {"Vorspann", "Lektionen", "Datensätze"};
        for (std::size_t s = 0; s < 3; ++s) {
            // A section the data never reached has nothing to close.
            const bool reached = s == 0 || layout.sectionClosed[s - 1];
            if (reached && !layout.sectionClosed[s]) {
                Add(Severity::Warning, FindingKind::SectionNotClosed, 0,
                    std::string("Der Abschnitt „") + sectionNames[s] +
                        "“ wird nicht mit einer Zeile „#“ abgeschlossen");
            }
        }
        if (layout.unreadLineCount > 0) {
            Add(Severity::Warning, FindingKind::UnreadLines, layout.firstUnreadLine,
                Plural(layout.unreadLineCount, "Zeile", "Zeilen") +
                    " nach dem Abschluss der Datensätze " +
                    (layout.unreadLineCount == 1 ? "wird" : "werden") + " nicht gelesen");
        }
        if (layout.lessons.empty()) {
            Add(Severity::Warning, FindingKind::NoLessons, 0, "Der Datensatz hat keine Lektionen");
        }
        if (layout.records.empty()) {
            Add(Severity::Error, FindingKind::NoRecords, 0, "Der Datensatz hat keine Vokabeln");
        }
    }

    void CheckLessons() {
        for (const auto& code : layout.namelessLessonCodes) {
            Add(Severity::Warning, FindingKind::NamelessLesson, code.line == 0 ? 0 : code.line - 1,
                "Lektion ohne Namen (Kennung " + Quoted(code.text) + ") wird übersprungen");
        }
        const auto& lessons = layout.lessons;
        // Lessons with a code, by code and by name: a map of each held 100,000 lessons many
        // times over.
        std::vector<std::uint32_t> byCode;
        for (std::size_t l = 0; l < lessons.size(); ++l) {
            if (!lessons[l].code.text.empty()) {
                byCode.push_back(static_cast<std::uint32_t>(l));
            }
        }
        std::vector<std::uint32_t> byName = byCode;
        const auto firstCodes =
            FirstOfEach(byCode, [&](std::uint32_t l) { return lessons[l].code.text; });
        const auto firstNames =
            FirstOfEach(byName, [&](std::uint32_t l) { return lessons[l].name.text; });
        for (std::size_t l = 0; l < lessons.size(); ++l) {
            const auto& lesson = lessons[l];
            const std::size_t line = lesson.code.line != 0 ? lesson.code.line : lesson.name.line;
            CheckAccents(lesson.name, "Lektionsname " + Quoted(lesson.name.text));
            if (lesson.code.text.empty()) {
                Add(Severity::Error, FindingKind::EmptyCode, line,
                    "Lektion " + Quoted(lesson.name.text) +
                        " hat eine leere Kennung; zu ihr gehört jeder Datensatz");
                continue;
            }
            if (const std::size_t first = firstCodes[l]; first != l) {
                Add(Severity::Error, FindingKind::DuplicateCode, line,
                    LessonName(lesson) + " hat dieselbe Kennung wie Lektion " +
                        Quoted(lessons[first].name.text) + " (Zeile " +
                        std::to_string(lessons[first].code.line) + ")");
            }
            if (const std::size_t first = firstNames[l]; first != l) {
                Add(Severity::Warning, FindingKind::DuplicateLessonName, lesson.name.line,
                    "Der Lektionsname " + Quoted(lesson.name.text) + " steht schon in Zeile " +
                        std::to_string(lessons[first].name.line) +
                        "; die Auswahl nach Namen findet nur die erste Lektion");
            }
            if (lessonSizes[l] == 0) {
                Add(Severity::Warning, FindingKind::EmptyLesson, line,
                    LessonName(lesson) + " hat keine Datensätze");
            }
        }
        // A code inside another takes in that lesson's records.
        std::vector<std::string> codes;
        std::vector<std::size_t> lessonOfCode;
        for (const std::uint32_t l : byCode) {
            if (firstCodes[l] == l) {
                codes.emplace_back(lessons[l].code.text);
                lessonOfCode.push_back(l);
            }
        }
        const CodeMatcher matcher(codes);
        for (std::size_t o = 0; o < codes.size(); ++o) {
            const std::string& outer = codes[o];
            const std::size_t outerIndex = lessonOfCode[o];
            for (const std::size_t i : matcher.Contained(outer)) {
                const std::string& inner = codes[i];
                const std::size_t innerIndex = lessonOfCode[i];
                if (inner.size() < outer.size()) {
                    Add(Severity::Error, FindingKind::CodeInsideCode, lessons[outerIndex].code.line,
                        "Die Kennung " + Quoted(inner) + " (Lektion " +
                            Quoted(lessons[innerIndex].name.text) + ") steckt in der Kennung " +
                            Quoted(outer) + " (Lektion " + Quoted(lessons[outerIndex].name.text) +
                            "); deren Datensätze gehören so auch zu Lektion " +
                            Quoted(lessons[innerIndex].name.text));
                }
            }
        }
    }

    void CheckRecords() {
        const auto duplicates = Duplicates();
        for (std::size_t r = 0; r < layout.records.size(); ++r) {
            const auto& record = layout.records[r];
            const NumberedText lesson = record.Lesson();
            if (!record.Complete()) {
                Add(Severity::Error, FindingKind::IncompleteRecord, lesson.line,
                    RecordName(record) + " ist unvollständig: die Daten enden mitten im Datensatz");
            }
            if (layout.version == 1) {
                const NumberedText wordClass = record.WordClass();
                if (!wordClass.text.empty() && wordClass.text != "n" && wordClass.text != "v" &&
                    wordClass.text != "a") {
                    Add(Severity::Warning, FindingKind::UnknownWordClass, wordClass.line,
                        RecordName(record) + ": unbekannte Wortart " + Quoted(wordClass.text) +
                            " (erlaubt sind n, v, a oder nichts); steht die Datei in der richtigen "
                            "Version?");
                }
            }
            if (membership.LessonsOf(r).empty() && !layout.lessons.empty()) {
                Add(Severity::Error, FindingKind::NoLesson, lesson.line,
                    RecordName(record) + " gehört zu keiner Lektion (Lektionszeile " +
                        Quoted(lesson.text) + ")");
            }
            for (std::size_t column = 0; column < 3; ++column) {
                CheckText(record, column);
            }
            if (const auto found = duplicates.find(r); found != duplicates.end()) {
                const auto [earlier, shared] = found->second;
                Add(Severity::Error, FindingKind::DuplicateRecord, lesson.line,
                    RecordName(record) + " steht in Lektion " +
                        Quoted(layout.lessons[shared].name.text) + " schon einmal (Zeile " +
                        std::to_string(layout.records[earlier].Lesson().line) + ")");
            }
        }
    }

    // For each record that repeats the texts of an earlier one in a lesson of both: the first
    // such earlier record and that lesson. Sorting record numbers by their texts finds the
    // repeats without a copy of every text.
    std::unordered_map<std::size_t, std::pair<std::size_t, std::size_t>> Duplicates() const {
        const auto texts = [&](std::uint32_t r) {
            const LayoutRecord& record = layout.records[r];
            return std::array<std::string_view, 3>{record.Text(0).text, record.Text(1).text,
                                                   record.Text(2).text};
        };
        std::vector<std::uint32_t> order(layout.records.size());
        for (std::size_t r = 0; r < order.size(); ++r) {
            order[r] = static_cast<std::uint32_t>(r);
        }
        std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            const auto ta = texts(a);
            const auto tb = texts(b);
            return ta != tb ? ta < tb : a < b;
        });
        std::unordered_map<std::size_t, std::pair<std::size_t, std::size_t>> found;
        for (std::size_t begin = 0; begin < order.size();) {
            std::size_t end = begin + 1;
            while (end < order.size() && texts(order[end]) == texts(order[begin])) {
                ++end;
            }
            for (std::size_t i = begin + 1; i < end; ++i) {
                for (std::size_t e = begin; e < i; ++e) {
                    if (const auto shared = SharedLesson(order[e], order[i])) {
                        found.emplace(order[i], std::pair{std::size_t{order[e]}, *shared});
                        break;
                    }
                }
            }
            begin = end;
        }
        return found;
    }

    std::optional<std::size_t> SharedLesson(std::size_t a, std::size_t b) const {
        const auto of = membership.LessonsOf(b);
        for (const std::uint32_t lesson : membership.LessonsOf(a)) {
            if (std::find(of.begin(), of.end(), lesson) != of.end()) {
                return lesson;
            }
        }
        return std::nullopt;
    }

    void CheckText(const LayoutRecord& record, std::size_t column) {
        const NumberedText field = record.Text(column);
        const std::string what = RecordName(record) + ", " + ColumnNames[spanish ? 1 : 0][column];
        if (field.text.empty()) {
            // Spanish data sets pair German with Spanish only; their French column may be empty.
            if (!(spanish && column == 2)) {
                Add(Severity::Error, FindingKind::EmptyText,
                    field.line != 0 ? field.line : record.Lesson().line, what + " ist leer");
            }
            return;
        }
        const std::string quoted = what + " " + Quoted(field.text);
        if (const std::string shape = FormShapeProblem(field.text); !shape.empty()) {
            Add(Severity::Error, FindingKind::FormShape, field.line, quoted + ": " + shape);
        }
        if (const std::string parentheses = ParenthesesProblem(field.text); !parentheses.empty()) {
            Add(Severity::Error, FindingKind::Parentheses, field.line, quoted + ": " + parentheses);
        }
        if (field.text.front() == ' ' || field.text.back() == ' ' ||
            field.text.find("  ") != std::string_view::npos) {
            Add(Severity::Warning, FindingKind::Blanks, field.line,
                quoted + ": Leerzeichen am Anfang, am Ende oder doppelt; eine getippte Antwort "
                         "trifft den Text so womöglich nie");
        }
        CheckAccents(field, quoted);
    }

    void CheckAccents(const NumberedText& field, const std::string& what) {
        const std::string decoded = DecodeAccents(std::string(field.text));
        if (decoded == field.text) {
            return;
        }
        std::string message = what + " erscheint im Spiel als " + Quoted(decoded);
        if (field.text.find('$') != std::string_view::npos) {
            message += " („$“ wird immer zu „ç“)";
        }
        Add(Severity::Warning, FindingKind::AccentEscape, field.line, message);
    }

    DataSetLayout layout;
    bool spanish;
    LessonMembership membership;
    CheckReport report;
    std::vector<std::size_t> lessonSizes;
};

} // namespace

CheckReport CheckDataSet(const TextLines& lines, bool spanish, bool full) {
    return Checker(lines, spanish).Run(full);
}

std::size_t CheckReport::Count(Severity severity) const {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(),
                      [&](const Finding& f) { return f.severity == severity; }));
}

std::string FormShapeProblem(std::string_view text) {
    if (text.empty() || text.front() != '/') {
        return {};
    }
    const auto pieces = SlashPieces(text);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string_view piece = pieces[i];
        const bool last = i + 1 == pieces.size();
        const std::string number = std::to_string(i + 1) + ". Antwort";
        if (last && piece.empty() && i > 0) {
            return "endet mit einem Schrägstrich";
        }
        if (OnlyBlanks(piece)) {
            return "die " + number + " ist leer";
        }
        if (!last && piece.back() != ' ') {
            return "vor dem " + std::to_string(i + 2) + ". Schrägstrich fehlt das Leerzeichen";
        }
        const std::string_view form = last ? piece : piece.substr(0, piece.size() - 1);
        if (form.front() == ' ') {
            return "die " + number + " beginnt mit einem Leerzeichen";
        }
        if (form.back() == ' ') {
            return last ? "die " + number + " endet mit einem Leerzeichen"
                        : "vor dem " + std::to_string(i + 2) +
                              ". Schrägstrich steht mehr als ein Leerzeichen";
        }
    }
    return {};
}

std::string ParenthesesProblem(std::string_view text) {
    // Optional parts are expanded form by form, so a pair must not reach across a slash.
    const std::vector<std::string_view> forms = !text.empty() && text.front() == '/'
                                                    ? SlashPieces(text)
                                                    : std::vector<std::string_view>{text};
    for (const std::string_view form : forms) {
        int depth = 0;
        for (const char c : form) {
            if (c == '(') {
                if (depth > 0) {
                    return "Klammern sind verschachtelt";
                }
                ++depth;
            } else if (c == ')') {
                if (depth == 0) {
                    return "„)“ ohne vorangehende „(“";
                }
                --depth;
            }
        }
        if (depth > 0) {
            return "„(“ wird nicht geschlossen";
        }
    }
    return {};
}

} // namespace lingomat
