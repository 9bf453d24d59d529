#include "SavedVersions.h"

#include <algorithm>
#include <string>
#include <tuple>

#include "ScriptedHost.h"
#include "data/VocEntry.h"
#include "game/LingomatDoc.h"
#include "platform/Clock.h"
#include "platform/ProfileStore.h"
#include "players/CardBox.h"
#include "players/PlayerStatistics.h"

namespace lingomat::crash {

namespace {

constexpr std::uint32_t LessonCount = 3;

// The clock of entry i stands at 1,000,000 + i, so that its time stamp can be checked too.
PlayerStatistics PlayerVersion(const std::filesystem::path& folder, std::uint32_t k,
                               FixedClock& clock) {
    PlayerStatistics statistics;
    statistics.SetDirectory(folder);
    statistics.SetClock(clock);
    statistics.SetPlayerName(PlayerName);
    for (std::uint32_t i = 0; i < k; ++i) {
        clock.Set(1'000'000 + i);
        statistics.Record("Lektion " + std::to_string(i % LessonCount),
                          static_cast<float>(i % 101) / 100.0f, static_cast<float>(i % 4) / 4.0f,
                          i % 5, i % 3, (i + 1) % 3);
    }
    return statistics;
}

auto Fields(const LessonStatistics& s) {
    return std::tie(s.lessonCode, s.playedAt, s.score, s.completion, s.gameMode, s.questionLanguage,
                    s.answerLanguage);
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
    // A file that did not load at all reads as no records; only a file that is there counts
    // as version 0.
    if (k == 0 && !std::filesystem::exists(folder / FileName(FileKind::PlayerFile))) {
        return -1;
    }
    FixedClock clock;
    const PlayerStatistics expected = PlayerVersion(folder, k, clock);
    const auto& left = loaded.Records();
    const auto& right = expected.Records();
    const bool same =
        std::equal(left.begin(), left.end(), right.begin(), right.end(),
                   [](const auto& a, const auto& b) { return Fields(a) == Fields(b); });
    return same ? static_cast<long>(k) : -1;
}

// Long texts, so that a version of a few thousand records spans many write calls.
std::string ErrorText(const char* word, std::uint32_t i) {
    return std::string(word) + ' ' + std::to_string(i) + ' ' + std::string(24, 'x');
}

VocEntry Numbered(std::uint32_t i) {
    VocEntry entry;
    entry.SetText(LanguageGerman, ErrorText("Wort", i));
    entry.SetText(LanguageEnglish, ErrorText("word", i));
    entry.SetText(LanguageFrench, ErrorText("mot", i));
    return entry;
}

// A document with the game's defaults whose files live in the folder.
struct Document {
    explicit Document(const std::filesystem::path& folder) : doc(host, profile, clock, folder) {}
    testing::ScriptedHost host{false};
    MemoryProfileStore profile;
    FixedClock clock;
    CLingomatDoc doc;
};

bool SaveErrorVersion(const std::filesystem::path& folder, std::uint32_t k) {
    Document document(folder);
    CLingomatDoc& doc = document.doc;
    doc.questionLanguage = LanguageGerman;
    doc.answerLanguage = LanguageFrench;
    for (std::uint32_t i = 0; i < k; ++i) {
        doc.vocabulary.push_back(Numbered(i));
        doc.vocabulary.back().errorCount = 1;
    }
    return doc.OnSaveDocument((folder / FileName(FileKind::ErrorFile)).string());
}

long ReadErrorVersion(const std::filesystem::path& folder) {
    Document document(folder);
    CLingomatDoc& doc = document.doc;
    doc.questionLanguage = LanguageEnglish;
    doc.answerLanguage = LanguageEnglish;
    // A missing or refused file is no whole version; the languages must be read from the file.
    if (!doc.OnOpenDocument((folder / FileName(FileKind::ErrorFile)).string()) ||
        doc.questionLanguage != LanguageGerman || doc.answerLanguage != LanguageFrench) {
        return -1;
    }
    std::uint32_t i = 0;
    for (const VocEntry& entry : doc.errorFileEntries) {
        const VocEntry expected = Numbered(i++);
        for (Language column = 0; column < 3; ++column) {
            if (entry.Text(column) != expected.Text(column)) {
                return -1;
            }
        }
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

constexpr Day FirstDay = 20000;

bool SaveCardVersion(const std::filesystem::path& folder, std::uint32_t k) {
    CardBox box = CardBoxOf(folder);
    for (std::uint32_t i = 0; i < k; ++i) {
        Day day = FirstDay;
        for (std::uint32_t step = 0; step <= i % 5; ++step) {
            box.Answer(Numbered(i), LanguageGerman, LanguageEnglish, true, day);
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
        const Card* card = box.Find(Numbered(i), LanguageGerman, LanguageEnglish);
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
    static const char* const names[] = {"PlayerFile", "ErrorFile", "CardBox"};
    return names[static_cast<int>(kind)];
}

std::string FileName(FileKind kind) {
    // The player's own files carry the player's name.
    static const char* const endings[] = {".lmp", "", ".lingomat.lmk"};
    return kind == FileKind::ErrorFile ? "Fehler.lef"
                                       : PlayerName + std::string(endings[static_cast<int>(kind)]);
}

bool SaveVersion(FileKind kind, const std::filesystem::path& folder, std::uint32_t k) {
    FixedClock clock;
    return kind == FileKind::ErrorFile ? SaveErrorVersion(folder, k)
           : kind == FileKind::CardBox ? SaveCardVersion(folder, k)
                                       : PlayerVersion(folder, k, clock).Save();
}

long ReadVersion(FileKind kind, const std::filesystem::path& folder) {
    return kind == FileKind::PlayerFile  ? ReadPlayerVersion(folder)
           : kind == FileKind::ErrorFile ? ReadErrorVersion(folder)
                                         : ReadCardVersion(folder);
}

} // namespace lingomat::crash
