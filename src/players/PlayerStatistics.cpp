#include "players/PlayerStatistics.h"

#include <charconv>
#include <cctype>
#include <ctime>
#include <system_error>

#include "data/VocFileReader.h"
#include "data/VocFileWriter.h"
#include "platform/FileSync.h"

namespace lingomat {

namespace {

const char* const userDataMarker = "LingomatUserData";
const char* const endLine = "#";

const Clock& DefaultClock() {
    static const SystemClock systemClock;
    return systemClock;
}

// Fixed notation with the given decimals, independent of the process locale: the player file
// must read back the same wherever it was written.
std::string FormatFixed(float value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0");
}

// Reads the fields of an entry line in order and stops at the first one that does not parse,
// leaving it and every later one at 0, as a scanf-style reader does.
class EntryParser {
public:
    explicit EntryParser(const std::string& line)
        : at(line.data()), end(line.data() + line.size()) {}

    bool Next(float& value) {
        SkipBlanks();
        if (failed || at == end) {
            return Fail();
        }
        const char* start = at;
        if (*start == '+') {
            ++start;
        }
        const auto result = std::from_chars(start, end, value);
        if (result.ec != std::errc()) {
            return Fail();
        }
        at = result.ptr;
        return true;
    }

    bool Next(std::uint32_t& value) {
        SkipBlanks();
        if (failed || at == end) {
            return Fail();
        }
        const bool negative = *at == '-';
        const char* start = (*at == '-' || *at == '+') ? at + 1 : at;
        unsigned long long magnitude = 0;
        const auto result = std::from_chars(start, end, magnitude);
        if (result.ec == std::errc::invalid_argument) {
            return Fail();
        }
        // Out-of-range numbers keep their low 32 bits, like an unsigned conversion does.
        const auto low = static_cast<std::uint32_t>(magnitude);
        value = negative ? 0u - low : low;
        at = result.ptr;
        return true;
    }

private:
    void SkipBlanks() {
        while (at != end && std::isspace(static_cast<unsigned char>(*at))) {
            ++at;
        }
    }
    bool Fail() {
        failed = true;
        return false;
    }

    const char* at;
    const char* end;
    bool failed = false;
};

// The leading decimal number of a line, 0 when there is none.
std::size_t LeadingCount(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) {
        ++i;
    }
    if (i < line.size() && line[i] == '+') {
        ++i;
    }
    std::size_t count = 0;
    std::from_chars(line.data() + i, line.data() + line.size(), count);
    return count;
}

// The name line as the stream can hold it: the writer replaces the bytes that would end the data.
std::string StoredForm(std::string text) {
    for (char& c : text) {
        if (c == '\xE5') {
            c = 'a';
        } else if (c == '\xFF') {
            c = 'y';
        }
    }
    return text;
}

} // namespace

void LessonStatistics::Resize(std::size_t count) {
    playedAt.resize(count);
    score.resize(count);
    completion.resize(count);
    gameMode.resize(count);
    questionLanguage.resize(count);
    answerLanguage.resize(count);
}

PlayerStatistics::PlayerStatistics() : clock(&DefaultClock()) {}

void PlayerStatistics::Reset() {
    playerName.clear();
    records.clear();
}

bool IsUsablePlayerFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\' || c == ':') {
            return false;
        }
    }
    return true;
}

std::filesystem::path PlayerStatistics::FilePath() const {
    if (!IsUsablePlayerFileName(playerName)) {
        return {};
    }
    return directory / (playerName + ".lmp");
}

void PlayerStatistics::Load() {
    const auto path = FilePath();
    if (path.empty()) {
        return;
    }
    VocFileReader reader;
    reader.Open(path.string());
    if (reader.ReadLine() != StoredForm(playerName)) {
        return;
    }
    while (!reader.atEnd && reader.ReadLine() != userDataMarker) {
    }
    // Only the exact end line closes the records: a lesson code may itself begin with "#".
    while (!reader.atEnd) {
        std::string code = reader.ReadLine();
        if (code == endLine || (reader.atEnd && code.empty())) {
            break;
        }
        LessonStatistics record;
        record.lessonCode = std::move(code);
        const std::size_t count = LeadingCount(reader.ReadLine());
        // The count is not trusted for the allocation: entries are taken as long as lines last.
        for (std::size_t i = 0; i < count && !reader.atEnd; ++i) {
            const std::string line = reader.ReadLine();
            if (reader.atEnd && line.empty()) {
                break;
            }
            record.Resize(i + 1);
            EntryParser parser(line);
            parser.Next(record.score[i]) && parser.Next(record.playedAt[i]) &&
                parser.Next(record.completion[i]) && parser.Next(record.gameMode[i]) &&
                parser.Next(record.questionLanguage[i]) && parser.Next(record.answerLanguage[i]);
        }
        records.push_back(std::move(record));
    }
}

