// A word list comes from anywhere: a spreadsheet, another trainer, a download. Whatever it
// holds, the import must end, and a data set it accepts must pass the check the players use,
// with every lesson code standing in no other one.

#include <optional>

#include "DataSetCheck.h"
#include "FuzzSupport.h"
#include "Import.h"

namespace lingomat::fuzz {

LINGOMAT_FUZZ_TARGET(input) {
    const std::uint8_t switches = input.Byte();
    static const char* const names[] = {"liste.csv", "liste.kvtml", "liste.tsv", "liste.txt"};
    ImportOptions options;
    if (switches & 4) {
        options.encoding = (switches & 8) ? InputEncoding::Windows1252 : InputEncoding::Utf8;
    }
    options.noHeader = (switches & 16) != 0;
    options.fixEscapes = (switches & 32) != 0;
    options.force = (switches & 64) != 0;
    const auto outcome = ImportWordList(names[switches & 3], input.Rest(), "liste.voc", options);
    FUZZ_CHECK(outcome.ok == !outcome.lines.empty());
    if (outcome.ok) {
        for (const auto& finding : CheckDataSet(outcome.lines, false).findings) {
            FUZZ_CHECK(finding.severity != Severity::Error ||
                       finding.kind == FindingKind::EmptyText);
        }
    }
}

} // namespace lingomat::fuzz
