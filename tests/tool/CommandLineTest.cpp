#include <array>
#include <cstdio>
#include <string>
#include <vector>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "ToolTestSupport.h"

namespace lingomat {
namespace {

using tooltest::RunTool;
using tooltest::TempDir;

struct ProcessResult {
    int exitCode;
    std::string output; // stdout and stderr together
};

// Runs the built executable through the shell, as a user or the build would, so that a crash
// or a hang is the program's own.
ProcessResult RunExecutable(const std::string& arguments) {
    const std::string command = std::string("'") + LINGOMAT_VOC_EXE + "' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return {-1, {}};
    }
    std::string output;
    std::array<char, 4096> buffer{};
    while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
        output.append(buffer.data(), n);
    }
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(CommandLine, ExitCodesAndGermanMessages) {
    TempDir dir;
    const std::string missing = dir.File("fehlt.voc");
    const std::string list = dir.File("liste.csv");
    const std::string out = dir.File("x.voc");
    tooltest::WriteText(list, "de;en\nHund;dog\n");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
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
    for (const auto& c : cases) {
        // Help goes to the standard output, every complaint to the error output.
        const auto run = RunTool(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message << "\n" << run.err;
        EXPECT_NE((c.exitCode == 0 ? run.out : run.err).find(c.message), std::string::npos)
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
        tooltest::WriteText(path, contents[i]);
        for (const char* command : {"check", "unpack"}) {
            const auto result = RunExecutable(std::string(command) + " '" + path + "' >/dev/null");
            EXPECT_TRUE(result.exitCode == 0 || result.exitCode == 1)
                << command << " " << i << ": " << result.exitCode;
        }
    }
}

} // namespace
} // namespace lingomat
