#include "platform/FileSync.h"

#include "platform/SafeFiles.h"

#include <system_error>

#if !defined(_WIN32) && __has_include(<unistd.h>) && __has_include(<fcntl.h>)
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>
#define LINGOMAT_HAS_FSYNC 1
#endif

namespace lingomat {

#ifdef LINGOMAT_HAS_FSYNC

namespace {

bool SyncDescriptor(int descriptor) {
    while (::fsync(descriptor) != 0) {
        if (errno == EINTR) {
            continue;
        }
        // Pipes, terminals and some file systems cannot be synced; nothing more can be done.
        return errno == EINVAL || errno == EROFS || errno == ENOTSUP;
    }
    return true;
}

} // namespace

bool SyncFile(std::FILE* file) {
    if (file == nullptr || std::fflush(file) != 0) {
        return false;
    }
    return SyncDescriptor(::fileno(file));
}

bool SyncPath(const std::filesystem::path& path) {
    const std::filesystem::path target = path.empty() ? std::filesystem::path(".") : path;
    int descriptor = -1;
    do {
        descriptor = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        return false;
    }
    const bool synced = SyncDescriptor(descriptor);
    return ::close(descriptor) == 0 && synced;
}

#else

bool SyncFile(std::FILE* file) {
    return file != nullptr && std::fflush(file) == 0;
}

bool SyncPath(const std::filesystem::path& /*path*/) {
    return true;
}

#endif

bool ReplaceFile(const std::filesystem::path& target, const std::string& contents) {
    RemoveStaleTemporaries(target);
    std::filesystem::path temporary;
    std::error_code error;
    std::FILE* file = CreateTemporaryBeside(target, temporary);
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    const bool synced = written && SyncFile(file);
    if (std::fclose(file) != 0 || !synced) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    // The new file is in place either way; syncing the folder only makes the rename outlast a
    // power cut.
    SyncPath(target.parent_path());
    return true;
}

} // namespace lingomat
