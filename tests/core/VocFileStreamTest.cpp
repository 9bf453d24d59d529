#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DataTestFolder.h"
#include "data/VocFileReader.h"
#include "data/VocFileWriter.h"

namespace lingomat {
namespace {

using namespace testing;
using Lines = std::vector<std::string>;
constexpr std::size_t Block = VocFileReader::BlockSize;

bool WriteLines(const std::string& file, const Lines& lines) {
    VocFileWriter writer;
    writer.Open(file);
    for (const auto& line : lines) {
        writer.WriteLine(line);
    }
    return writer.Close();
}

// Every line up to the end of the data; a last line cut off by the end still counts.
Lines ReadAll(const std::string& file) {
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

TEST(VocFileWriter, StoresComplementedBytesWithPlatformLineEnds) {
    const std::vector<std::pair<Lines, Bytes>> cases = {
        {{"ab", "#"}, {158, 157, 245, 220, 245}},
        {{""}, {245}},
        {{"\xF5"}, {13, 10, 245}},        // stored 10 goes to disk as CR LF
        {{"a\nb"}, {158, 223, 157, 245}}, // a line feed inside would split the line
        {{"\xFF"}, {255 - 'y', 245}},     // stored 0 would end the data
        {{"\xE5"}, {255 - 'a', 245}},     // disk 26 would end the file
    };
    for (const auto& [lines, disk] : cases) {
        TempFolder folder;
        ASSERT_TRUE(WriteLines(folder.File("out.voc"), lines));
        EXPECT_EQ(ReadBytes(folder.File("out.voc")), disk) << lines[0];
    }
}

TEST(VocFileReader, DecodesDiskBytes) {
    const std::vector<std::pair<Bytes, Lines>> cases = {
        {{}, {}},
        {{245}, {""}},
        {{158, 245, 0, 157, 245}, {"a"}}, // stored 0 ends the data
        {{158, 0, 157, 245}, {"a"}},
        {{158, 26, 157, 245}, {"a"}}, // disk 26 ends the file
        {{13, 10, 245}, {"\xF5"}},
        {{13, 158, 245},
         {"\xF2"
          "a"}}, // a lone CR stays
        {{158, 13}, {"a\xF2"}},
        {{13, 13, 10, 245}, {"\xF2\xF5"}},
        {{158, 245, 157}, {"a", "b"}}, // last line without terminator
    };
    for (const auto& [disk, lines] : cases) {
        TempFolder folder;
        WriteBytes(folder.File("in.voc"), disk);
        EXPECT_EQ(ReadAll(folder.File("in.voc")), lines) << disk.size();
    }
}

std::string EveryStorableByte() {
    std::string text;
    for (int b = 1; b < 255; ++b) {
        if (b != '\n' && b != 0xE5) {
            text.push_back(static_cast<char>(b));
        }
    }
    return text;
}

TEST(VocFileStreams, RoundTripAcrossBlockBoundaries) {
    const std::vector<Lines> cases = {
        {EveryStorableByte(), "", EveryStorableByte()},
        {std::string(70'000, 'x'), "after"},
        {std::string(70'000, '\xF5'), "after"},          // two disk bytes each
        {std::string(Block - 1, 'x') + "\xF5", "after"}, // CR LF straddles the disk block
        {std::string(Block, 'x'), "after"},              // terminator opens the next block
        Lines(30'000, "Haus\xF5"),
    };
    for (const auto& lines : cases) {
        TempFolder folder;
        ASSERT_TRUE(WriteLines(folder.File("trip.voc"), lines));
        EXPECT_EQ(ReadAll(folder.File("trip.voc")), lines) << lines[0].size();
    }
}

TEST(VocFileReader, SectionEnd) {
    struct Case {
        std::size_t firstLine; // length of an ordinary line before the bytes, if any
        Bytes disk;
        bool isEnd;
        std::string following;
    };
    const std::vector<Case> cases = {
        {0, {220, 245, 135, 245}, true, "x"},
        {0, {220, 158, 157, 156, 245}, true, "bc"}, // only the first two bytes go
        {0, {135, 220, 245}, false, "x#"},
        {0, {245, 135, 245}, false, ""},
        {0, {220, 0, 158, 245}, true, ""}, // the stored 0 after it still ends the data
        {0, {}, false, ""},
        {Block - 2, {220, 245, 135, 245}, true, "x"}, // "#" last in its block
    };
    for (const auto& c : cases) {
        Bytes disk(c.firstLine, 255 - 'x');
        if (c.firstLine > 0) {
            disk.push_back(245);
        }
        disk.insert(disk.end(), c.disk.begin(), c.disk.end());
        TempFolder folder;
        WriteBytes(folder.File("in.voc"), disk);
        VocFileReader reader;
        reader.Open(folder.File("in.voc"));
        if (c.firstLine > 0) {
            EXPECT_EQ(reader.ReadLine().size(), c.firstLine);
        }
        EXPECT_EQ(reader.NextIsSectionEnd(), c.isEnd) << c.following;
        EXPECT_EQ(reader.ReadLine(), c.following);
    }
}

TEST(VocFileReader, HugeLineIsCutAndTheNextLineSurvives) {
    TempFolder folder;
    Bytes disk(10 * 1024 * 1024, 255 - 'x');
    for (const unsigned char b : {245, 255 - 'o', 255 - 'k', 245}) {
        disk.push_back(b);
    }
    WriteBytes(folder.File("in.voc"), disk);
    VocFileReader reader;
    reader.Open(folder.File("in.voc"));
    EXPECT_EQ(reader.ReadLine(), std::string(VocFileReader::MaxLineLength, 'x'));
    EXPECT_EQ(reader.ReadLine(), "ok");
}

TEST(VocFileReader, RandomBytesEndWithinTheFile) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        std::mt19937 engine(seed);
        Bytes disk(engine() % (3 * Block));
        for (auto& b : disk) {
            // Neither a stored 0 nor a disk 26, so that the whole file is read.
            b = static_cast<unsigned char>(engine() % 253 + 1);
            b = static_cast<unsigned char>(b >= 26 ? b + 1 : b);
        }
        TempFolder folder;
        WriteBytes(folder.File("in.voc"), disk);
        VocFileReader reader;
        reader.Open(folder.File("in.voc"));
        std::size_t characters = 0;
        for (std::size_t reads = 0; !reader.atEnd && reads <= disk.size(); ++reads) {
            reader.NextIsSectionEnd();
            characters += reader.ReadLine().size();
        }
        EXPECT_TRUE(reader.atEnd) << seed;
        EXPECT_LE(characters, disk.size()) << seed;
    }
}

TEST(VocFileWriter, FlushesOnCloseOrDestructionAndReportsFailure) {
    TempFolder folder;
    const Lines lines = {std::string(Block + 10, 'x'), "tail"};
    {
        VocFileWriter writer;
        writer.Open(folder.File("out.voc"));
        for (const auto& line : lines) {
            writer.WriteLine(line);
        }
    }
    EXPECT_EQ(ReadAll(folder.File("out.voc")), lines);

    EXPECT_TRUE(WriteLines(folder.File("out.voc"), lines));
    EXPECT_FALSE(WriteLines(folder.File("no/such/folder/out.voc"), {"lost"}));
    EXPECT_FALSE(WriteLines("/dev/full", {"does not fit"}));
}

} // namespace
} // namespace lingomat
