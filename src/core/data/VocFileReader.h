#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/SafeFiles.h"

namespace lingomat {

// Reads a line stream whose bytes are stored complemented (data sets and player files).
// Each text byte t is stored as 255 - t; the stored byte 245 ends a line and a stored 0 ends
// the data. The files come from a platform whose C runtime read them in text mode, so a disk
// CR LF is read as LF and a disk byte 26 ends the file; the reader applies both rules itself.
//
// Damaged input reads as far as it is sound: nothing here throws, and a line longer than
// MaxLineLength keeps its first MaxLineLength characters (the rest up to its end is skipped).
class VocFileReader {
public:
    static constexpr std::uint32_t BlockSize = 65536;
    static constexpr std::size_t MaxLineLength = std::size_t{1} << 20;

    VocFileReader();
    virtual ~VocFileReader();
    VocFileReader(const VocFileReader&) = delete;
    VocFileReader& operator=(const VocFileReader&) = delete;

    // A file that cannot be opened reads as an empty stream, and so does anything but a regular
    // file or a file beyond the limit; Refusal() says which. Bytes beyond the limit that a
    // growing file gains meanwhile are not read.
    bool Open(const std::string& name, std::uintmax_t limit = DataSetFileLimit);
    ReadRefusal Refusal() const { return refusal; }

    // The next line without its terminator; "" once the data has ended.
    std::string ReadLine();

    // If the next line starts with "#", consumes that character and the one after it
    // (normally the terminator) and returns true; otherwise consumes nothing.
    bool NextIsSectionEnd();

    // Starts reading the file again from its first byte, also when the first line was longer
    // than one block or the data ended within it.
    void Rewind();

    // Set once the data has ended (stored 0, disk byte 26 or the end of the file); from then
    // on every ReadLine returns "". Callers read it to end their loops and leave it alone.
    bool atEnd = false;

private:
    bool FillBlock();
    bool FillRaw();

    std::FILE* file = nullptr;
    // Stored bytes after the text-mode translation; valid up to length.
    std::vector<unsigned char> buffer;
    std::uint32_t position = 0;
    std::uint32_t length = 0;
    // Index of the first stored 0 in the block, or length when there is none.
    std::uint32_t dataEndIndex = 0;
    // Bytes as they lie on disk, before the translation.
    std::vector<unsigned char> raw;
    std::uint32_t rawPosition = 0;
    std::uint32_t rawLength = 0;
    bool sourceEnded = false;
    std::uintmax_t unread = 0;
    std::uintmax_t limit = 0;
    ReadRefusal refusal = ReadRefusal::Missing;
};

} // namespace lingomat
