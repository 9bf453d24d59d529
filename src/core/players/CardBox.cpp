#include "players/CardBox.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/FileSync.h"
#include "players/PlayerStatistics.h"

namespace lingomat {

namespace {

const char* const Magic = "LingomatKartei 1";
const char* const PlayerPrefix = "Spieler\t";
const char* const DataSetPrefix = "Datensatz\t";
const char* const EndLine = "#";
const char* const Extension = ".lmk";
// A box of every word of every shipped data set in every direction is a few megabytes; a file
// far beyond that is not ours and must not be read into memory.
constexpr std::uintmax_t MaxFileSize = 256u << 20;

void Escape(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
}

std::string Escaped(std::string_view text) {
    std::string out;
    Escape(out, text);
    return out;
}

// Keys are compared as stored, so only the form Escape writes is sound.
bool CanonicalText(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            return false;
        }
        if (text[i] == '\\') {
            if (++i == text.size()) {
                return false;
            }
            const char next = text[i];
            if (next != '\\' && next != 't' && next != 'n' && next != 'r') {
                return false;
            }
        }
    }
    return true;
}

bool ParseNumber(std::string_view text, std::int64_t& value) {
    if (text.empty() || text.size() > 9) {
        return false;
    }
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

// "yyyy-mm-dd"
bool ParseDate(std::string_view text, Day& day) {
    std::int64_t year = 0;
    std::int64_t month = 0;
    std::int64_t dayOfMonth = 0;
    return text.size() == 10 && text[4] == '-' && text[7] == '-' &&
           ParseNumber(text.substr(0, 4), year) && ParseNumber(text.substr(5, 2), month) &&
           ParseNumber(text.substr(8, 2), dayOfMonth) && DayFromDate(year, month, dayOfMonth, day);
}

struct Date {
    std::int64_t year;
    std::int64_t month;
    std::int64_t day;
};

// The proleptic Gregorian calendar by era arithmetic: exact for every day, no table, no library.
Date DateOfDay(Day day) {
    day += 719468;
    const std::int64_t era = (day >= 0 ? day : day - 146096) / 146097;
    const std::int64_t dayOfEra = day - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const std::int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month,
            dayOfYear - (153 * shiftedMonth + 2) / 5 + 1};
}

std::string IsoDate(Day day) {
    const Date date = DateOfDay(day);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02lld-%02lld", static_cast<long long>(date.year),
                  static_cast<long long>(date.month), static_cast<long long>(date.day));
    return buffer;
}

// One card line: box, due day and key. False for anything Save would not have written.
bool ParseCard(std::string_view line, std::string& key, Card& card) {
    if (line.size() < 14 || line[0] < '1' || line[0] > '0' + static_cast<int>(CardBox::BoxCount) ||
        line[1] != '\t' || line[12] != '\t' || !ParseDate(line.substr(2, 10), card.due)) {
        return false;
    }
    card.box = static_cast<std::uint32_t>(line[0] - '0');
    const std::string_view rest = line.substr(13);
    // Question and answer language, then at least one text.
    if (rest.size() < 5 || rest[0] < '0' || rest[0] > '9' || rest[1] != '\t' || rest[2] < '0' ||
        rest[2] > '9' || rest[3] != '\t' || rest[0] == rest[2] || !CanonicalText(rest.substr(4))) {
        return false;
    }
    key.assign(rest);
    return true;
}

// Moves the file out of the way under a name that is still free; empty when it could not.
std::filesystem::path SetAside(const std::filesystem::path& file, const char* suffix) {
    for (int attempt = 1; attempt <= 100; ++attempt) {
        auto target = file;
        target += suffix;
        if (attempt > 1) {
            target += std::to_string(attempt);
        }
        std::error_code error;
        if (std::filesystem::exists(target, error) || error) {
            continue;
        }
        std::filesystem::rename(file, target, error);
        return error ? std::filesystem::path() : target;
    }
    return {};
}

} // namespace

Day LocalDay(std::int64_t seconds) {
    const std::time_t when = static_cast<std::time_t>(seconds);
    std::tm local{};
#ifdef _WIN32
    const bool converted = localtime_s(&local, &when) == 0;
#else
    const bool converted = localtime_r(&when, &local) != nullptr;
#endif
    Day day = 0;
    if (!converted ||
        !DayFromDate(local.tm_year + 1900LL, local.tm_mon + 1LL, local.tm_mday, day)) {
        // A moment the library cannot place still has a day: the one of universal time.
        return seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    }
    return day;
}

bool DayFromDate(std::int64_t year, std::int64_t month, std::int64_t day, Day& result) {
    static constexpr int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > monthDays[month - 1] + (month == 2 && leap ? 1 : 0)) {
        return false;
    }
    const std::int64_t shiftedYear = month <= 2 ? year - 1 : year;
    const std::int64_t era = shiftedYear / 400;
    const std::int64_t yearOfEra = shiftedYear - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    result = era * 146097 + dayOfEra - 719468;
    return true;
}

std::string DayText(Day day) {
    const Date date = DateOfDay(day);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02lld.%02lld.%04lld", static_cast<long long>(date.day),
                  static_cast<long long>(date.month), static_cast<long long>(date.year));
    return buffer;
}

Day CardBox::Interval(std::uint32_t box) {
    const std::uint32_t bounded = std::clamp<std::uint32_t>(box, 1, BoxCount);
    return Day{1} << (bounded - 1);
}

