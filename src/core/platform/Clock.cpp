#include "platform/Clock.h"

#include <ctime>

namespace lingomat {

std::int64_t SystemClock::Now() const {
    return static_cast<std::int64_t>(std::time(nullptr));
}

} // namespace lingomat
