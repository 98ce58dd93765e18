#include "database.h"

#include "connection.h"
#include "database_engine.h"
#include "db_error.h"
#include "file_engine.h"
#include "recordset_impl.h"
#include "row_reader.h"
#include "row_source.h"
#include "statement.h"

#include <algorithm>
#include <stdexcept>

namespace db {

struct Database::Impl
{
    std::shared_ptr<DatabaseEngine> engine;
    int affected = 0;
};

namespace {

DatabaseEngine& engineOf(const std::shared_ptr<Database::Impl>& d)
{
    if (!d || !d->engine)
        throw DbError(errc::ItemNotFound, QStringLiteral("The database is not open."));
    return *d->engine;
}

} // namespace

Database::Database() = default;

Database::Database(std::shared_ptr<Impl> impl) : d(std::move(impl)) {}

Database Database::over(std::shared_ptr<DatabaseEngine> engine)
{
    auto impl = std::make_shared<Impl>();
    impl->engine = std::move(engine);
    return Database(impl);
}

Database Database::open(const QString& path, const QString& connect, OpenMode mode)
{
    return over(std::make_shared<FileEngine>(
        Connection::open(path, passwordFromConnect(connect), mode == OpenMode::ReadOnly), mode == OpenMode::ReadOnly));
}

Database Database::create(const QString& path, const QString& password)
{
    return over(std::make_shared<FileEngine>(Connection::create(path, password), false));
}

bool Database::isOpen() const
{
    return d && d->engine;
}

void Database::close()
{
    if (!d || !d->engine)
        return;
    d->engine->close();
    d->engine.reset();
}

QString Database::path() const
{
    return engineOf(d).path();
}

bool Database::isReadOnly() const
{
    return engineOf(d).isReadOnly();
}

void Database::execute(const QString& jetSql)
{
    d->affected = engineOf(d).execute(jetSql);
}

bool Database::isFile() const
{
    return engineOf(d).file() != nullptr;
}

int Database::recordsAffected() const
{
    engineOf(d);
    return d->affected;
}

Recordset Database::openRecordset(const QString& source, RecordsetType type)
{
    auto impl = std::make_shared<Recordset::Impl>();
    impl->rows = engineOf(d).openRows(source, type);
    impl->start();
    return Recordset(impl);
}

// Defined here, where a Database's engine is known.
RowReader::RowReader(const Database& database, const QString& source)
{
    DatabaseEngine& engine = engineOf(database.d);
    if (const std::shared_ptr<Connection> file = engine.file())
        prepare(file, source);
    else {
        m_copy = engine.openRows(source, RecordsetType::Snapshot);
        m_columns = m_copy->columns();
    }
}

bool Recordset::belongsTo(const Database& database) const
{
    if (!d || !d->rows)
        throw DbError(errc::ObjectClosed, QStringLiteral("Object invalid or no longer set (the recordset is closed)."));
    return database.d && database.d->engine && d->rows->store().owner() == database.d->engine->owner();
}

void Database::beginTrans()
{
    engineOf(d).beginTrans();
}

void Database::commitTrans()
{
    engineOf(d).commitTrans();
}

void Database::rollback()
{
    engineOf(d).rollback();
}

void Database::refreshTableDefs()
{
    engineOf(d); // definitions are always read from the data; nothing is cached
}

QStringList Database::tableNames() const
{
    return engineOf(d).tableNames();
}

bool Database::hasTable(const QString& name) const
{
    return engineOf(d).hasTable(name);
}

TableDef Database::tableDef(const QString& name) const
{
    return engineOf(d).tableDef(name);
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
    engineOf(d).indexRowsMarked(table, column, mark);
}

void Database::appendTableDef(const TableDef& def)
{
    engineOf(d).appendTableDef(def);
}

void Database::appendField(const QString& table, const FieldDef& field)
{
    engineOf(d).appendField(table, field);
}

int Database::schemaVersion() const
{
    return engineOf(d).schemaVersion();
}

void Database::setSchemaVersion(int version)
{
    engineOf(d).setSchemaVersion(version);
}

void Database::setAllowZeroLength(const QString& table, const QString& field, bool allow)
{
    engineOf(d).setAllowZeroLength(table, field, allow);
}

void Database::refreshQueryDefs()
{
    engineOf(d); // read from the data every time
}

QStringList Database::queryNames() const
{
    return engineOf(d).queryNames();
}

QString Database::querySql(const QString& name) const
{
    const std::optional<QString> sql = engineOf(d).storedQuery(name);
    if (!sql)
        throw DbError(errc::ItemNotFound, QStringLiteral("Item not found in this collection: query '%1'.").arg(name));
    return *sql;
}

void Database::createQueryDef(const QString& name, const QString& jetSql)
{
    DatabaseEngine& engine = engineOf(d);
    if (name.trimmed().isEmpty())
        throw DbError(errc::InvalidFieldDefinition, QStringLiteral("A query needs a name."));
    if (engine.storedQuery(name) || engine.hasTable(name))
        throw DbError(errc::TableExists, QStringLiteral("Object '%1' already exists.").arg(name));
    engine.createQueryDef(name, jetSql);
}

void Database::setQuerySql(const QString& name, const QString& jetSql)
{
    DatabaseEngine& engine = engineOf(d);
    if (!engine.storedQuery(name))
        throw DbError(errc::ItemNotFound, QStringLiteral("Item not found in this collection: query '%1'.").arg(name));
    engine.setQuerySql(name, jetSql);
}

void Database::setStatementHook(std::function<void(const QString& jetSql)> hook)
{
    engineOf(d).setStatementHook(std::move(hook));
}

void Database::setBusyTimeout(int milliseconds)
{
    engineOf(d).setBusyTimeout(milliseconds);
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
