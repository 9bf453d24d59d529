// Saves one file over and over until it is killed: reads the version the file holds, then writes
// each following version and reports every finished save with one byte on the given descriptor.
// Usage: crash_save_loop player|error|cards <folder> <descriptor>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "SavedVersions.h"

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
