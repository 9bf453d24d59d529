#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

namespace lingomat::crash {

// The kinds of file the game writes, each as a family of versions: version k holds k
// records whose contents follow from their index alone, so that a file read back can be told to
// be one whole version or damaged.
enum class FileKind { PlayerFile, ErrorFile, CardBox };

const char* KindName(FileKind kind);

inline constexpr const char* PlayerName = "Anna";

// The k-th damaged player file: no name line the game accepts, long enough to span writes.
std::string DamagedText(long k);

inline void PrintTo(FileKind kind, std::ostream* out) {
    *out << KindName(kind);
}

inline constexpr FileKind EveryKind[] = {FileKind::PlayerFile, FileKind::ErrorFile,
                                         FileKind::CardBox};

// The file's name inside the folder.
std::string FileName(FileKind kind);

// Writes version k through the game's own writer; returns what the writer reported.
bool SaveVersion(FileKind kind, const std::filesystem::path& folder, std::uint32_t k);

// Reads the file through the game's own reader: the k of the version it holds, or -1 when it is
// no whole version.
long ReadVersion(FileKind kind, const std::filesystem::path& folder);

} // namespace lingomat::crash
