#include "file_rows.h"

#include "write_conflict.h"

#include "connection.h"
#include "db_error.h"
#include "db_log.h"
#include "row_source.h"
#include "schema_store.h"
#include "select_shape.h"
#include "snapshot_rows.h"
#include "sql_quote.h"
#include "statement.h"
#include "translation.h"

#include <QSet>
#include <sqlite3.h>

namespace db {

namespace {

QString originText(sqlite3_stmt* stmt, int column, const char* (*origin)(sqlite3_stmt*, int))
{
    const char* p = origin(stmt, column);
    return p ? QString::fromUtf8(p) : QString();
}

// Reads a dynaset's keyset with keys (the rowid in column `column`), with room made first: the
// span of the table's rowids (read at the ends of its b-tree) bounds the number of rows, so a
// large keyset is not copied as it grows.
std::vector<qint64> readKeys(sqlite3* db, const FileRows::Shape& shape, Statement& keys, int column)
{
    std::vector<qint64> read;
    const QString table = qualifiedName(shape.schema, shape.table);
    Statement span(db, QStringLiteral("SELECT (SELECT max(rowid) FROM ") + table +
                           QStringLiteral(") - (SELECT min(rowid) FROM ") + table + QStringLiteral(") + 1"));
    if (span.step())
        read.reserve(size_t(qBound(qint64(0), span.int64(0), qint64(1) << 20)));
    span.reset();
    while (keys.step())
        read.push_back(keys.int64(column));
    return read;
}

std::shared_ptr<RowSource> dynaset(const std::shared_ptr<Connection>& conn, const FileRows::Shape& shape,
                                   const QString& keySql, bool keyLast, const QString& source)
{
    sqlite3* db = conn->handle();
    auto store = std::make_unique<FileRows>(conn, shape);
    const TableDef def = SchemaStore::readTableDef(db, shape.schema, shape.table);
    RowSource::Opened opened;
    opened.columns = store->describeColumns(def);
    opened.keysStamp = store->stamp();
    Statement keys(db, keySql);
    opened.keys = readKeys(db, shape, keys, keyLast ? keys.columnCount() - 1 : 0);
    opened.updatable = !conn->openedReadOnly();
    opened.baseSchema = shape.schema;
    opened.baseTable = shape.table;
    opened.table = &def;
    return RowSource::create(std::move(store), std::move(opened), source);
}

std::shared_ptr<RowSource> copyOf(const std::shared_ptr<Connection>& conn, const QString& sql, const QString& source,
                                  RecordsetType type)
{
    sqlite3* db = conn->handle();
    Statement from(db, sql);
    if (!sqlite3_stmt_readonly(from.handle()))
        throw DbError(errc::SyntaxError, QStringLiteral("A recordset needs a SELECT statement: ") + sql);
    QHash<QString, TableDef> defs; // origin tables, by schema + name
    QVector<SourceColumn> columns;
    for (int i = 0; i < from.columnCount(); ++i)
        columns << describeColumn(db, from.handle(), i, defs);
    const int n = from.columnCount();
    auto fill = [&](Statement& put) {
        while (from.step()) {
            for (int i = 0; i < n; ++i)
                sqlite3_bind_value(put.handle(), i + 1, sqlite3_column_value(from.handle(), i));
            put.run();
        }
    };
    auto reopen = [conn](const QString& again, RecordsetType t) { return RowSource::open(conn, again, t); };
    return SnapshotRows::copy(std::move(columns), fill, source, type, reopen, conn.get());
}

} // namespace

std::shared_ptr<RowSource> RowSource::open(const std::shared_ptr<Connection>& conn, const QString& source,
                                           RecordsetType type)
{
    conn->runStatementHook(source);
    conn->beginStatement();
    const SourceSelect resolved = resolveSource(*conn, source);
    const QString main = QStringLiteral("main");
    if (!resolved.table.isEmpty()) {
        if (type != RecordsetType::Dynaset)
            return copyOf(conn, resolved.sql, source, type);
        const QString table = quoteIdentifier(resolved.table);
        return dynaset(conn, FileRows::Shape{main, resolved.table, QStringLiteral("*"), table, table},
                       QStringLiteral("SELECT rowid FROM ") + qualifiedName(main, resolved.table), false, source);
    }
    const SelectShape shape = SelectShape::analyse(resolved.sql);
    if (type == RecordsetType::Dynaset && shape.singleTable) {
        const QString schema = shape.schema.isEmpty() ? main : shape.schema;
        if (const std::optional<QString> table = SchemaStore::actualTableName(conn->handle(), schema, shape.table)) {
            const FileRows::Shape parts{schema, *table, shape.selectList, shape.fromClause, shape.qualifier};
            const QString from = QStringLiteral(" FROM ") + shape.fromClause + QLatin1Char(' ') + shape.tail;
            const QString rowid = shape.qualifier + QStringLiteral(".rowid");
            if (!shape.orderByNumber) {
                try {
                    return dynaset(conn, parts, QStringLiteral("SELECT ") + rowid + from, false, source);
                } catch (const DbError& e) {
                    // ORDER BY may name a column of the select list by its alias.
                    qCDebug(lcDb) << "keyset by rowid alone failed, reading with the select list:" << e.description();
                }
            }
            // With the select list in front, ORDER BY reads column numbers and aliases as the
            // statement means them; the rowid comes last so that it shifts no number.
            return dynaset(conn, parts,
                           QStringLiteral("SELECT ") + shape.selectList + QStringLiteral(", ") + rowid + from, true,
                           source);
        }
    }
    return copyOf(conn, resolved.sql, source, type);
}

FileRows::FileRows(std::shared_ptr<Connection> conn, Shape shape) : m_conn(std::move(conn)), m_shape(std::move(shape))
{
    if (m_shape.schema != QLatin1String("main") && m_shape.list == QLatin1String("*"))
        m_shape.from = qualifiedName(m_shape.schema, m_shape.table);
    m_fetch = std::make_unique<Statement>(
        m_conn->handle(), QStringLiteral("SELECT ") + m_shape.list + QStringLiteral(" FROM ") + m_shape.from +
                              QStringLiteral(" WHERE ") + m_shape.qualifier + QStringLiteral(".rowid = ?1"));
}

FileRows::~FileRows() = default;

QVector<SourceColumn> FileRows::describeColumns(const TableDef& def)
{
    sqlite3_stmt* stmt = m_fetch->handle();
    m_columns.clear();
    for (int i = 0; i < m_fetch->columnCount(); ++i) {
        SourceColumn c;
        c.name = m_fetch->columnName(i);
        const FieldDef* f = nullptr;
        if (originText(stmt, i, sqlite3_column_database_name) == m_shape.schema &&
            originText(stmt, i, sqlite3_column_table_name).compare(m_shape.table, Qt::CaseInsensitive) == 0)
            f = def.field(originText(stmt, i, sqlite3_column_origin_name));
        if (f) {
            c.def = *f;
            c.def.name = c.name;
            c.baseColumn = f->name;
        } else {
            const char* decl = sqlite3_column_decltype(stmt, i);
            c.def = SchemaStore::fieldFromDeclaredType(c.name, decl ? QString::fromUtf8(decl) : QString());
            c.typed = decl != nullptr;
        }
        m_columns << c;
    }
    return m_columns;
}

void FileRows::learnStorage()
{
    m_storageLearnt = true;
    m_storage.clear();
    if (m_shape.schema != QLatin1String("main"))
        return;
    QSet<QString> bases;
    for (const SourceColumn& c : std::as_const(m_columns)) {
        if (c.baseColumn.isEmpty() || !c.typed)
            return;
        bases.insert(c.baseColumn.toLower());
    }
    if (bases.size() != m_columns.size())
        return;
    // When this cannot be told the row is read again after each update: the save itself is
    // already written.
    bool plain = false;
    try {
        Statement others(
            m_conn->handle(),
            QStringLiteral("SELECT (SELECT count(*) FROM main.sqlite_master WHERE type = 'trigger' AND "
                           "tbl_name = ?1 COLLATE NOCASE AND substr(name, 1, 11) <> 'msys_check_') + "
                           "(SELECT count(*) FROM pragma_table_xinfo(?1, 'main') WHERE hidden IN (2, 3))"));
        others.bindText(1, m_shape.table);
        plain = others.step() && others.int64(0) == 0;
        others.reset();
    } catch (const DbError& e) {
        qCWarning(lcDb) << "triggers of" << m_shape.table << "not read:" << e.description();
    }
    if (!plain)
        return;
    // A column's affinity follows its declared type as SQLite reads it.
    for (int i = 0; i < m_columns.size(); ++i) {
        const char* decl = sqlite3_column_decltype(m_fetch->handle(), i);
        const QString type = decl ? QString::fromUtf8(decl).toUpper() : QString();
        const bool integerAffinity = type.contains(QLatin1String("INT"));
        const bool textAffinity =
            !integerAffinity && (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("CLOB")) ||
                                 type.contains(QLatin1String("TEXT")));
        const bool noAffinity =
            type.isEmpty() || (!integerAffinity && !textAffinity && type.contains(QLatin1String("BLOB")));
        const FieldType field = m_columns[i].def.type;
        Storage s = Storage::Unknown;
        if ((field == FieldType::Text || field == FieldType::Memo) && (textAffinity || noAffinity))
            s = Storage::Text;
        else if ((field == FieldType::Byte || field == FieldType::Integer || field == FieldType::Long) &&
                 integerAffinity)
            s = Storage::Integer;
        m_storage.push_back(s);
    }
}

