// A data set source is edited by hand. Packing must either refuse it or write a data set that
// reads back line for line, and checking either form must end without a crash.

#include <sstream>

#include "FuzzSupport.h"
#include "VocTool.h"

namespace lingomat::fuzz {

LINGOMAT_FUZZ_TARGET(input) {
    const std::string source = ScratchFolder::Write("quelle.txt", input.Rest());
    const std::string packed = ScratchFolder::File("daten.voc");
    std::filesystem::remove(packed);
    // Every run ends with success or a reported failure, never with a usage error.
    const auto run = [](const std::vector<std::string>& args) {
        std::ostringstream out;
        const int code = RunVocTool(args, out, out);
        FUZZ_CHECK(code == ExitOk || code == ExitFailure);
        return code;
    };
    const int packing = run({"pack", source, "-o", packed});
    FUZZ_CHECK((packing == ExitOk) == std::filesystem::exists(packed));
    run({"check", source});
    if (packing == ExitOk) {
        FUZZ_CHECK(run({"unpack", packed}) == ExitOk);
        run({"check", packed});
    }
}

} // namespace lingomat::fuzz
