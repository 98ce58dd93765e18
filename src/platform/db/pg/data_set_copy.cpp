#include "data_set_copy.h"

#include "data_set.h"
#include "field_values.h"
#include "server_connection.h"

#include "platform/db/db_error.h"
#include "platform/db/db_log.h"
#include "platform/db/row_reader.h"
#include "platform/db/sql_quote.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <algorithm>

namespace db::pg {

namespace {

// Parameters per INSERT statement: well under the server's 65,535.
constexpr int ValuesPerBatch = 30000;

const FieldDef* counterOf(const TableDef& def)
{
    for (const FieldDef& field : def.fields) {
        if (field.attributes & fieldattr::AutoIncrField)
            return &field;
    }
    return nullptr;
}

// One value in the form both engines agree on, per field type; NULL stands apart from every text.
QString canonical(const QVariant& value, FieldType type)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("N");
    switch (type) {
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("V1") : QStringLiteral("V0");
    case FieldType::Byte:
    case FieldType::Integer:
    case FieldType::Long:
        return u'V' + QString::number(value.toLongLong());
    case FieldType::Currency:
    case FieldType::Single:
    case FieldType::Double:
        return u'V' + QString::number(value.toDouble(), 'g', 17);
    case FieldType::Date:
        return u'V' + fieldvalue::dateOf(value).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    case FieldType::LongBinary:
        return u'V' + QString::fromLatin1(value.toByteArray().toHex());
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return u'V' + value.toString();
}

QByteArray checksumOf(QStringList rows)
{
    std::sort(rows.begin(), rows.end());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& row : rows) {
        hash.addData(row.toUtf8());
        hash.addData(QByteArrayView("\x1e", 1));
    }
    return hash.result().toHex();
}

QString canonicalRow(const QVariantList& values, const TableDef& def)
{
    QStringList cells;
    for (qsizetype i = 0; i < def.fields.size(); ++i)
        cells << canonical(values.value(i), def.fields[i].type);
    return cells.join(u'\x1f');
}

QString columnList(const TableDef& def)
{
    QStringList names;
    for (const FieldDef& field : def.fields)
        names << dataset::name(field.name);
    return names.join(QStringLiteral(", "));
}

// A value written into a Jet statement for the way back.
QString jetLiteral(const QVariant& value, const FieldDef& field)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("Null");
    switch (field.type) {
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Byte:
    case FieldType::Integer:
    case FieldType::Long:
        return QString::number(value.toLongLong());
    case FieldType::Currency:
    case FieldType::Single:
    case FieldType::Double:
        return QString::number(value.toDouble(), 'g', 17);
    case FieldType::Date:
        return u'#' + fieldvalue::dateOf(value).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + u'#';
    case FieldType::LongBinary:
        throw DbError(errc::InvalidFieldDefinition, QStringLiteral("Không chép được dữ liệu nhị phân của trường ") +
                                                        field.name + QStringLiteral(" về tệp."));
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return quoteLiteral(value.toString());
}

// The highest counter value the file ever gave in table (SQLite's sequence), or 0.
qint64 fileSequence(const Database& file, const QString& table)
{
    try {
        RowReader reader(file, QStringLiteral("select seq from sqlite_sequence where name = ") + quoteLiteral(table));
        return reader.next() ? reader.value(0).toLongLong() : 0;
    } catch (const DbError& e) {
        // A file whose tables have no counter has no sequence table at all.
        qCDebug(lcDb) << "no counter sequence for" << table << e.description();
        return 0;
    }
}

void copyTableToServer(const Database& file, ServerConnection& server, const QString& schema, const TableDef& def,
                       const CopyProgress& progress)
{
    const qsizetype width = def.fields.size();
    const qsizetype perBatch = std::max<qsizetype>(1, ValuesPerBatch / std::max<qsizetype>(1, width));
    const QString insert = QStringLiteral("insert into ") + dataset::qualified(schema, def.name) +
                           QStringLiteral(" (") + columnList(def) + QStringLiteral(") values ");
    server.inTransaction([&] {
        dataset::createTable(server, schema, def);
        RowReader reader(file, quoteJetName(def.name));
        qint64 copied = 0;
        QVariantList values;
        QStringList tuples;
        auto flush = [&] {
            if (tuples.isEmpty())
                return;
            try {
                server.exec(insert + tuples.join(QStringLiteral(", ")), values);
            } catch (const DbError& e) {
                throw DbError(e.number(), QStringLiteral("Máy chủ không nhận các dòng của bảng ") + def.name +
                                              QStringLiteral(": ") + e.description());
            }
            copied += tuples.size();
            values.clear();
            tuples.clear();
            if (progress)
                progress(def.name, copied);
        };
        while (reader.next()) {
            QStringList placeholders;
            for (qsizetype i = 0; i < width; ++i) {
                values << fieldvalue::toServer(reader.value(int(i)), def.fields[i].type);
                placeholders << u'$' + QString::number(values.size());
            }
            tuples << u'(' + placeholders.join(QStringLiteral(", ")) + u')';
            if (tuples.size() >= perBatch)
                flush();
        }
        flush();
        if (const FieldDef* counter = counterOf(def)) {
            // Goes on after the highest value the file ever gave, deleted rows' values included.
            const qint64 highest =
                std::max(fileSequence(file, def.name),
                         server
                             .query(QStringLiteral("select coalesce(max(") + dataset::name(counter->name) +
                                    QStringLiteral("), 0) from ") + dataset::qualified(schema, def.name))
                             .first()
                             .first()
                             .toLongLong());
            server.query(QStringLiteral("select setval($1, $2, $3)"),
                         {dataset::counterSequence(server, schema, def.name, counter->name),
                          std::max<qint64>(highest, 1), highest > 0});
        }
        if (progress)
            progress(def.name, copied);
    });
}

void compare(const QString& table, qint64 fileRows, const QByteArray& fileSum, qint64 serverRows,
             const QByteArray& serverSum)
{
    if (fileRows != serverRows) {
        throw DbError(errc::ServerCallFailed, QStringLiteral("Bảng ") + table +
                                                  QStringLiteral(" sau khi chép khác bản gốc: ") +
                                                  QString::number(fileRows) + QStringLiteral(" dòng trong tệp, ") +
                                                  QString::number(serverRows) + QStringLiteral(" dòng trên máy chủ."));
    }
    if (fileSum != serverSum) {
        throw DbError(errc::ServerCallFailed,
                      QStringLiteral("Bảng ") + table + QStringLiteral(" sau khi chép khác bản gốc: cùng ") +
                          QString::number(fileRows) + QStringLiteral(" dòng nhưng nội dung các dòng khác nhau."));
    }
}

} // namespace

