// The fields of an Anki note are HTML written by any editor. Their plain text must never start
// or end with a blank nor hold two in a row, and valid UTF-8 must stay valid.

#include "AnkiWordList.h"
#include "FuzzSupport.h"
#include "TextEncoding.h"

namespace lingomat::fuzz {

LINGOMAT_FUZZ_TARGET(input) {
    const std::string html = input.Rest();
    std::vector<std::string> dropped;
    const std::string text = AnkiFieldText(html, dropped);
    FUZZ_CHECK(text.empty() || (text.front() != ' ' && text.back() != ' '));
    FUZZ_CHECK(text.find("  ") == std::string::npos);
    FUZZ_CHECK(!IsValidUtf8(html) || IsValidUtf8(text));
}

} // namespace lingomat::fuzz
