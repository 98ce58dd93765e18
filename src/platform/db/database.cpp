#include "database.h"

#include "connection.h"
#include "db_error.h"
#include "db_log.h"
#include "recordset_impl.h"
#include "row_reader.h"
#include "row_source.h"
#include "schema_store.h"
#include "select_shape.h"
#include "sql_quote.h"
#include "statement.h"
#include "translation.h"

#include <QSet>
#include <algorithm>
#include <sqlite3.h>
#include <stdexcept>

namespace db {

struct Database::Impl
{
    std::shared_ptr<Connection> conn;
    OpenMode mode = OpenMode::SharedWrite;
    int affected = 0;
};

namespace {

template <class... Ts> struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

Connection& connectionOf(const std::shared_ptr<Database::Impl>& d)
{
    if (!d || !d->conn)
        throw DbError(errc::ItemNotFound, QStringLiteral("The database is not open."));
    return *d->conn;
}

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

Database::Database() = default;

Database::Database(std::shared_ptr<Impl> impl) : d(std::move(impl)) {}

Database Database::open(const QString& path, const QString& connect, OpenMode mode)
{
    auto impl = std::make_shared<Impl>();
    impl->conn = Connection::open(path, passwordFromConnect(connect), mode == OpenMode::ReadOnly);
    impl->mode = mode;
    return Database(impl);
}

Database Database::create(const QString& path, const QString& password)
{
    auto impl = std::make_shared<Impl>();
    impl->conn = Connection::create(path, password);
    return Database(impl);
}

bool Database::isOpen() const
{
    return d && d->conn;
}

void Database::close()
{
    if (!d || !d->conn)
        return;
    if (d->conn->inExplicitTransaction()) {
        try {
            d->conn->rollbackExplicit();
        } catch (const DbError& e) {
            // SQLite rolls back by itself when the connection closes.
            qCWarning(lcDb) << "rollback on close:" << e.description();
        }
    }
    d->conn.reset();
}

QString Database::path() const
{
    return connectionOf(d).path();
}

bool Database::isReadOnly() const
{
    return connectionOf(d).isReadOnly();
}

void Database::execute(const QString& jetSql)
{
    Connection& conn = connectionOf(d);
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
        if (e.number() == errc::ReadOnlyFile && d->mode == OpenMode::ReadOnly)
            throw DbError(errc::NotUpdatable, e.description());
        throw;
    }
    d->affected = affected;
}

int Database::recordsAffected() const
{
    connectionOf(d);
    return d->affected;
}

Recordset Database::openRecordset(const QString& source, RecordsetType type)
{
    Connection& conn = connectionOf(d);
    auto impl = std::make_shared<Recordset::Impl>();
    impl->rows = RowSource::open(d->conn, source, type);
    (void)conn;
    impl->start();
    return Recordset(impl);
}

// Defined here, where a Database's connection is known.
RowReader::RowReader(const Database& database, const QString& source)
{
    connectionOf(database.d);
    prepare(database.d->conn, source);
}

bool Recordset::belongsTo(const Database& database) const
{
    if (!d || !d->rows)
        throw DbError(errc::ObjectClosed, QStringLiteral("Object invalid or no longer set (the recordset is closed)."));
    return database.d && database.d->conn && d->rows->connection() == database.d->conn;
}

void Database::beginTrans()
{
    connectionOf(d).beginExplicit();
}

void Database::commitTrans()
{
    connectionOf(d).commitExplicit();
}

void Database::rollback()
{
    connectionOf(d).rollbackExplicit();
}

void Database::refreshTableDefs()
{
    connectionOf(d); // definitions are always read from the file; nothing is cached
}

QStringList Database::tableNames() const
{
    return SchemaStore::tableNames(connectionOf(d).handle(), Main);
}

bool Database::hasTable(const QString& name) const
{
    const std::optional<QString> actual = SchemaStore::actualTableName(connectionOf(d).handle(), Main, name);
    return actual && !actual->startsWith(QLatin1String("msys_")) && !actual->startsWith(QLatin1String("sqlite_"));
}

TableDef Database::tableDef(const QString& name) const
{
    return SchemaStore::readTableDef(connectionOf(d).handle(), Main, name);
}

void Database::indexRowsMarked(const QString& table, const QString& column, const QString& mark)
{
    // Under SQLite's ASCII NOCASE and under our fold the same texts equal such a mark (only its
    // letters in either case), so every program keeps the partial index alike.
    const bool plain = !mark.isEmpty() && std::all_of(mark.begin(), mark.end(), [](QChar c) {
        return c.unicode() < 128 && c.isLetterOrNumber() && c.toUpper() != u'I' && c.toUpper() != u'K';
    });
    if (!plain)
        throw std::invalid_argument("indexRowsMarked: the mark must be ASCII letters or digits other than I and K");
    Connection& conn = connectionOf(d);
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

void Database::appendTableDef(const TableDef& def)
{
    Connection& conn = connectionOf(d);
    WriteScope scope(conn);
    SchemaStore::createTable(conn.handle(), Main, def);
    scope.commit();
}

void Database::appendField(const QString& table, const FieldDef& field)
{
    Connection& conn = connectionOf(d);
    WriteScope scope(conn);
    SchemaStore::addField(conn.handle(), Main, table, field);
    scope.commit();
}

int Database::schemaVersion() const
{
    Connection& conn = connectionOf(d);
    Statement read(conn.handle(), QStringLiteral("PRAGMA main.user_version"));
    return read.step() ? int(read.int64(0)) : 0;
}

void Database::setSchemaVersion(int version)
{
    Connection& conn = connectionOf(d);
    WriteScope scope(conn);
    // A pragma takes no bound value; the number is written by the program, never typed.
    runScript(conn.handle(), QStringLiteral("PRAGMA main.user_version = ") + QString::number(version));
    scope.commit();
}

void Database::setAllowZeroLength(const QString& table, const QString& field, bool allow)
{
    Connection& conn = connectionOf(d);
    WriteScope scope(conn);
    SchemaStore::setAllowZeroLength(conn.handle(), Main, table, field, allow);
    scope.commit();
}

void Database::refreshQueryDefs()
{
    connectionOf(d); // read from the file every time
}

QStringList Database::queryNames() const
{
    Connection& conn = connectionOf(d);
    QStringList names;
    if (!SchemaStore::hasTable(conn.handle(), Main, QStringLiteral("msys_queries")))
        return names;
    Statement list(conn.handle(), QStringLiteral("SELECT name FROM main.msys_queries ORDER BY rowid"));
    while (list.step())
        names << list.text(0);
    return names;
}

QString Database::querySql(const QString& name) const
{
    const std::optional<QString> sql = connectionOf(d).storedQuery(name);
    if (!sql)
        throw DbError(errc::ItemNotFound, QStringLiteral("Item not found in this collection: query '%1'.").arg(name));
    return *sql;
}

void Database::createQueryDef(const QString& name, const QString& jetSql)
{
    Connection& conn = connectionOf(d);
    if (name.trimmed().isEmpty())
        throw DbError(errc::InvalidFieldDefinition, QStringLiteral("A query needs a name."));
    if (conn.storedQuery(name) || hasTable(name))
        throw DbError(errc::TableExists, QStringLiteral("Object '%1' already exists.").arg(name));
    WriteScope scope(conn);
    SchemaStore::initialise(conn.handle(), Main);
    Statement put(conn.handle(), QStringLiteral("INSERT INTO main.msys_queries (key, name, sql) VALUES (?1, ?2, ?3)"));
    put.bindText(1, name.toLower());
    put.bindText(2, name);
    put.bindText(3, jetSql);
    put.run();
    scope.commit();
}

void Database::setQuerySql(const QString& name, const QString& jetSql)
{
    Connection& conn = connectionOf(d);
    if (!conn.storedQuery(name))
        throw DbError(errc::ItemNotFound, QStringLiteral("Item not found in this collection: query '%1'.").arg(name));
    WriteScope scope(conn);
    Statement put(conn.handle(), QStringLiteral("UPDATE main.msys_queries SET sql = ?2 WHERE key = ?1"));
    put.bindText(1, name.toLower());
    put.bindText(2, jetSql);
    put.run();
    scope.commit();
}

void Database::setStatementHook(std::function<void(const QString& jetSql)> hook)
{
    connectionOf(d).setStatementHook(std::move(hook));
}

void Database::setBusyTimeout(int milliseconds)
{
    connectionOf(d).setBusyTimeout(milliseconds);
}

QString passwordFromConnect(const QString& connect)
{
    const QStringList items = connect.split(QLatin1Char(';'));
    for (const QString& item : items) {
        const int eq = int(item.indexOf(QLatin1Char('=')));
        if (eq < 0)
            continue;
        if (item.left(eq).trimmed().compare(QLatin1String("pwd"), Qt::CaseInsensitive) == 0)
            return item.mid(eq + 1);
    }
    return QString();
}

} // namespace db
