#include <filesystem>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "players/CardBox.h"

namespace lingomat {
namespace {

constexpr int CardCount = 100'000;
constexpr Day FirstDay = 20'000;

std::string Word(std::mt19937& engine, const char* prefix) {
    return prefix + std::to_string(engine() % 1'000'000) + " " + std::to_string(engine());
}

// A box of CardCount cards in a fresh folder, spread over the five boxes and a month of days.
class BoxFolder {
public:
    BoxFolder() {
        folder = std::filesystem::temp_directory_path() /
                 ("lingomat-bench-box-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder);
        box.SetDirectory(folder);
        box.SetOwner("Anna", "lingomat.voc");
        std::mt19937 engine(11);
        VocEntry entry;
        while (box.Size() < CardCount) {
            entry.SetText(LanguageGerman, Word(engine, "das Wort "));
            entry.SetText(LanguageEnglish, Word(engine, "the word "));
            entry.SetText(LanguageFrench, Word(engine, "le mot "));
            const Day day = FirstDay + static_cast<Day>(engine() % 30);
            for (std::uint32_t step = 0; step <= engine() % 5; ++step) {
                box.Answer(entry, LanguageGerman, LanguageEnglish, true,
                           day + (Day{1} << step) - 1);
            }
        }
        box.Save();
    }
    ~BoxFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::filesystem::path folder;
    CardBox box;
};

BoxFolder& Shared() {
    static BoxFolder shared;
    return shared;
}

void BM_LoadCardBox(benchmark::State& state) {
    BoxFolder& shared = Shared();
    CardBox box;
    box.SetDirectory(shared.folder);
    box.SetOwner("Anna", "lingomat.voc");
    for (auto _ : state) {
        const auto report = box.Load();
        benchmark::DoNotOptimize(report);
        if (report.result != CardBox::LoadResult::Loaded || box.Size() != CardCount) {
            state.SkipWithError("the box did not load whole");
        }
    }
    state.counters["bytes"] =
        static_cast<double>(std::filesystem::file_size(shared.box.FilePath()));
}
BENCHMARK(BM_LoadCardBox)->Unit(benchmark::kMillisecond);

// Written, synced and renamed each time, as at the end of every game.
void BM_SaveCardBox(benchmark::State& state) {
    BoxFolder& shared = Shared();
    for (auto _ : state) {
        if (!shared.box.Save()) {
            state.SkipWithError("the box could not be saved");
        }
    }
}
BENCHMARK(BM_SaveCardBox)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lingomat
