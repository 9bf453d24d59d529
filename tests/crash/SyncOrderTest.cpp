#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "SavedVersions.h"
#include "platform/FileSync.h"

#if defined(__linux__) && defined(__GLIBC__)
#include <dlfcn.h>
#include <unistd.h>
#define LINGOMAT_WATCH_CALLS 1
#endif

namespace lingomat::crash {
namespace {

// What reached the system while a save ran: syncs by the path of the synced file or folder,
// renames by their target.
struct Call {
    std::string what;
    std::filesystem::path path;
};

bool watching = false;
std::vector<Call> calls;

std::filesystem::path Canonical(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::weakly_canonical(path, ignored);
}

} // namespace
} // namespace lingomat::crash

#ifdef LINGOMAT_WATCH_CALLS

// These replace the C library's functions for the whole test program and hand over to them, so
// that the order of syncs and renames made by the writers can be seen.
extern "C" int fsync(int descriptor) {
    using lingomat::crash::calls;
    if (lingomat::crash::watching) {
        std::error_code ignored;
        calls.push_back({"sync", std::filesystem::read_symlink(
                                     "/proc/self/fd/" + std::to_string(descriptor), ignored)});
    }
    static const auto next = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    return next(descriptor);
}

extern "C" int rename(const char* from, const char* to) noexcept {
    using lingomat::crash::calls;
    if (lingomat::crash::watching) {
        calls.push_back({"rename from", lingomat::crash::Canonical(from)});
        calls.push_back({"rename to", lingomat::crash::Canonical(to)});
    }
    static const auto next =
        reinterpret_cast<int (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "rename"));
    return next(from, to);
}

#endif

namespace lingomat::crash {
namespace {

std::size_t Find(const std::vector<Call>& list, const std::string& what,
                 const std::filesystem::path& path) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].what == what && list[i].path == path) {
            return i;
        }
    }
    return list.size();
}

class SyncOrderTest : public ::testing::TestWithParam<FileKind> {};

TEST_P(SyncOrderTest, TheNewFileIsOnTheDiskBeforeTheRenameAndTheRenameAfterIt) {
#ifndef LINGOMAT_WATCH_CALLS
    GTEST_SKIP() << "the C library's calls cannot be watched here";
#endif
    testing::TempFolder folder;
    ASSERT_TRUE(SaveVersion(GetParam(), folder.Path(), 3));
    const auto target = Canonical(folder.Path() / FileName(GetParam()));

    calls.clear();
    watching = true;
    const bool saved = SaveVersion(GetParam(), folder.Path(), 40);
    watching = false;
    ASSERT_TRUE(saved);

    const std::size_t renamed = Find(calls, "rename to", target);
    ASSERT_LT(renamed, calls.size()) << "the file was not replaced by a rename";
    // The new version is written beside the file, under a name of its own.
    const std::filesystem::path temporary = calls[renamed - 1].path;
    EXPECT_EQ(temporary.parent_path(), target.parent_path());
    EXPECT_TRUE(testing::IsTemporaryOf(temporary.filename().string(), FileName(GetParam())))
        << temporary;
    EXPECT_LT(Find(calls, "sync", temporary), renamed) << "the data may not be on the disk yet";
    const std::vector<Call> after(calls.begin() + static_cast<std::ptrdiff_t>(renamed),
                                  calls.end());
    EXPECT_LT(Find(after, "sync", Canonical(folder.Path())), after.size())
        << "the rename may not be on the disk yet";
    EXPECT_EQ(ReadVersion(GetParam(), folder.Path()), 40);
}

INSTANTIATE_TEST_SUITE_P(Writers, SyncOrderTest, ::testing::ValuesIn(EveryKind),
                         ::testing::PrintToStringParamName());

TEST(SyncPathTest, SyncsWhatIsThereAndReportsWhatIsNot) {
    testing::TempFolder folder;
    std::FILE* file = std::fopen(folder.File("datei").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("Inhalt", file);
    EXPECT_TRUE(SyncFile(file));
    std::fclose(file);
    EXPECT_TRUE(SyncPath(folder.File("datei")));
    EXPECT_TRUE(SyncPath(folder.Path()));
    EXPECT_FALSE(SyncPath(folder.File("fehlt")));
    EXPECT_FALSE(SyncFile(nullptr)) << "no stream is no success";
}

} // namespace
} // namespace lingomat::crash
