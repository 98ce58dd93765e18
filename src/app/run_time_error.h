#pragma once

#include <exception>

namespace app {

// Records a caught exception as the program's last run-time error (lastError()), so the message
// dialog can show it behind the "ok" message that follows: a database error keeps its engine
// number and text, a file error its text with number 75 (the old "path/file access error"), any
// other exception its text with number 0.
void recordRunTimeError(const std::exception& e);

} // namespace app