void CardBox::SetOwner(const std::string& playerName, const std::string& dataSetName) {
    player = playerName;
    // The same data set reached through another folder is still the same data set.
    dataSet = std::filesystem::path(dataSetName).filename().string();
    blocked = false;
}

std::filesystem::path CardBox::FilePath() const {
    const std::string stem = std::filesystem::path(dataSet).stem().string();
    if (!IsUsablePlayerFileName(player) || !IsUsablePlayerFileName(stem)) {
        return {};
    }
    return directory / (player + "." + stem + Extension);
}

std::string CardBox::Key(const VocEntry& entry, Language question, Language answer) {
    std::string key = std::to_string(question) + '\t' + std::to_string(answer);
    for (Language column = 0; column < entry.ColumnCount(); ++column) {
        key += '\t';
        Escape(key, entry.Text(column));
    }
    return key;
}

CardBox::LoadReport CardBox::Load() {
    cards.clear();
    blocked = false;
    LoadReport report;
    const auto path = FilePath();
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error)) {
        return report;
    }
    std::string contents;
    const auto size = std::filesystem::file_size(path, error);
    bool sound = !error && size <= MaxFileSize;
    if (sound) {
        contents.resize(static_cast<std::size_t>(size));
        std::FILE* file = std::fopen(path.string().c_str(), "rb");
        sound = file != nullptr &&
                std::fread(contents.data(), 1, contents.size(), file) == contents.size();
        if (file != nullptr) {
            std::fclose(file);
        }
    }

    std::vector<std::string_view> lines;
    const std::string_view all(contents);
    for (std::size_t start = 0; sound && start < all.size();) {
        const std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) {
            sound = false; // the last line was cut off
            break;
        }
        lines.push_back(all.substr(start, end - start));
        start = end + 1;
    }

    // Foreign only where the file says so; a file too short to tell is a damaged one of ours.
    const bool foreign = (!lines.empty() && lines[0] != Magic) ||
                         (lines.size() >= 3 && (lines[1] != PlayerPrefix + Escaped(player) ||
                                                lines[2] != DataSetPrefix + Escaped(dataSet)));
    const bool ours = !foreign && lines.size() >= 3;
    if (foreign) {
        report.result = LoadResult::Foreign;
    } else {
        bool ended = false;
        std::string key;
        for (std::size_t i = 3; ours && i < lines.size(); ++i) {
            Card card;
            if (ended || lines[i] == EndLine) {
                sound = sound && !ended;
                ended = true;
            } else if (ParseCard(lines[i], key, card)) {
                cards[key] = card;
            } else {
                sound = false;
            }
        }
        report.result = ours && sound && ended ? LoadResult::Loaded : LoadResult::Damaged;
    }
    if (report.result != LoadResult::Loaded) {
        report.setAsideAs =
            SetAside(path, report.result == LoadResult::Foreign ? ".fremd" : ".defekt");
        blocked = report.setAsideAs.empty();
    }
    return report;
}

bool CardBox::Save() const {
    if (player.empty() || dataSet.empty()) {
        return true;
    }
    const auto path = FilePath();
    std::error_code error;
    if (path.empty() || blocked) {
        return false;
    }
    if (cards.empty() && !std::filesystem::exists(path, error)) {
        return true;
    }
    // Sorted, so that the same box always makes the same file.
    std::vector<const std::pair<const std::string, Card>*> sorted;
    sorted.reserve(cards.size());
    for (const auto& card : cards) {
        sorted.push_back(&card);
    }
    std::sort(sorted.begin(), sorted.end(),
              [](const auto* a, const auto* b) { return a->first < b->first; });
    std::string contents = std::string(Magic) + '\n' + PlayerPrefix + Escaped(player) + '\n' +
                           DataSetPrefix + Escaped(dataSet) + '\n';
    contents.reserve(contents.size() + cards.size() * 64);
    for (const auto* card : sorted) {
        contents += static_cast<char>('0' + card->second.box);
        contents += '\t';
        contents += IsoDate(card->second.due);
        contents += '\t';
        contents += card->first;
        contents += '\n';
    }
    contents += EndLine;
    contents += '\n';
    return ReplaceFile(path, contents);
}

void CardBox::Answer(const VocEntry& entry, Language question, Language answer, bool right,
                     Day today) {
    const auto [place, isNew] = cards.try_emplace(Key(entry, question, answer));
    Card& card = place->second;
    if (!right) {
        card = Card{1, today};
    } else if (isNew) {
        card = Card{1, today + Interval(1)};
    } else if (DueDay(card, today) <= today) {
        card.box = std::min(card.box + 1, BoxCount);
        card.due = today + Interval(card.box);
    }
}

const Card* CardBox::Find(const VocEntry& entry, Language question, Language answer) const {
    const auto found = cards.find(Key(entry, question, answer));
    return found == cards.end() ? nullptr : &found->second;
}

void CardBox::Normalise(Day today) {
    for (auto& [key, card] : cards) {
        card.due = DueDay(card, today);
    }
}

Day CardBox::DueDay(const Card& card, Day today) {
    return std::min(card.due, today + Interval(card.box));
}

bool CardBox::IsDue(const VocEntry& entry, Language question, Language answer, Day today) const {
    const Card* card = Find(entry, question, answer);
    return card != nullptr && DueDay(*card, today) <= today;
}

} // namespace lingomat