// What Statement::value(column, type) gives for the value bound by Statement::bind, where that is
// plain; nullopt where the row must be read to know it.
std::optional<QVariant> FileRows::readBackOf(int column, const QVariant& written) const
{
    if (!written.isValid() || written.isNull())
        return QVariant();
    switch (m_storage[size_t(column)]) {
    case Storage::Text:
        if (written.typeId() == QMetaType::QString) {
            // An empty text is read back as an empty (not null) QString: read it to be exact.
            const QString text = cleanText(written.toString());
            if (!text.isEmpty())
                return QVariant(text);
        }
        break;
    case Storage::Integer:
        if (written.typeId() == QMetaType::Int)
            return written;
        if (written.typeId() == QMetaType::LongLong) {
            const qint64 v = written.toLongLong();
            if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
                return QVariant(int(v));
            return written;
        }
        break;
    case Storage::Unknown:
        break;
    }
    return std::nullopt;
}

bool FileRows::fetch(qint64 key, QVector<QVariant>& values)
{
    return readRow(*m_fetch, m_columns, key, values);
}

void FileRows::find(const QString& jetCriterion, const std::function<void(qint64, const ReadFound&)>& found)
{
    const QString criterion = compileCriterion(jetCriterion, *m_conn);
    // Each read outside a transaction takes and drops the file's lock: the find reads the hits'
    // values in the same statement.
    Statement find(m_conn->handle(), QStringLiteral("SELECT * FROM (SELECT ") + m_shape.qualifier +
                                         QStringLiteral(".rowid AS msys_rid, ") + m_shape.list +
                                         QStringLiteral(" FROM ") + m_shape.from + QStringLiteral(") WHERE (") +
                                         criterion + QLatin1Char(')'));
    const ReadFound read = [&](QVector<QVariant>& values) { readColumns(m_columns, find, 1, values); };
    while (find.step())
        found(find.int64(0), read);
}
const QByteArray& FileRows::shapeOf(char kind, const QVector<bool>& dirty)
{
    m_writeShape.fill('0', 1 + m_columns.size());
    m_writeShape[0] = kind;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (dirty[i] && !m_columns[i].baseColumn.isEmpty())
            m_writeShape[1 + i] = '1';
    }
    return m_writeShape;
}

