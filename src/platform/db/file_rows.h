#pragma once

#include "row_store.h"
#include "select_source.h"

#include <QByteArray>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace db {

class Connection;
class Statement;

// The rows of a dynaset over one table of a data file, named by their rowids. Rows are read by
// rowid through one kept statement; finds run the translated criterion over the recordset's
// columns: SELECT * FROM (SELECT rowid, <select list> FROM <from>) WHERE <criterion>.
class FileRows : public RowStore
{
public:
    // The statement parts of the dynaset: its select list, FROM clause and the qualifier of the
    // table's rowid; the table itself by its schema and stored name.
    struct Shape
    {
        QString schema;
        QString table;
        QString list;
        QString from;
        QString qualifier;
    };
    FileRows(std::shared_ptr<Connection> conn, Shape shape);
    ~FileRows() override;

    // The recordset's columns as the kept row statement gives them, described from the table's
    // definition.
    QVector<SourceColumn> describeColumns(const TableDef& def);

    bool fetch(qint64 key, QVector<QVariant>& values) override;
    void find(const QString& jetCriterion, const std::function<void(qint64, const ReadFound&)>& found) override;
    qint64 insertRow(const QVector<QVariant>& values, const QVector<bool>& dirty) override;
    StoredRow updateRow(qint64 key, const QVector<QVariant>& values, const QVector<bool>& dirty,
                        const QVector<QVariant>& expected, const ReadRow* read) override;
    void deleteRow(qint64 key) override;
    Stamp stamp() override;
    bool inTransaction() const override;
    quint64 transactionSerial() const override;
    void watchTransaction(const std::weak_ptr<TransactionWatcher>& watcher) override;
    std::shared_ptr<RowSource> reopen(const QString& source, RecordsetType type) override;
    const void* owner() const override { return m_conn.get(); }
    bool markExactly(const QString& base, const QString& mark, const std::vector<qint64>& keys,
                     const Stamp& since) override;

private:
    // The kind of a write ('i'nsert, 'u'pdate, 'd'elete) and the columns it writes; in a buffer
    // each save reuses.
    const QByteArray& shapeOf(char kind, const QVector<bool>& dirty);
    struct Write;
    // The kept write of shape, its SQL made by sqlOf the first time; its statement prepared when
    // first run (a failed prepare is tried again by the next save).
    Write& writeOf(const QByteArray& shape, const std::function<QString()>& sqlOf);
    Statement& prepared(Write& write);
    void learnStorage(); // at the first update: a dynaset only read never asks
    std::optional<QVariant> readBackOf(int column, const QVariant& written) const;

    std::shared_ptr<Connection> m_conn;
    Shape m_shape;
    QVector<SourceColumn> m_columns;
    std::unique_ptr<Statement> m_fetch;

    // The writes, prepared once per shape (insert, update or check, and the columns written): a
    // save neither builds its SQL nor compiles it, with the table's check triggers, again. SQLite
    // prepares a kept statement again by itself when the schema changed (sqlite3_prepare_v2);
    // every one is reset after its run, so none holds a lock.
    struct Write
    {
        QString sql;
        std::unique_ptr<Statement> statement;
    };
    std::map<QByteArray, Write> m_writes;
    QByteArray m_writeShape;

    // How a value written to each column reads back, where that is known without reading it:
    // a text in a text column, a whole number in an integer column. Empty when a row is more than
    // its table's columns, each once (a computed column, one column twice), or when the table has
    // a trigger other than the layer's checks or a generated column, which may change a row as it
    // is written. Learnt at the first update, as the table then is.
    enum class Storage
    {
        Unknown,
        Text,
        Integer
    };
    std::vector<Storage> m_storage;
    bool m_storageLearnt = false;
};

} // namespace db
