#pragma once

#include "field_def.h"
#include "recordset_types.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace db {

class Connection;
class RowSource;

// What holds a Database's data: a data file (FileEngine) or a data set on a server
// (pg::ServerEngine). Database is the handle the program uses; each call it takes is one call
// here, with the contract database.h states.
class DatabaseEngine
{
public:
    virtual ~DatabaseEngine() = default;

    virtual QString path() const = 0;
    virtual bool isReadOnly() const = 0;
    // Rolls back an open beginTrans(); the rows of recordsets keep what they need to go on.
    virtual void close() = 0;

    // Returns the rows changed.
    virtual int execute(const QString& jetSql) = 0;
    virtual std::shared_ptr<RowSource> openRows(const QString& source, RecordsetType type) = 0;

    virtual void beginTrans() = 0;
    virtual void commitTrans() = 0;
    virtual void rollback() = 0;

    virtual QStringList tableNames() const = 0;
    virtual bool hasTable(const QString& name) const = 0;
    virtual TableDef tableDef(const QString& name) const = 0;
    virtual void appendTableDef(const TableDef& def) = 0;
    virtual void appendField(const QString& table, const FieldDef& field) = 0;
    virtual int schemaVersion() const = 0;
    virtual void setSchemaVersion(int version) = 0;
    virtual void setAllowZeroLength(const QString& table, const QString& field, bool allow) = 0;
    // mark has been checked by Database.
    virtual void indexRowsMarked(const QString& table, const QString& column, const QString& mark) = 0;

    virtual QStringList queryNames() const = 0;
    virtual std::optional<QString> storedQuery(const QString& name) const = 0;
    virtual void createQueryDef(const QString& name, const QString& jetSql) = 0;
    virtual void setQuerySql(const QString& name, const QString& jetSql) = 0;

    virtual void setStatementHook(std::function<void(const QString& jetSql)> hook) = 0;
    virtual void setBusyTimeout(int milliseconds) = 0;

    // The data file's connection, for readers that step one statement over the file (RowReader);
    // null on a server.
    virtual std::shared_ptr<Connection> file() const { return nullptr; }
    // What the rows opened here name as their owner (RowStore::owner).
    virtual const void* owner() const = 0;
};

} // namespace db
