#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace lingomat {

// Writes a line stream whose bytes are stored complemented, the counterpart of VocFileReader.
// Every stored byte 10 goes to disk as CR LF, as the platform the files come from wrote them,
// so that files stay interchangeable with it.
//
// Three text bytes cannot survive a round trip and are replaced when written: a line feed
// inside a line (it would split the line) becomes a blank, 0xFF (stored 0, the end of the data)
// becomes 'y' and 0xE5 (stored 26, which text-mode readers take as the end of the file)
// becomes 'a'. Otherwise everything after them would be lost to every reader.
class VocFileWriter {
public:
    static constexpr std::uint32_t BlockSize = 65536;

    VocFileWriter();
    // Flushes and closes the file if that has not been done by Close.
    virtual ~VocFileWriter();
    VocFileWriter(const VocFileWriter&) = delete;
    VocFileWriter& operator=(const VocFileWriter&) = delete;

    // Creates or truncates the file. A writer whose file did not open discards what it is
    // given and its Close reports failure.
    bool Open(const std::string& name);
    // Writes to a file opened elsewhere (a temporary file made exclusively) and closes it at the
    // end. nullptr behaves as a file that did not open.
    bool Adopt(std::FILE* opened);

    void WriteLine(std::string_view text);

    // Writes what is buffered and closes the file. True only if the file opened and every
    // byte was written and the close succeeded; callers that replace a file by renaming a
    // temporary one must see true before they rename.
    bool Close();

    // Writes what is buffered and waits until the file's data is on the disk. Callers that
    // rename the file over another one call it before Close, so that a power cut after the
    // rename cannot leave an empty or partial file in place of the old one. False when any
    // write so far failed.
    bool Sync();

    // Number of characters replaced so far because the stream cannot hold them.
    std::size_t ReplacedCount() const { return replacedCount; }

private:
    void FlushBlock();

    std::FILE* file = nullptr;
    std::vector<unsigned char> buffer;
    std::uint32_t fill = 0;
    std::vector<unsigned char> diskBytes;
    bool failed = false;
    std::size_t replacedCount = 0;
};

} // namespace lingomat
