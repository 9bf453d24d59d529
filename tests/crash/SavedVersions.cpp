#include "SavedVersions.h"

#include <string>

#include "data/VocEntry.h"
#include "game/LingomatDoc.h"
#include "platform/Clock.h"
#include "platform/DocumentHost.h"
#include "platform/ProfileStore.h"
#include "players/PlayerStatistics.h"

namespace lingomat::crash {

namespace {

const char* const PlayerName = "Anna";
constexpr std::uint32_t LessonCount = 3;

// The clock of a recording is the entry's index, so that its time stamp can be checked too.
class IndexClock : public Clock {
public:
    std::int64_t Now() const override { return 1'000'000 + index; }
    std::int64_t index = 0;
};

class SilentHost : public DocumentHost {
public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageButtons,
                              MessageIcon) override {
        return MessageAnswer::Ok;
    }
    void ChoosePlayer(PlayerStatistics&, std::string&) override {}
};

PlayerStatistics PlayerVersion(const std::filesystem::path& folder, std::uint32_t k,
                               IndexClock& clock) {
    PlayerStatistics statistics;
    statistics.SetDirectory(folder);
    statistics.SetClock(clock);
    statistics.SetPlayerName(PlayerName);
    for (std::uint32_t i = 0; i < k; ++i) {
        clock.index = i;
        statistics.Record("Lektion " + std::to_string(i % LessonCount),
                          static_cast<float>(i % 101) / 100.0f,
                          static_cast<float>(i % 4) / 4.0f, i % 5, i % 3, (i + 1) % 3);
    }
    return statistics;
}

bool SameRecords(const PlayerStatistics& a, const PlayerStatistics& b) {
    const auto& left = a.Records();
    const auto& right = b.Records();
    if (left.size() != right.size()) {
        return false;
    }
    for (std::size_t r = 0; r < left.size(); ++r) {
        const LessonStatistics& x = left[r];
        const LessonStatistics& y = right[r];
        if (x.lessonCode != y.lessonCode || x.playedAt != y.playedAt || x.score != y.score ||
            x.completion != y.completion || x.gameMode != y.gameMode ||
            x.questionLanguage != y.questionLanguage || x.answerLanguage != y.answerLanguage) {
            return false;
        }
    }
    return true;
}

long ReadPlayerVersion(const std::filesystem::path& folder) {
    PlayerStatistics loaded;
    loaded.SetDirectory(folder);
    loaded.SetPlayerName(PlayerName);
    loaded.Load();
    std::uint32_t k = 0;
    for (const auto& record : loaded.Records()) {
        k += static_cast<std::uint32_t>(record.Count());
    }
    IndexClock clock;
    // A file that did not load at all reads as no records; only a file that is there counts
    // as version 0.
    if (k == 0 && !std::filesystem::exists(folder / FileName(FileKind::PlayerFile))) {
        return -1;
    }
    return SameRecords(loaded, PlayerVersion(folder, k, clock)) ? static_cast<long>(k) : -1;
}

// Long texts, so that a version of a few thousand records spans many write calls.
std::string ErrorText(const char* word, std::uint32_t i) {
    return std::string(word) + ' ' + std::to_string(i) + ' ' + std::string(24, 'x');
}

bool SaveErrorVersion(const std::filesystem::path& folder, std::uint32_t k) {
    SilentHost host;
    MemoryProfileStore profile;
    FixedClock clock;
    CLingomatDoc doc(host, profile, clock, folder);
    doc.questionLanguage = LanguageGerman;
    doc.answerLanguage = LanguageFrench;
    for (std::uint32_t i = 0; i < k; ++i) {
        VocEntry& entry = doc.vocabulary.emplace_back();
        entry.SetText(LanguageGerman, ErrorText("Wort", i));
        entry.SetText(LanguageEnglish, ErrorText("word", i));
        entry.SetText(LanguageFrench, ErrorText("mot", i));
        entry.errorCount = 1;
    }
    return doc.OnSaveDocument((folder / FileName(FileKind::ErrorFile)).string());
}

long ReadErrorVersion(const std::filesystem::path& folder) {
    const auto path = folder / FileName(FileKind::ErrorFile);
    if (!std::filesystem::exists(path)) {
        return -1;
    }
    SilentHost host;
    MemoryProfileStore profile;
    FixedClock clock;
    CLingomatDoc doc(host, profile, clock, folder);
    doc.questionLanguage = LanguageEnglish;
    doc.answerLanguage = LanguageEnglish;
    doc.OnOpenDocument(path.string());
    if (doc.questionLanguage != LanguageGerman || doc.answerLanguage != LanguageFrench) {
        return -1;
    }
    std::uint32_t i = 0;
    for (const VocEntry& entry : doc.errorFileEntries) {
        if (entry.Text(LanguageGerman) != ErrorText("Wort", i) ||
            entry.Text(LanguageEnglish) != ErrorText("word", i) ||
            entry.Text(LanguageFrench) != ErrorText("mot", i)) {
            return -1;
        }
        ++i;
    }
    return static_cast<long>(i);
}

} // namespace

const char* KindName(FileKind kind) {
    return kind == FileKind::PlayerFile ? "PlayerFile" : "ErrorFile";
}

std::string FileName(FileKind kind) {
    return kind == FileKind::PlayerFile ? std::string(PlayerName) + ".lmp" : "Fehler.lef";
}

bool SaveVersion(FileKind kind, const std::filesystem::path& folder, std::uint32_t k) {
    if (kind == FileKind::ErrorFile) {
        return SaveErrorVersion(folder, k);
    }
    IndexClock clock;
    return PlayerVersion(folder, k, clock).Save();
}

long ReadVersion(FileKind kind, const std::filesystem::path& folder) {
    return kind == FileKind::PlayerFile ? ReadPlayerVersion(folder) : ReadErrorVersion(folder);
}

} // namespace lingomat::crash
