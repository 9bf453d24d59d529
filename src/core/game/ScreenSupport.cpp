#include "game/LingomatDoc.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string_view>
#include <unordered_map>

#include "matching/AccentEscapes.h"
#include "platform/SafeFiles.h"
#include "matching/AnswerForms.h"
#include "matching/AnswerMatching.h"

namespace lingomat {

namespace {

// A tip longer than this is cut; the rest of its line is passed over.
constexpr std::size_t MaxTipLength = 499;
// "tipps.txt" holds a few dozen lines; a runaway file must not fill the memory.
constexpr std::size_t MaxTips = 10000;

// A delay of 0 would stop the view's step timer, so a View game whose time setting is 0 would
// stand still for ever; the shortest real delay keeps it going.
constexpr std::uint32_t MinViewStepDelay = 1;

std::uint32_t RunningDelay(std::uint32_t delay) {
    return delay < MinViewStepDelay ? MinViewStepDelay : delay;
}

} // namespace

void CLingomatDoc::TypeCharacter(char character) {
    cursorPos = std::min(cursorPos, static_cast<std::uint32_t>(typedAnswer.size()));
    typedAnswer.insert(typedAnswer.begin() + cursorPos, character);
    ++cursorPos;
}

void CLingomatDoc::EraseBeforeCursor() {
    cursorPos = std::min(cursorPos, static_cast<std::uint32_t>(typedAnswer.size()));
    if (cursorPos > 0) {
        typedAnswer.erase(cursorPos - 1, 1);
        --cursorPos;
    }
}

void CLingomatDoc::EraseAfterCursor() {
    cursorPos = std::min(cursorPos, static_cast<std::uint32_t>(typedAnswer.size()));
    if (cursorPos < typedAnswer.size()) {
        typedAnswer.erase(cursorPos, 1);
    }
}

void CLingomatDoc::SetCursor(std::uint32_t position) {
    cursorPos = std::min(position, static_cast<std::uint32_t>(typedAnswer.size()));
}

void CLingomatDoc::TypeAnswer(const std::string& text) {
    typedAnswer = text;
    cursorPos = static_cast<std::uint32_t>(text.size());
}

std::uint32_t CLingomatDoc::CopyDelay(bool showNow) {
    if (!TraitsOf(gameMode).showsTemplate) {
        return 0;
    }
    if (!showNow && copyModeSettings.timeBeforeCopy != 0) {
        copyModeSettings.templateVisible = false;
        return copyModeSettings.timeBeforeCopy;
    }
    copyModeSettings.templateVisible = true;
    return 0;
}

std::string CLingomatDoc::CopyTemplate() const {
    const Question* current = pool.Current();
    if (current == nullptr || !copyModeSettings.templateVisible) {
        return {};
    }
    const std::string answer = DecodeAccents(current->answerText);
    // The variant is kept within the forms, so FormAt never needs to draw one at random.
    static Random neverDrawn;
    const std::size_t forms = FormCount(answer);
    const long long variant = answerVariant < forms ? answerVariant : 0;
    // Optional parts and gender markers are left out: copied with its parentheses the form
    // would be judged wrong, while without them it is always an accepted answer.
    std::string form = RemoveParentheses(SquashBlanks(FormAt(answer, variant, neverDrawn)));

    std::size_t article = 0;
    if (correctionOptions.ignoreArticles) {
        form = StripArticle(form);
    } else {
        article = form.size() - StripArticle(form).size();
    }
    // The count is taken from the form the template is cut from, so that with articles left out
    // a percentage or a number of letters still means letters of the word itself.
    const std::size_t length = form.size();

    std::size_t shown = length;
    switch (copyModeSettings.copyMode) {
    case 1:
        shown = copyModeSettings.letterShown + article;
        break;
    case 2:
        shown = copyModeSettings.letterNotShown <= length ? length - copyModeSettings.letterNotShown
                                                          : length;
        break;
    case 3:
        if (copyModeSettings.percentShown == 0) {
            return {};
        }
        shown = (length - article) * copyModeSettings.percentShown / 100 + article;
        break;
    default:
        break;
    }
    // The form has lost its article already; stripping the cut once more would take a second
    // one («sich das Bein» -> «Bein»), which no answer accepts.
    std::string result = form.substr(0, std::min(shown, length));
    if (copyModeSettings.showSZAsSS) {
        result = ReplaceAll(result, "\xDF", "ss");
    }
    return result;
}

std::uint32_t CLingomatDoc::ViewModeStep() {
    if (!gameStarted || gameOver) {
        return 0;
    }
    ViewModeSettings& settings = viewModeSettings;
    if (pool.Current() != nullptr) {
        const std::size_t answerLength = ShownAnswer().size();
        if (!settings.wordShown) {
            settings.wordShown = true;
            return RunningDelay(settings.timeBeforeViewer);
        }
        if (settings.letterByLetter && cursorPos <= answerLength) {
            ++cursorPos;
            return RunningDelay(cursorPos > answerLength ? settings.timeAfterWord
                                                         : settings.timeLetter);
        }
        settings.wordShown = false;
        cursorPos = 0;
        pool.RemoveCurrent();
        if (!pool.Empty()) {
            NextQuestion();
            return RunningDelay(settings.letterByLetter ? settings.timeLetter
                                                        : settings.timeAfterWord);
        }
    }
    // Watched to the end: the end screen says so.
    EndOfGame();
    return 0;
}

std::string CLingomatDoc::ShownAnswer() const {
    const Question* current = pool.Current();
    return current == nullptr ? std::string() : DisplayForm(current->answerText, answerVariant);
}

std::string CLingomatDoc::RevealedAnswer() const {
    if (!viewModeSettings.wordShown) {
        return {};
    }
    // The same form the glimpse and the verdict show, never the stored slashes.
    const std::string shown = ShownAnswer();
    if (!viewModeSettings.letterByLetter) {
        return shown;
    }
    return shown.substr(0, std::min<std::size_t>(cursorPos, shown.size()));
}

void CLingomatDoc::StartClock() {
    gameClock.start = clock.Now();
    gameClock.current = gameClock.start;
    gameClock.running = true;
}

bool CLingomatDoc::TickClock() {
    if (!gameClock.running) {
        return false;
    }
    const std::int64_t now = clock.Now();
    if (now == gameClock.current) {
        return false;
    }
    gameClock.current = now;
    return true;
}

std::string CLingomatDoc::ClockText() const {
    if (!gameClock.running) {
        return {};
    }
    // A clock set back during the game shows 00 : 00 rather than nonsense.
    const std::int64_t elapsed =
        gameClock.current > gameClock.start ? gameClock.current - gameClock.start : 0;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d : %02d", static_cast<int>(elapsed / 60 % 60),
                  static_cast<int>(elapsed % 60));
    return buffer;
}

