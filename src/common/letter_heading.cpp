#include "letter_heading.h"

#include <QRegularExpression>

namespace common {

namespace {

// Extracted text comes composed or decomposed and broken into lines anywhere; both sides of a
// comparison are brought to one form: composed, case-folded, blanks collapsed.
QString comparable(const QString& text)
{
    return text.normalized(QString::NormalizationForm_C).toCaseFolded().simplified();
}

QString readNumber(const QString& text, qsizetype* numberAt)
{
    static const QRegularExpression number(
        QStringLiteral(R"((?:^|\s)(?:Số|SỐ)\s*[:.]?\s*(\d+(?:\s*/\s*[\p{L}\p{N}]+(?:\s*[-–]\s*[\p{L}\p{N}]+)*)*))"),
        QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return {};
    *numberAt = match.capturedStart();
    QString found = match.captured(1);
    found.remove(QRegularExpression(QStringLiteral(R"(\s)")));
    return found.replace(QChar(0x2013), QLatin1Char('-'));
}

QDate readDate(const QString& text)
{
    static const QRegularExpression written(
        QStringLiteral(R"((,\s*)?ngày\s+(\d{1,2})\s+tháng\s+(\d{1,2})\s+năm\s+(\d{4}))"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    QDate first;
    for (auto it = written.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QDate date(match.captured(4).toInt(), match.captured(3).toInt(), match.captured(2).toInt());
        if (!date.isValid())
            continue;
        if (match.capturedLength(1) > 0)
            return date; // the place-and-date line
        if (first.isNull())
            first = date;
    }
    return first;
}

QString readSender(const QString& heading, const QStringList& correspondents)
{
    // The issuing organisation stands under its governing body ("UBND TỈNH …" over "SỞ NỘI VỤ"),
    // so the name found last wins; of two ending at one place, the longer.
    const QString headingText = comparable(heading);
    QString best;
    qsizetype bestEnd = -1;
    qsizetype bestLength = 0;
    for (const QString& name : correspondents) {
        const QString wanted = comparable(name);
        if (wanted.isEmpty())
            continue;
        // Whole words only: "Sở Nội" is not found in "Sở Nội vụ".
        const QRegularExpression words(QStringLiteral("(?<![\\p{L}\\p{N}])") + QRegularExpression::escape(wanted) +
                                           QStringLiteral("(?![\\p{L}\\p{N}])"),
                                       QRegularExpression::UseUnicodePropertiesOption);
        for (auto it = words.globalMatch(headingText); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            const qsizetype end = match.capturedEnd();
            if (end > bestEnd || (end == bestEnd && wanted.size() > bestLength)) {
                best = name;
                bestEnd = end;
                bestLength = wanted.size();
            }
        }
    }
    return best;
}

} // namespace

LetterHeading readLetterHeading(const QString& text, const QStringList& correspondents)
{
    const QString composed = text.normalized(QString::NormalizationForm_C);
    LetterHeading heading;
    qsizetype numberAt = -1;
    heading.number = readNumber(composed, &numberAt);
    heading.date = readDate(composed);
    const qsizetype headingEnd = numberAt >= 0 ? numberAt : qMin<qsizetype>(composed.size(), 600);
    heading.sender = readSender(composed.left(headingEnd), correspondents);
    return heading;
}

} // namespace common
