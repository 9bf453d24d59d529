// Saves one file over and over until it is killed: reads the version the file holds, then writes
// each following version and reports every finished save with one byte on the given descriptor.
// The player file is saved as the game does, holding the player's lock. "aside" instead plants
// one damaged player file after the other and lets loading set each aside.
// Usage: crash_save_loop PlayerFile|ErrorFile|CardBox|aside <folder> <descriptor>

#include <unistd.h>

#include <algorithm>
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
    const std::string mode = argv[1];
    const std::filesystem::path folder = argv[2];
    const int report = std::atoi(argv[3]);
    if (mode == "aside") {
        return SetAsideLoop(folder, report);
    }
    const auto* named = std::find_if(std::begin(EveryKind), std::end(EveryKind),
                                     [&](FileKind k) { return mode == KindName(k); });
    if (named == std::end(EveryKind)) {
        return 64;
    }
    const FileKind kind = *named;
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
