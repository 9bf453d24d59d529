#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "VocTool.h"

namespace lingomat::tooltest {

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::random_device device;
        path = std::filesystem::temp_directory_path() /
               ("lingomat-voc-test-" + std::to_string(device()) + std::to_string(device()));
        std::filesystem::create_directories(path);
    }
    ~TempDir() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string operator/(const std::string& name) const { return (path / name).string(); }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path),
                                                      std::filesystem::directory_iterator()));
    }

    std::filesystem::path path;
};

inline void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

inline ToolRun RunTool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunVocTool(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace lingomat::tooltest
