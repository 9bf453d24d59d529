// The commands of lingomat-voc on the command line: its usage, pack and unpack, and damaged
// input.

#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "ToolTestSupport.h"

namespace lingomat {
namespace {

TEST(CommandLine, ExitCodesAndGermanMessages) {
    TempDir dir;
    const std::string missing = dir.File("fehlt.voc");
    const std::string list = dir.File("liste.csv");
    const std::string out = dir.File("x.voc");
    WriteText(list, "de;en\nHund;dog\n");
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{}, 2, "Es fehlt der Befehl"},
        {{"--help"}, 0, "Verwendung:"},
        {{"-h"}, 0, "Rückgabewerte"},
        {{"entpacken", "x.voc"}, 2, "Unbekannter Befehl: entpacken"},
        {{"unpack"}, 2, "Es fehlt die Eingabedatei"},
        {{"pack", "quelle.txt"}, 2, "Es fehlt die Ausgabedatei"},
        {{"pack", "quelle.txt", "-o"}, 2, "Nach -o fehlt"},
        {{"check", "a.voc", "b.voc"}, 2, "Zu viele Argumente: b.voc"},
        {{"check", "--schnell", "a.voc"}, 2, "Unbekannte Option: --schnell"},
        {{"check", list, "--force"}, 2, "gehört nur zu import"},
        {{"import", list}, 2, "Ausgabedatei"},
        {{"import", list, "-o", out, "--columns", "de,englisch,notizen"},
         2,
         "Unbekannter Spaltenname „notizen“"},
        {{"import", list, "-o", out, "--encoding", "latin9"}, 2, "Zeichenkodierung"},
        {{"unpack", missing}, 1, "Datei nicht gefunden: " + missing},
        {{"check", missing}, 1, "Datei nicht gefunden: " + missing},
        {{"pack", missing, "-o", out}, 1, "Datei nicht gefunden"},
        {{"import", dir.File("fehlt.csv"), "-o", out}, 1, "Datei nicht gefunden"},
        {{"check", dir.Path().string()}, 1, "Das ist ein Ordner"},
        {{"import", dir.Path().string(), "-o", out}, 1, "ein Ordner"},
    };
    for (const auto& [args, exitCode, message] : cases) {
        // Help goes to the standard output, every complaint to the error output.
        const auto run = RunTool(args);
        EXPECT_EQ(run.exitCode, exitCode) << message << "\n" << run.err;
        EXPECT_NE((exitCode == 0 ? run.out : run.err).find(message), std::string::npos)
            << run.out << run.err;
    }
    EXPECT_EQ(dir.FileCount(), 1u) << "nothing but the list may be written";
}

TEST(CommandLine, DamagedFilesNeitherCrashNorHang) {
    TempDir dir;
    std::string noise;
    std::uint32_t state = 12345;
    for (int i = 0; i < 300000; ++i) {
        state = state * 1103515245u + 12345u;
        noise += static_cast<char>(state >> 24);
    }
    const std::string contents[] = {
        noise, std::string(200000, '\xDC'), // one endless run of section marks
        std::string(200000, '\0'),
        std::string(3, '\xDC') + std::string(1 << 21, 'a'), // a line beyond the reader's limit
    };
    for (std::size_t i = 0; i < std::size(contents); ++i) {
        const std::string path = dir.File("kaputt" + std::to_string(i) + ".voc");
        WriteText(path, contents[i]);
        for (const char* command : {"check", "unpack"}) {
            // The built executable, through the shell as a user or the build would run it, so
            // that a crash or a hang is the program's own; a crash exits the shell with 128 +
            // the signal.
            const std::string shell = "'" + std::string(LINGOMAT_VOC_EXE) + "' " + command + " '" +
                                      path + "' >/dev/null 2>&1";
            const int status = std::system(shell.c_str());
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) <= 1)
                << command << " " << i << ": " << status;
        }
    }
}

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
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"a\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\n\n\nb\n", {"a", "", "", "b"}},
        {"", {}},
        {"\xEF\xBB\xBF#\r\n\r\nx\r\n", {"#", "", "x"}},
        // Only a file whose every break is CR LF is a CR LF file; otherwise a CR is text.
        {"a\r\nb\n", {"a\r", "b"}},
        {"M\xC3\244dchen\n\xE2\x82\xAC\n", {"M\344dchen", "\x80"}},
    };
    for (const auto& [source, lines] : cases) {
        TempDir dir;
        WriteText(dir.File("q.txt"), source);
        const auto run = RunTool({"pack", dir.File("q.txt"), "-o", dir.File("z.voc")});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(ReadVocLines(dir.File("z.voc")), lines) << source;
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
