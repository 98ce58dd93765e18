#include "report_rows.h"

#include "platform/db/database.h"
#include "platform/db/db_error.h"
#include "platform/db/row_reader.h"
#include "platform/db/sql_quote.h"
#include "report_error.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>

#include <optional>

namespace report {

namespace {

// The source's columns by lower-case name, with what the printing needs to know of each.
class SourceColumns
{
public:
    SourceColumns(const ReportFile& file, const db::RowReader& records) : m_file(file)
    {
        // A computed column of a query has no yes/no type: its values tell (cellText).
        for (int i = 0; i < records.fieldCount(); ++i) {
            m_index.insert(records.fieldName(i).toLower(), i);
            m_yesNo.append(records.column(i).def.type == db::FieldType::Boolean);
        }
    }

    bool has(const QString& name) const { return m_index.contains(name.toLower()); }
    bool isYesNo(int index) const { return m_yesNo.value(index); }

    // Index of a column the report file names at line; raises UnknownColumn when absent.
    int require(const QString& name, int line) const
    {
        const auto it = m_index.constFind(name.toLower());
        if (it == m_index.constEnd()) {
            const QString file = QFileInfo(m_file.path).fileName();
            const QString where = line > 0
                                      ? QStringLiteral("File báo cáo %1, dòng %2: ").arg(file, QString::number(line))
                                      : QStringLiteral("File báo cáo %1: ").arg(file);
            throw ReportError(
                ReportErrorCode::UnknownColumn,
                where + QStringLiteral("cột \"%1\" không có trong nguồn dữ liệu %2").arg(name, m_file.source));
        }
        return *it;
    }

private:
    const ReportFile& m_file;
    QHash<QString, int> m_index;
    QList<bool> m_yesNo;
};

// A template with its names bound to the source's columns.
struct BoundTemplate
{
    TextTemplate text;
    QList<QPair<QString, int>> names; // name as written, column index (-1: row number)

    BoundTemplate() = default;
    BoundTemplate(const TextTemplate& t, const SourceColumns& columns, int line) : text(t)
    {
        for (const QString& name : t.names())
            names.append({name, name == QStringView(rowNumberName) ? -1 : columns.require(name, line)});
    }
};

QString cellText(const QVariant& value, bool yesNo)
{
    if (value.isNull())
        return {};
    if (yesNo || value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("x") : QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QDateTime:
        return value.toDateTime().date().toString(QStringLiteral("dd/MM/yyyy"));
    default:
        return value.toString();
    }
}

QVariant templateValue(const QVariant& value, bool yesNo)
{
    if (yesNo || value.typeId() == QMetaType::Bool)
        return QVariant(!value.isNull() && value.toBool());
    return cellText(value, false);
}

// The rows are read once, in order, straight from the file (a report never moves back).
db::RowReader openSource(const ReportFile& file, db::Database& database)
{
    if (!database.isOpen()) {
        throw ReportError(ReportErrorCode::DataSource,
                          QStringLiteral("Chưa có file dữ liệu cho báo cáo %1 (nguồn dữ liệu %2)")
                              .arg(QFileInfo(file.path).fileName(), file.source));
    }
    auto failure = [&](const db::DbError& error) {
        return ReportError(
            ReportErrorCode::DataSource,
            QStringLiteral("Không mở được nguồn dữ liệu %1 của báo cáo %2 trong file %3: %4")
                .arg(file.source, QFileInfo(file.path).fileName(), database.path(), error.description()));
    };
    if (file.order.isEmpty()) {
        try {
            return db::RowReader(database, file.source);
        } catch (const db::DbError& error) {
            throw failure(error);
        }
    }
    QStringList keys;
    for (const QString& name : file.order)
        keys.append(db::quoteJetName(name));
    try {
        return db::RowReader(database, QStringLiteral("SELECT * FROM ") + db::quoteJetName(file.source) +
                                           QStringLiteral(" ORDER BY ") + keys.join(QLatin1String(", ")));
    } catch (const db::DbError& error) {
        // Tell an unknown sort column from an unknown source.
        std::optional<db::RowReader> plain;
        try {
            plain.emplace(database, file.source);
        } catch (const db::DbError& sourceError) {
            throw failure(sourceError);
        }
        const SourceColumns columns(file, *plain);
        for (const QString& name : file.order)
            columns.require(name, file.orderLine);
        throw failure(error);
    }
}

} // namespace

QList<ReportRow> loadReportRows(const ReportFile& file, db::Database& database)
{
    db::RowReader records = openSource(file, database);
    const SourceColumns columns(file, records);

    // Bind every name the report uses before reading a row, so that a wrong name is reported
    // whatever the data.
    struct Cell
    {
        int field = -1;
        bool yesNo = false;
        BoundTemplate text;
    };
    QList<Cell> cells;
    for (const ReportColumn& column : file.columns) {
        Cell cell;
        if (column.field.isEmpty()) {
            cell.text = BoundTemplate(column.cell, columns, column.line);
        } else {
            cell.field = columns.require(column.field, column.line);
            cell.yesNo = columns.isYesNo(cell.field);
        }
        cells.append(cell);
    }
    for (const QString& name : file.order)
        columns.require(name, file.orderLine);
    QList<int> groupFields;
    for (const QString& name : file.groupBy)
        groupFields.append(columns.require(name, file.groupLine));
    const BoundTemplate groupCaption(file.groupCaption, columns, file.groupCaptionLine);

    auto render = [&](const BoundTemplate& bound, const QList<QVariant>& row, int number) {
        TemplateValues values;
        values.reserve(bound.names.size());
        for (const auto& [name, index] : bound.names) {
            values.append({name, index < 0 ? QVariant(QString::number(number))
                                           : templateValue(row.at(index), columns.isYesNo(index))});
        }
        return bound.text.render(values);
    };

    QList<ReportRow> rows;
    const int fieldCount = records.fieldCount();
    QList<QVariant> values(fieldCount);
    QString groupKey;
    QString caption;
    try {
        for (int number = 1; records.next(); ++number) {
            for (int i = 0; i < fieldCount; ++i)
                values[i] = records.value(i);
            ReportRow row;
            row.cells.reserve(cells.size());
            for (const Cell& cell : cells) {
                row.cells.append(cell.field >= 0 ? cellText(values.at(cell.field), cell.yesNo)
                                                 : render(cell.text, values, number));
            }
            if (!groupFields.isEmpty()) {
                QStringList keyParts;
                for (const int field : groupFields)
                    keyParts.append(cellText(values.at(field), columns.isYesNo(field)));
                const QString key = keyParts.join(QChar(0x1F));
                if (number == 1 || key != groupKey) {
                    groupKey = key;
                    row.startsGroup = true;
                    caption = file.groupCaption.isEmpty() ? keyParts.join(QLatin1String(", "))
                                                          : render(groupCaption, values, number);
                }
                row.groupCaption = caption;
            }
            rows.append(std::move(row));
        }
    } catch (const db::DbError& error) {
        throw ReportError(ReportErrorCode::DataSource,
                          QStringLiteral("Không đọc được dữ liệu %1 của báo cáo %2: %3")
                              .arg(file.source, QFileInfo(file.path).fileName(), error.description()));
    }
    return rows;
}

} // namespace report
