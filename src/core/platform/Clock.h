#pragma once

#include <cstdint>

namespace lingomat {

// Seconds since the epoch. The game asks the clock rather than the system so tests can set time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t Now() const = 0;
};

class SystemClock : public Clock {
public:
    std::int64_t Now() const override;
};

// A clock that stands still until a test moves it.
class FixedClock : public Clock {
public:
    explicit FixedClock(std::int64_t start = 0) : now(start) {}
    std::int64_t Now() const override { return now; }
    void Set(std::int64_t seconds) { now = seconds; }
    void Advance(std::int64_t seconds) { now += seconds; }

private:
    std::int64_t now;
};

} // namespace lingomat
