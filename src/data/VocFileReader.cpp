#include "data/VocFileReader.h"

#include <algorithm>

namespace lingomat {

namespace {

constexpr unsigned char StoredTerminator = 255 - '\n';
constexpr unsigned char StoredSectionMark = 255 - '#';
constexpr unsigned char StoredDataEnd = 0;
constexpr unsigned char DiskEndOfFile = 26;

} // namespace

VocFileReader::VocFileReader() : buffer(BlockSize), raw(BlockSize) {}

VocFileReader::~VocFileReader() {
    if (file != nullptr) {
        std::fclose(file);
    }
}

bool VocFileReader::Open(const std::string& name) {
    if (file != nullptr) {
        std::fclose(file);
    }
    file = std::fopen(name.c_str(), "rb");
    Rewind();
    return file != nullptr;
}

void VocFileReader::Rewind() {
    if (file != nullptr) {
        std::fseek(file, 0, SEEK_SET);
        std::clearerr(file);
    }
    atEnd = false;
    position = 0;
    length = 0;
    rawPosition = 0;
    rawLength = 0;
    sourceEnded = false;
}

bool VocFileReader::FillRaw() {
    rawPosition = 0;
    rawLength = file == nullptr ? 0 : static_cast<std::uint32_t>(std::fread(raw.data(), 1, BlockSize, file));
    return rawLength > 0;
}

// Fills the block with up to BlockSize translated bytes. A CR LF pair may straddle two disk
// blocks, so the translation pulls disk bytes one block at a time as it needs them.
bool VocFileReader::FillBlock() {
    position = 0;
    length = 0;
    while (length < BlockSize && !sourceEnded) {
        if (rawPosition == rawLength && !FillRaw()) {
            sourceEnded = true;
            break;
        }
        unsigned char byte = raw[rawPosition++];
        if (byte == DiskEndOfFile) {
            sourceEnded = true;
            break;
        }
        if (byte == '\r') {
            if (rawPosition == rawLength && !FillRaw()) {
                buffer[length++] = byte;
                sourceEnded = true;
                break;
            }
            if (raw[rawPosition] == '\n') {
                ++rawPosition;
                byte = '\n';
            }
        }
        buffer[length++] = byte;
    }
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
        const unsigned char* const begin = buffer.data() + position;
        const unsigned char* const end = buffer.data() + length;
        const unsigned char* const stop = std::find_if(
            begin, end, [](unsigned char b) { return b == StoredTerminator || b == StoredDataEnd; });
        const std::size_t room = MaxLineLength - line.size();
        const std::size_t count = std::min(static_cast<std::size_t>(stop - begin), room);
        const std::size_t oldSize = line.size();
        line.resize(oldSize + count);
        std::transform(begin, begin + count, line.begin() + static_cast<std::ptrdiff_t>(oldSize),
                       [](unsigned char b) { return static_cast<char>(255 - b); });
        position = static_cast<std::uint32_t>(stop - buffer.data());
        if (stop == end) {
            continue;
        }
        if (*stop == StoredDataEnd) {
            atEnd = true;
        } else {
            ++position;
        }
        return line;
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
    if (buffer[position] == StoredDataEnd) {
        atEnd = true;
        return false;
    }
    if (buffer[position] != StoredSectionMark) {
        return false;
    }
    ++position;
    if (position >= length && !FillBlock()) {
        atEnd = true;
        return true;
    }
    // A stored 0 right after the mark still ends the data; stepping over it would read beyond.
    if (buffer[position] != StoredDataEnd) {
        ++position;
    }
    return true;
}

} // namespace lingomat
