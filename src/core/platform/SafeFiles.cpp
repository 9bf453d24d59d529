#include "platform/SafeFiles.h"

#include <atomic>
#include <cerrno>
#include <random>
#include <system_error>
#include <vector>

#if !defined(_WIN32) && __has_include(<unistd.h>) && __has_include(<fcntl.h>)
#include <csignal>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#define LINGOMAT_HAS_POSIX_FILES 1
#endif

namespace lingomat {

namespace fs = std::filesystem;

namespace {

const char* const TemporarySuffix = ".tmp";

// Temporary names carry the writer's process number, so that the leftovers of a killed writer
// can be told from the file another running program is writing.
long ProcessNumber() {
#ifdef LINGOMAT_HAS_POSIX_FILES
    return static_cast<long>(::getpid());
#else
    return 0;
#endif
}

bool ProcessIsGone(long process) {
#ifdef LINGOMAT_HAS_POSIX_FILES
    return process > 0 && ::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
#else
    (void)process;
    return false;
#endif
}

std::string DayStamp(std::time_t now) {
    std::tm local{};
#ifdef LINGOMAT_HAS_POSIX_FILES
    if (::localtime_r(&now, &local) == nullptr) {
        return "0000-00-00";
    }
#else
    if (const std::tm* shared = std::localtime(&now)) {
        local = *shared;
    }
#endif
    char buffer[16];
    if (std::strftime(buffer, sizeof buffer, "%Y-%m-%d", &local) == 0) {
        return "0000-00-00";
    }
    return buffer;
}

// Renames without ever replacing what is at the new name. False with EEXIST in error when the
// name is taken.
bool RenameNoReplace(const fs::path& from, const fs::path& to, int& error) {
#ifdef LINGOMAT_HAS_POSIX_FILES
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    error = errno;
    if (error != EINVAL && error != ENOSYS && error != ENOTSUP) {
        return false;
    }
#endif
    // A second name first: a kill in between leaves both names, never neither.
    if (::link(from.c_str(), to.c_str()) == 0) {
        if (::unlink(from.c_str()) == 0) {
            return true;
        }
        error = errno;
        ::unlink(to.c_str());
        return false;
    }
    error = errno;
    if (error == EEXIST) {
        return false;
    }
#endif
    std::error_code code;
    if (fs::exists(fs::symlink_status(to, code))) {
        error = EEXIST;
        return false;
    }
    fs::rename(from, to, code);
    error = code.value();
    return !code;
}

} // namespace

#ifdef LINGOMAT_HAS_POSIX_FILES

std::FILE* OpenRegularFile(const fs::path& path, std::uintmax_t limit, ReadRefusal* why) {
    ReadRefusal refusal = ReadRefusal::None;
    ReadRefusal& reason = why != nullptr ? *why : refusal;
    int descriptor = -1;
    do {
        descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        reason = errno == ENOENT ? ReadRefusal::Missing : ReadRefusal::Unreadable;
        return nullptr;
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = ReadRefusal::NotRegular;
        ::close(descriptor);
        return nullptr;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > limit) {
        reason = ReadRefusal::TooLarge;
        ::close(descriptor);
        return nullptr;
    }
    // Reads of a regular file do not block anyway; the flag only kept the open from waiting.
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(descriptor, "rb");
    if (file == nullptr) {
        reason = ReadRefusal::Unreadable;
        ::close(descriptor);
        return nullptr;
    }
    reason = ReadRefusal::None;
    return file;
}

std::FILE* CreateTemporaryBeside(const fs::path& target, fs::path& temporary) {
    static std::atomic<unsigned> serial{0};
    std::random_device entropy;
    const std::string base = target.filename().string() + "." + std::to_string(ProcessNumber());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string unique =
            std::to_string(serial++) + "-" + std::to_string(entropy() % 1000000);
        temporary = target.parent_path() / (base + "-" + unique + TemporarySuffix);
        int descriptor = -1;
        do {
            descriptor =
                ::open(temporary.c_str(),
                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
        } while (descriptor < 0 && errno == EINTR);
        if (descriptor < 0) {
            if (errno == EEXIST) {
                continue;
            }
            break;
        }
        if (std::FILE* file = ::fdopen(descriptor, "wb")) {
            return file;
        }
        ::close(descriptor);
        ::unlink(temporary.c_str());
        break;
    }
    temporary.clear();
    return nullptr;
}

FileLock::~FileLock() {
    Release();
}

FileLock::State FileLock::Acquire(const fs::path& lockFile) {
    Release();
    holder.clear();
    // A lock file replaced between opening and locking is no longer the one others open; the
    // attempt is repeated a few times with the file that is there now.
    for (int attempt = 0; attempt < 5; ++attempt) {
        int opened = -1;
        do {
            opened =
                ::open(lockFile.c_str(),
                       O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
        } while (opened < 0 && errno == EINTR);
        if (opened < 0) {
            return State::Failed;
        }
        struct stat own {};
        if (::fstat(opened, &own) != 0 || !S_ISREG(own.st_mode)) {
            ::close(opened);
            return State::Failed;
        }
        if (::flock(opened, LOCK_EX | LOCK_NB) != 0) {
            const int reason = errno;
            if (reason == EWOULDBLOCK) {
                char text[256];
                const ssize_t got = ::pread(opened, text, sizeof text - 1, 0);
                long process = 0;
                char host[200] = "";
                if (got > 0) {
                    text[got] = '\0';
                    std::sscanf(text, "%ld %199s", &process, host);
                }
                if (process > 0) {
                    holder = "Prozess " + std::to_string(process) + " auf dem Rechner " +
                             (host[0] != '\0' ? host : "?");
                }
                ::close(opened);
                return State::InUse;
            }
            // A file system without locks: go on as the game always did, unguarded.
            ::close(opened);
            return State::Failed;
        }
        struct stat present {};
        if (::lstat(lockFile.c_str(), &present) != 0 || present.st_ino != own.st_ino ||
            present.st_dev != own.st_dev) {
            ::close(opened);
            continue;
        }
        char host[128] = "";
        if (::gethostname(host, sizeof host - 1) != 0) {
            host[0] = '\0';
        }
        const std::string text = std::to_string(ProcessNumber()) + " " + host + "\n";
        if (::ftruncate(opened, 0) == 0) {
            const ssize_t written = ::pwrite(opened, text.data(), text.size(), 0);
            (void)written;
        }
        descriptor = opened;
        path = lockFile;
        return State::Held;
    }
    return State::Failed;
}

void FileLock::Release() {
    if (descriptor < 0) {
        return;
    }
    // Removed while still locked, so that nobody takes a file that is about to vanish.
    ::unlink(path.c_str());
    ::close(descriptor);
    descriptor = -1;
    path.clear();
}

#else

std::FILE* OpenRegularFile(const fs::path& path, std::uintmax_t limit, ReadRefusal* why) {
    ReadRefusal refusal = ReadRefusal::None;
    ReadRefusal& reason = why != nullptr ? *why : refusal;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        reason = ReadRefusal::Missing;
        return nullptr;
    }
    if (!fs::is_regular_file(status)) {
        reason = ReadRefusal::NotRegular;
        return nullptr;
    }
    if (fs::file_size(path, error) > limit || error) {
        reason = ReadRefusal::TooLarge;
        return nullptr;
    }
    std::FILE* file = std::fopen(path.string().c_str(), "rb");
    reason = file == nullptr ? ReadRefusal::Unreadable : ReadRefusal::None;
    return file;
}

std::FILE* CreateTemporaryBeside(const fs::path& target, fs::path& temporary) {
    static std::atomic<unsigned> serial{0};
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            target.parent_path() / (target.filename().string() + ".0-" + std::to_string(serial++) +
                                    "-" + std::to_string(entropy() % 1000000) + TemporarySuffix);
        std::error_code error;
        if (fs::exists(fs::symlink_status(temporary, error))) {
            continue;
        }
        // "x" creates exclusively where the C library knows it.
        if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx")) {
            return file;
        }
    }
    temporary.clear();
    return nullptr;
}

