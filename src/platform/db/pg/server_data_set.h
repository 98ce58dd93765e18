#pragma once

#include "kept_keys.h"
#include "platform/db/field_def.h"
#include "server_catalog.h"

#include <QList>
#include <QStringList>
#include <QVariant>

namespace db::pg {

class ServerConnection;

// A data set on the server worked on as the database layer works on a data file: Jet statements
// executed all or nothing (SELECT ... INTO, CREATE INDEX and DROP TABLE with the definitions kept
// in msys_*), the rows of a Jet SELECT, the rows of it a criterion finds, table definitions and
// stored queries. The data set is "main" of its statements: before each, the connection's
// search_path names it first, then the schema of the program's functions (program_functions.h).
class ServerDataSet
{
public:
    ServerDataSet(ServerConnection& server, const QString& schema);

    const QString& schema() const { return m_schema; }

    // Raises DbError: SyntaxError for text the compiler cannot read, TableExists for SELECT ...
    // INTO an existing table, TableNotFound for an index on or a drop of an unknown table, and
    // what the server raises. Inside the caller's transaction a failing statement undoes only
    // itself.
    void execute(const QString& jetSql);
    int recordsAffected() const { return m_affected; }

    struct Rows
    {
        QStringList columns;
        QList<QVariantList> values;
    };
    // The rows of a table or stored query name, or of a Jet SELECT.
    Rows select(const QString& source);
    // The positions (from 0) among select(source)'s rows of those a Jet criterion finds, in order.
    QList<int> find(const QString& source, const QString& criterion);

    bool hasTable(const QString& name);
    TableDef tableDef(const QString& name);
    // Raises DbError(TableExists) when the name is taken, in any letter case.
    void appendTableDef(const TableDef& def);

    QStringList queryNames();
    void createQueryDef(const QString& name, const QString& jetSql);
    void setQuerySql(const QString& name, const QString& jetSql);

    // The server's SELECT for a table or stored query name or a Jet SELECT; raises SyntaxError
    // for a source that is not one SELECT.
    QString selectStatement(const QString& source);
    // The server's text of a Jet criterion.
    QString criterion(const QString& jetCriterion);
    // Makes the data set "main" of the connection's next statements.
    void use();

    // Field definitions of a server SELECT's result: the definition of the table column a result
    // column comes straight from, else what its type says; counters become plain Long fields.
    QList<FieldDef> fieldsOfSelect(const QString& sql);

    // Keys of its whole tables as last read (kept_keys.h).
    KeptKeys& keptKeys() { return m_keptKeys; }

private:
    ServerConnection& m_server;
    QString m_schema;
    ServerCatalog m_catalog;
    int m_affected = 0;
    KeptKeys m_keptKeys;
};

} // namespace db::pg
