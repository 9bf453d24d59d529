#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DataSets.h"
#include "SavedVersions.h"

namespace lingomat::crash {
namespace {

constexpr std::uint32_t OldVersion = 25;
constexpr std::uint32_t NewVersion = 4000;

struct CutCase {
    FileKind kind;
    // Where the disk fills up, as a share of the new file's size in per mille; 1000 and more
    // leaves room for the whole file.
    std::uint32_t cutPerMille;
    // Added to the cut in bytes, to land next to it.
    std::int64_t offset;
};

void PrintTo(const CutCase& c, std::ostream* out) {
    *out << KindName(c.kind) << " cut at " << c.cutPerMille << " per mille " << std::showpos
         << c.offset << std::noshowpos;
}

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

class FailedWriteTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(FailedWriteTest, ThePreviousFileStaysWholeAndNoTemporaryFileRemains) {
    const CutCase& c = GetParam();
    testing::TempFolder scratch;
    ASSERT_TRUE(SaveVersion(c.kind, scratch.Path(), NewVersion));
    const auto newSize = std::filesystem::file_size(scratch.Path() / FileName(c.kind));
    const std::int64_t cut = static_cast<std::int64_t>(newSize * c.cutPerMille / 1000) + c.offset;
    ASSERT_GE(cut, 0);
    const bool fits = static_cast<std::uint64_t>(cut) >= newSize;

    testing::TempFolder folder;
    const std::string file = folder.File(FileName(c.kind));
    ASSERT_TRUE(SaveVersion(c.kind, folder.Path(), OldVersion));
    const std::string before = testing::ReadText(file);

    EXPECT_EQ(SaveWithFileSizeLimit(c.kind, folder.Path(), static_cast<std::uint64_t>(cut)),
              fits ? 0 : 1)
        << "limit " << cut << " of " << newSize << " bytes";

    if (fits) {
        EXPECT_EQ(ReadVersion(c.kind, folder.Path()), static_cast<long>(NewVersion));
    } else {
        EXPECT_EQ(testing::ReadText(file), before);
        EXPECT_EQ(ReadVersion(c.kind, folder.Path()), static_cast<long>(OldVersion));
    }
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{FileName(c.kind)});
}

std::vector<CutCase> CutCases() {
    std::vector<CutCase> cases;
    for (const FileKind kind : EveryKind) {
        for (const auto& [perMille, offset] :
             std::vector<std::pair<std::uint32_t, std::int64_t>>{{0, 0},
                                                                 {0, 1},
                                                                 {0, 4095},
                                                                 {0, 65536},
                                                                 {0, 65537},
                                                                 {333, 0},
                                                                 {500, 7},
                                                                 {1000, -1},
                                                                 {1000, 0}}) {
            cases.push_back({kind, perMille, offset});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Cuts, FailedWriteTest, ::testing::ValuesIn(CutCases()),
                         [](const ::testing::TestParamInfo<CutCase>& info) {
                             const CutCase& c = info.param;
                             std::string name = std::string(KindName(c.kind)) + "At" +
                                                std::to_string(c.cutPerMille) + "PerMille";
                             if (c.offset != 0) {
                                 name += (c.offset < 0 ? "Minus" : "Plus") +
                                         std::to_string(c.offset < 0 ? -c.offset : c.offset);
                             }
                             return name;
                         });

} // namespace
} // namespace lingomat::crash
