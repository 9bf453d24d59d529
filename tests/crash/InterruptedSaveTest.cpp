// A save cut short, by a killed process or by a full disk, leaves the previous or the next
// version whole and no temporary file behind.

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "DataSets.h"
#include "SavedVersions.h"
#include "platform/Random.h"
#include "players/PlayerStatistics.h"

extern char** environ;

namespace lingomat::crash {
namespace {

// Large enough that one save takes several write calls and a measurable time.
constexpr std::uint32_t FirstVersion = 3000;
constexpr int Rounds = 20;

struct Round {
    // Saves the killed process reported as finished.
    long reported = 0;
    bool exited = false;
};

// Whether another program could take the player now.
FileLock::State ProbePlayerLock(const std::filesystem::path& folder) {
    PlayerStatistics probe;
    probe.SetDirectory(folder);
    std::string holder;
    return probe.Reserve(PlayerName, holder);
}

// Starts the save loop on the folder, waits for its first finished save, lets it run on for the
// delay (calling whileRunning first) and kills it.
Round RunAndKill(const std::string& mode, const std::filesystem::path& folder,
                 std::chrono::milliseconds delay,
                 const std::function<void()>& whileRunning = nullptr) {
    Round round;
    int channel[2];
    if (pipe(channel) != 0) {
        return round;
    }
    std::string texts[] = {LINGOMAT_SAVE_LOOP, mode, folder.string(), std::to_string(channel[1])};
    char* arguments[] = {texts[0].data(), texts[1].data(), texts[2].data(), texts[3].data(),
                         nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, arguments[0], nullptr, nullptr, arguments, environ);
    close(channel[1]);
    if (spawned != 0) {
        close(channel[0]);
        return round;
    }
    char byte = 0;
    if (read(channel[0], &byte, 1) == 1) {
        ++round.reported;
        if (whileRunning) {
            whileRunning();
        }
        std::this_thread::sleep_for(delay);
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    round.exited = WIFEXITED(status);
    // The loop is dead, so its end of the channel is closed and the reading ends.
    char buffer[256];
    for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;) {
        round.reported += got;
    }
    close(channel[0]);
    return round;
}

class KillDuringSaveTest : public ::testing::TestWithParam<FileKind> {};

TEST_P(KillDuringSaveTest, EveryKillLeavesTheLastOrTheNextVersionWhole) {
    const FileKind kind = GetParam();
    testing::TempFolder folder;
    ASSERT_TRUE(SaveVersion(kind, folder.Path(), FirstVersion));
    const std::string file = FileName(kind);

    Random random(20240611);
    long version = FirstVersion;
    const bool player = kind == FileKind::PlayerFile;
    for (int r = 0; r < Rounds; ++r) {
        const auto delay = std::chrono::milliseconds(1 + random.Draw(30));
        const Round round = RunAndKill(KindName(kind), folder.Path(), delay, [&] {
            if (player) {
                EXPECT_EQ(ProbePlayerLock(folder.Path()), FileLock::State::InUse) << "round " << r;
            }
        });
        ASSERT_FALSE(round.exited) << "the save loop gave up in round " << r;
        ASSERT_GE(round.reported, 1) << "no save finished in round " << r;

        // Every reported save is on the disk; one more may have been renamed before its report.
        const long found = ReadVersion(kind, folder.Path());
        ASSERT_GE(found, version + round.reported) << "round " << r << ", delay " << delay.count();
        ASSERT_LE(found, version + round.reported + 1) << "round " << r;
        version = found;

        // The file, the killed game's lock, and at most the one temporary file it was writing.
        auto names = folder.Entries();
        std::erase(names, file);
        if (player) {
            EXPECT_EQ(std::erase(names, file + ".lock"), 1u) << "round " << r;
            EXPECT_EQ(ProbePlayerLock(folder.Path()), FileLock::State::Held)
                << "round " << r << ": the lock of a killed game is taken over";
        }
        ASSERT_TRUE(names.empty() || (names.size() == 1 && testing::IsTemporaryOf(names[0], file)))
            << "round " << r << ": " << ::testing::PrintToString(folder.Entries());
    }

    // A temporary file left by the last kill neither stops this save nor outlives it.
    ASSERT_TRUE(SaveVersion(kind, folder.Path(), static_cast<std::uint32_t>(version + 1)));
    EXPECT_EQ(ReadVersion(kind, folder.Path()), version + 1);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{file});
}

// Loading a damaged player file moves it aside; a kill at any moment loses none of them.
TEST(KillDuringSetAsideTest, EveryDamagedFileSurvivesWhole) {
    testing::TempFolder folder;
    const std::string file = FileName(FileKind::PlayerFile);
    Random random(20261207);
    for (int r = 0; r < Rounds; ++r) {
        const Round round =
            RunAndKill("aside", folder.Path(), std::chrono::milliseconds(1 + random.Draw(10)));
        ASSERT_FALSE(round.exited) << "the loop gave up in round " << r;
        std::set<long> found;
        for (const auto& name : folder.Entries()) {
            if (name == "damage.partial") {
                continue;
            }
            ASSERT_TRUE(name == file || name.rfind(file + ".defekt-", 0) == 0) << name;
            const std::string text = testing::ReadText(folder.File(name));
            const long k = std::atol(text.c_str() + 7);
            ASSERT_EQ(text, DamagedText(k)) << "round " << r << ": " << name;
            EXPECT_TRUE(found.insert(k).second) << "round " << r << ": " << k << " twice";
        }
        const auto count = static_cast<long>(found.size());
        ASSERT_TRUE(count == round.reported || count == round.reported + 1)
            << "round " << r << ": " << count << " files, " << round.reported << " set aside";
        EXPECT_EQ(found.empty() ? -1 : *found.rbegin(), count - 1) << "round " << r;
        for (const auto& name : folder.Entries()) {
            std::filesystem::remove(folder.Path() / name);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Writers, KillDuringSaveTest, ::testing::ValuesIn(EveryKind),
                         ::testing::PrintToStringParamName());

constexpr std::uint32_t OldVersion = 25;
constexpr std::uint32_t NewVersion = 4000;

// Where the disk fills up: a share of the new file's size in per mille (1000 and more leaves
// room for the whole file), plus bytes to land next to it.
struct Cut {
    const char* name;
    std::uint32_t perMille;
    std::int64_t offset;
    friend void PrintTo(const Cut& c, std::ostream* os) { *os << c.name; }
};

const Cut Cuts[] = {{"Empty", 0, 0},          {"OneByte", 0, 1},         {"PageLessOne", 0, 4095},
                    {"Block", 0, 65536},      {"BlockAndOne", 0, 65537}, {"Third", 333, 0},
                    {"HalfAndSeven", 500, 7}, {"AllButOne", 1000, -1},   {"Whole", 1000, 0}};

// Saves in a child process whose files cannot grow beyond the limit, as on a full disk: the
// write that crosses it fails with EFBIG. 0 when the save reported success, 1 when it reported
// failure, anything else when it did neither.
int SaveWithFileSizeLimit(FileKind kind, const std::filesystem::path& folder, std::uint64_t limit) {
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit bound{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
        if (setrlimit(RLIMIT_FSIZE, &bound) != 0) {
            _exit(3);
        }
        try {
            _exit(SaveVersion(kind, folder, NewVersion) ? 0 : 1);
        } catch (...) {
            _exit(4);
        }
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

class FailedWriteTest : public ::testing::TestWithParam<std::tuple<FileKind, Cut>> {};

TEST_P(FailedWriteTest, ThePreviousFileStaysWholeAndNoTemporaryFileRemains) {
    const auto [kind, c] = GetParam();
    testing::TempFolder scratch;
    ASSERT_TRUE(SaveVersion(kind, scratch.Path(), NewVersion));
    const auto newSize = std::filesystem::file_size(scratch.Path() / FileName(kind));
    const std::int64_t cut = static_cast<std::int64_t>(newSize * c.perMille / 1000) + c.offset;
    ASSERT_GE(cut, 0);
    const bool fits = static_cast<std::uint64_t>(cut) >= newSize;

    testing::TempFolder folder;
    const std::string file = folder.File(FileName(kind));
    ASSERT_TRUE(SaveVersion(kind, folder.Path(), OldVersion));
    const std::string before = testing::ReadText(file);

    EXPECT_EQ(SaveWithFileSizeLimit(kind, folder.Path(), static_cast<std::uint64_t>(cut)),
              fits ? 0 : 1)
        << "limit " << cut << " of " << newSize << " bytes";

    if (fits) {
        EXPECT_EQ(ReadVersion(kind, folder.Path()), static_cast<long>(NewVersion));
    } else {
        EXPECT_EQ(testing::ReadText(file), before);
        EXPECT_EQ(ReadVersion(kind, folder.Path()), static_cast<long>(OldVersion));
    }
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{FileName(kind)});
}

INSTANTIATE_TEST_SUITE_P(Cuts, FailedWriteTest,
                         ::testing::Combine(::testing::ValuesIn(EveryKind),
                                            ::testing::ValuesIn(Cuts)),
                         [](const auto& info) {
                             return std::string(KindName(std::get<0>(info.param))) + "Cut" +
                                    std::get<1>(info.param).name;
                         });

} // namespace
} // namespace lingomat::crash
