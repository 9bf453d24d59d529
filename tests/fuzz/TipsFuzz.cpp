// "tipps.txt" stands beside the program and may hold anything. Reading it must end, keep every
// tip to one bounded line, and the tip drawn must always be one of the tips, never an empty one
// while a real tip exists.

#include "FuzzSupport.h"

namespace lingomat::fuzz {

// The dialog shows a tip in a box of a few lines; the reader keeps at most this much of one.
constexpr std::size_t MaxTipLength = 499;

LINGOMAT_FUZZ_TARGET(input) {
    const std::string content = input.Rest();
    ScratchFolder::Write("tipps.txt", content);
    // The document reads the tips once, when it is made.
    auto document = std::make_unique<FuzzDocument>();
    auto& doc = document->doc;

    const auto& tips = doc.Tips();
    FUZZ_CHECK(!tips.empty());
    FUZZ_CHECK(tips.size() <=
               static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) + 1);
    bool anyTip = false;
    for (const std::string& tip : tips) {
        FUZZ_CHECK(tip.size() <= MaxTipLength && tip.find('\n') == std::string::npos);
        anyTip = anyTip || !tip.empty();
    }
    for (int draw = 0; draw < 8; ++draw) {
        const std::string tip = doc.RandomTip();
        FUZZ_CHECK(tip.empty() != anyTip);
        FUZZ_CHECK(tip.empty() || std::find(tips.begin(), tips.end(), tip) != tips.end());
    }
}

} // namespace lingomat::fuzz
