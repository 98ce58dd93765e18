#pragma once

#include <QString>
#include <exception>

class QLoggingCategory;

namespace app {

// Records a caught exception as the program's last run-time error (lastError()), so the message
// dialog can show it behind the "ok" message that follows: a database error keeps its engine
// number and text, a file error its text with number 75 (the old "path/file access error"), any
// other exception its text with number 0. The error is also written, with its number, as a
// warning of category (the application layer's log unless another layer passes its own).
void recordRunTimeError(const std::exception& e);
void recordRunTimeError(const std::exception& e, const QLoggingCategory& category);

// For an error dropped in favour of an earlier one (a rollback failing while the first failure is
// reported): written to the log of category with what was being done, the last run-time error
// left alone.
void logDroppedError(const std::exception& e, const QLoggingCategory& category, const QString& doing);

// The number and text recordRunTimeError keeps for e.
int runTimeErrorNumber(const std::exception& e);
QString runTimeErrorText(const std::exception& e);

} // namespace app
