// A data set source is edited by hand. Packing must either refuse it or write a data set that
// reads back line for line, and checking either form must end without a crash.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "VocTool.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using lingomat::fuzz::ScratchFolder;
    const std::string content(reinterpret_cast<const char*>(data), size);
    const std::string source = ScratchFolder::Write("quelle.txt", content);
    const std::string packed = (ScratchFolder::Path() / "daten.voc").string();
    std::filesystem::remove(packed);
    std::ostringstream out;
    std::ostringstream err;
    const int packing = lingomat::RunVocTool({"pack", source, "-o", packed}, out, err);
    FUZZ_CHECK(packing == lingomat::ExitOk || packing == lingomat::ExitFailure);
    FUZZ_CHECK((packing == lingomat::ExitOk) == std::filesystem::exists(packed));
    const int checking = lingomat::RunVocTool({"check", source}, out, err);
    FUZZ_CHECK(checking == lingomat::ExitOk || checking == lingomat::ExitFailure);
    if (packing == lingomat::ExitOk) {
        std::ostringstream text;
        FUZZ_CHECK(lingomat::RunVocTool({"unpack", packed}, text, err) == lingomat::ExitOk);
        const int again = lingomat::RunVocTool({"check", packed}, out, err);
        FUZZ_CHECK(again == lingomat::ExitOk || again == lingomat::ExitFailure);
    }
    return 0;
}
