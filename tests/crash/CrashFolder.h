#pragma once

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace lingomat::crash {

// A fresh, empty folder under the system's temporary folder, removed again at the end.
class CrashFolder {
public:
    CrashFolder() {
        static std::atomic<unsigned> serial{0};
        path = std::filesystem::temp_directory_path() /
               ("lingomat-crash-" + std::to_string(std::random_device{}()) + "-" +
                std::to_string(serial++));
        std::filesystem::create_directories(path);
    }
    ~CrashFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    CrashFolder(const CrashFolder&) = delete;
    CrashFolder& operator=(const CrashFolder&) = delete;

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

private:
    std::filesystem::path path;
};

} // namespace lingomat::crash
