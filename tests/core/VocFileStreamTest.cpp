#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DataTestFolder.h"
#include "data/VocFileReader.h"
#include "data/VocFileWriter.h"

namespace lingomat {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Bytes = std::vector<unsigned char>;
using Lines = std::vector<std::string>;

constexpr std::size_t Block = VocFileReader::BlockSize;

void WriteLines(const std::string& file, const Lines& lines) {
    VocFileWriter writer;
    ASSERT_TRUE(writer.Open(file));
    for (const auto& line : lines) {
        writer.WriteLine(line);
    }
    ASSERT_TRUE(writer.Close());
}

// Every line up to the end of the data; a last line cut off by the end still counts.
Lines ReadAll(VocFileReader& reader) {
    Lines lines;
    for (int guard = 0; guard < 1'000'000; ++guard) {
        std::string line = reader.ReadLine();
        if (reader.atEnd && line.empty()) {
            break;
        }
        lines.push_back(std::move(line));
        if (reader.atEnd) {
            break;
        }
    }
    return lines;
}

Lines ReadAll(const std::string& file) {
    VocFileReader reader;
    reader.Open(file);
    return ReadAll(reader);
}

struct WriteCase {
    const char* name;
    Lines lines;
    Bytes disk;
};

TEST(VocFileWriter, StoresComplementedBytesWithPlatformLineEnds) {
    const std::vector<WriteCase> cases = {
        {"two lines", {"ab", "#"}, {158, 157, 245, 220, 245}},
        {"empty line", {""}, {245}},
        {"o tilde is stored 10 and goes to disk as CR LF", {"\xF5"}, {13, 10, 245}},
        {"line feed inside a line becomes a blank", {"a\nb"}, {158, 223, 157, 245}},
        {"y diaeresis would be the stored end of data", {"\xFF"}, {255 - 'y', 245}},
        {"a ring would be the disk end of file", {"\xE5"}, {255 - 'a', 245}},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteLines(folder.File("out.voc"), c.lines);
        EXPECT_EQ(ReadBytes(folder.File("out.voc")), c.disk) << c.name;
    }
}

TEST(VocFileWriter, CountsReplacedCharacters) {
    TempFolder folder;
    VocFileWriter writer;
    writer.Open(folder.File("out.voc"));
    writer.WriteLine("J\xF8rgen");
    EXPECT_EQ(writer.ReplacedCount(), 0u);
    writer.WriteLine("H\xE5kon \xFF\n");
    EXPECT_EQ(writer.ReplacedCount(), 3u);
}

struct ReadCase {
    const char* name;
    Bytes disk;
    Lines lines;
};

TEST(VocFileReader, DecodesDiskBytes) {
    const std::vector<ReadCase> cases = {
        {"empty file", {}, {}},
        {"empty first line", {245}, {""}},
        {"two lines", {158, 157, 245, 220, 245}, {"ab", "#"}},
        {"stored 0 ends the data", {158, 245, 0, 157, 245}, {"a"}},
        {"stored 0 inside a line", {158, 0, 157, 245}, {"a"}},
        {"disk byte 26 ends the file", {158, 26, 157, 245}, {"a"}},
        {"CR LF reads as one stored 10", {13, 10, 245}, {"\xF5"}},
        {"lone CR is kept", {13, 158, 245}, {"\xF2" "a"}},
        {"CR as the last byte is kept", {158, 13}, {"a\xF2"}},
        {"CR CR LF", {13, 13, 10, 245}, {"\xF2\xF5"}},
        {"last line without terminator", {158, 245, 157}, {"a", "b"}},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteBytes(folder.File("in.voc"), c.disk);
        EXPECT_EQ(ReadAll(folder.File("in.voc")), c.lines) << c.name;
    }
}

TEST(VocFileReader, StaysAtEndOnceTheDataHasEnded) {
    TempFolder folder;
    WriteBytes(folder.File("in.voc"), {158, 245, 0, 157, 245, 156, 245});
    VocFileReader reader;
    reader.Open(folder.File("in.voc"));
    EXPECT_EQ(reader.ReadLine(), "a");
    EXPECT_FALSE(reader.atEnd);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(reader.ReadLine(), "");
        EXPECT_TRUE(reader.atEnd);
        EXPECT_FALSE(reader.NextIsSectionEnd());
    }
}

