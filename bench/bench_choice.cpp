#include <cstdint>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "game/LingomatDoc.h"
#include "matching/AccentEscapes.h"
#include "platform/Clock.h"
#include "platform/DocumentHost.h"
#include "platform/ProfileStore.h"

namespace {

using namespace lingomat;

class SilentHost : public DocumentHost {
public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageButtons,
                              MessageIcon) override {
        return MessageAnswer::Ok;
    }
    void ChoosePlayer(PlayerStatistics&, std::string&) override {}
};

// Made-up words of two to four syllables, a few of them with an article or a second word, so
// that word classes, blank counts and likeness all vary as in a real data set.
std::string MadeUpText(std::mt19937& engine) {
    static const char* const syllables[] = {"ka",   "lo", "mi",  "ter", "sen", "bu", "\"a", "ri",
                                            "chen", "do", "fel", "ne",  "to",  "st", "ei",  "gu"};
    std::string text;
    const int kind = static_cast<int>(engine() % 10);
    if (kind == 0) {
        text = "the ";
    } else if (kind == 1) {
        text = "to ";
    }
    const unsigned count = 2 + engine() % 3;
    for (unsigned i = 0; i < count; ++i) {
        text += syllables[engine() % std::size(syllables)];
    }
    if (kind == 2) {
        text += " up";
    }
    return text;
}

void BM_PrepareChoiceRound(benchmark::State& state) {
    SilentHost host;
    MemoryProfileStore profile;
    FixedClock clock(1700000000);
    CLingomatDoc doc(host, profile, clock, "/nonexistent-lingomat-folder");
    std::mt19937 engine(42);
    for (int i = 0; i < 100000; ++i) {
        VocEntry& entry = doc.vocabulary.emplace_back();
        entry.SetText(LanguageGerman, MadeUpText(engine));
        entry.SetText(LanguageEnglish, MadeUpText(engine));
        entry.SetText(LanguageFrench, MadeUpText(engine));
        entry.wordClass = engine() % 4;
    }
    Question question = Question::FromEntry(doc.vocabulary[4711], LanguageGerman, LanguageEnglish);
    question.answerText = DecodeAccents(question.answerText);
    doc.pool.Append(question);
    doc.ChooseGame(GameModeChoiceOtherLessons, doc.questionLanguage, doc.answerLanguage);
    doc.gameStarted = true;
    doc.SetChoiceCount(4);
    for (auto _ : state) {
        const bool usable = doc.PrepareChoiceRound();
        benchmark::DoNotOptimize(usable);
    }
}

} // namespace

BENCHMARK(BM_PrepareChoiceRound)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
