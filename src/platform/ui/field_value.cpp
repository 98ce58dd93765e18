#include "field_value.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <cmath>

namespace ui {

QString displayText(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15)
            return QString::number(static_cast<long long>(d));
        return QString::number(d, 'g', 15);
    }
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("dd/MM/yyyy"));
        return dt.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    default:
        return value.toString();
    }
}

QVariant storedValue(const QString& text, const db::FieldDef& field, bool* ok)
{
    if (ok)
        *ok = true;
    const QString trimmed = text.trimmed();
    auto fail = [ok]() {
        if (ok)
            *ok = false;
        return QVariant();
    };

    switch (field.type) {
    case db::FieldType::Text:
    case db::FieldType::Memo:
        if (text.isEmpty() && !field.allowZeroLength)
            return QVariant();
        return text;
    case db::FieldType::Boolean: {
        const QString t = trimmed.toLower();
        if (t == QLatin1String("true") || t == QLatin1String("-1") || t == QLatin1String("1"))
            return true;
        if (t.isEmpty() || t == QLatin1String("false") || t == QLatin1String("0"))
            return false;
        return fail();
    }
    case db::FieldType::Byte:
    case db::FieldType::Integer:
    case db::FieldType::Long: {
        if (trimmed.isEmpty())
            return QVariant();
        bool good = false;
        const qlonglong n = trimmed.toLongLong(&good);
        if (good)
            return n;
        // "6.0" or "1e3" are whole numbers too; anything else is refused.
        const double d = QLocale::c().toDouble(trimmed, &good);
        if (good && d == std::floor(d) && std::fabs(d) < 9.0e18)
            return static_cast<qlonglong>(d);
        return fail();
    }
    case db::FieldType::Currency:
    case db::FieldType::Single:
    case db::FieldType::Double: {
        if (trimmed.isEmpty())
            return QVariant();
        bool good = false;
        const double d = QLocale::c().toDouble(trimmed, &good);
        if (!good)
            return fail();
        return d;
    }
    case db::FieldType::Date: {
        if (trimmed.isEmpty())
            return QVariant();
        for (const QString& format : {QStringLiteral("dd/MM/yyyy HH:mm:ss"), QStringLiteral("d/M/yyyy H:m:s"),
                                      QStringLiteral("yyyy-MM-ddTHH:mm:ss"), QStringLiteral("yyyy-MM-dd HH:mm:ss")}) {
            const QDateTime dt = QDateTime::fromString(trimmed, format);
            if (dt.isValid())
                return dt;
        }
        for (const QString& format :
             {QStringLiteral("dd/MM/yyyy"), QStringLiteral("d/M/yyyy"), QStringLiteral("yyyy-MM-dd")}) {
            const QDate d = QDate::fromString(trimmed, format);
            if (d.isValid())
                return QDateTime(d, QTime(0, 0));
        }
        return fail();
    }
    case db::FieldType::LongBinary:
        return fail();
    }
    return fail();
}

bool isYes(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return false;
    if (value.typeId() == QMetaType::QString) {
        const QString t = value.toString().trimmed().toLower();
        return t == QLatin1String("true") || t == QLatin1String("yes") || (t.toDouble() != 0.0);
    }
    return value.toDouble() != 0.0 || value.toBool();
}

} // namespace ui
