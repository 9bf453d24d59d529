#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/VocFileReader.h"
#include "data/VocFileWriter.h"

namespace lingomat::testing {

// A fresh, empty folder under the system's temporary folder, removed again at the end.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> serial{0};
        path = std::filesystem::temp_directory_path() /
               ("lingomat-data-" + std::to_string(std::random_device{}()) + "-" +
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
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path),
                                                      std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path path;
};

using Bytes = std::vector<unsigned char>;
using Lines = std::vector<std::string>;

inline Bytes ReadBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& file, const Bytes& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadText(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteText(const std::string& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

// Through the game's own writer; false when the file could not be completed.
inline bool WriteVocFile(const std::string& file, const Lines& lines) {
    VocFileWriter writer;
    writer.Open(file);
    for (const auto& line : lines) {
        writer.WriteLine(line);
    }
    return writer.Close();
}

// Every line up to the end of the data; a last line cut off by the end still counts.
inline Lines ReadVocFile(const std::string& file) {
    VocFileReader reader;
    reader.Open(file);
    Lines lines;
    while (lines.size() < 100'000) {
        std::string line = reader.ReadLine();
        if (reader.atEnd && line.empty()) {
            break;
        }
        lines.push_back(std::move(line));
    }
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_TRUE(reader.atEnd) << "the end is final";
    return lines;
}

} // namespace lingomat::testing