FileRows::Write& FileRows::writeOf(const QByteArray& shape, const std::function<QString()>& sqlOf)
{
    auto kept = m_writes.find(shape);
    if (kept == m_writes.end())
        kept = m_writes.emplace(shape, Write{sqlOf(), nullptr}).first;
    return kept->second;
}

Statement& FileRows::prepared(Write& write)
{
    if (!write.statement)
        write.statement = std::make_unique<Statement>(m_conn->handle(), write.sql);
    return *write.statement;
}

qint64 FileRows::insertRow(const QVector<QVariant>& values, const QVector<bool>& dirty)
{
    const QByteArray& shape = shapeOf('i', dirty);
    Write& write = writeOf(shape, [&] {
        QStringList columns;
        QStringList marks;
        for (int i = 0; i < m_columns.size(); ++i) {
            if (shape[1 + i] == '1') {
                columns << quoteIdentifier(m_columns[i].baseColumn);
                marks << QLatin1Char('?') + QString::number(marks.size() + 1);
            }
        }
        const QString target = qualifiedName(m_shape.schema, m_shape.table);
        return columns.isEmpty() ? QStringLiteral("INSERT INTO ") + target + QStringLiteral(" DEFAULT VALUES")
                                 : QStringLiteral("INSERT INTO ") + target + QStringLiteral(" (") +
                                       columns.join(QLatin1String(", ")) + QStringLiteral(") VALUES (") +
                                       marks.join(QLatin1String(", ")) + QLatin1Char(')');
    });
    m_conn->runStatementHook(write.sql);
    WriteScope scope(*m_conn, WriteScope::Extent::OneStatement);
    Statement& insert = prepared(write);
    int k = 0;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (shape[1 + i] == '1')
            insert.bind(++k, values[i]);
    }
    insert.run();
    const qint64 rowid = sqlite3_last_insert_rowid(m_conn->handle());
    scope.commit();
    return rowid;
}

