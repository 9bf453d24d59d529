// Saves one file over and over until it is killed: reads the version the file holds, then writes
// each following version and reports every finished save with one byte on the given descriptor.
// The player file is saved as the game does, holding the player's lock. "aside" instead plants
// one damaged player file after the other and lets loading set each aside.
// Usage: crash_save_loop player|error|cards|aside <folder> <descriptor>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "SavedVersions.h"
#include "players/PlayerStatistics.h"

namespace {

int SetAsideLoop(const std::filesystem::path& folder, int report) {
    using namespace lingomat;
    for (long k = 0; k < 100000; ++k) {
        // Planted whole, so that only the game's own steps can be cut by the kill.
        const auto partial = folder / "damage.partial";
        std::ofstream(partial, std::ios::binary | std::ios::trunc) << crash::DamagedText(k);
        std::filesystem::rename(partial, folder / crash::FileName(crash::FileKind::PlayerFile));
        PlayerStatistics statistics;
        statistics.SetDirectory(folder);
        statistics.SetPlayerName(crash::PlayerName);
        if (statistics.Load().state != PlayerFileLoad::SetAside) {
            return 5;
        }
        const char done = 'a';
        if (write(report, &done, 1) != 1) {
            return 4;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    using namespace lingomat::crash;
    if (argc != 4) {
        return 64;
    }
    const std::string kindName = argv[1];
    const FileKind kind = kindName == "error"   ? FileKind::ErrorFile
                          : kindName == "cards" ? FileKind::CardBox
                                                : FileKind::PlayerFile;
    const std::filesystem::path folder = argv[2];
    const int report = std::atoi(argv[3]);
    if (kindName == "aside") {
        return SetAsideLoop(folder, report);
    }
    lingomat::PlayerStatistics player;
    if (kind == FileKind::PlayerFile) {
        player.SetDirectory(folder);
        std::string holder;
        if (player.Reserve(PlayerName, holder) != lingomat::FileLock::State::Held) {
            return 6;
        }
        player.SetPlayerName(PlayerName);
    }

    const long start = ReadVersion(kind, folder);
    if (start < 0) {
        return 2;
    }
    // Bounded, so that a loop nobody kills still ends.
    for (long k = start + 1; k <= start + 100000; ++k) {
        if (!SaveVersion(kind, folder, static_cast<std::uint32_t>(k))) {
            return 3;
        }
        const char saved = 's';
        if (write(report, &saved, 1) != 1) {
            return 4;
        }
    }
    return 0;
}
