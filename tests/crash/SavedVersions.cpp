#include "SavedVersions.h"

#include <string>

#include "data/VocEntry.h"
#include "game/LingomatDoc.h"
#include "platform/Clock.h"
#include "platform/DocumentHost.h"
#include "platform/ProfileStore.h"
#include "players/CardBox.h"
#include "players/PlayerStatistics.h"

namespace lingomat::crash {

namespace {

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
                          static_cast<float>(i % 101) / 100.0f, static_cast<float>(i % 4) / 4.0f,
                          i % 5, i % 3, (i + 1) % 3);
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

// Card i stands in box 1 + i % 5 (reached by answers on consecutive days) and is due on the
// day after its last answer.
CardBox CardBoxOf(const std::filesystem::path& folder) {
    CardBox box;
    box.SetDirectory(folder);
    box.SetOwner(PlayerName, "lingomat.voc");
    return box;
}

VocEntry CardRecord(std::uint32_t i) {
    VocEntry entry;
    entry.SetText(LanguageGerman, ErrorText("Wort", i));
    entry.SetText(LanguageEnglish, ErrorText("word", i));
    return entry;
}

constexpr Day FirstDay = 20000;

bool SaveCardVersion(const std::filesystem::path& folder, std::uint32_t k) {
    CardBox box = CardBoxOf(folder);
    for (std::uint32_t i = 0; i < k; ++i) {
        const VocEntry entry = CardRecord(i);
        Day day = FirstDay;
        for (std::uint32_t step = 0; step <= i % 5; ++step) {
            box.Answer(entry, LanguageGerman, LanguageEnglish, true, day);
            day += CardBox::Interval(step + 1);
        }
    }
    return box.Save();
}

long ReadCardVersion(const std::filesystem::path& folder) {
    CardBox box = CardBoxOf(folder);
    if (box.Load().result != CardBox::LoadResult::Loaded) {
        return -1;
    }
    const auto k = static_cast<std::uint32_t>(box.Size());
    for (std::uint32_t i = 0; i < k; ++i) {
        const Card* card = box.Find(CardRecord(i), LanguageGerman, LanguageEnglish);
        if (card == nullptr || card->box != 1 + i % 5) {
            return -1;
        }
    }
    return static_cast<long>(k);
}

} // namespace

std::string DamagedText(long k) {
    return "kaputt " + std::to_string(k) + "\n" + std::string(8000, '#');
}

const char* KindName(FileKind kind) {
    switch (kind) {
    case FileKind::PlayerFile:
        return "PlayerFile";
    case FileKind::ErrorFile:
        return "ErrorFile";
    default:
        return "CardBox";
    }
}

std::string FileName(FileKind kind) {
    switch (kind) {
    case FileKind::PlayerFile:
        return std::string(PlayerName) + ".lmp";
    case FileKind::ErrorFile:
        return "Fehler.lef";
    default:
        return std::string(PlayerName) + ".lingomat.lmk";
    }
}

bool SaveVersion(FileKind kind, const std::filesystem::path& folder, std::uint32_t k) {
    if (kind == FileKind::ErrorFile) {
        return SaveErrorVersion(folder, k);
    }
    if (kind == FileKind::CardBox) {
        return SaveCardVersion(folder, k);
    }
    IndexClock clock;
    return PlayerVersion(folder, k, clock).Save();
}

long ReadVersion(FileKind kind, const std::filesystem::path& folder) {
    switch (kind) {
    case FileKind::PlayerFile:
        return ReadPlayerVersion(folder);
    case FileKind::ErrorFile:
        return ReadErrorVersion(folder);
    default:
        return ReadCardVersion(folder);
    }
}

} // namespace lingomat::crash
