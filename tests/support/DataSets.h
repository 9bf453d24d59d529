#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "data/VocFileReader.h"
#include "data/VocFileWriter.h"

namespace lingomat::testing {

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

struct TestLesson {
    std::string name;
    std::string code;
};

// One record in the order of the file: lesson line, French, English (or Spanish), German.
struct TestRecord {
    std::string lesson;
    std::string french;
    std::string english;
    std::string german;
    std::string wordClass = ""; // written only where the data set has word classes
};

// A data set through the game's own writer; format 1 when withClasses, with each record's word
// class after its lesson line.
inline void WriteDataSet(const std::string& file, const std::vector<TestLesson>& lessons,
                         const std::vector<TestRecord>& records, bool withClasses = false) {
    Lines lines = {"### Lingomatdata", withClasses ? "1" : "0", "Testdaten", "#"};
    for (const auto& lesson : lessons) {
        lines.insert(lines.end(), {lesson.name, lesson.code});
    }
    lines.push_back("#");
    for (const auto& r : records) {
        lines.push_back(r.lesson);
        if (withClasses) {
            lines.push_back(r.wordClass);
        }
        lines.insert(lines.end(), {r.french, r.english, r.german});
    }
    lines.push_back("#");
    ASSERT_TRUE(WriteVocFile(file, lines)) << file;
}

} // namespace lingomat::testing
