#include "row_source.h"

#include "connection.h"
#include "db_error.h"
#include "db_log.h"
#include "schema_store.h"
#include "select_shape.h"
#include "select_source.h"
#include "sql_quote.h"
#include "statement.h"
#include "translation.h"

#include <QAtomicInteger>
#include <algorithm>
#include <sqlite3.h>

namespace db {

namespace {

quint32 nextIdentity()
{
    static QAtomicInteger<quint32> counter(0);
    return ++counter;
}

const char* originOf(sqlite3_stmt* stmt, int column, int which)
{
    switch (which) {
    case 0:
        return sqlite3_column_database_name(stmt, column);
    case 1:
        return sqlite3_column_table_name(stmt, column);
    default:
        return sqlite3_column_origin_name(stmt, column);
    }
}

QString originText(sqlite3_stmt* stmt, int column, int which)
{
    const char* p = originOf(stmt, column, which);
    return p ? QString::fromUtf8(p) : QString();
}

} // namespace

std::shared_ptr<RowSource> RowSource::open(const std::shared_ptr<Connection>& conn, const QString& source,
                                           RecordsetType type)
{
    conn->runStatementHook(source);
    conn->beginStatement();
    std::shared_ptr<RowSource> rows(new RowSource);
    rows->m_conn = conn;
    rows->m_source = source;
    rows->m_type = type;
    rows->m_identity = nextIdentity();

    sqlite3* db = conn->handle();
    const SourceSelect resolved = resolveSource(*conn, source);
    if (!resolved.table.isEmpty()) {
        if (type == RecordsetType::Dynaset)
            rows->openTable(resolved.sql, QStringLiteral("main"), resolved.table);
        else
            rows->materialise(resolved.sql);
        rows->finishColumns();
        return rows;
    }
    const QString& sqliteSql = resolved.sql;
    const SelectShape shape = SelectShape::analyse(sqliteSql);
    bool opened = false;
    if (type == RecordsetType::Dynaset && shape.singleTable) {
        const QString schema = shape.schema.isEmpty() ? QStringLiteral("main") : shape.schema;
        if (const std::optional<QString> table = SchemaStore::actualTableName(db, schema, shape.table)) {
            rows->m_list = shape.selectList;
            rows->m_from = shape.fromClause;
            rows->m_qualifier = shape.qualifier;
            rows->m_baseSchema = schema;
            rows->m_baseTable = *table;
            rows->openTable(QString(), schema, *table);
            const QString from = QStringLiteral(" FROM ") + shape.fromClause + QLatin1Char(' ') + shape.tail;
            // With the select list in front, ORDER BY reads column numbers and aliases as the
            // statement means them; the rowid comes last so that it shifts no number.
            const QString withList = QStringLiteral("SELECT ") + shape.selectList + QStringLiteral(", ") +
                                     shape.qualifier + QStringLiteral(".rowid") + from;
            std::unique_ptr<Statement> keys;
            int keyColumn = 0;
            if (!shape.orderByNumber) {
                try {
                    keys = std::make_unique<Statement>(db, QStringLiteral("SELECT ") + shape.qualifier +
                                                               QStringLiteral(".rowid") + from);
                } catch (const DbError& e) {
                    // ORDER BY may name a column of the select list by its alias.
                    qCDebug(lcDb) << "keyset by rowid alone failed, reading with the select list:" << e.description();
                }
            }
            if (!keys) {
                keys = std::make_unique<Statement>(db, withList);
                keyColumn = keys->columnCount() - 1;
            }
            rows->reserveKeys();
            while (keys->step())
                rows->m_keys.push_back(keys->int64(keyColumn));
            rows->m_dead.assign(rows->m_keys.size(), 0);
            opened = true;
        }
    }
    if (!opened)
        rows->materialise(sqliteSql);
    rows->finishColumns();
    return rows;
}

RowSource::~RowSource() = default;

// A dynaset over one table. With `sql` given (a whole-table source) the list, FROM and keyset
// are made here; otherwise open() has set them.
void RowSource::openTable(const QString& sql, const QString& schema, const QString& table)
{
    sqlite3* db = m_conn->handle();
    m_baseSchema = schema;
    m_baseTable = table;
    m_keysStamp = stamp();
    if (!sql.isEmpty()) {
        m_list = QStringLiteral("*");
        m_from = quoteIdentifier(table);
        m_qualifier = quoteIdentifier(table);
        Statement keys(db, QStringLiteral("SELECT rowid FROM ") + qualifiedName(schema, table));
        reserveKeys();
        while (keys.step())
            m_keys.push_back(keys.int64(0));
        m_dead.assign(m_keys.size(), 0);
        if (schema != QLatin1String("main"))
            m_from = qualifiedName(schema, table);
    }
    m_fetch =
        std::make_unique<Statement>(db, QStringLiteral("SELECT ") + m_list + QStringLiteral(" FROM ") + m_from +
                                            QStringLiteral(" WHERE ") + m_qualifier + QStringLiteral(".rowid = ?1"));
    const TableDef def = SchemaStore::readTableDef(db, schema, table);
    sqlite3_stmt* stmt = m_fetch->handle();
    m_columns.clear();
    for (int i = 0; i < m_fetch->columnCount(); ++i) {
        Column c;
        c.name = m_fetch->columnName(i);
        const QString originDb = originText(stmt, i, 0);
        const QString originTable = originText(stmt, i, 1);
        const QString originColumn = originText(stmt, i, 2);
        const FieldDef* f = nullptr;
        if (originDb == schema && originTable.compare(table, Qt::CaseInsensitive) == 0)
            f = def.field(originColumn);
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
    m_updatable = !m_conn->openedReadOnly();

    // Without a counter SQLite may give a deleted row's rowid to the next row added (a table
    // emptied and filled again gets 1, 2, ... again): bookmarks then also check the row's key.
    m_reusedRowids = true;
    for (const FieldDef& f : def.fields) {
        if (f.attributes & fieldattr::AutoIncrField)
            m_reusedRowids = false;
    }
    m_printColumns.clear();
    if (m_reusedRowids) {
        auto columnOf = [&](const QString& base) {
            for (int i = 0; i < m_columns.size(); ++i) {
                if (m_columns[i].baseColumn.compare(base, Qt::CaseInsensitive) == 0)
                    return i;
            }
            return -1;
        };
        for (const IndexDef& index : def.indexes) {
            if (!index.unique && !index.primary)
                continue;
            QVector<int> key;
            for (const QString& spec : index.fields) {
                QString name = spec.trimmed();
                if (name.startsWith(QLatin1Char('+')) || name.startsWith(QLatin1Char('-')))
                    name = name.mid(1).trimmed();
                key << columnOf(name);
            }
            if (!key.isEmpty() && !key.contains(-1)) {
                m_printColumns = key;
                break;
            }
        }
        if (m_printColumns.isEmpty()) {
            for (int i = 0; i < m_columns.size(); ++i)
                m_printColumns << i;
        }
    }
}

void RowSource::materialise(const QString& sqliteSelect)
{
    sqlite3* db = m_conn->handle();
    Statement src(db, sqliteSelect);
    if (!sqlite3_stmt_readonly(src.handle()))
        throw DbError(errc::SyntaxError, QStringLiteral("A recordset needs a SELECT statement: ") + sqliteSelect);
    sqlite3_stmt* stmt = src.handle();
    const int n = src.columnCount();
    QHash<QString, TableDef> defs; // origin tables, by schema + name
    m_columns.clear();
    QStringList ddl;
    QSet<QString> used;
    for (int i = 0; i < n; ++i) {
        Column c = describeColumn(db, stmt, i, defs);
        c.def.attributes &= ~(fieldattr::AutoIncrField | fieldattr::UpdatableField);
        QString column = c.name;
        for (int k = 2; used.contains(column.toLower()); ++k)
            column = c.name + QLatin1Char('_') + QString::number(k);
        used.insert(column.toLower());
        QString type;
        switch (c.def.type) {
        case FieldType::Text:
        case FieldType::Memo:
            type = c.typed ? QStringLiteral(" TEXT") : QString();
            type += QLatin1String(" COLLATE NOCASE");
            break;
        case FieldType::Boolean:
        case FieldType::Byte:
        case FieldType::Integer:
        case FieldType::Long:
            type = QStringLiteral(" INTEGER");
            break;
        case FieldType::Currency:
        case FieldType::Single:
        case FieldType::Double:
            type = QStringLiteral(" REAL");
            break;
        default:
            break;
        }
        ddl << quoteIdentifier(column) + type;
        m_columns << c;
    }
    m_scratch = Connection::openScratch();
    sqlite3* copy = m_scratch->handle();
    m_scratch->exec(QStringLiteral("CREATE TABLE snap (") + ddl.join(QLatin1String(", ")) + QLatin1Char(')'));
    QStringList marks;
    for (int i = 1; i <= n; ++i)
        marks << QLatin1Char('?') + QString::number(i);
    m_scratch->exec(QStringLiteral("BEGIN"));
    try {
        Statement put(copy,
                      QStringLiteral("INSERT INTO snap VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')'));
        m_keys.clear();
        while (src.step()) {
            for (int i = 0; i < n; ++i)
                sqlite3_bind_value(put.handle(), i + 1, sqlite3_column_value(stmt, i));
            put.run();
            m_keys.push_back(sqlite3_last_insert_rowid(copy));
        }
        m_scratch->exec(QStringLiteral("COMMIT"));
    } catch (...) {
        src.reset();
        try {
            m_scratch->exec(QStringLiteral("ROLLBACK"));
        } catch (const DbError& e) {
            qCWarning(lcDb) << "dropping a snapshot that failed:" << e.description();
        }
        throw;
    }
    m_dead.assign(m_keys.size(), 0);
    m_list = QStringLiteral("*");
    m_from = QStringLiteral("snap");
    m_qualifier = QStringLiteral("snap");
    m_fetch = std::make_unique<Statement>(copy, QStringLiteral("SELECT * FROM snap WHERE rowid = ?1"));
    m_updatable = false;
}

// Room for the keyset before it is read: the span of the base table's rowids (read at the ends
// of its b-tree) bounds the number of rows, so a large keyset is not copied as it grows.
void RowSource::reserveKeys()
{
    m_keys.clear();
    const QString table = qualifiedName(m_baseSchema, m_baseTable);
    Statement span(m_conn->handle(), QStringLiteral("SELECT (SELECT max(rowid) FROM ") + table +
                                         QStringLiteral(") - (SELECT min(rowid) FROM ") + table +
                                         QStringLiteral(") + 1"));
    if (span.step())
        m_keys.reserve(size_t(qBound(qint64(0), span.int64(0), qint64(1) << 20)));
    span.reset();
}

void RowSource::finishColumns()
{
    m_byName.clear();
    for (int i = int(m_columns.size()) - 1; i >= 0; --i)
        m_byName.insert(m_columns[i].name.toLower(), i); // the first of equal names wins
}

int RowSource::columnIndex(const QString& name) const
{
    return m_byName.value(name.toLower(), -1);
}

void RowSource::markDead(int index)
{
    if (!m_dead[size_t(index)]) {
        m_dead[size_t(index)] = 1;
        ++m_deadCount;
        journal(false, index);
    }
}

void RowSource::journal(bool appended, int index)
{
    if (m_scratch || !m_conn->inTransaction())
        return;
    if (m_undo.empty() || m_undoTransaction != m_conn->transactionSerial()) {
        m_undo.clear();
        m_undoTransaction = m_conn->transactionSerial();
        m_conn->watchTransaction(weak_from_this());
    }
    m_undo.push_back(Undo{appended, index});
}

void RowSource::transactionEnded(quint64 transaction, bool committed)
{
    if (transaction == m_undoTransaction && !committed) {
        for (auto it = m_undo.rbegin(); it != m_undo.rend(); ++it) {
            const size_t i = size_t(it->index);
            if (it->appended) {
                if (i + 1 == m_keys.size()) {
                    m_positions.remove(m_keys.back());
                    if (m_dead.back())
                        --m_deadCount;
                    m_keys.pop_back();
                    m_dead.pop_back();
                }
            } else if (i < m_dead.size() && m_dead[i]) {
                m_dead[i] = 0;
                --m_deadCount;
            }
        }
    }
    m_undo.clear();
    m_findValid = false;
}

int RowSource::deadBefore(int index) const
{
    if (m_deadCount == 0)
        return 0;
    int dead = 0;
    for (int i = 0; i < index; ++i)
        dead += m_dead[size_t(i)];
    return dead;
}

int RowSource::positionOf(qint64 rowid)
{
    if (m_positions.size() != size()) {
        m_positions.clear();
        m_positions.reserve(size());
        for (int i = 0; i < size(); ++i)
            m_positions.insert(m_keys[size_t(i)], i);
    }
    return m_positions.value(rowid, -1);
}

const QVector<QVariant>* RowSource::found(int index, const Stamp& now) const
{
    if (!m_findValid || !(now == m_findStamp) || size_t(index) >= m_findAt.size() || m_findAt[size_t(index)] < 0)
        return nullptr;
    return &m_findRows[size_t(m_findAt[size_t(index)])];
}

bool RowSource::fetch(qint64 rowid, QVector<QVariant>& values)
{
    m_fetch->bindInt64(1, rowid);
    if (!m_fetch->step())
        return false;
    readColumns(*m_fetch, 0, values);
    m_fetch->reset();
    return true;
}

void RowSource::readColumns(const Statement& from, int first, QVector<QVariant>& values) const
{
    values.resize(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        values[i] = m_columns[i].typed ? from.value(first + i, m_columns[i].def.type) : from.value(first + i);
}

const std::vector<int>& RowSource::matching(const QString& jetCriterion, const Stamp& now)
{
    if (m_findValid && m_findStamp == now && m_findCriterion == jetCriterion)
        return m_findAt;
    const QString sqliteCriterion = compileCriterion(jetCriterion, *m_conn);
    sqlite3* db = m_scratch ? m_scratch->handle() : m_conn->handle();
    // The query reads the hits' values as well: a loop of finds then lands on each hit without
    // reading the file again (each read outside a transaction takes and drops the file's lock).
    Statement find(db, QStringLiteral("SELECT * FROM (SELECT ") + m_qualifier + QStringLiteral(".rowid AS msys_rid, ") +
                           m_list + QStringLiteral(" FROM ") + m_from + QStringLiteral(") WHERE (") + sqliteCriterion +
                           QLatin1Char(')'));
    m_findValid = false;
    m_findAt.assign(m_keys.size(), NoHit);
    m_findRows.clear();
    // A keyset in rowid order (a table read in its order) is searched without a table of positions.
    const bool sorted = std::is_sorted(m_keys.begin(), m_keys.end());
    auto indexOf = [&](qint64 rowid) {
        if (!sorted)
            return positionOf(rowid);
        const auto at = std::lower_bound(m_keys.begin(), m_keys.end(), rowid);
        return at != m_keys.end() && *at == rowid ? int(at - m_keys.begin()) : -1;
    };
    while (find.step()) {
        const int index = indexOf(find.int64(0));
        if (index < 0 || m_findAt[size_t(index)] != NoHit)
            continue; // not in the keyset, or read already
        if (m_findRows.size() < size_t(KeptFoundRows)) {
            m_findAt[size_t(index)] = int(m_findRows.size());
            readColumns(find, 1, m_findRows.emplace_back());
        } else {
            m_findAt[size_t(index)] = -1;
        }
    }
    m_findCriterion = jetCriterion;
    m_findStamp = now;
    m_findValid = true;
    return m_findAt;
}

quint64 RowSource::printOf(const QVector<QVariant>& values) const
{
    if (!m_reusedRowids)
        return 0;
    // FNV-1a over each identifying value's type and text.
    quint64 h = 14695981039346656037ULL;
    auto mix = [&](const QByteArray& bytes) {
        for (const char c : bytes) {
            h ^= quint8(c);
            h *= 1099511628211ULL;
        }
        h ^= 0xff;
        h *= 1099511628211ULL;
    };
    for (const int i : m_printColumns) {
        const QVariant& v = values.value(i);
        mix(v.isNull() ? QByteArray("\x01null") : QByteArray::number(v.typeId()) + ':' + v.toString().toUtf8());
    }
    return h ? h : 1;
}

bool RowSource::samePrint(qint64 rowid, quint64 print, const QVector<QVariant>& values) const
{
    const quint64 now = printOf(values);
    if (now == print)
        return true;
    const auto it = m_rewrites.constFind(rowid);
    return it != m_rewrites.constEnd() && it->last() == now && it->contains(print);
}

void RowSource::rewritten(qint64 rowid, const QVector<QVariant>& before, const QVector<QVariant>& after)
{
    if (!m_reusedRowids)
        return;
    QList<quint64>& prints = m_rewrites[rowid];
    const quint64 old = printOf(before);
    if (prints.isEmpty() || prints.last() != old)
        prints << old;
    prints << printOf(after);
}

QByteArray RowSource::shapeOf(char kind, const QVector<bool>& dirty) const
{
    QByteArray shape(1 + m_columns.size(), '0');
    shape[0] = kind;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (dirty[i] && !m_columns[i].baseColumn.isEmpty())
            shape[1 + i] = '1';
    }
    return shape;
}

Statement& RowSource::prepareWrite(const QByteArray& shape, const QString& sql)
{
    Write& write = m_writes[shape];
    if (!write.statement) {
        try {
            write.statement = std::make_unique<Statement>(m_conn->handle(), sql);
        } catch (...) {
            m_writes.erase(shape);
            throw;
        }
        write.sql = sql;
    }
    return *write.statement;
}

qint64 RowSource::insertRow(const QVector<QVariant>& values, const QVector<bool>& dirty)
{
    const QByteArray shape = shapeOf('i', dirty);
    const auto kept = m_writes.find(shape);
    QString sql;
    if (kept != m_writes.end()) {
        sql = kept->second.sql;
    } else {
        QStringList columns;
        QStringList marks;
        for (int i = 0; i < m_columns.size(); ++i) {
            if (shape[1 + i] == '1') {
                columns << quoteIdentifier(m_columns[i].baseColumn);
                marks << QLatin1Char('?') + QString::number(marks.size() + 1);
            }
        }
        const QString target = qualifiedName(m_baseSchema, m_baseTable);
        sql = columns.isEmpty()
                  ? QStringLiteral("INSERT INTO ") + target + QStringLiteral(" DEFAULT VALUES")
                  : QStringLiteral("INSERT INTO ") + target + QStringLiteral(" (") + columns.join(QLatin1String(", ")) +
                        QStringLiteral(") VALUES (") + marks.join(QLatin1String(", ")) + QLatin1Char(')');
    }
    m_conn->runStatementHook(sql);
    WriteScope scope(*m_conn, WriteScope::Extent::OneStatement);
    Statement& insert = prepareWrite(shape, sql);
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

void RowSource::updateRow(qint64 rowid, const QVector<QVariant>& values, const QVector<bool>& dirty)
{
    const QByteArray shape = shapeOf('u', dirty);
    const bool nothing = !shape.contains('1');
    const auto kept = m_writes.find(shape);
    QString sql;
    if (kept != m_writes.end()) {
        sql = kept->second.sql;
    } else {
        QStringList sets;
        for (int i = 0; i < m_columns.size(); ++i) {
            if (shape[1 + i] == '1') {
                sets << quoteIdentifier(m_columns[i].baseColumn) + QStringLiteral(" = ?") +
                            QString::number(sets.size() + 1);
            }
        }
        const QString target = qualifiedName(m_baseSchema, m_baseTable);
        sql = nothing ? QStringLiteral("SELECT 1 FROM ") + target + QStringLiteral(" WHERE rowid = ?1")
                      : QStringLiteral("UPDATE ") + target + QStringLiteral(" SET ") + sets.join(QLatin1String(", ")) +
                            QStringLiteral(" WHERE rowid = ?") + QString::number(sets.size() + 1);
    }
    m_conn->runStatementHook(sql);
    WriteScope scope(*m_conn, WriteScope::Extent::OneStatement);
    Statement& write = prepareWrite(shape, sql);
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
}

void RowSource::deleteRow(qint64 rowid)
{
    const QByteArray shape("d");
    const auto kept = m_writes.find(shape);
    const QString sql = kept != m_writes.end()
                            ? kept->second.sql
                            : QStringLiteral("DELETE FROM ") + qualifiedName(m_baseSchema, m_baseTable) +
                                  QStringLiteral(" WHERE rowid = ?1");
    m_conn->runStatementHook(sql);
    WriteScope scope(*m_conn, WriteScope::Extent::OneStatement);
    Statement& del = prepareWrite(shape, sql);
    del.bindInt64(1, rowid);
    if (del.run() == 0)
        throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
    scope.commit();
}

void RowSource::append(qint64 rowid)
{
    m_keys.push_back(rowid);
    m_dead.push_back(0);
    if (m_positions.size() == size() - 1)
        m_positions.insert(rowid, size() - 1);
    journal(true, size() - 1);
}

RowSource::Stamp RowSource::stamp() const
{
    if (m_scratch)
        return Stamp(); // a copy never changes
    Stamp now;
    now.changes = sqlite3_total_changes64(m_conn->handle());
    now.rollbacks = m_conn->rollbackGeneration();
    // The data version changes when another connection commits to the file; the connection asks
    // the file once per user action (a shared lock for an instant, released at once).
    try {
        now.dataVersion = m_conn->dataVersion(m_baseSchema);
    } catch (const DbError& e) {
        // An external file detached since: reading its rows raises when a move reaches them.
        qCWarning(lcDb) << "data version of" << m_baseSchema << "not read:" << e.description();
    }
    return now;
}

} // namespace db