TEST(VocFileReader, MissingFileReadsAsEmpty) {
    TempFolder folder;
    VocFileReader reader;
    EXPECT_FALSE(reader.Open(folder.File("absent.voc")));
    EXPECT_FALSE(reader.NextIsSectionEnd());
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_TRUE(reader.atEnd);
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
    const std::vector<std::pair<const char*, Lines>> cases = {
        {"every storable byte", {EveryStorableByte(), "", EveryStorableByte()}},
        {"70,000 characters", {std::string(70'000, 'x'), "after"}},
        {"70,000 o tildes, each two disk bytes", {std::string(70'000, '\xF5'), "after"}},
        {"CR LF straddling the disk block", {std::string(Block - 1, 'x') + "\xF5", "after"}},
        {"terminator first in the second block", {std::string(Block, 'x'), "after"}},
        {"many short lines", Lines(30'000, "Haus\xF5")},
    };
    for (const auto& [name, lines] : cases) {
        TempFolder folder;
        WriteLines(folder.File("trip.voc"), lines);
        EXPECT_EQ(ReadAll(folder.File("trip.voc")), lines) << name;
    }
}

TEST(VocFileReader, SectionEndWhoseTerminatorStartsTheNextBlock) {
    TempFolder folder;
    // The line and its terminator fill all but the last byte of the first block.
    WriteLines(folder.File("in.voc"), {std::string(Block - 2, 'x'), "#", "next"});
    ASSERT_EQ(ReadBytes(folder.File("in.voc"))[Block - 1], 220);
    VocFileReader reader;
    reader.Open(folder.File("in.voc"));
    EXPECT_EQ(reader.ReadLine().size(), Block - 2);
    EXPECT_TRUE(reader.NextIsSectionEnd());
    EXPECT_EQ(reader.ReadLine(), "next");
}

TEST(VocFileReader, SectionEndLooksOnlyAtTheFirstCharacter) {
    struct Case {
        const char* name;
        Lines lines;
        bool isEnd;
        std::string following;
    };
    const std::vector<Case> cases = {
        {"marker line", {"#", "x"}, true, "x"},
        {"longer line starting with #", {"#abc"}, true, "bc"},
        {"ordinary line", {"x#"}, false, "x#"},
        {"empty line", {"", "x"}, false, ""},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteLines(folder.File("in.voc"), c.lines);
        VocFileReader reader;
        reader.Open(folder.File("in.voc"));
        EXPECT_EQ(reader.NextIsSectionEnd(), c.isEnd) << c.name;
        EXPECT_EQ(reader.ReadLine(), c.following) << c.name;
    }
}

TEST(VocFileReader, MarkerFollowedByStoredZeroDoesNotReadBeyondIt) {
    TempFolder folder;
    WriteBytes(folder.File("in.voc"), {220, 0, 158, 245});
    VocFileReader reader;
    reader.Open(folder.File("in.voc"));
    EXPECT_TRUE(reader.NextIsSectionEnd());
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_TRUE(reader.atEnd);
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
    const std::string huge = reader.ReadLine();
    EXPECT_EQ(huge.size(), VocFileReader::MaxLineLength);
    EXPECT_EQ(huge.find_first_not_of('x'), std::string::npos);
    EXPECT_EQ(reader.ReadLine(), "ok");
}

TEST(VocFileReader, RandomBytesEndWithinTheFile) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        std::mt19937 engine(seed);
        Bytes disk(engine() % (3 * Block));
        for (auto& b : disk) {
            // Few zeros and 26s, so that most files are read far.
            do {
                b = static_cast<unsigned char>(engine());
            } while ((b == 0 || b == 26) && engine() % 64 != 0);
        }
        TempFolder folder;
        WriteBytes(folder.File("in.voc"), disk);
        VocFileReader reader;
        reader.Open(folder.File("in.voc"));
        std::size_t characters = 0;
        std::size_t reads = 0;
        while (!reader.atEnd && reads <= disk.size() + 1) {
            reader.NextIsSectionEnd();
            characters += reader.ReadLine().size();
            ++reads;
        }
        EXPECT_TRUE(reader.atEnd) << seed;
        EXPECT_LE(characters, disk.size()) << seed;
    }
}

TEST(VocFileReader, RewindRereadsAFirstLineLongerThanABlock) {
    TempFolder folder;
    const std::string first(Block + 100, 'x');
    WriteLines(folder.File("in.voc"), {first, "second"});
    VocFileReader reader;
    reader.Open(folder.File("in.voc"));
    reader.ReadLine();
    reader.Rewind();
    EXPECT_EQ(reader.ReadLine(), first);
    EXPECT_EQ(reader.ReadLine(), "second");
}

TEST(VocFileWriter, DestructorWritesWhatIsBuffered) {
    TempFolder folder;
    const Lines lines = {std::string(Block + 10, 'x'), "tail"};
    {
        VocFileWriter writer;
        writer.Open(folder.File("out.voc"));
        for (const auto& line : lines) {
            writer.WriteLine(line);
        }
    }
    EXPECT_EQ(ReadBytes(folder.File("out.voc")).size(), Block + 10 + 1 + 5);
    EXPECT_EQ(ReadAll(folder.File("out.voc")), lines);
}

TEST(VocFileWriter, CloseReportsFailure) {
    TempFolder folder;
    VocFileWriter unopened;
    EXPECT_FALSE(unopened.Open(folder.File("no/such/folder/out.voc")));
    unopened.WriteLine("lost");
    EXPECT_FALSE(unopened.Close());

    VocFileWriter full;
    if (full.Open("/dev/full")) {
        full.WriteLine("does not fit");
        EXPECT_FALSE(full.Close());
    }

    VocFileWriter good;
    ASSERT_TRUE(good.Open(folder.File("out.voc")));
    good.WriteLine("fits");
    EXPECT_TRUE(good.Close());
    EXPECT_FALSE(good.Close()) << "nothing left to close";
}

} // namespace
} // namespace lingomat