RowStore::StoredRow FileRows::updateRow(qint64 rowid, const QVector<QVariant>& values, const QVector<bool>& dirty,
                                        const QVector<QVariant>& expected, const ReadRow* read)
{
    const QByteArray& shape = shapeOf('u', dirty);
    const bool nothing = !shape.contains('1');
    Write& kept = writeOf(shape, [&] {
        QStringList sets;
        for (int i = 0; i < m_columns.size(); ++i) {
            if (shape[1 + i] == '1') {
                sets << quoteIdentifier(m_columns[i].baseColumn) + QStringLiteral(" = ?") +
                            QString::number(sets.size() + 1);
            }
        }
        const QString target = qualifiedName(m_shape.schema, m_shape.table);
        return nothing ? QStringLiteral("SELECT 1 FROM ") + target + QStringLiteral(" WHERE rowid = ?1")
                       : QStringLiteral("UPDATE ") + target + QStringLiteral(" SET ") + sets.join(QLatin1String(", ")) +
                             QStringLiteral(" WHERE rowid = ?") + QString::number(sets.size() + 1);
    });
    m_conn->runStatementHook(kept.sql);
    WriteScope scope(*m_conn, WriteScope::Extent::OneStatement);
    // Under the write lock no other client writes between the check and the write. The row read
    // before is the stored row when the file's stamp, read afresh under this lock, is still the
    // one it was read under (no other program's commit, no write or rollback of ours since).
    const bool readIsStored = read && m_shape.schema == QLatin1String("main") && stamp() == read->stamp;
    if (!expected.isEmpty() && !nothing) {
        if (readIsStored) {
            refuseChangedMeanwhile(m_columns, read->values, expected, dirty);
        } else {
            QVector<QVariant> stored;
            if (!fetch(rowid, stored))
                throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
            refuseChangedMeanwhile(m_columns, stored, expected, dirty);
        }
    }
    Statement& write = prepared(kept);
    if (nothing) {
        // Nothing changed: the row must still be there, as the old engine checked on Update.
        write.bindInt64(1, rowid);
        const bool exists = write.step();
        write.reset();
        if (!exists)
            throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
    } else {
        int k = 0;
        for (int i = 0; i < m_columns.size(); ++i) {
            if (shape[1 + i] == '1')
                write.bind(++k, values[i]);
        }
        write.bindInt64(k + 1, rowid);
        if (write.run() == 0)
            throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
    }
    scope.commit();
    if (!readIsStored || read->values.size() != m_columns.size())
        return std::nullopt;
    if (!m_storageLearnt)
        learnStorage();
    if (m_storage.empty())
        return std::nullopt;
    QVector<QVariant> stored = read->values;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (shape[1 + i] == '1') {
            std::optional<QVariant> now = readBackOf(i, values[i]);
            if (!now)
                return std::nullopt;
            stored[i] = std::move(*now);
        }
    }
    return stored;
}