QByteArray tableChecksum(const Database& file, const TableDef& def, qint64* rows)
{
    RowReader reader(file, quoteJetName(def.name));
    QStringList canonicalRows;
    while (reader.next()) {
        QVariantList values;
        for (int i = 0; i < reader.fieldCount(); ++i)
            values << reader.value(i);
        canonicalRows << canonicalRow(values, def);
    }
    if (rows)
        *rows = canonicalRows.size();
    return checksumOf(canonicalRows);
}

QByteArray tableChecksum(ServerConnection& server, const QString& schema, const TableDef& def, qint64* rows)
{
    QStringList canonicalRows;
    server.forEachRow(QStringLiteral("select ") + columnList(def) + QStringLiteral(" from ") +
                          dataset::qualified(schema, def.name),
                      {}, [&](const QVariantList& values) { canonicalRows << canonicalRow(values, def); });
    if (rows)
        *rows = canonicalRows.size();
    return checksumOf(canonicalRows);
}

QList<TableCopied> copyFileToServer(const Database& file, ServerConnection& server, const QString& schema,
                                    const CopyProgress& progress)
{
    dataset::create(server, schema);
    QList<TableCopied> copied;
    try {
        for (const QString& table : file.tableNames())
            copyTableToServer(file, server, schema, file.tableDef(table), progress);
        server.inTransaction([&] {
            for (const QString& name : file.queryNames())
                dataset::createQuery(server, schema, name, file.querySql(name));
        });
        for (const QString& table : file.tableNames()) {
            const TableDef def = file.tableDef(table);
            TableCopied result{table, 0, {}};
            qint64 serverRows = 0;
            result.checksum = tableChecksum(file, def, &result.rows);
            const QByteArray serverSum =
                tableChecksum(server, schema, dataset::tableDef(server, schema, table), &serverRows);
            compare(table, result.rows, result.checksum, serverRows, serverSum);
            // The planner learns the new rows now, not when the server's autovacuum comes round:
            // a search on the dates of a year copied a minute ago uses their index, and a form
            // reads a year's keys from the counter's index alone (its rows marked all visible).
            server.exec(QStringLiteral("vacuum (analyze) ") + dataset::qualified(schema, table));
            copied << result;
        }
    } catch (...) {
        try {
            dataset::drop(server, schema);
        } catch (const DbError& e) {
            qCWarning(lcDb) << "could not drop the half-copied data set" << schema << e.description();
        }
        throw;
    }
    return copied;
}

