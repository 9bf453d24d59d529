#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

namespace lingomat {

// The largest file of each kind the game reads. A FIFO, a device or a huge file planted under a
// known name would otherwise hang the start or exhaust the memory.
inline constexpr std::uintmax_t TipsFileLimit = std::uintmax_t{1} << 20;
inline constexpr std::uintmax_t DataSetFileLimit = std::uintmax_t{512} << 20;
inline constexpr std::uintmax_t PlayerFileLimit = std::uintmax_t{64} << 20;
inline constexpr std::uintmax_t ErrorFileLimit = std::uintmax_t{64} << 20;

enum class ReadRefusal { None, Missing, NotRegular, TooLarge, Unreadable };

// Opens a regular file of at most limit bytes for binary reading. Opening never blocks, also
// on a FIFO; anything but a regular file (a link to one is fine) is refused and said why.
std::FILE* OpenRegularFile(const std::filesystem::path& path, std::uintmax_t limit,
                           ReadRefusal* why = nullptr);

// The whole of such a file; false and an empty text when it was refused or a read failed.
bool ReadRegularFile(const std::filesystem::path& path, std::uintmax_t limit, std::string& text,
                     ReadRefusal* why = nullptr);

// A new, empty file for the next version of target, in target's folder, under a name no other
// file has: created exclusively and never through a link planted at that name. The caller
// renames it over target once it is complete, or removes it. nullptr when none could be made.
std::FILE* CreateTemporaryBeside(const std::filesystem::path& target,
                                 std::filesystem::path& temporary);

// Removes the temporary files of target that a killed program left behind; those of programs
// still running are theirs.
void RemoveStaleTemporaries(const std::filesystem::path& target);

// Moves a file that could not be read out of the way, so that the next save cannot destroy
// what it still holds: "Erika.lmp" becomes "Erika.lmp.defekt-2026-12-06" (then "-2", "-3", ...
// on the same day). Nothing is ever replaced. The new path, or empty when it could not be moved.
std::filesystem::path SetAsideDamagedFile(const std::filesystem::path& file, std::time_t now);

// A lock file that says a running program uses a file. The lock dies with its program, so a lock
// file left by a killed program is taken over.
class FileLock {
public:
    enum class State { Held, InUse, Failed };

    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Never waits. InUse: another running program holds it, Holder() says which. Failed: no lock
    // file could be made (a read-only folder); the caller decides whether to go on without.
    State Acquire(const std::filesystem::path& lockFile);
    void Release();
    bool Held() const { return descriptor >= 0; }
    // Which program holds it, in words the player reads ("Prozess 1234 auf dem Rechner x");
    // empty when unknown.
    const std::string& Holder() const { return holder; }

private:
    int descriptor = -1;
    std::filesystem::path path;
    std::string holder;
};

} // namespace lingomat
