#include "file_engine.h"

#include "connection.h"
#include "db_error.h"
#include "db_log.h"
#include "row_source.h"
#include "schema_store.h"
#include "select_shape.h"
#include "sql_quote.h"
#include "statement.h"
#include "translation.h"

#include <QSet>
#include <sqlite3.h>

namespace db {

namespace {

template <class... Ts> struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

const QString Main = QStringLiteral("main");

// Field definitions of a SELECT's result: the origin column's definition when the column comes
// straight from a table, else what the declared type says. Counters become plain Long fields.
QList<FieldDef> fieldsOfSelect(sqlite3* db, const QString& select)
{
    Statement stmt(db, select);
    QHash<QString, TableDef> defs;
    QList<FieldDef> fields;
    QSet<QString> used;
    for (int i = 0; i < stmt.columnCount(); ++i) {
        const char* originTable = sqlite3_column_table_name(stmt.handle(), i);
        const char* originDb = sqlite3_column_database_name(stmt.handle(), i);
        const char* originColumn = sqlite3_column_origin_name(stmt.handle(), i);
        const char* decl = sqlite3_column_decltype(stmt.handle(), i);
        FieldDef f;
        const FieldDef* found = nullptr;
        if (originTable && originDb && originColumn) {
            const QString key = QString::fromUtf8(originDb) + QLatin1Char('.') + QString::fromUtf8(originTable);
            if (!defs.contains(key)) {
                try {
                    defs.insert(key, SchemaStore::readTableDef(db, QString::fromUtf8(originDb),
                                                               QString::fromUtf8(originTable)));
                } catch (const DbError& e) {
                    qCDebug(lcDb) << "fields of" << key << "read from their declared types:" << e.description();
                    defs.insert(key, TableDef());
                }
            }
            found = defs[key].field(QString::fromUtf8(originColumn));
        }
        f = found ? *found : SchemaStore::fieldFromDeclaredType(QString(), decl ? QString::fromUtf8(decl) : QString());
        f.name = stmt.columnName(i);
        for (int k = 2; used.contains(f.name.toLower()); ++k)
            f.name = stmt.columnName(i) + QLatin1Char('_') + QString::number(k);
        used.insert(f.name.toLower());
        f.attributes &= ~fieldattr::AutoIncrField;
        fields << f;
    }
    return fields;
}

// A statement naming a stored query alone runs that query's text.
QString expandStoredQuery(Connection& conn, const QString& jetSql)
{
    QString name = jetSql.trimmed();
    while (name.endsWith(QLatin1Char(';')))
        name = name.chopped(1).trimmed();
    if (name.size() > 2 && name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    for (const QChar c : name) {
        if (c.isSpace())
            return jetSql;
    }
    if (const std::optional<QString> sql = conn.storedQuery(name))
        return *sql;
    return jetSql;
}

} // namespace

QString FileEngine::path() const
{
    return m_conn->path();
}

bool FileEngine::isReadOnly() const
{
    return m_conn->isReadOnly();
}

void FileEngine::close()
{
    if (m_conn->inExplicitTransaction()) {
        try {
            m_conn->rollbackExplicit();
        } catch (const DbError& e) {
            // SQLite rolls back by itself when the connection closes.
            qCWarning(lcDb) << "rollback on close:" << e.description();
        }
    }
}

int FileEngine::execute(const QString& jetSql)
{
    Connection& conn = *m_conn;
    conn.runStatementHook(jetSql);
    conn.beginStatement();
    const jetsql::Translation translation = compileStatement(expandStoredQuery(conn, jetSql), conn);
    sqlite3* db = conn.handle();
    int affected = 0;
    try {
        WriteScope scope(conn);
        std::visit(
            Overloaded{
                [&](const jetsql::Statements& s) {
                    for (const QString& sql : s.sql)
                        affected += runScript(db, sql);
                },
                [&](const jetsql::CreateIndex& c) {
                    SchemaStore::createIndex(db, c.schema, c.table,
                                             IndexDef{c.index.name, c.index.fields, c.index.unique, c.index.primary});
                },
                [&](const jetsql::SelectInto& s) {
                    if (SchemaStore::actualTableName(db, s.schema, s.table))
                        throw DbError(errc::TableExists,
                                      QStringLiteral("Table '") + s.table + QStringLiteral("' already exists."));
                    TableDef def;
                    if (s.structureFrom) {
                        const QString from = s.structureFromSchema.value_or(Main);
                        if (!SchemaStore::actualTableName(db, from, *s.structureFrom))
                            throw DbError(errc::TableNotFound,
                                          QStringLiteral("Cannot find the input table '%1'.").arg(*s.structureFrom));
                        def = SchemaStore::readTableDef(db, s.structureFromSchema.value_or(Main), *s.structureFrom);
                        def.indexes.clear();
                    } else {
                        def.fields = fieldsOfSelect(db, selectPart(s.insertSql));
                    }
                    def.name = s.table;
                    SchemaStore::createTable(db, s.schema, def);
                    affected += runScript(db, s.insertSql);
                },
                [&](const jetsql::DropTable& t) { SchemaStore::dropTable(db, t.schema, t.table); },
            },
            translation);
        scope.commit();
    } catch (const DbError& e) {
        if (e.number() == errc::ReadOnlyFile && m_readOnlyMode)
            throw DbError(errc::NotUpdatable, e.description());
        throw;
    }
    return affected;
}

std::shared_ptr<RowSource> FileEngine::openRows(const QString& source, RecordsetType type)
{
    return RowSource::open(m_conn, source, type);
}

void FileEngine::beginTrans()
{
    m_conn->beginExplicit();
}

void FileEngine::commitTrans()
{
    m_conn->commitExplicit();
}

void FileEngine::rollback()
{
    m_conn->rollbackExplicit();
}

QStringList FileEngine::tableNames() const
{
    return SchemaStore::tableNames(m_conn->handle(), Main);
}

bool FileEngine::hasTable(const QString& name) const
{
    const std::optional<QString> actual = SchemaStore::actualTableName(m_conn->handle(), Main, name);
    return actual && !actual->startsWith(QLatin1String("msys_")) && !actual->startsWith(QLatin1String("sqlite_"));
}

TableDef FileEngine::tableDef(const QString& name) const
{
    return SchemaStore::readTableDef(m_conn->handle(), Main, name);
}

void FileEngine::indexRowsMarked(const QString& table, const QString& column, const QString& mark)
{
    Connection& conn = *m_conn;
    sqlite3* db = conn.handle();
    const std::optional<QString> actual = SchemaStore::actualTableName(db, Main, table);
    if (!actual || actual->startsWith(QLatin1String("msys_")))
        throw DbError(errc::ItemNotFound,
                      QStringLiteral("Item not found in this collection: table '") + table + QStringLiteral("'."));
    if (conn.isReadOnly())
        return;
    const QString name = QStringLiteral("msys_marked_") + actual->toLower();
    Statement present(db, QStringLiteral("SELECT 1 FROM main.sqlite_master WHERE type = 'index' AND name = ?1"));
    present.bindText(1, name);
    if (present.step()) {
        present.reset();
        return;
    }
    QString field;
    for (const QString& c : conn.columns(Main, *actual)) {
        if (c.compare(column, Qt::CaseInsensitive) == 0)
            field = c;
    }
    if (field.isEmpty())
        return;
    WriteScope scope(conn);
    runScript(db, QStringLiteral("CREATE INDEX IF NOT EXISTS ") + qualifiedName(Main, name) + QStringLiteral(" ON ") +
                      quoteIdentifier(*actual) + QStringLiteral(" (") + quoteIdentifier(field) +
                      QStringLiteral(" COLLATE BINARY) WHERE ") + quoteIdentifier(field) + QStringLiteral(" = ") +
                      quoteLiteral(mark));
    scope.commit();
}

void FileEngine::appendTableDef(const TableDef& def)
{
    Connection& conn = *m_conn;
    WriteScope scope(conn);
    SchemaStore::createTable(conn.handle(), Main, def);
    scope.commit();
}

void FileEngine::appendField(const QString& table, const FieldDef& field)
{
    Connection& conn = *m_conn;
    WriteScope scope(conn);
    SchemaStore::addField(conn.handle(), Main, table, field);
    scope.commit();
}

int FileEngine::schemaVersion() const
{
    Connection& conn = *m_conn;
    Statement read(conn.handle(), QStringLiteral("PRAGMA main.user_version"));
    return read.step() ? int(read.int64(0)) : 0;
}

void FileEngine::setSchemaVersion(int version)
{
    Connection& conn = *m_conn;
    WriteScope scope(conn);
    // A pragma takes no bound value; the number is written by the program, never typed.
    runScript(conn.handle(), QStringLiteral("PRAGMA main.user_version = ") + QString::number(version));
    scope.commit();
}

void FileEngine::setAllowZeroLength(const QString& table, const QString& field, bool allow)
{
    Connection& conn = *m_conn;
    WriteScope scope(conn);
    SchemaStore::setAllowZeroLength(conn.handle(), Main, table, field, allow);
    scope.commit();
}

QStringList FileEngine::queryNames() const
{
    Connection& conn = *m_conn;
    QStringList names;
    if (!SchemaStore::hasTable(conn.handle(), Main, QStringLiteral("msys_queries")))
        return names;
    Statement list(conn.handle(), QStringLiteral("SELECT name FROM main.msys_queries ORDER BY rowid"));
    while (list.step())
        names << list.text(0);
    return names;
}

void FileEngine::createQueryDef(const QString& name, const QString& jetSql)
{
    Connection& conn = *m_conn;
    WriteScope scope(conn);
    SchemaStore::initialise(conn.handle(), Main);
    Statement put(conn.handle(), QStringLiteral("INSERT INTO main.msys_queries (key, name, sql) VALUES (?1, ?2, ?3)"));
    put.bindText(1, name.toLower());
    put.bindText(2, name);
    put.bindText(3, jetSql);
    put.run();
    scope.commit();
}

void FileEngine::setQuerySql(const QString& name, const QString& jetSql)
{
    Connection& conn = *m_conn;
    WriteScope scope(conn);
    Statement put(conn.handle(), QStringLiteral("UPDATE main.msys_queries SET sql = ?2 WHERE key = ?1"));
    put.bindText(1, name.toLower());
    put.bindText(2, jetSql);
    put.run();
    scope.commit();
}

void FileEngine::setStatementHook(std::function<void(const QString& jetSql)> hook)
{
    m_conn->setStatementHook(std::move(hook));
}

void FileEngine::setBusyTimeout(int milliseconds)
{
    m_conn->setBusyTimeout(milliseconds);
}

std::optional<QString> FileEngine::storedQuery(const QString& name) const
{
    return m_conn->storedQuery(name);
}

} // namespace db
