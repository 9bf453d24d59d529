// A player file may be damaged or edited by hand. Loading one must never crash or hang, and what
// it loads must survive saving and loading again: nobody may lose results by merely playing on.

#include <cmath>
#include <tuple>

#include "FuzzSupport.h"
#include "players/PlayerStatistics.h"

namespace lingomat::fuzz {

constexpr std::uint8_t PlainTextBit = 1;
const char* const PlayerName = "Spieler";

// Exact, or within the rounding of one write and read (scores are written with six decimals),
// with NaN equal to NaN.
bool SameRecords(const std::vector<LessonStatistics>& a, const std::vector<LessonStatistics>& b,
                 bool exact) {
    const auto close = [exact](float x, float y) {
        if (std::isnan(x) || std::isnan(y)) {
            return std::isnan(x) && std::isnan(y);
        }
        return x == y || (!exact && !std::isinf(x) && !std::isinf(y) &&
                          std::fabs(x - y) <= 1e-6f + std::fabs(x) * 1e-6f);
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](const auto& x, const auto& y) {
        return std::tie(x.lessonCode, x.playedAt, x.gameMode, x.questionLanguage,
                        x.answerLanguage) == std::tie(y.lessonCode, y.playedAt, y.gameMode,
                                                      y.questionLanguage, y.answerLanguage) &&
               std::equal(x.score.begin(), x.score.end(), y.score.begin(), y.score.end(), close) &&
               std::equal(x.completion.begin(), x.completion.end(), y.completion.begin(),
                          y.completion.end(), close);
    });
}

PlayerStatistics LoadPlayer() {
    PlayerStatistics statistics;
    statistics.SetDirectory(ScratchFolder::Path());
    statistics.SetPlayerName(PlayerName);
    statistics.Load();
    return statistics;
}

LINGOMAT_FUZZ_TARGET(input) {
    const std::string content = input.Rest((input.Byte() & PlainTextBit) != 0);
    ScratchFolder::Write(std::string(PlayerName) + ".lmp", content);

    PlayerStatistics first = LoadPlayer();
    std::size_t entries = 0;
    for (const auto& record : first.Records()) {
        FUZZ_CHECK(record.score.size() == record.Count() &&
                   record.completion.size() == record.Count() &&
                   record.gameMode.size() == record.Count() &&
                   record.questionLanguage.size() == record.Count() &&
                   record.answerLanguage.size() == record.Count());
        entries += record.Count();
        // The dialog asks these of every lesson; they must cope with whatever was stored.
        first.BestPercentText(record.lessonCode, -1, -1);
        first.BestPercentText(record.lessonCode, 0, 1);
        const std::string played = first.LastPlayedText(record.lessonCode);
        FUZZ_CHECK(!played.empty() && played.size() < 32);
    }
    // Each record and each entry takes a line of its own: nothing is made up from a count.
    FUZZ_CHECK(first.Records().size() + entries <= content.size());

    FUZZ_CHECK(first.Save());
    PlayerStatistics second = LoadPlayer();
    FUZZ_CHECK(SameRecords(first.Records(), second.Records(), false));
    FUZZ_CHECK(second.Save());
    const PlayerStatistics third = LoadPlayer();
    FUZZ_CHECK(SameRecords(second.Records(), third.Records(), true));
}

} // namespace lingomat::fuzz
