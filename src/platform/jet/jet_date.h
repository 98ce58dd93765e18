#pragma once

#include <QDateTime>

namespace jet {

// A Jet date value: days since 30 December 1899, the fraction being the time of day. Before
// that day the value is negative and the fraction still counts forward from midnight
// (-1.25 is 29 December 1899, 06:00). Seconds are rounded. Covers the engine's whole range,
// 1 January 100 to 31 December 9999.
// A value that is not a date of that range (NaN, an infinity, 1e300) gives an invalid QDateTime.
QDateTime dateFromJet(double value);

// True when value is a date of the engine's range: finite, from 1 January 100 to the last second
// of 31 December 9999.
bool isJetDate(double value);

} // namespace jet