bool PlayerStatistics::Save() const {
    if (playerName.empty()) {
        return true;
    }
    const auto path = FilePath();
    if (path.empty()) {
        return false;
    }
    auto temporary = path;
    temporary += ".tmp";
    {
        VocFileWriter writer;
        writer.Open(temporary.string());
        writer.WriteLine(playerName);
        writer.WriteLine(userDataMarker);
        for (const auto& record : records) {
            writer.WriteLine(record.lessonCode);
            writer.WriteLine(std::to_string(record.Count()));
            for (std::size_t i = 0; i < record.Count(); ++i) {
                writer.WriteLine(FormatFixed(record.score[i], 6) + ' ' +
                                 std::to_string(record.playedAt[i]) + ' ' +
                                 FormatFixed(record.completion[i], 6) + ' ' +
                                 std::to_string(record.gameMode[i]) + ' ' +
                                 std::to_string(record.questionLanguage[i]) + ' ' +
                                 std::to_string(record.answerLanguage[i]));
            }
        }
        writer.WriteLine(endLine);
        const bool synced = writer.Sync();
        if (!writer.Close() || !synced) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    // The new file is in place either way; syncing the folder only makes the rename outlast a
    // power cut.
    SyncPath(path.parent_path());
    return true;
}

bool PlayerStatistics::ClearAll() {
    records.clear();
    return Save();
}

void PlayerStatistics::Record(const std::string& lessonCode, float score, float completion,
                              std::uint32_t gameMode, std::uint32_t questionLanguage,
                              std::uint32_t answerLanguage) {
    LessonStatistics* target = nullptr;
    for (auto& record : records) {
        if (record.lessonCode == lessonCode) {
            target = &record;
            break;
        }
    }
    if (target == nullptr) {
        records.emplace_back();
        target = &records.back();
        target->lessonCode = lessonCode;
    }
    target->playedAt.push_back(static_cast<std::uint32_t>(clock->Now()));
    target->score.push_back(score);
    target->completion.push_back(completion);
    target->gameMode.push_back(gameMode);
    target->questionLanguage.push_back(questionLanguage);
    target->answerLanguage.push_back(answerLanguage);
}

float PlayerStatistics::BestPercent(const std::string& lessonCode, std::int32_t questionLanguage,
                                    std::int32_t answerLanguage) const {
    float best = 0.0f;
    bool found = false;
    for (const auto& record : records) {
        if (record.lessonCode != lessonCode) {
            continue;
        }
        for (std::size_t i = 0; i < record.Count(); ++i) {
            if ((questionLanguage != -1 &&
                 static_cast<std::uint32_t>(questionLanguage) != record.questionLanguage[i]) ||
                (answerLanguage != -1 &&
                 static_cast<std::uint32_t>(answerLanguage) != record.answerLanguage[i])) {
                continue;
            }
            const float value = record.score[i] * record.completion[i];
            if (value > best) {
                best = value;
                found = true;
            }
        }
    }
    return found ? best * 100.0f : -1.0f;
}

std::string PlayerStatistics::BestPercentText(const std::string& lessonCode,
                                              std::int32_t questionLanguage,
                                              std::int32_t answerLanguage) const {
    const float percent = BestPercent(lessonCode, questionLanguage, answerLanguage);
    if (percent == -1.0f) {
        return " - ";
    }
    return " (" + FormatFixed(percent, 1) + "%)";
}

std::string PlayerStatistics::LastPlayedText(const std::string& lessonCode) const {
    std::int32_t latest = 0;
    for (const auto& record : records) {
        if (record.lessonCode != lessonCode) {
            continue;
        }
        for (const auto stamp : record.playedAt) {
            const auto value = static_cast<std::int32_t>(stamp);
            if (value > latest) {
                latest = value;
            }
        }
    }
    if (latest == 0) {
        return "---";
    }
    const std::time_t when = latest;
    const std::tm* local = std::localtime(&when);
    char buffer[32];
    if (local == nullptr || std::strftime(buffer, sizeof buffer, "%d.%m.%Y %H:%M", local) == 0) {
        return "---";
    }
    return buffer;
}

} // namespace lingomat
