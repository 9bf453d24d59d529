#include <string>

#include <benchmark/benchmark.h>

#include "data/GameTypes.h"
#include "matching/AnswerMatching.h"

namespace {

lingomat::CorrectionOptions AllOptions() {
    lingomat::CorrectionOptions options;
    options.ignoreAccents = true;
    options.ignoreCase = true;
    options.ignoreSpacing = true;
    options.ignoreArticles = true;
    return options;
}

// A typical several-answer entry with an optional article and umlauts.
const std::string threeDogs = "/der Hund /der K\xF6ter /(der) Kl\xE4"
                              "ffer";

void RunMatch(benchmark::State& state, const std::string& typed, bool right) {
    const lingomat::CorrectionOptions options = AllOptions();
    for (auto _ : state) {
        const bool matched = lingomat::AnswerMatches(typed, threeDogs, options);
        benchmark::DoNotOptimize(matched);
        if (matched != right) {
            state.SkipWithError("unexpected verdict");
            break;
        }
    }
}

void BM_AnswerMatchesRight(benchmark::State& state) {
    RunMatch(state, "Klaffer", true);
}

void BM_AnswerMatchesWrong(benchmark::State& state) {
    RunMatch(state, "Dackel", false);
}

} // namespace

BENCHMARK(BM_AnswerMatchesRight);
BENCHMARK(BM_AnswerMatchesWrong);
