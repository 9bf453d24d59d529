#pragma once

namespace lingomat {

// Tells on standard error when each top-level window has been painted for the first time, so
// the start-up can be timed from outside the process (bench/startup.py does).
// Off unless switched on: QT_LOGGING_RULES="lingomat.startup.debug=true".
void InstallStartupTrace();

} // namespace lingomat
