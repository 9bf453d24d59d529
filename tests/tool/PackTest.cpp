#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ToolTestSupport.h"

namespace lingomat {
namespace {

using tooltest::ReadText;
using tooltest::RunTool;
using tooltest::TempDir;
using tooltest::WriteText;

TEST(Pack, RefusesWhatCannotBeStoredAndWritesNothing) {
    struct Case {
        std::string source;
        std::vector<std::string> positions; // "line:column" of every refusal, in order
        bool notUtf8 = false;               // else a character that cannot be stored
    };
    const Case cases[] = {
        {"Vorspann\nBudapest \xC5\x91r\n", {"2:10"}},             // ő has no Windows-1252 byte
        {"\xEF\xBB\xBFK\xC3\xA5se\n", {"1:2"}},                   // å ends the data; BOM uncounted
        {"a\r\nb\xC3\xBF\r\n", {"2:2"}},                          // ÿ ends the data
        {"x\n\xFF\n", {"2:1"}, true},                             // not UTF-8 at all
        {"\xC3\xA4\xE2\x82\xAC\xE2\x80\x8B!", {"1:3"}},           // ä and € fine, U+200B not
        {"\xC3\xA5\xC3\xA5\n\xCE\xB1", {"1:1", "1:2", "2:1"}},    // every one, not just the first
        {"\xF0\x9F\x98\x80x", {"1:1"}},                           // an emoji
        {"\xC0\x80", {"1:1", "1:2"}, true},                       // overlong
        {"\xED\xA0\x80", {"1:1", "1:2", "1:3"}, true},            // a surrogate
        {"\xF4\x90\x80\x80", {"1:1", "1:2", "1:3", "1:4"}, true}, // beyond U+10FFFF
        {"\xC3", {"1:1"}, true},                                  // cut short
        {"\xC3\xA4\x80\xC3\xA4", {"1:2"}, true},                  // a stray continuation byte
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string source = dir.File("quelle.txt");
        const std::string target = dir.File("ziel.voc");
        WriteText(source, c.source);
        WriteText(target, "vorher");
        const auto run = RunTool({"pack", source, "-o", target});
        EXPECT_EQ(run.exitCode, 1) << c.source;
        for (const auto& position : c.positions) {
            const std::string kind = c.notUtf8 ? "ungültiges UTF-8" : "Das Zeichen";
            EXPECT_NE(run.err.find(source + ":" + position + ": " + kind), std::string::npos)
                << c.source << "\n"
                << run.err;
        }
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), c.positions.size() + 1)
            << run.err;
        EXPECT_EQ(ReadText(target), "vorher") << "an old data set must survive a refused pack";
        EXPECT_EQ(dir.FileCount(), 2u) << "no temporary file may be left behind";
    }
}

TEST(Pack, SourceLineEnds) {
    struct Case {
        std::string source;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\n\n\nb\n", {"a", "", "", "b"}},
        {"", {}},
        {"\xEF\xBB\xBF#\r\n\r\nx\r\n", {"#", "", "x"}},
        // Only a file whose every break is CR LF is a CR LF file; otherwise a CR is text.
        {"a\r\nb\n", {"a\r", "b"}},
        {"M\xC3\244dchen\n\xE2\x82\xAC\n", {"M\344dchen", "\x80"}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteText(dir.File("q.txt"), c.source);
        const auto run = RunTool({"pack", dir.File("q.txt"), "-o", dir.File("z.voc")});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(ReadVocLines(dir.File("z.voc")), c.lines) << c.source;
    }
}

// Files the writer produced come back byte for byte through unpack and pack.
TEST(Pack, UnpackThenPackReproducesTheFile) {
    std::string everyByte;
    for (int b = 1; b < 256; ++b) {
        if (b != '\n' && b != 0xE5 && b != 0xFF) {
            everyByte += static_cast<char>(b);
        }
    }
    const std::vector<std::vector<std::string>> cases = {
        {"### Lingomatdata", "1", "#", "Tiere", "T", "#", "T", "n", "chien", "dog", "Hund", "#"},
        {"\xF5", "\xF2", "\xF2\xF5", "\xF5\xF2\xF5", "a\365b"}, // stored 10 and 13
        {"", "", "x", ""},
        {everyByte, "#", "\x81\x8D\x8F\x90\x9D"},
        {std::string(70000, 'w'), std::string(65535, '\xF5') + "#"},
        {"ends\r", "\rstarts"},
        {},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        TempDir dir;
        ASSERT_TRUE(testing::WriteVocFile(dir.File("a.voc"), cases[i]));
        const auto unpacked = RunTool({"unpack", dir.File("a.voc"), "-o", dir.File("a.txt")});
        ASSERT_EQ(unpacked.exitCode, 0) << unpacked.err;
        const auto packed = RunTool({"pack", dir.File("a.txt"), "-o", dir.File("b.voc")});
        ASSERT_EQ(packed.exitCode, 0) << packed.err;
        EXPECT_EQ(ReadText(dir.File("b.voc")), ReadText(dir.File("a.voc"))) << "case " << i;
    }
}

// One text line per stored line; bytes after the end of the data are warned about.
TEST(Unpack, PrintsOneTextLinePerStoredLine) {
    TempDir dir;
    testing::WriteVocFile(dir.File("a.voc"), {"### Lingomatdata", "", "Fran$ais \x80", "#"});
    // "a", terminator, a stored 0, then bytes the game never reads.
    WriteText(dir.File("b.voc"), std::string("\x9E\xF5\x00\x9D\xF5", 5));
    const std::string expected[][3] = {
        {"a.voc", "### Lingomatdata\n\nFran$ais \xE2\x82\xAC\n#\n", ""},
        {"b.voc", "a\n", "Byte 2"}};
    for (const auto& [file, out, err] : expected) {
        const auto run = RunTool({"unpack", dir.File(file)});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, out);
        EXPECT_NE(run.err.find(err), std::string::npos) << run.err;
    }
}

// The sample sources are what a data set source should look like: they pack, check without
// errors (the Spanish one without French texts; several answers are warned about, as they are
// never asked) and unpack to themselves.
TEST(Pack, SampleSourcesPackCheckAndUnpackToThemselves) {
    for (const char* stem : {"tiere", "spanbasic"}) {
        TempDir dir;
        const std::string source = std::string(LINGOMAT_TEST_DATA) + "/tool/" + stem + ".txt";
        const std::string packed = dir.File(std::string(stem) + ".voc");
        ASSERT_EQ(RunTool({"pack", source, "-o", packed}).exitCode, 0) << stem;
        const auto check = RunTool({"check", packed});
        EXPECT_EQ(check.exitCode, 0) << check.out;
        EXPECT_EQ(check.out.find(": Fehler:"), std::string::npos) << check.out;
        EXPECT_EQ(RunTool({"unpack", packed}).out, ReadText(source)) << stem;
    }
}

} // namespace
} // namespace lingomat
