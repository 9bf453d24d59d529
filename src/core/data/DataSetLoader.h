#pragma once

#include <string>

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

// Replaces the lessons and records of the database (and empties its pool, whose questions
// would refer to the old records) by those of the named data set. A file that cannot be read
// gives no lessons and no records, and the result says why. progress may be null.
ReadRefusal LoadDataSet(VocDatabase& database, const std::string& fileName, LoadProgress* progress);

} // namespace lingomat