QList<TableCopied> copyServerToFile(ServerConnection& server, const QString& schema, const QString& path,
                                    const QString& password, const CopyProgress& progress)
{
    QList<TableCopied> copied;
    Database file = Database::create(path, password);
    try {
        for (const QString& table : dataset::tableNames(server, schema)) {
            const TableDef def = dataset::tableDef(server, schema, table);
            const QString insert = QStringLiteral("INSERT INTO ") + quoteJetName(def.name) + QStringLiteral(" (") +
                                   [&] {
                                       QStringList names;
                                       for (const FieldDef& field : def.fields)
                                           names << quoteJetName(field.name);
                                       return names.join(QStringLiteral(", "));
                                   }() +
                                   QStringLiteral(") VALUES (");
            file.beginTrans();
            try {
                file.appendTableDef(def);
                qint64 count = 0;
                server.forEachRow(QStringLiteral("select ") + columnList(def) + QStringLiteral(" from ") +
                                      dataset::qualified(schema, def.name),
                                  {}, [&](const QVariantList& row) {
                                      QStringList literals;
                                      for (qsizetype i = 0; i < def.fields.size(); ++i)
                                          literals << jetLiteral(row.value(i), def.fields[i]);
                                      file.execute(insert + literals.join(QStringLiteral(", ")) + u')');
                                      if (++count % 1000 == 0 && progress)
                                          progress(def.name, count);
                                  });
                if (const FieldDef* counter = counterOf(def)) {
                    // The file goes on after the server's sequence, as the server would have.
                    const QList<QVariantList> sequence =
                        server.query(QStringLiteral("select last_value, is_called from ") +
                                     dataset::counterSequence(server, schema, def.name, counter->name));
                    const qint64 last = sequence.first()[1].toBool() ? sequence.first()[0].toLongLong() : 0;
                    if (last > 0) {
                        file.execute(QStringLiteral("UPDATE sqlite_sequence SET seq = ") + QString::number(last) +
                                     QStringLiteral(" WHERE name = ") + quoteLiteral(def.name) +
                                     QStringLiteral(" AND seq < ") + QString::number(last));
                    }
                }
                file.commitTrans();
                if (progress)
                    progress(def.name, count);
            } catch (...) {
                try {
                    file.rollback();
                } catch (const DbError& e) {
                    qCWarning(lcDb) << "rollback of the copied table failed:" << e.description();
                }
                throw;
            }
        }
        for (const auto& [name, jetSql] : dataset::queries(server, schema))
            file.createQueryDef(name, jetSql);
        for (const QString& table : file.tableNames()) {
            const TableDef def = dataset::tableDef(server, schema, table);
            TableCopied result{table, 0, {}};
            qint64 fileRows = 0;
            result.checksum = tableChecksum(server, schema, def, &result.rows);
            const QByteArray fileSum = tableChecksum(file, file.tableDef(table), &fileRows);
            compare(table, fileRows, fileSum, result.rows, result.checksum);
            copied << result;
        }
    } catch (...) {
        file.close();
        QFile::remove(path);
        throw;
    }
    return copied;
}

} // namespace db::pg
