#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "DataSets.h"
#include "SavedVersions.h"

namespace lingomat::crash {
namespace {

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
        std::signal(SIGXFSZ, SIG_IGN);
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
