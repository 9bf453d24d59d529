#include "players/PlayerStatistics.h"

#include <charconv>
#include <cctype>
#include <ctime>
#include <string_view>
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
    readOnly = false;
}

void PlayerStatistics::SetPlayerName(const std::string& name) {
    if (reserved != nullptr && reservedName == name) {
        lock = std::move(reserved);
        lockedName = name;
    } else if (name != lockedName) {
        lock.reset();
        lockedName.clear();
    }
    reserved.reset();
    reservedName.clear();
    playerName = name;
}

FileLock::State PlayerStatistics::Reserve(const std::string& name, std::string& holder) {
    holder.clear();
    if ((lock != nullptr && lockedName == name) || (reserved != nullptr && reservedName == name)) {
        return FileLock::State::Held;
    }
    auto file = FilePathOf(name);
    if (file.empty()) {
        return FileLock::State::Failed;
    }
    file += ".lock";
    auto candidate = std::make_unique<FileLock>();
    const FileLock::State state = candidate->Acquire(file);
    if (state == FileLock::State::Held) {
        reserved = std::move(candidate);
        reservedName = name;
    } else {
        holder = candidate->Holder();
    }
    return state;
}

bool IsUsablePlayerFileName(const std::string& name) {
    // Room for ".lmp" and the longest addition of a lock, temporary or set-aside file within a
    // file name's 255 bytes.
    constexpr std::size_t MaxBytes = 200;
    if (name.empty() || name == "." || name == ".." || name.size() > MaxBytes) {
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

std::string PlayerNameProblem(const std::string& name) {
    if (name.size() > MaxPlayerNameLength) {
        return "Ein Spielername hat h\xF6"
               "chstens " +
               std::to_string(MaxPlayerNameLength) + " Zeichen.";
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F ||
            std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) {
            return "Ein Spielername darf keines der Zeichen < > : \" / \\ | ? * und keine "
                   "Steuerzeichen enthalten.";
        }
    }
    if (name == "." || name == "..") {
        return "Ein Spielername besteht nicht nur aus Punkten.";
    }
    // Names of devices on one common system, with any extension.
    std::string stem = name.substr(0, name.find('.'));
    for (char& c : stem) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const bool numbered = stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9' &&
                          (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0);
    if (numbered || stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") {
        return "\"" + stem + "\" ist der Name eines Ger\xE4ts und kann kein Spielername sein.";
    }
    return {};
}

std::filesystem::path PlayerStatistics::FilePath() const {
    return FilePathOf(playerName);
}

std::filesystem::path PlayerStatistics::FilePathOf(const std::string& name) const {
    if (!IsUsablePlayerFileName(name)) {
        return {};
    }
    return directory / (name + ".lmp");
}

PlayerFileLoad PlayerStatistics::Load() {
    PlayerFileLoad result;
    const auto path = FilePath();
    if (path.empty()) {
        return result;
    }
    std::vector<LessonStatistics> loaded;
    {
        VocFileReader reader;
        reader.Open(path.string(), PlayerFileLimit);
        if (reader.Refusal() == ReadRefusal::Missing) {
            return result;
        }
        if (reader.Refusal() == ReadRefusal::None && ReadRecords(reader, loaded)) {
            records.insert(records.end(), std::make_move_iterator(loaded.begin()),
                           std::make_move_iterator(loaded.end()));
            result.state = PlayerFileLoad::Loaded;
            return result;
        }
    }
    // The file belongs to a program that plays this player too: it is his to deal with.
    if (!readOnly) {
        result.setAsideAs = SetAsideDamagedFile(path, static_cast<std::time_t>(clock->Now()));
    }
    result.state = result.setAsideAs.empty() ? PlayerFileLoad::Kept : PlayerFileLoad::SetAside;
    readOnly = readOnly || result.setAsideAs.empty();
    return result;
}

// Only a file with this player's name line, the marker and the end line is whole; anything less
// is damaged, and saving over it would lose what it still holds.
bool PlayerStatistics::ReadRecords(VocFileReader& reader,
                                   std::vector<LessonStatistics>& loaded) const {
    if (reader.ReadLine() != StoredForm(playerName)) {
        return false;
    }
    bool marked = false;
    while (!reader.atEnd && !marked) {
        marked = reader.ReadLine() == userDataMarker;
    }
    if (!marked) {
        return false;
    }
    // Only the exact end line closes the records: a lesson code may itself begin with "#".
    for (;;) {
        std::string code = reader.ReadLine();
        if (code == endLine) {
            return true;
        }
        if (reader.atEnd) {
            return false;
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
        loaded.push_back(std::move(record));
    }
}

bool PlayerStatistics::Save() const {
    if (playerName.empty() || readOnly) {
        return true;
    }
    const auto path = FilePath();
    if (path.empty()) {
        return false;
    }
    std::filesystem::path temporary;
    {
        VocFileWriter writer;
        writer.Adopt(CreateTemporaryBeside(path, temporary));
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
            if (!temporary.empty()) {
                std::filesystem::remove(temporary, ignored);
            }
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
    RemoveStaleTemporaries(path);
    return true;
}

bool PlayerStatistics::ClearAll() {
    // A watched player's file belongs to another program: clearing it here would be a lie.
    if (readOnly) {
        return false;
    }
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

PlayerSwitch SwitchPlayer(PlayerStatistics& statistics, const std::string& name,
                          const std::function<bool(const std::string& holder)>& watchReadOnly) {
    PlayerSwitch result;
    result.previousName = statistics.PlayerName();
    bool readOnly = false;
    if (!name.empty()) {
        std::string holder;
        // A lock that cannot be made (a read-only folder) guards nothing; the game goes on
        // without, and a failed save is reported where it happens.
        if (statistics.Reserve(name, holder) == FileLock::State::InUse) {
            if (!watchReadOnly || !watchReadOnly(holder)) {
                return result;
            }
            readOnly = true;
        }
    }
    result.previousSaved = statistics.Save();
    statistics.Reset();
    statistics.SetPlayerName(name);
    statistics.SetReadOnly(readOnly);
    result.loaded = statistics.Load();
    result.switched = true;
    return result;
}

std::string PlayerFileLoadText(const std::string& name, const PlayerFileLoad& load) {
    const std::string file = "\"" + name + ".lmp\"";
    switch (load.state) {
    case PlayerFileLoad::SetAside:
        return "Die Spielerdatei " + file +
               " ist besch\xE4"
               "digt und konnte nicht gelesen werden. Sie wurde unver\xE4"
               "ndert in \"" +
               load.setAsideAs.filename().string() + "\" umbenannt; die Statistik von \"" + name +
               "\" beginnt neu.";
    case PlayerFileLoad::Kept:
        return "Die Spielerdatei " + file +
               " konnte nicht gelesen werden. Damit sie erhalten bleibt, werden die Ergebnisse "
               "von \"" +
               name + "\" in diesem Spiel nicht gespeichert.";
    default:
        return {};
    }
}

std::string PlayerInUseText(const std::string& name, const std::string& holder) {
    return "Der Spieler \"" + name + "\" spielt gerade in einem anderen Lingomat" +
           (holder.empty() ? std::string() : " (" + holder + ")") +
           ".\n\nW\xE4hlen Sie bitte einen anderen Namen, oder sehen Sie sich seine Statistik nur "
           "an: Dann werden in diesem Spiel keine Ergebnisse gespeichert.";
}

} // namespace lingomat
