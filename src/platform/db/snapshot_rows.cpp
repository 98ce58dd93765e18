#include "snapshot_rows.h"

#include "connection.h"
#include "db_error.h"
#include "db_log.h"
#include "sql_quote.h"
#include "statement.h"
#include "translation.h"

#include <QSet>
#include <sqlite3.h>

namespace db {

namespace {

QString copyType(const SourceColumn& c)
{
    switch (c.def.type) {
    case FieldType::Text:
    case FieldType::Memo:
        return (c.typed ? QStringLiteral(" TEXT") : QString()) + QStringLiteral(" COLLATE NOCASE");
    case FieldType::Boolean:
    case FieldType::Byte:
    case FieldType::Integer:
    case FieldType::Long:
        return QStringLiteral(" INTEGER");
    case FieldType::Currency:
    case FieldType::Single:
    case FieldType::Double:
        return QStringLiteral(" REAL");
    default:
        return QString();
    }
}

[[noreturn]] void refuseWrite()
{
    throw DbError(errc::NotUpdatable, QStringLiteral("Cannot update. Database or object is read-only."));
}

} // namespace

void readColumns(const QVector<SourceColumn>& columns, const Statement& from, int first, QVector<QVariant>& values)
{
    values.resize(columns.size());
    for (int i = 0; i < columns.size(); ++i)
        values[i] = columns[i].typed ? from.value(first + i, columns[i].def.type) : from.value(first + i);
}

bool readRow(Statement& fetch, const QVector<SourceColumn>& columns, qint64 rowid, QVector<QVariant>& values)
{
    fetch.bindInt64(1, rowid);
    if (!fetch.step())
        return false;
    readColumns(columns, fetch, 0, values);
    fetch.reset();
    return true;
}

std::shared_ptr<RowSource> SnapshotRows::copy(QVector<SourceColumn> columns, const Fill& fill, const QString& source,
                                              RecordsetType type, Reopen reopen, const void* owner)
{
    std::unique_ptr<SnapshotRows> store(new SnapshotRows);
    store->m_reopen = std::move(reopen);
    store->m_owner = owner;
    QStringList ddl;
    QStringList marks;
    QSet<QString> used;
    for (SourceColumn& c : columns) {
        c.def.attributes &= ~(fieldattr::AutoIncrField | fieldattr::UpdatableField);
        QString column = c.name;
        for (int k = 2; used.contains(column.toLower()); ++k)
            column = c.name + QLatin1Char('_') + QString::number(k);
        used.insert(column.toLower());
        ddl << quoteIdentifier(column) + copyType(c);
        marks << QLatin1Char('?') + QString::number(marks.size() + 1);
    }
    store->m_copy = Connection::openScratch();
    sqlite3* copy = store->m_copy->handle();
    store->m_copy->exec(QStringLiteral("CREATE TABLE snap (") + ddl.join(QLatin1String(", ")) + QLatin1Char(')'));
    store->m_copy->exec(QStringLiteral("BEGIN"));
    try {
        Statement put(copy,
                      QStringLiteral("INSERT INTO snap VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')'));
        fill(put);
        store->m_copy->exec(QStringLiteral("COMMIT"));
    } catch (...) {
        try {
            store->m_copy->exec(QStringLiteral("ROLLBACK"));
        } catch (const DbError& e) {
            qCWarning(lcDb) << "dropping a snapshot that failed:" << e.description();
        }
        throw;
    }
    RowSource::Opened opened;
    opened.type = type;
    Statement keys(copy, QStringLiteral("SELECT rowid FROM snap"));
    while (keys.step())
        opened.keys.push_back(keys.int64(0));
    store->m_fetch = std::make_unique<Statement>(copy, QStringLiteral("SELECT * FROM snap WHERE rowid = ?1"));
    store->m_columns = columns;
    opened.columns = std::move(columns);
    return RowSource::create(std::move(store), std::move(opened), source);
}

SnapshotRows::~SnapshotRows() = default;

bool SnapshotRows::fetch(qint64 key, QVector<QVariant>& values)
{
    return readRow(*m_fetch, m_columns, key, values);
}

void SnapshotRows::find(const QString& jetCriterion, const std::function<void(qint64, const ReadFound&)>& found)
{
    const QString criterion = compileCriterion(jetCriterion, *m_copy);
    Statement find(m_copy->handle(),
                   QStringLiteral("SELECT rowid AS msys_rid, * FROM snap WHERE (") + criterion + QLatin1Char(')'));
    const ReadFound read = [&](QVector<QVariant>& values) { readColumns(m_columns, find, 1, values); };
    while (find.step())
        found(find.int64(0), read);
}

// A copy is never updatable; the cursor refuses a write before it comes here.
qint64 SnapshotRows::insertRow(const QVector<QVariant>&, const QVector<bool>&)
{
    refuseWrite();
}

RowStore::StoredRow SnapshotRows::updateRow(qint64, const QVector<QVariant>&, const QVector<bool>&,
                                            const QVector<QVariant>&, const ReadRow*)
{
    refuseWrite();
    return std::nullopt;
}

void SnapshotRows::deleteRow(qint64)
{
    refuseWrite();
}

std::shared_ptr<RowSource> SnapshotRows::reopen(const QString& source, RecordsetType type)
{
    return m_reopen(source, type);
}

} // namespace db
