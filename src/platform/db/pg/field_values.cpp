#include "field_values.h"

namespace db::pg::fieldvalue {

QDateTime dateOf(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime();
    QString text = value.toString();
    if (text.size() > 10 && text.at(10) == u' ')
        text[10] = u'T';
    QDateTime when = QDateTime::fromString(text, Qt::ISODate);
    return when.isValid() ? when : QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
}

QVariant toServer(const QVariant& value, FieldType type)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (type) {
    case FieldType::Boolean:
        return value.toBool();
    case FieldType::Byte:
    case FieldType::Integer:
    case FieldType::Long:
        return value.toLongLong();
    case FieldType::Currency:
    case FieldType::Single:
    case FieldType::Double:
        return value.toDouble();
    case FieldType::Date:
        return dateOf(value);
    case FieldType::LongBinary:
        return value.toByteArray();
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return value.toString();
}

QVariant fromServer(const QVariant& value, FieldType type)
{
    // The same conversions both ways, but a whole number is an int where it fits, as on a file.
    const QVariant converted = toServer(value, type);
    if (converted.typeId() == QMetaType::LongLong && converted.toLongLong() == int(converted.toLongLong()))
        return int(converted.toLongLong());
    return converted;
}

// The field a result column of a type the server names would be, made from nothing else: as
// SQLite's layer reads a column without a declared type, a text of 255 characters unless the type
// says otherwise.
FieldDef fieldOfType(const ServerConnection::ResultColumn& column)
{
    FieldDef f;
    f.name = column.name;
    switch (column.type) {
    case 16: // bool
        f.type = FieldType::Boolean;
        break;
    case 21: // int2
        f.type = FieldType::Integer;
        break;
    case 20: // int8
    case 23: // int4
        f.type = FieldType::Long;
        break;
    case 700:  // float4
    case 701:  // float8
    case 1700: // numeric
        f.type = FieldType::Double;
        break;
    case 1082: // date
    case 1114: // timestamp
    case 1184: // timestamptz
        f.type = FieldType::Date;
        break;
    case 17: // bytea
        f.type = FieldType::LongBinary;
        break;
    case 1043: // varchar
        f.size = column.typeModifier > 4 ? column.typeModifier - 4 : 255;
        break;
    default:
        f.size = 255;
        break;
    }
    return f;
}

} // namespace db::pg::fieldvalue
