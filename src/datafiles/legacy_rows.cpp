#include "legacy_rows.h"

#include "common/dates.h"
#include "common/sortkey.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <limits>

namespace datafiles {

LegacyTextError::LegacyTextError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}

namespace {

bool isTextColumn(jet::ColumnType type)
{
    return type == jet::ColumnType::Text || type == jet::ColumnType::Memo || type == jet::ColumnType::Other;
}

bool isTextField(db::FieldType type)
{
    return type == db::FieldType::Text || type == db::FieldType::Memo;
}

QVariant forField(const QVariant& value, db::FieldType type)
{
    if (!value.isValid() || !isTextField(type))
        return value;
    if (value.typeId() == QMetaType::QDateTime)
        return common::dateToText(value.toDateTime().date());
    return value.toString();
}

// True when a number fits the target field (a whole number within its bounds for the integer
// types, finite within a Single's range); other values are not numbers' business.
bool fitsField(const QVariant& value, db::FieldType type)
{
    const int id = value.typeId();
    if (id != QMetaType::LongLong && id != QMetaType::Double)
        return true;
    const double v = value.toDouble();
    if (!std::isfinite(v))
        return false;
    switch (type) {
    case db::FieldType::Byte:
        return v >= 0 && v <= 255 && v == std::trunc(v);
    case db::FieldType::Integer:
        return v >= -32768 && v <= 32767 && v == std::trunc(v);
    case db::FieldType::Long:
        return v >= -2147483648.0 && v <= 2147483647.0 && v == std::trunc(v);
    case db::FieldType::Single:
        return std::fabs(v) <= std::numeric_limits<float>::max();
    case db::FieldType::Date: // the engine's dates as numbers: 1 January 100 to 31 December 9999
        return v > -657435.0 && v < 2958466.0;
    default:
        return true;
    }
}

QString textOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return common::dateToText(value.toDateTime().date());
    return value.toString();
}

} // namespace

int fieldIndex(const QStringList& fields, const QString& name)
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

LegacyRows prepareLegacyRows(const jet::Source& source, const QString& table, const db::TableDef& target,
                             LegacyEncoding encoding, const QString& sortKeySource)
{
    LegacyRows result;
    QList<db::FieldType> types;
    for (const db::FieldDef& f : target.fields) {
        if (f.attributes & db::fieldattr::AutoIncrField)
            continue;
        result.fields << f.name;
        types << f.type;
    }

    const QList<jet::Column> columns = source.columns(table);
    QList<jet::Row> rows = source.rows(table);

    // Old column -> target field (-1: dropped or the old id).
    QList<int> targetOf;
    int idColumn = -1;
    for (int c = 0; c < columns.size(); ++c) {
        const QString& name = columns[c].name;
        if (name.compare(QStringLiteral("id"), Qt::CaseInsensitive) == 0) {
            idColumn = c;
            targetOf << -1;
            continue;
        }
        const int f = fieldIndex(result.fields, name);
        targetOf << f;
        if (f < 0)
            result.dropped << name;
    }
    if (idColumn >= 0) {
        std::stable_sort(rows.begin(), rows.end(), [idColumn](const jet::Row& a, const jet::Row& b) {
            return a[idColumn].toLongLong() < b[idColumn].toLongLong();
        });
    }

    // Text columns decided one by one, then converted.
    for (int c = 0; c < columns.size(); ++c) {
        if (targetOf[c] < 0 || !isTextColumn(columns[c].type))
            continue;
        ColumnEncoding columnEncoding = ColumnEncoding::Unicode;
        if (encoding == LegacyEncoding::Tcvn3) {
            columnEncoding = ColumnEncoding::Tcvn3;
        } else if (encoding == LegacyEncoding::Detect) {
            QStringList values;
            values.reserve(rows.size());
            for (const jet::Row& row : rows) {
                if (row[c].isValid())
                    values << row[c].toString();
            }
            columnEncoding = detectColumnEncoding(values);
        }
        if (columnEncoding != ColumnEncoding::Tcvn3)
            continue;
        for (int r = 0; r < rows.size(); ++r) {
            QVariant& value = rows[r][c];
            if (!value.isValid())
                continue;
            const QString old = value.toString();
            bool ok = false;
            const QString decoded = tcvn3FromWindows1252(old, &ok);
            if (!ok) {
                throw LegacyTextError(QStringLiteral("Bảng ") + table + QStringLiteral(", cột ") + columns[c].name +
                                      QStringLiteral(", dòng ") + QString::number(r + 1) +
                                      QStringLiteral(": chữ không đúng mã TCVN3, bảng này không nhập được."));
            }
            if (decoded != old)
                ++result.textsConverted;
            value = decoded;
        }
    }

    // Normalised dates and the sort key, from the converted text.
    QList<QPair<int, int>> dateKeys; // (field <x>chuan, field <x>)
    for (int f = 0; f < result.fields.size(); ++f) {
        const QString name = result.fields[f];
        if (!name.endsWith(QStringLiteral("chuan"), Qt::CaseInsensitive) || name.size() <= 5)
            continue;
        const QString base = name.left(name.size() - 5);
        if (base.compare(QStringLiteral("gio"), Qt::CaseInsensitive) == 0)
            continue;
        const int b = fieldIndex(result.fields, base);
        if (b >= 0)
            dateKeys << qMakePair(f, b);
    }
    const int mattField = sortKeySource.isEmpty() ? -1 : fieldIndex(result.fields, QStringLiteral("matt"));
    const int nameField = mattField < 0 ? -1 : fieldIndex(result.fields, sortKeySource);

    result.rows.reserve(rows.size());
    for (const jet::Row& row : rows) {
        QVariantList values(result.fields.size());
        for (int c = 0; c < columns.size(); ++c) {
            if (targetOf[c] < 0)
                continue;
            if (!fitsField(row[c], types[targetOf[c]]))
                throw LegacyTextError(QStringLiteral("Bảng ") + table + QStringLiteral(", cột ") + columns[c].name +
                                      QStringLiteral(", dòng ") + QString::number(result.rows.size() + 1) +
                                      QStringLiteral(": số ") + row[c].toString() +
                                      QStringLiteral(" vượt quá giới hạn của cột, bảng này không nhập được."));
            values[targetOf[c]] = forField(row[c], types[targetOf[c]]);
        }
        for (const auto& [key, base] : dateKeys)
            values[key] = values[base].isValid() ? QVariant(common::normaliseDate(textOf(values[base]))) : QVariant();
        if (nameField >= 0)
            values[mattField] =
                values[nameField].isValid() ? QVariant(common::sortKey(values[nameField].toString())) : QVariant();
        result.rows << values;
    }
    return result;
}

} // namespace datafiles
