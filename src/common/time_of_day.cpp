#include "time_of_day.h"

#include <QRegularExpression>

namespace common {

std::optional<QTime> readTime(const QString& text)
{
    // Typed letters may come decomposed (a base letter and its marks); the pattern is composed.
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2}) ?(h|g|giờ|:) ?(?:(\\d{2}) ?(?:phút)?)? ?(sáng|trưa|chiều|tối)?$"),
        QRegularExpression::UseUnicodePropertiesOption);
    const QString folded = text.normalized(QString::NormalizationForm_C).simplified().toLower();
    const QRegularExpressionMatch m = pattern.match(folded);
    if (!m.hasMatch())
        return std::nullopt;
    int hour = m.captured(1).toInt();
    const bool colon = m.captured(2) == QLatin1String(":");
    const QString minutes = m.captured(3);
    const QString part = m.captured(4);
    if (colon && minutes.isEmpty())
        return std::nullopt;
    if (part == QStringLiteral("sáng") && hour > 12)
        return std::nullopt;
    if ((part == QStringLiteral("chiều") || part == QStringLiteral("tối")) && hour < 12)
        hour += 12;
    if (part == QStringLiteral("trưa") && hour >= 1 && hour <= 5)
        hour += 12;
    const int minute = minutes.isEmpty() ? 0 : minutes.toInt();
    if (hour > 23 || minute > 59)
        return std::nullopt;
    return QTime(hour, minute);
}

} // namespace common
