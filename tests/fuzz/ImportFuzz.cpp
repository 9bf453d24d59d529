// A word list comes from anywhere: a spreadsheet, another trainer, a download. Whatever it
// holds, the import must end, and a data set it accepts must pass the check the players use,
// with every lesson code standing in no other one.

#include <optional>

#include "DataSetCheck.h"
#include "FuzzSupport.h"
#include "Import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lingomat::fuzz::InputReader input(data, size);
    const std::uint8_t switches = input.Byte();
    static const char* const names[] = {"liste.csv", "liste.kvtml", "liste.tsv", "liste.txt"};
    lingomat::ImportOptions options;
    if (switches & 4) {
        options.encoding =
            (switches & 8) ? lingomat::InputEncoding::Windows1252 : lingomat::InputEncoding::Utf8;
    }
    options.noHeader = (switches & 16) != 0;
    options.fixEscapes = (switches & 32) != 0;
    options.force = (switches & 64) != 0;
    const std::string content(input.Rest());
    const auto outcome =
        lingomat::ImportWordList(names[switches & 3], content, "liste.voc", options);
    FUZZ_CHECK(outcome.ok == !outcome.lines.empty());
    if (outcome.ok) {
        const auto report = lingomat::CheckDataSet(outcome.lines, false);
        for (const auto& finding : report.findings) {
            FUZZ_CHECK(finding.severity != lingomat::Severity::Error ||
                       finding.kind == lingomat::FindingKind::EmptyText);
        }
    }
    return 0;
}
