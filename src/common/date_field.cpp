#include "date_field.h"

#include "clock.h"
#include "dates.h"

namespace common {
DateFieldResult leaveDateField(const QString& typed)
{
    DateFieldResult result;
    if (typed.trimmed().isEmpty())
        return result;
    const QString parsed = parseDate(typed);
    if (parsed.isEmpty()) {
        result.outcome = DateFieldResult::Outcome::Invalid;
        return result;
    }
    result.outcome = DateFieldResult::Outcome::Completed;
    result.text = parsed;
    result.normalised = normaliseDate(parsed);
    return result;
}

QString stepDateField(const QString& text, int step)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return dateToText(clock().today());
    // The day is the one or two digits the text starts with ("05/03/2009", "5/3/2009").
    qsizetype digits = 0;
    while (digits < 2 && digits < trimmed.size() && trimmed.at(digits) >= u'0' && trimmed.at(digits) <= u'9')
        ++digits;
    const int day = trimmed.left(digits).toInt() + step;
    if (day < 0)
        return {};
    return parseDate(QString::number(day) + trimmed.mid(digits));
}

} // namespace common
