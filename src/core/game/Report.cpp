#include "game/LingomatDoc.h"

#include <charconv>
#include <system_error>

#include "matching/LanguageNames.h"

namespace lingomat {

namespace {

// One decimal, independent of the process locale: the window toolkit switches to the user's
// locale, and the report must not turn "75.0" into "75,0" on some machines only.
template <typename Number> std::string OneDecimal(Number value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0.0");
}

struct Percentages {
    float right;
    float wrong;
};

// Single precision throughout, as the figures have always been computed.
Percentages PercentagesOf(std::uint32_t rightCount, std::uint32_t wrongCount) {
    const auto answered = static_cast<float>(rightCount + wrongCount);
    return {static_cast<float>(rightCount) / answered * 100.0f,
            static_cast<float>(wrongCount) / answered * 100.0f};
}

std::string PercentageLines(const Percentages& percent) {
    return OneDecimal(percent.right) + "% Ihrer Antworten waren richtig!\n" +
           OneDecimal(percent.wrong) + "% Ihrer Antworten waren falsch!\n";
}

} // namespace

std::string CLingomatDoc::TallyText() const {
    if (rightCount + wrongCount == 0) {
        return {};
    }
    return PercentageLines(PercentagesOf(rightCount, wrongCount));
}

std::string CLingomatDoc::ReportText() const {
    const std::uint32_t answered = rightCount + wrongCount;
    if (answered == 0) {
        return "Sie haben keine einzige Frage beantwortet.";
    }
    std::string text = answered == 1
                           ? std::string("Sie haben eine Frage beantwortet.\n")
                           : "Sie haben " + std::to_string(answered) + " Fragen beantwortet.\n";
    text += "\n";
    if (rightCount == 0) {
        text += "Sie haben keine Frage richtig beantwortet.\n";
    } else if (rightCount == answered) {
        text += answered == 1 ? "Sie haben sie richtig beantwortet.\n"
                              : "Sie haben alle richtig beantwortet.\n";
    } else if (rightCount == 1) {
        text += "Sie haben nur eine Frage richtig beantwortet.\n";
    } else {
        text += "Sie haben " + std::to_string(rightCount) + " Fragen richtig beantwortet.\n";
    }
    if (wrongCount == 0) {
        text += "Sie haben keine Fehler gemacht.\n";
    } else if (wrongCount == 1) {
        text += "Sie haben einen Fehler gemacht.\n";
    } else {
        text += "Sie haben " + std::to_string(wrongCount) + " Fehler gemacht.\n";
    }
    text += "\n";
    text += PercentageLines(PercentagesOf(rightCount, wrongCount));
    text += "\n\n";
    if (cheatCount == 0) {
        text += "Sie haben nicht geschummelt.\n";
    } else if (cheatCount == 1) {
        text += "Sie haben einmal geschummelt.\n";
    } else {
        text += "Sie haben " + std::to_string(cheatCount) + " Mal geschummelt.\n";
    }
    return text;
}

std::string CLingomatDoc::TimeReport() const {
    std::string text = ReportText();
    switch (pool.Size()) {
    case 0:
        text += "\nSie haben alle Fragen beantwortet.\n";
        break;
    case 1:
        text += "\nSie haben eine Frage nicht beantwortet.\n";
        break;
    default:
        text += "\nSie haben " + std::to_string(pool.Size()) + " Fragen nicht beantwortet.\n";
    }
    const std::int64_t seconds =
        gameClock.current > gameClock.start ? gameClock.current - gameClock.start : 0;
    const auto count = [](std::int64_t n, const char* one, const char* many) {
        return std::to_string(n) + (n == 1 ? one : many);
    };
    text += "\nSie haben f\xFCr Ihr Spiel ";
    if (seconds >= 60) {
        text += count(seconds / 60, " Minute", " Minuten") + " und ";
    }
    text += count(seconds % 60, " Sekunde", " Sekunden") + " gebraucht.\n";
    // Without an answer there is no time per question to tell.
    const std::uint32_t answered = rightCount + wrongCount;
    if (answered != 0) {
        text += "Dies bedeutet " +
                OneDecimal(static_cast<double>(seconds) / static_cast<double>(answered)) +
                " Sekunden pro Frage.";
    }
    return text;
}

std::string CLingomatDoc::EndHeadline() const {
    // A question left in the pool means the game was ended before its end.
    if (TraitsOf(gameMode).revealsItself) {
        return pool.Empty() ? "Sie haben sich alle W\xF6rter angeschaut."
                            : "Sie haben das Anschauen vorzeitig beendet.";
    }
    return pool.Empty() ? "Gl\xFC"
                          "ckwunsch, Sie haben Ihr Spiel geschafft!"
                        : "Sie haben das Spiel vorzeitig beendet.";
}

std::string CLingomatDoc::GameDescription() const {
    std::string text = "Spielart: ";
    text += TraitsOf(gameMode).name;
    text += ".\n";
    text += "Sprache der Frage: " + LanguageName(questionLanguage, dataSetName) + ".\n";
    text += "Sprache der Antwort: " + LanguageName(answerLanguage, dataSetName) + ".\n\n";
    // An alphabetic game and an error file have no lessons; their title says what was played.
    if (lessonTable.SelectedCount() == 0) {
        return text + "Gespielt: " + playedTitle;
    }
    text += lessonTable.SelectedCount() == 1 ? "Gespielte Lektion: " : "Gespielte Lektionen: ";
    bool first = true;
    for (const LessonEntry& lesson : lessonTable.lessons) {
        if (lesson.selected) {
            text += first ? "" : ", ";
            text += lesson.name;
            first = false;
        }
    }
    return text;
}

} // namespace lingomat