void FileRows::deleteRow(qint64 rowid)
{
    Write& kept = writeOf(QByteArrayLiteral("d"), [&] {
        return QStringLiteral("DELETE FROM ") + qualifiedName(m_shape.schema, m_shape.table) +
               QStringLiteral(" WHERE rowid = ?1");
    });
    m_conn->runStatementHook(kept.sql);
    WriteScope scope(*m_conn, WriteScope::Extent::OneStatement);
    Statement& del = prepared(kept);
    del.bindInt64(1, rowid);
    if (del.run() == 0)
        throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
    scope.commit();
}

RowStore::Stamp FileRows::stamp()
{
    Stamp now;
    now.changes = sqlite3_total_changes64(m_conn->handle());
    now.rollbacks = m_conn->rollbackGeneration();
    // The data version changes when another connection commits to the file; the connection asks
    // the file once per user action (a shared lock for an instant, released at once).
    try {
        now.dataVersion = m_conn->dataVersion(m_shape.schema);
    } catch (const DbError& e) {
        // An external file detached since: reading its rows raises when a move reaches them.
        qCWarning(lcDb) << "data version of" << m_shape.schema << "not read:" << e.description();
    }
    return now;
}

bool FileRows::inTransaction() const
{
    return m_conn->inTransaction();
}

quint64 FileRows::transactionSerial() const
{
    return m_conn->transactionSerial();
}

void FileRows::watchTransaction(const std::weak_ptr<TransactionWatcher>& watcher)
{
    m_conn->watchTransaction(watcher);
}

std::shared_ptr<RowSource> FileRows::reopen(const QString& source, RecordsetType type)
{
    return RowSource::open(m_conn, source, type);
}

bool FileRows::markExactly(const QString& base, const QString& mark, const std::vector<qint64>& keys,
                           const Stamp& since)
{
    if (m_shape.schema != QLatin1String("main"))
        return false;
    WriteScope scope(*m_conn);
    if (!(stamp() == since))
        return false;
    sqlite3* db = m_conn->handle();
    const QString name = quoteIdentifier(m_shape.table);
    const QString field = quoteIdentifier(base);
    const QSet<qint64> wanted(keys.begin(), keys.end());
    // The rows holding the mark (through the partial index); those listed keep it untouched when
    // it is written exactly so.
    QSet<qint64> done;
    {
        Statement marked(db, QStringLiteral("SELECT rowid, ") + field + QStringLiteral(" FROM ") + name +
                                 QStringLiteral(" WHERE ") + field + QStringLiteral(" = ") + quoteLiteral(mark));
        Statement clear(db, QStringLiteral("UPDATE ") + name + QStringLiteral(" SET ") + field +
                                QStringLiteral(" = '' WHERE rowid = ?1"));
        std::vector<qint64> cleared;
        while (marked.step()) {
            const qint64 rowid = marked.int64(0);
            if (!wanted.contains(rowid))
                cleared.push_back(rowid);
            else if (marked.text(1) == mark)
                done.insert(rowid);
        }
        for (const qint64 rowid : cleared) {
            clear.bindInt64(1, rowid);
            clear.run();
        }
    }
    Statement set(db, QStringLiteral("UPDATE ") + name + QStringLiteral(" SET ") + field +
                          QStringLiteral(" = ?1 WHERE rowid = ?2"));
    set.bindText(1, mark);
    for (const qint64 rowid : std::as_const(wanted)) {
        if (done.contains(rowid))
            continue;
        set.bindInt64(2, rowid);
        set.run();
    }
    scope.commit();
    return true;
}

} // namespace db
