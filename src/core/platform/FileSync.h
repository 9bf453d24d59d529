#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace lingomat {

// A file replaced by renaming a temporary one over it is only safe from a power cut when the
// temporary file's bytes are on the disk before the rename, and the rename itself is on the disk
// once the folder has been synced. The C++ library offers neither, so they live here. Where the
// platform has no such call both succeed without doing anything.

// Pushes the stream's buffer and the file's data to the disk. False when either fails.
bool SyncFile(std::FILE* file);

// Syncs a file or a folder given by its path; an empty path stands for the working directory.
bool SyncPath(const std::filesystem::path& path);

// Replaces the file by the given bytes: written to a temporary file beside it, synced, renamed
// over it and the folder synced. On any failure the old file stays as it was, the temporary file
// is removed and the result is false.
bool ReplaceFile(const std::filesystem::path& target, const std::string& contents);

} // namespace lingomat
