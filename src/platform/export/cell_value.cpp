#include "cell_value.h"

namespace exporting {
namespace {

void appendTwoDigits(QString& out, int n)
{
    out += QChar(u'0' + n / 10);
    out += QChar(u'0' + n % 10);
}

// dd/mm/yyyy, with " hh:mm" for a time of day (built by hand: QDateTime::toString parses its
// format for every call, and a long list has a date in every row).
QString dateText(QDate date, QTime time)
{
    QString out;
    out.reserve(16);
    appendTwoDigits(out, date.day());
    out += u'/';
    appendTwoDigits(out, date.month());
    out += u'/';
    out += QString::number(date.year()).rightJustified(4, u'0');
    if (time != QTime(0, 0)) {
        out += u' ';
        appendTwoDigits(out, time.hour());
        out += u':';
        appendTwoDigits(out, time.minute());
    }
    return out;
}

// The day of a text dd/mm/yyyy, invalid for any other text (read by hand: QDate::fromString parses
// its format for every call, and a long list has a date in every row).
QDate dayOfText(const QString& text)
{
    if (text.size() != 10 || text.at(2) != u'/' || text.at(5) != u'/')
        return QDate();
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 3, 6};
    const int lengths[3] = {2, 2, 4};
    for (int p = 0; p < 3; ++p) {
        for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            const char16_t c = text.at(i).unicode();
            if (c < u'0' || c > u'9')
                return QDate();
            parts[p] = parts[p] * 10 + (c - u'0');
        }
    }
    return QDate(parts[2], parts[1], parts[0]); // invalid for 31/02 and the like
}

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

QString numberText(const QVariant& value)
{
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    return value.toString();
}

} // namespace

Cell cellOf(const QVariant& value, ColumnKind kind)
{
    Cell cell;
    if (value.isNull())
        return cell;
    if (value.typeId() == QMetaType::QDateTime || value.typeId() == QMetaType::QDate) {
        if (value.typeId() == QMetaType::QDate) {
            cell.date = value.toDate();
        } else {
            const QDateTime dateTime = value.toDateTime();
            cell.date = dateTime.date();
            cell.time = dateTime.time();
        }
        if (!cell.date.isValid())
            return cell;
        cell.text = dateText(cell.date, cell.time);
        const int year = cell.date.year();
        const bool fits = year >= 1900 && year <= 9999; // a sheet counts days from 1900
        cell.type = kind == ColumnKind::Date && fits
                        ? (cell.time == QTime(0, 0) ? Cell::Type::Date : Cell::Type::DateTime)
                        : Cell::Type::Text;
        return cell;
    }
    if (isNumber(value)) {
        cell.text = numberText(value);
        cell.number = value.toDouble();
        cell.type = kind == ColumnKind::Number ? Cell::Type::Number : Cell::Type::Text;
        return cell;
    }
    if (kind == ColumnKind::Date && value.typeId() == QMetaType::QString) {
        const QDate date = dayOfText(value.toString().trimmed());
        if (date.isValid() && date.year() >= 1900)
            return cellOf(date, kind);
    }
    if (value.typeId() == QMetaType::Bool)
        cell.text = value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    else
        cell.text = value.toString();
    cell.type = cell.text.isEmpty() ? Cell::Type::Blank : Cell::Type::Text;
    return cell;
}

} // namespace exporting
