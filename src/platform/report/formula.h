#pragma once

#include <QString>

namespace report {

// One named value handed to a report, parsed from the text a print command builds,
// such as "tendonvi = 'Văn phòng'".
struct Formula
{
    QString name;
    QString value;
};

// Parses "name = 'value'". The name is the text before the first "=", trimmed; it must be a
// letter or "_" followed by letters, digits or "_". The value is the text after the "=", trimmed;
// when it begins and ends with the same quote (' or ") that outer pair is removed and everything
// between is kept exactly as given: inner quotes, Vietnamese letters and blanks included
// ("tendonvi = 'Nhà 'A''" gives the value "Nhà 'A'"). A value without quotes is taken as it
// stands. Raises ReportError(BadFormula) when there is no "=" or the name is not valid; index is
// the formula's number, used in the message.
Formula parseFormula(const QString& text, int index);

} // namespace report
