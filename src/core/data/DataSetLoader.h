#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/SafeFiles.h"

namespace lingomat {

struct VocDatabase;

// Told how a data set load advances; the window shows it as a progress bar.
class LoadProgress {
public:
    virtual ~LoadProgress() = default;
    virtual void Begin(int low, int high) = 0;
    virtual void Set(int value) = 0;
    virtual void End() = 0;
};

// The number of a data set's version line as C's atoi reads it: blanks, a sign, digits, and
// whatever follows ignored; 0 when there are none. Long digit runs saturate at a billion
// instead of overflowing. The game and the data set tool read it through this one function.
std::int32_t DataSetVersion(std::string_view line);
// Only this version adds the word-class line; every other number reads as the original format.
inline constexpr std::int32_t VersionWithWordClass = 1;

// Replaces the lessons and records of the database (and empties its pool, whose questions
// would refer to the old records) by those of the named data set. A file that cannot be read
// gives no lessons and no records, and the result says why. progress may be null.
ReadRefusal LoadDataSet(VocDatabase& database, const std::string& fileName, LoadProgress* progress);

} // namespace lingomat
