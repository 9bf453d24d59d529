#include "game/LingomatDoc.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "matching/AccentEscapes.h"
#include "matching/LanguageNames.h"

namespace lingomat {

namespace {

bool Askable(const VocEntry& entry, Language question) {
    const std::string text = entry.Text(question);
    return text.empty() || text.front() != '/';
}

// Every direction of the data set that the filters let through; -1 lets any language through.
std::vector<std::pair<Language, Language>> Directions(const std::string& dataSetName,
                                                      std::int32_t question, std::int32_t answer) {
    const Language languages = IsSpanishDataSet(dataSetName) ? 2 : 3;
    std::vector<std::pair<Language, Language>> directions;
    for (Language q = 0; q < languages; ++q) {
        for (Language a = 0; a < languages; ++a) {
            if (q != a && (question == -1 || static_cast<Language>(question) == q) &&
                (answer == -1 || static_cast<Language>(answer) == a)) {
                directions.emplace_back(q, a);
            }
        }
    }
    return directions;
}

const char* const Caption = "Lingomat";

} // namespace

Day CLingomatDoc::Today() {
    const Day today = LocalDay(clock.Now());
    cardBox.Normalise(today);
    return today;
}

void CLingomatDoc::LoadCardBox() {
    cardBox.SetDirectory(workingDirectory);
    cardBox.SetOwner(playerStatistics.PlayerName(), dataSetName);
    const CardBox::LoadReport report = cardBox.Load();
    if (report.result == CardBox::LoadResult::Loaded ||
        report.result == CardBox::LoadResult::Missing) {
        return;
    }
    const std::string name = cardBox.FilePath().filename().string();
    std::string text = report.result == CardBox::LoadResult::Damaged
                           ? "Die Kartei \"" + name +
                                 "\" ist besch\xE4"
                                 "digt. Die lesbaren Karten wurden \xFC"
                                 "bernommen."
                           : "Die Datei \"" + name + "\" ist keine Kartei von " +
                                 playerStatistics.PlayerName() +
                                 " f\xFC"
                                 "r den Datensatz " +
                                 dataSetName + ". Die Kartei beginnt leer.";
    if (report.setAsideAs.empty()) {
        text += " Die Datei lie\xDF sich nicht beiseitelegen; damit sie erhalten bleibt, wird die "
                "Kartei in dieser Sitzung nicht gespeichert.";
    } else {
        text += " Die Datei wurde als \"" + report.setAsideAs.filename().string() +
                "\" beiseitegelegt.";
    }
    host.ShowMessage(text, Caption, MessageButtons::Ok, MessageIcon::Warning);
}

bool CLingomatDoc::SaveCardBox() {
    if (cardBox.Save()) {
        return true;
    }
    host.ShowMessage("Die Kartei \"" + cardBox.FilePath().filename().string() +
                         "\" konnte nicht geschrieben werden. Was Sie seit dem letzten Speichern "
                         "gelernt haben, ist nicht gespeichert.",
                     Caption, MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

void CLingomatDoc::RecordCardVerdict(bool right) {
    const Question* current = pool.Current();
    if (!TraitsOf(gameMode).movesCards || current == nullptr || current->entry == nullptr) {
        return;
    }
    const bool first =
        judgedCards.insert(CardBox::Key(*current->entry, questionLanguage, answerLanguage)).second;
    right = right && !cardGlimpsed;
    if (right && !first) {
        return;
    }
    cardBox.Answer(*current->entry, questionLanguage, answerLanguage, right, Today());
}

bool CLingomatDoc::DueFilter(const VocEntry& entry, Day today) const {
    return !dueOnly || cardBox.IsDue(entry, questionLanguage, answerLanguage, today);
}

bool CLingomatDoc::StartDueGame() {
    const Day today = Today();
    pool.Clear();
    lessonTable.ResetCursors();
    for (VocEntry& entry : vocabulary) {
        if (Askable(entry, questionLanguage) &&
            cardBox.IsDue(entry, questionLanguage, answerLanguage, today)) {
            Question question = Question::FromEntry(entry, questionLanguage, answerLanguage);
            question.questionText = DecodeAccents(std::move(question.questionText));
            question.answerText = DecodeAccents(std::move(question.answerText));
            pool.Append(std::move(question));
        }
    }
    if (pool.Empty()) {
        host.ShowMessage(NothingDueText(), "F\xE4llige W\xF6rter", MessageButtons::Ok,
                         MessageIcon::Information);
        return false;
    }
    gameStarted = true;
    SetTitle("F\xE4llige W\xF6rter");
    pool.MoveToFirst();
    SetModifiedFlag(true);
    NextQuestion();
    return true;
}

std::uint32_t CLingomatDoc::DueTodayCount() {
    const Day today = Today();
    std::uint32_t count = 0;
    if (cardBox.Size() == 0) {
        return 0;
    }
    for (const auto& [question, answer] : Directions(dataSetName, -1, -1)) {
        for (const VocEntry& entry : vocabulary) {
            count += Askable(entry, question) && cardBox.IsDue(entry, question, answer, today);
        }
    }
    return count;
}

std::string CLingomatDoc::NothingDueText() {
    const Day today = Today();
    std::optional<Day> next;
    for (const VocEntry& entry : vocabulary) {
        if (const Card* card = cardBox.Find(entry, questionLanguage, answerLanguage)) {
            const Day due = CardBox::DueDay(*card, today);
            next = next ? std::min(*next, due) : due;
        }
    }
    const std::string direction = LanguageName(questionLanguage, dataSetName) + " - " +
                                  LanguageName(answerLanguage, dataSetName);
    if (!next) {
        return "In der Richtung " + direction +
               " liegt noch kein Wort in Ihrer Kartei. Spielen Sie zuerst eine Lektion mit "
               "\"Schreiben\" oder Multiple-Choice: jedes beantwortete Wort kommt in die Kartei.";
    }
    const std::string when =
        *next == today + 1 ? "morgen, am " + DayText(*next) : "am " + DayText(*next);
    return "Heute ist in der Richtung " + direction +
           " kein Wort f\xE4llig. Die n\xE4"
           "chsten W\xF6rter sind " +
           when + " f\xE4llig.";
}

std::array<std::uint32_t, CardBox::BoxCount + 1>
CLingomatDoc::LessonBoxCounts(const std::string& code, std::int32_t question,
                              std::int32_t answer) const {
    std::array<std::uint32_t, CardBox::BoxCount + 1> counts{};
    const auto directions = Directions(dataSetName, question, answer);
    for (const VocEntry& entry : vocabulary) {
        if (!entry.InLesson(code)) {
            continue;
        }
        for (const auto& [q, a] : directions) {
            if (Askable(entry, q)) {
                const Card* card = cardBox.Find(entry, q, a);
                ++counts[card == nullptr ? 0 : card->box];
            }
        }
    }
    return counts;
}

} // namespace lingomat
