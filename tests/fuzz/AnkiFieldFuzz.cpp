// The fields of an Anki note are HTML written by any editor. Their plain text must never start
// or end with a blank nor hold two in a row, and valid UTF-8 must stay valid.

#include "AnkiWordList.h"
#include "FuzzSupport.h"
#include "TextEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string html(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> dropped;
    const std::string text = lingomat::AnkiFieldText(html, dropped);
    FUZZ_CHECK(text.empty() || (text.front() != ' ' && text.back() != ' '));
    FUZZ_CHECK(text.find("  ") == std::string::npos);
    FUZZ_CHECK(!lingomat::IsValidUtf8(html) || lingomat::IsValidUtf8(text));
    return 0;
}
