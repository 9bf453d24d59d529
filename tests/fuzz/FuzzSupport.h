#pragma once

// The standard headers below serve every harness.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ScriptedHost.h"
#include "TempFolder.h"
#include "data/GameTypes.h"
#include "game/LingomatDoc.h"
#include "platform/Clock.h"
#include "platform/ProfileStore.h"

namespace lingomat::fuzz {

// A broken invariant is a finding like a crash: report where and let libFuzzer keep the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The stored form of text lines in a scrambled stream: every byte complemented.
inline std::string Scrambled(std::string_view text) {
    std::string stored(text);
    for (char& c : stored) {
        c = static_cast<char>(~static_cast<unsigned char>(c));
    }
    return stored;
}

// Takes a fuzz input apart: leading bytes as small numbers and switches, the rest as texts.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size)
        : bytes(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte() {
        if (bytes.empty()) {
            return 0;
        }
        const auto value = static_cast<std::uint8_t>(bytes.front());
        bytes.remove_prefix(1);
        return value;
    }

    // The next text up to a 0 byte (or the end). No typed or stored text holds a 0 byte, so it is
    // free to serve as the separator.
    std::string Text() {
        const std::size_t end = bytes.find('\0');
        std::string text(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        return text;
    }

    // The rest as it is, or as stored text lines when the switch is set.
    std::string Rest(bool scrambled = false) const {
        return scrambled ? Scrambled(bytes) : std::string(bytes);
    }
    bool Empty() const { return bytes.empty(); }

private:
    std::string_view bytes;
};

// Defines a harness: the body gets the fuzz input taken apart by an InputReader. Used inside
// namespace lingomat::fuzz, so the harnesses name the game's types without qualification.
#define LINGOMAT_FUZZ_TARGET(input)                                                                \
    void FuzzOne(InputReader& input);                                                              \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {            \
        InputReader reader(data, size);                                                            \
        FuzzOne(reader);                                                                           \
        return 0;                                                                                  \
    }                                                                                              \
    void FuzzOne(InputReader& input)

// One folder per fuzzing process, so parallel jobs never share a file; removed at exit.
class ScratchFolder {
public:
    static const std::filesystem::path& Path() {
        static testing::TempFolder folder;
        return folder.Path();
    }

    static std::string File(const std::string& name) { return (Path() / name).string(); }

    static std::string Write(const std::string& name, std::string_view content) {
        std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
        FUZZ_CHECK(out.write(content.data(), static_cast<std::streamsize>(content.size())).good());
        return File(name);
    }
};

// The correction options from the bits of one byte, one bit per stored slot.
inline CorrectionOptions OptionsFrom(std::uint8_t bits) {
    CorrectionOptions options;
    for (const CorrectionOptionTraits& option : CorrectionOptionTable) {
        options.*option.field = (bits >> option.storedSlot & 1) != 0;
    }
    return options;
}

// A document whose files live in the scratch folder, with everything it refers to beside it.
// Every question is answered with the safe choice and no player is switched.
struct FuzzDocument {
    testing::ScriptedHost host{false};
    MemoryProfileStore profile;
    FixedClock clock{1'700'000'000};
    CLingomatDoc doc{host, profile, clock, ScratchFolder::Path()};
};

} // namespace lingomat::fuzz