void CLingomatDoc::Glimpse() {
    // Only a question on screen can be glimpsed at; a cheat after the end would change the
    // report that is already shown.
    if (!gameStarted || gameOver || pool.Empty()) {
        return;
    }
    ++cheatCount;
    glimpseActive = true;
    cardGlimpsed = true;
}

void CLingomatDoc::EndGlimpse() {
    if (glimpseActive && !gameOver) {
        glimpseActive = false;
    }
}

void CLingomatDoc::RotateAnswerForm() {
    const Question* current = pool.Current();
    if (!gameStarted || current == nullptr) {
        return;
    }
    const std::size_t forms = FormCount(current->answerText);
    answerVariant = answerVariant + 1 >= forms ? 0 : answerVariant + 1;
}

void CLingomatDoc::RemoveDuplicateQuestions() {
    if (pool.Empty()) {
        return;
    }
    const std::vector<Question>& questions = pool.Questions();
    const std::size_t currentIndex = pool.CurrentIndex();
    std::vector<Question> kept;
    std::unordered_map<const VocEntry*, std::size_t> firstOf;
    std::size_t newCurrent = 0;
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const auto [found, added] = firstOf.try_emplace(questions[i].entry, kept.size());
        if (added) {
            kept.push_back(questions[i]);
        }
        // When the current question goes, the copy that stays is asked in its place: the player
        // keeps the word he is looking at.
        if (i == currentIndex) {
            newCurrent = found->second;
        }
    }
    pool.Clear();
    for (const Question& question : kept) {
        pool.Append(question);
    }
    pool.MoveToFirst();
    pool.Advance(newCurrent);
}

void CLingomatDoc::LoadTips() {
    tipList.clear();
    std::string content;
    if (!ReadRegularFile(WorkingPath("tipps.txt"), TipsFileLimit, content)) {
        return;
    }
    std::string_view rest(content);
    while (tipList.size() < MaxTips) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        // A file that ends with a line feed gives one more, empty, line, as it always did.
        tipList.emplace_back(line.substr(0, MaxTipLength));
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
}

std::string CLingomatDoc::RandomTip() {
    std::vector<std::size_t> filled;
    for (std::size_t i = 0; i < tipList.size(); ++i) {
        if (!tipList[i].empty()) {
            filled.push_back(i);
        }
    }
    // Drawing among the filled lines gives each the same chance as drawing among all lines until
    // a filled one comes up, and it ends even when there is none.
    if (filled.empty()) {
        return {};
    }
    return tipList[filled[random.Draw(static_cast<std::uint32_t>(filled.size()))]];
}

} // namespace lingomat