FileLock::~FileLock() = default;

FileLock::State FileLock::Acquire(const fs::path&) {
    return State::Failed;
}

void FileLock::Release() {}

#endif

bool ReadRegularFile(const fs::path& path, std::uintmax_t limit, std::string& text,
                     ReadRefusal* why) {
    text.clear();
    std::FILE* file = OpenRegularFile(path, limit, why);
    if (file == nullptr) {
        return false;
    }
    std::vector<char> block(65536);
    bool sound = true;
    // The limit holds also for a file that grows while it is read.
    while (text.size() <= limit) {
        const std::size_t got = std::fread(block.data(), 1, block.size(), file);
        text.append(block.data(), got);
        if (got < block.size()) {
            sound = std::ferror(file) == 0;
            break;
        }
    }
    std::fclose(file);
    if (!sound || text.size() > limit) {
        if (why != nullptr) {
            *why = sound ? ReadRefusal::TooLarge : ReadRefusal::Unreadable;
        }
        text.clear();
        return false;
    }
    return true;
}

void RemoveStaleTemporaries(const fs::path& target) {
    const std::string prefix = target.filename().string() + ".";
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code error;
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - 4, 4, TemporarySuffix) != 0) {
            continue;
        }
        // "<target>.<process>-<serial>-<random>.tmp"
        const std::string rest = name.substr(prefix.size());
        std::size_t digits = 0;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
            ++digits;
        }
        if (digits == 0 || digits > 9 || digits >= rest.size() || rest[digits] != '-') {
            continue;
        }
        if (ProcessIsGone(std::stol(rest.substr(0, digits)))) {
            stale.push_back(it->path());
        }
    }
    for (const auto& file : stale) {
        std::error_code ignored;
        fs::remove(file, ignored);
    }
}

fs::path SetAsideDamagedFile(const fs::path& file, std::time_t now) {
    const std::string base = file.filename().string() + ".defekt-" + DayStamp(now);
    for (int n = 1; n <= 1000; ++n) {
        const fs::path candidate =
            file.parent_path() / (n == 1 ? base : base + "-" + std::to_string(n));
        int error = 0;
        if (RenameNoReplace(file, candidate, error)) {
            return candidate;
        }
        if (error != EEXIST) {
            return {};
        }
    }
    return {};
}

} // namespace lingomat
