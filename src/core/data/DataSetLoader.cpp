#include "data/DataSetLoader.h"

#include <algorithm>
#include <cstdint>

#include "data/DataSetLayoutReader.h"
#include "data/VocDatabase.h"
#include "data/VocFileReader.h"

namespace lingomat {

namespace {

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

// Fills the database from the sections as the layout reader hands them over.
class DatabaseFiller {
public:
    DatabaseFiller(VocDatabase& database, LoadProgress* progress)
        : database(database), progress(progress) {}

    void Version(std::int32_t number, const std::string&) {
        withWordClass = number == VersionWithWordClass;
    }
    void PreambleLine(std::string& line) {
        if (!line.empty()) {
            database.lessonTable.preambleLines.push_back(std::move(line));
        }
    }
    void Lesson(std::string& name, std::string& code) {
        database.lessonTable.Add(std::move(name), std::move(code));
    }
    void NamelessLesson(const std::string&) {}
    void Record(RecordLines<std::string>& lines) {
        if (++counter == ProgressWrap) {
            counter = 0;
        }
        if (progress != nullptr && counter % ProgressStep == 0) {
            progress->Set(counter / RecordsPerPercent);
        }
        VocEntry& entry = database.vocabulary.emplace_back();
        entry.SetLesson(std::move(lines.lesson));
        if (withWordClass) {
            entry.SetWordClass(lines.wordClass);
        }
        entry.SetText(LanguageFrench, Shown(std::move(lines.texts[LanguageFrench])));
        entry.SetText(LanguageEnglish, Shown(std::move(lines.texts[LanguageEnglish])));
        entry.SetText(LanguageGerman, Shown(std::move(lines.texts[LanguageGerman])));
    }

private:
    VocDatabase& database;
    LoadProgress* progress;
    bool withWordClass = false;
    int counter = 0;
};

// The stored byte stream as the layout reader wants its lines.
class StoredLines {
public:
    explicit StoredLines(VocFileReader& reader) : reader(reader) {}
    std::string ReadLine() { return reader.ReadLine(); }
    bool NextIsSectionEnd() { return reader.NextIsSectionEnd(); }
    bool AtEnd() const { return reader.atEnd; }
    void Rewind() { reader.Rewind(); }

private:
    VocFileReader& reader;
};

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
    database.lessonTable.lessons.clear();
    database.lessonTable.preambleLines.clear();

    VocFileReader reader;
    reader.Open(fileName, DataSetFileLimit);
    if (progress != nullptr) {
        progress->Begin(0, (ProgressWrap - 1) / RecordsPerPercent);
    }
    StoredLines lines(reader);
    DatabaseFiller filler(database, progress);
    ReadDataSetLayout(lines, filler);
    database.lessonTable.ResetCursors();
    if (progress != nullptr) {
        progress->End();
    }
    return reader.Refusal();
}

} // namespace lingomat
