#pragma once

#include <QString>

namespace app {

// The last run-time error of the program (the old Err object): error handlers record it so the
// message dialog can show it behind an "ok" message (Ctrl+End). Before any error the number is
// 0 and the description empty.
struct RunTimeError
{
    int number = 0;
    QString description;
};

void setLastError(int number, const QString& description);
RunTimeError lastError();
void clearLastError();

} // namespace app
