#include "data/DataSetLoader.h"

#include <algorithm>
#include <cstdint>

#include "data/VocDatabase.h"
#include "data/VocFileReader.h"

namespace lingomat {

namespace {

const char* const HeaderLine = "### Lingomatdata";
// The bar fills over this many records and then starts again from the left.
constexpr int ProgressWrap = 5001;
constexpr int ProgressStep = 25;
constexpr int RecordsPerPercent = 50;

std::string Shown(std::string text) {
    if (text.size() > VocEntry::MaxTextLength) {
        text.resize(VocEntry::MaxTextLength);
    }
    return text;
}

} // namespace

std::int32_t DataSetVersion(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || (line[i] >= '\t' && line[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
        negative = line[i] == '-';
        ++i;
    }
    constexpr std::int32_t limit = 1'000'000'000;
    std::int64_t value = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        value = std::min<std::int64_t>(limit, value * 10 + (line[i] - '0'));
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

ReadRefusal LoadDataSet(VocDatabase& database, const std::string& fileName,
                        LoadProgress* progress) {
    database.pool.Clear();
    database.vocabulary.clear();

    VocFileReader reader;
    reader.Open(fileName, DataSetFileLimit);
    std::int32_t version = 0;
    if (reader.ReadLine() == HeaderLine) {
        version = DataSetVersion(reader.ReadLine());
    } else {
        reader.Rewind();
    }
    database.lessonTable.Load(reader);

    if (progress != nullptr) {
        progress->Begin(0, (ProgressWrap - 1) / RecordsPerPercent);
    }
    int counter = 0;
    while (!reader.NextIsSectionEnd() && !reader.atEnd) {
        if (++counter == ProgressWrap) {
            counter = 0;
        }
        if (progress != nullptr && counter % ProgressStep == 0) {
            progress->Set(counter / RecordsPerPercent);
        }
        VocEntry& entry = database.vocabulary.emplace_back();
        entry.SetLesson(reader.ReadLine());
        if (version == VersionWithWordClass) {
            entry.SetWordClass(reader.ReadLine());
        }
        entry.SetText(LanguageFrench, Shown(reader.ReadLine()));
        entry.SetText(LanguageEnglish, Shown(reader.ReadLine()));
        entry.SetText(LanguageGerman, Shown(reader.ReadLine()));
    }
    if (progress != nullptr) {
        progress->End();
    }
    return reader.Refusal();
}

} // namespace lingomat
