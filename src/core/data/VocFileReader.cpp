#include "data/VocFileReader.h"

#include <algorithm>
#include <cstring>

namespace lingomat {

namespace {

// The block holds decoded bytes, so the stored terminator 245 and the stored end of data 0
// appear as their complements.
constexpr unsigned char TextTerminator = '\n';
constexpr unsigned char TextSectionMark = '#';
constexpr unsigned char TextDataEnd = 255;
constexpr unsigned char DiskEndOfFile = 26;

// Word by word: the complement is the one pass every byte of a data set goes through.
void Complement(unsigned char* bytes, std::size_t count) {
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= count; i += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, sizeof word);
        word = ~word;
        std::memcpy(bytes + i, &word, sizeof word);
    }
    for (; i < count; ++i) {
        bytes[i] = static_cast<unsigned char>(~bytes[i]);
    }
}

} // namespace

VocFileReader::VocFileReader() : buffer(BlockSize), raw(BlockSize) {}

VocFileReader::~VocFileReader() {
    if (file != nullptr) {
        std::fclose(file);
    }
}

bool VocFileReader::Open(const std::string& name, std::uintmax_t sizeLimit) {
    if (file != nullptr) {
        std::fclose(file);
    }
    limit = sizeLimit;
    file = OpenRegularFile(name, limit, &refusal);
    Rewind();
    return file != nullptr;
}

void VocFileReader::Rewind() {
    if (file != nullptr) {
        std::fseek(file, 0, SEEK_SET);
        std::clearerr(file);
    }
    atEnd = false;
    unread = limit;
    position = 0;
    length = 0;
    dataEndIndex = 0;
    rawPosition = 0;
    rawLength = 0;
    sourceEnded = false;
}

bool VocFileReader::FillRaw() {
    rawPosition = 0;
    const auto wanted = static_cast<std::size_t>(std::min<std::uintmax_t>(BlockSize, unread));
    rawLength = file == nullptr || wanted == 0
                    ? 0
                    : static_cast<std::uint32_t>(std::fread(raw.data(), 1, wanted, file));
    unread -= rawLength;
    return rawLength > 0;
}

// Fills the block with up to BlockSize translated and decoded bytes. A CR LF pair may straddle
// two disk blocks, so the translation pulls disk bytes one block at a time as it needs them.
// The block then holds text: the stored terminator reads as a line feed, the stored end of
// data as 255.
bool VocFileReader::FillBlock() {
    position = 0;
    length = 0;
    while (length < BlockSize && !sourceEnded) {
        if (rawPosition == rawLength && !FillRaw()) {
            sourceEnded = true;
            break;
        }
        // Plain bytes up to the next CR or end-of-file byte are copied in one go.
        const unsigned char* const from = raw.data() + rawPosition;
        std::size_t count = std::min<std::size_t>(rawLength - rawPosition, BlockSize - length);
        if (const void* cr = std::memchr(from, '\r', count)) {
            count = static_cast<std::size_t>(static_cast<const unsigned char*>(cr) - from);
        }
        if (const void* eof = std::memchr(from, DiskEndOfFile, count)) {
            count = static_cast<std::size_t>(static_cast<const unsigned char*>(eof) - from);
            sourceEnded = true;
        }
        std::memcpy(buffer.data() + length, from, count);
        length += static_cast<std::uint32_t>(count);
        rawPosition += static_cast<std::uint32_t>(count);
        if (sourceEnded || length == BlockSize || rawPosition == rawLength) {
            continue;
        }
        // A CR: it joins a following LF, across a disk block if need be; otherwise it stays.
        ++rawPosition;
        unsigned char byte = '\r';
        if (rawPosition == rawLength && !FillRaw()) {
            sourceEnded = true;
        } else if (raw[rawPosition] == '\n') {
            ++rawPosition;
            byte = '\n';
        }
        buffer[length++] = byte;
    }
    Complement(buffer.data(), length);
    const void* dataEnd = std::memchr(buffer.data(), TextDataEnd, length);
    dataEndIndex =
        dataEnd != nullptr
            ? static_cast<std::uint32_t>(static_cast<const unsigned char*>(dataEnd) - buffer.data())
            : length;
    return length > 0;
}

std::string VocFileReader::ReadLine() {
    std::string line;
    if (atEnd) {
        return line;
    }
    for (;;) {
        if (position >= length && !FillBlock()) {
            atEnd = true;
            return line;
        }
        if (position >= dataEndIndex) {
            atEnd = true;
            return line;
        }
        const unsigned char* const begin = buffer.data() + position;
        const std::size_t available = dataEndIndex - position;
        const void* terminator = std::memchr(begin, TextTerminator, available);
        const std::size_t count =
            terminator != nullptr
                ? static_cast<std::size_t>(static_cast<const unsigned char*>(terminator) - begin)
                : available;
        const auto* const text = reinterpret_cast<const char*>(begin);
        if (line.empty()) {
            line.assign(text, std::min(count, MaxLineLength));
        } else {
            line.append(text, std::min(count, MaxLineLength - line.size()));
        }
        position += static_cast<std::uint32_t>(count);
        if (terminator != nullptr) {
            ++position;
            return line;
        }
    }
}

bool VocFileReader::NextIsSectionEnd() {
    if (atEnd) {
        return false;
    }
    if (position >= length && !FillBlock()) {
        atEnd = true;
        return false;
    }
    // Seeing the end here lets a caller's loop stop before it reads a phantom empty line.
    if (position >= dataEndIndex) {
        atEnd = true;
        return false;
    }
    if (buffer[position] != TextSectionMark) {
        return false;
    }
    ++position;
    if (position >= length && !FillBlock()) {
        atEnd = true;
        return true;
    }
    // A stored 0 right after the mark still ends the data; stepping over it would read beyond.
    if (position < dataEndIndex) {
        ++position;
    }
    return true;
}

} // namespace lingomat
