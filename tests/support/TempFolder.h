#pragma once

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace lingomat::testing {

// A fresh, empty folder under the system's temporary folder, removed again at the end. The
// random part keeps test processes that run side by side apart.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> serial{0};
        path = std::filesystem::temp_directory_path() /
               ("lingomat-test-" + std::to_string(std::random_device{}()) + "-" +
                std::to_string(serial++));
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const std::string& name) const { return (path / name).string(); }
    const std::filesystem::path& Path() const { return path; }

    // The names of everything in the folder, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::size_t FileCount() const { return Entries().size(); }

private:
    std::filesystem::path path;
};

// A save's temporary file: the file's name, a dot, a unique part, ".tmp".
inline bool IsTemporaryOf(const std::string& name, const std::string& file) {
    return name.size() > file.size() + 5 && name.compare(0, file.size() + 1, file + ".") == 0 &&
           name.compare(name.size() - 4, 4, ".tmp") == 0;
}

} // namespace lingomat::testing
