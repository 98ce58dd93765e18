#pragma once

#include "row_source.h"
#include "row_store.h"

#include <functional>
#include <memory>

namespace db {

class Connection;
class Statement;

// The rows of a snapshot (or of a dynaset the layer cannot map to one table), copied at open into
// a private in-memory SQLite database and read from there. Text columns keep the Vietnamese
// NOCASE, so finds over a copy behave as on a data file whatever engine the rows came from. A
// copy is never written and never changes.
class SnapshotRows : public RowStore
{
public:
    using Reopen = std::function<std::shared_ptr<RowSource>(const QString& source, RecordsetType type)>;
    // Puts each row of the result into `into` (bound 1..n in the columns' order) and runs it.
    using Fill = std::function<void(Statement& into)>;

    // Copies the rows fill puts into a new copy with the given columns (counters and the
    // updatable flag dropped, equal names made distinct in the copy's own table) and returns the
    // recordset's rows over it. The copy is filled in one transaction; a failing fill leaves
    // nothing behind and is raised again.
    static std::shared_ptr<RowSource> copy(QVector<SourceColumn> columns, const Fill& fill, const QString& source,
                                           RecordsetType type, Reopen reopen, const void* owner);

    bool fetch(qint64 key, QVector<QVariant>& values) override;
    void find(const QString& jetCriterion, const std::function<void(qint64, const ReadFound&)>& found) override;
    qint64 insertRow(const QVector<QVariant>&, const QVector<bool>&) override;
    StoredRow updateRow(qint64, const QVector<QVariant>&, const QVector<bool>&, const QVector<QVariant>&,
                        const ReadRow*) override;
    void deleteRow(qint64) override;
    Stamp stamp() override { return Stamp(); }
    bool inTransaction() const override { return false; }
    quint64 transactionSerial() const override { return 0; }
    void watchTransaction(const std::weak_ptr<TransactionWatcher>&) override {}
    std::shared_ptr<RowSource> reopen(const QString& source, RecordsetType type) override;
    const void* owner() const override { return m_owner; }

    ~SnapshotRows() override;

private:
    SnapshotRows() = default;

    std::shared_ptr<Connection> m_copy;
    std::unique_ptr<Statement> m_fetch;
    QVector<SourceColumn> m_columns;
    Reopen m_reopen;
    const void* m_owner = nullptr;
};

// Reads the columns of a statement's current row into values, each as its column's type says.
void readColumns(const QVector<SourceColumn>& columns, const Statement& from, int first, QVector<QVariant>& values);
// Runs a kept statement reading one row by its rowid (?1) into values; false when there is none.
bool readRow(Statement& fetch, const QVector<SourceColumn>& columns, qint64 rowid, QVector<QVariant>& values);

} // namespace db
