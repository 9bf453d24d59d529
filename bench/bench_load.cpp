#include <cstdio>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "data/DataSetLoader.h"
#include "data/VocDatabase.h"
#include "data/VocFileWriter.h"

namespace lingomat {
namespace {

constexpr int RecordCount = 100'000;

std::string RandomWord(std::mt19937& engine, int minLength, int maxLength) {
    static const std::string letters = "abcdefghijklmnopqrstuvwxyz\xE4\xF6\xFC\xDF\xE9\xE8\xE0\xE7";
    std::string word(minLength + engine() % (maxLength - minLength + 1), 'a');
    for (char& c : word) {
        c = letters[engine() % letters.size()];
    }
    return word;
}

// A version 1 data set of RecordCount records, written once per run and removed at exit.
class DataSetFile {
public:
    DataSetFile() {
        path = std::filesystem::temp_directory_path() /
               ("lingomat-bench-" + std::to_string(std::random_device{}()) + ".voc");
        std::mt19937 engine(7);
        VocFileWriter writer;
        writer.Open(path.string());
        writer.WriteLine("### Lingomatdata");
        writer.WriteLine("1");
        writer.WriteLine("Benchmark");
        writer.WriteLine("#");
        for (int lesson = 0; lesson < 200; ++lesson) {
            writer.WriteLine("Lektion " + std::to_string(lesson));
            writer.WriteLine("L" + std::to_string(lesson) + ";");
        }
        writer.WriteLine("#");
        const char* const classes[] = {"n", "v", "a", ""};
        for (int i = 0; i < RecordCount; ++i) {
            writer.WriteLine("L" + std::to_string(engine() % 200) + ";");
            writer.WriteLine(classes[engine() % 4]);
            writer.WriteLine("le " + RandomWord(engine, 3, 12));
            writer.WriteLine("the " + RandomWord(engine, 3, 12));
            writer.WriteLine("das " + RandomWord(engine, 3, 14) + " " + RandomWord(engine, 2, 8));
        }
        writer.WriteLine("#");
        writer.Close();
    }
    ~DataSetFile() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    DataSetFile(const DataSetFile&) = delete;
    DataSetFile& operator=(const DataSetFile&) = delete;

    std::string Name() const { return path.string(); }
    std::size_t Size() const { return static_cast<std::size_t>(std::filesystem::file_size(path)); }

private:
    std::filesystem::path path;
};

const DataSetFile& File() {
    static const DataSetFile file;
    return file;
}

void BM_LoadDataSet(benchmark::State& state) {
    const DataSetFile& file = File();
    for (auto _ : state) {
        auto database = std::make_unique<VocDatabase>();
        LoadDataSet(*database, file.Name(), nullptr);
        benchmark::DoNotOptimize(database->vocabulary.size());
        // The game loads once into a fresh heap and frees the records only at exit; handing
        // 100,000 records back to the allocator is not part of a load.
        state.PauseTiming();
        const bool whole = database->vocabulary.size() == RecordCount;
        database.reset();
        malloc_trim(0);
        state.ResumeTiming();
        if (!whole) {
            state.SkipWithError("the data set did not load whole");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size()));
}
BENCHMARK(BM_LoadDataSet)->Unit(benchmark::kMillisecond);

// The floor for any loader: the file's bytes read in blocks and complemented in one pass.
void BM_ReadAndComplement(benchmark::State& state) {
    const DataSetFile& file = File();
    std::vector<unsigned char> block(65536);
    for (auto _ : state) {
        std::FILE* in = std::fopen(file.Name().c_str(), "rb");
        unsigned sum = 0;
        for (std::size_t n;
             in != nullptr && (n = std::fread(block.data(), 1, block.size(), in)) > 0;) {
            for (std::size_t i = 0; i < n; ++i) {
                block[i] = static_cast<unsigned char>(255 - block[i]);
            }
            benchmark::DoNotOptimize(block.data());
            sum += block[n - 1];
        }
        if (in != nullptr) {
            std::fclose(in);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size()));
}
BENCHMARK(BM_ReadAndComplement)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lingomat
