#include "jet_date.h"

#include <cmath>

namespace jet {

bool isJetDate(double value)
{
    // -657434 is 1 January 100; 2958466 is 1 January 10000.
    return std::isfinite(value) && value > -657435.0 && value < 2958466.0;
}

QDateTime dateFromJet(double value)
{
    if (!isJetDate(value))
        return QDateTime();
    const double whole = std::trunc(value);
    long long seconds = std::llround(std::fabs(value - whole) * 86400.0);
    long long days = static_cast<long long>(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    const QDate day = QDate(1899, 12, 30).addDays(days);
    return QDateTime(day, QTime(0, 0).addSecs(static_cast<int>(seconds)));
}

} // namespace jet
