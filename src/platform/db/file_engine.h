#pragma once

#include "database_engine.h"

namespace db {

// A Database on a data file: an SQLite file with our password verifier, its table definitions
// and stored queries in its msys_* tables, Jet SQL translated for SQLite.
class FileEngine : public DatabaseEngine
{
public:
    FileEngine(std::shared_ptr<Connection> conn, bool readOnlyMode)
        : m_conn(std::move(conn)), m_readOnlyMode(readOnlyMode)
    {}

    QString path() const override;
    bool isReadOnly() const override;
    void close() override;
    int execute(const QString& jetSql) override;
    std::shared_ptr<RowSource> openRows(const QString& source, RecordsetType type) override;
    void beginTrans() override;
    void commitTrans() override;
    void rollback() override;
    QStringList tableNames() const override;
    bool hasTable(const QString& name) const override;
    TableDef tableDef(const QString& name) const override;
    void appendTableDef(const TableDef& def) override;
    void appendField(const QString& table, const FieldDef& field) override;
    int schemaVersion() const override;
    void setSchemaVersion(int version) override;
    void setAllowZeroLength(const QString& table, const QString& field, bool allow) override;
    void indexRowsMarked(const QString& table, const QString& column, const QString& mark) override;
    QStringList queryNames() const override;
    std::optional<QString> storedQuery(const QString& name) const override;
    void createQueryDef(const QString& name, const QString& jetSql) override;
    void setQuerySql(const QString& name, const QString& jetSql) override;
    void setStatementHook(std::function<void(const QString& jetSql)> hook) override;
    void setBusyTimeout(int milliseconds) override;
    std::shared_ptr<Connection> file() const override { return m_conn; }
    const void* owner() const override { return m_conn.get(); }

private:
    std::shared_ptr<Connection> m_conn;
    bool m_readOnlyMode; // opened OpenMode::ReadOnly: a write is NotUpdatable
};

} // namespace db
