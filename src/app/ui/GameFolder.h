#pragma once

#include <filesystem>

namespace lingomat {

// The game reads and writes everything in its working directory. Started from a desktop menu that
// directory is the home folder, which holds no data set; the game then runs in a folder of its own
// per user, filled from the installed, read-only shipped files.
struct GameFolderChoice {
    std::filesystem::path folder;
    bool playerFolder = false;
    // The shipped data sets exist, but the player's folder could neither be made nor filled and
    // the game has no data set: the player has to be told.
    bool failed = false;
};

// $XDG_DATA_HOME/lingomat, or ~/.local/share/lingomat when that variable is unset, empty or
// relative (the base directory rules ignore relative paths). Empty without any usable base.
std::filesystem::path PlayerGameFolder(const char* xdgDataHome, const char* home);

// At least one "*.voc" file (letter case ignored), as the player dialog lists them.
bool HoldsDataSet(const std::filesystem::path& folder);

// A working directory with data sets of its own (a build tree, a folder a player set up) is kept.
// Otherwise the shipped data sets and tips are copied into playerFolder where missing or older,
// help/ and images/ are linked (copied where links are impossible), and that folder is chosen.
// Files of the player (own data sets, player and error files) are never touched.
GameFolderChoice ChooseGameFolder(const std::filesystem::path& workingDirectory,
                                  const std::filesystem::path& shippedFolder,
                                  const std::filesystem::path& playerFolder);

// Chooses with the real environment (shipped files found relative to the executable), changes
// the working directory, and shows a German message box when the choice failed.
void EnterGameFolder();

} // namespace lingomat
