#include "data/VocFileWriter.h"

#include "platform/FileSync.h"

namespace lingomat {

VocFileWriter::VocFileWriter() : buffer(BlockSize), diskBytes(2 * std::size_t{BlockSize}) {}

VocFileWriter::~VocFileWriter() {
    Close();
}

bool VocFileWriter::Open(const std::string& name) {
    Close();
    return Adopt(std::fopen(name.c_str(), "wb"));
}

bool VocFileWriter::Adopt(std::FILE* opened) {
    Close();
    file = opened;
    fill = 0;
    failed = file == nullptr;
    return file != nullptr;
}

void VocFileWriter::WriteLine(std::string_view text) {
    const auto store = [this](unsigned char t) {
        if (fill == BlockSize) {
            FlushBlock();
        }
        buffer[fill++] = static_cast<unsigned char>(255 - t);
    };
    for (const char c : text) {
        auto t = static_cast<unsigned char>(c);
        if (t == '\n' || t == 0xFF || t == 0xE5) {
            t = t == '\n' ? ' ' : t == 0xFF ? 'y' : 'a';
            ++replacedCount;
        }
        store(t);
    }
    store('\n');
}

void VocFileWriter::FlushBlock() {
    if (file != nullptr && fill > 0) {
        std::size_t count = 0;
        for (std::uint32_t i = 0; i < fill; ++i) {
            if (buffer[i] == '\n') {
                diskBytes[count++] = '\r';
            }
            diskBytes[count++] = buffer[i];
        }
        if (std::fwrite(diskBytes.data(), 1, count, file) != count) {
            failed = true;
        }
    }
    fill = 0;
}

bool VocFileWriter::Sync() {
    if (file == nullptr) {
        return false;
    }
    FlushBlock();
    if (!SyncFile(file)) {
        failed = true;
    }
    return !failed;
}

bool VocFileWriter::Close() {
    if (file == nullptr) {
        return false;
    }
    FlushBlock();
    if (std::fflush(file) != 0) {
        failed = true;
    }
    if (std::fclose(file) != 0) {
        failed = true;
    }
    file = nullptr;
    return !failed;
}

} // namespace lingomat
