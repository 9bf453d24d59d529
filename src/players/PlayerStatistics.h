#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace lingomat {

// The results of every game a player played on one lesson, oldest first. The six arrays run in
// parallel: index i of each is one game.
struct LessonStatistics {
    std::vector<std::uint32_t> playedAt;
    std::vector<float> score;
    std::vector<float> completion;
    std::vector<std::uint32_t> gameMode;
    std::vector<std::uint32_t> questionLanguage;
    std::vector<std::uint32_t> answerLanguage;
    std::string lessonCode;

    std::size_t Count() const { return playedAt.size(); }
    void Resize(std::size_t count);
};

// The current player's statistics and his player file (his name followed by ".lmp").
class PlayerStatistics {
public:
    PlayerStatistics();
    virtual ~PlayerStatistics() = default;

    void SetPlayerName(const std::string& name) { playerName = name; }
    std::string PlayerName() const { return playerName; }
    void Reset();

    // Appends what the player file holds to the records; a missing or foreign file adds nothing.
    void Load();
    // Writes the player file through a temporary file, so the old one stays whole until the new
    // one is complete. False when nothing could be written.
    bool Save() const;
    bool ClearAll();

    void Record(const std::string& lessonCode, float score, float completion,
                std::uint32_t gameMode, std::uint32_t questionLanguage,
                std::uint32_t answerLanguage);

    // Language arguments of -1 stand for any language. -1.0 when nothing was scored.
    float BestPercent(const std::string& lessonCode, std::int32_t questionLanguage,
                      std::int32_t answerLanguage) const;
    std::string BestPercentText(const std::string& lessonCode, std::int32_t questionLanguage,
                                std::int32_t answerLanguage) const;
    std::string LastPlayedText(const std::string& lessonCode) const;

    const std::vector<LessonStatistics>& Records() const { return records; }

    // Where the player file lives; empty means the working directory.
    void SetDirectory(const std::filesystem::path& folder) { directory = folder; }
    void SetClock(const Clock& source) { clock = &source; }

    // The file that belongs to the current player; empty when the name cannot safely name a
    // file in the player folder.
    std::filesystem::path FilePath() const;

private:
    std::vector<LessonStatistics> records;
    std::string playerName;
    std::filesystem::path directory;
    const Clock* clock;
};

// True when the name, followed by ".lmp", names a file inside the player folder and nowhere else:
// not empty, no path separators or drive colon, not "." or "..", no control characters.
bool IsUsablePlayerFileName(const std::string& name);

} // namespace lingomat
