#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/SafeFiles.h"

namespace lingomat {

class VocFileReader;

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

// What loading found in the player file.
struct PlayerFileLoad {
    enum State {
        Absent, // no file yet: a new player
        Loaded,
        SetAside, // unreadable: moved to setAsideAs, the statistics start empty
        Kept,     // unreadable and could not be moved: nothing is saved over it
    };
    State state = Absent;
    std::filesystem::path setAsideAs;
};

// The current player's statistics and his player file (his name followed by ".lmp").
class PlayerStatistics {
public:
    PlayerStatistics();
    virtual ~PlayerStatistics() = default;
    PlayerStatistics(PlayerStatistics&&) = default;
    PlayerStatistics& operator=(PlayerStatistics&&) = default;

    // Keeps the lock on the player file only when the name stays the same or was reserved.
    void SetPlayerName(const std::string& name);
    std::string PlayerName() const { return playerName; }
    // Drops the name, the records and the read-only mark; the lock stays until another name is
    // set, so that choosing the same player again never lets go of him.
    void Reset();

    // Appends what the player file holds to the records. A file that is not this player's whole
    // file (damaged, foreign, cut short, no regular file, too large) is set aside, so that the
    // next save cannot destroy it; where that fails, the store turns read-only.
    PlayerFileLoad Load();
    // Writes the player file through a temporary file, so the old one stays whole until the new
    // one is complete. False when nothing could be written; true without writing when read-only.
    bool Save() const;

    // Takes the lock of the named player's file, keeping the one already held for that name, so
    // that a second running program cannot save over this one's results. It is handed over when
    // that name is set. InUse: holder says which program plays him.
    FileLock::State Reserve(const std::string& name, std::string& holder);
    bool HoldsLock() const { return lock != nullptr; }

    // A read-only store shows the statistics but never writes them: another program owns the
    // file, or it could not be moved out of the way.
    void SetReadOnly(bool value) { readOnly = value; }
    bool ReadOnly() const { return readOnly; }
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
    std::filesystem::path FilePathOf(const std::string& name) const;

private:
    bool ReadRecords(VocFileReader& reader, std::vector<LessonStatistics>& loaded) const;

    std::vector<LessonStatistics> records;
    std::string playerName;
    std::filesystem::path directory;
    const Clock* clock;
    bool readOnly = false;
    std::unique_ptr<FileLock> lock;
    std::string lockedName;
    std::unique_ptr<FileLock> reserved;
    std::string reservedName;
};

// Switches the store to the named player as the player dialog does: takes his lock, saves the
// previous player's file, loads the new one. When another running program plays him,
// watchReadOnly is asked: true shows his statistics read-only, false keeps the previous player
// (switched is then false).
struct PlayerSwitch {
    bool switched = false;
    bool previousSaved = true;
    std::string previousName;
    PlayerFileLoad loaded;
};
PlayerSwitch SwitchPlayer(PlayerStatistics& statistics, const std::string& name,
                          const std::function<bool(const std::string& holder)>& watchReadOnly);

// The German texts the player reads about his player file; empty when there is nothing to say.
std::string PlayerFileLoadText(const std::string& name, const PlayerFileLoad& load);
std::string PlayerInUseText(const std::string& name, const std::string& holder);

// True when the name, followed by ".lmp", names a file inside the player folder and nowhere else:
// not empty, no path separators or drive colon, not "." or "..", no control characters, and
// short enough that the names made from it fit a file system's limit.
bool IsUsablePlayerFileName(const std::string& name);

// A new player's name also has to be a file name on the other common file systems, and short
// enough for the dialogs that show it.
constexpr std::size_t MaxPlayerNameLength = 64;
// Why a typed name cannot be a new player's name, in German; empty when it can.
std::string PlayerNameProblem(const std::string& name);

} // namespace lingomat
