#pragma once

#include "recordset_types.h"

#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace db {

class Connection;
class RowSource;
class TransactionWatcher;

// Where the rows of a recordset are kept and written: a table of a data file (FileRows), the
// private copy a snapshot reads (SnapshotRows), a table on a server (pg::ServerRowStore). Rows
// are named by a key of their table that never changes while the row lives: a rowid on a file,
// the counter on a server, the copy's own rowid in a snapshot. RowSource keeps what does not
// depend on the engine (keyset, dead rows, the undo of a rolled-back transaction, prints, the
// find cache) and asks its store for the rest.
class RowStore
{
public:
    // What a value read earlier depends on: the rows' own changes through this connection, the
    // data's version (moved by other clients' commits) and this connection's rollbacks. A row
    // read under one stamp is read again when the stamp differs. A copy's stamp never moves.
    struct Stamp
    {
        qint64 changes = 0;
        qint64 dataVersion = 0;
        quint64 rollbacks = 0;
        bool operator==(const Stamp&) const = default;
    };

    virtual ~RowStore() = default;

    // Reads the row named key; false when it no longer exists.
    virtual bool fetch(qint64 key, QVector<QVariant>& values) = 0;

    // A store each read of which is a round trip (a server) reads rows in batches: fetchMany
    // calls found(key, values) for each of keys whose row exists, in any order.
    virtual bool readsInBatches() const { return false; }
    using FoundRow = std::function<void(qint64, QVector<QVariant>&)>;
    virtual void fetchMany(const std::vector<qint64>& keys, const FoundRow& found)
    {
        QVector<QVariant> values;
        for (const qint64 key : keys) {
            if (fetch(key, values))
                found(key, values);
        }
    }

    // The keys an open left unread (RowSource::Opened::unreadCount): those after `after` and
    // before `before` in the keyset's order, as the data is now.
    virtual std::vector<qint64> keysBetween(qint64 after, qint64 before)
    {
        Q_UNUSED(after);
        Q_UNUSED(before);
        return {};
    }

    // Runs a Jet criterion over the recordset's rows; for each row found calls found(key, read)
    // in any order, where read, when given, fills that row's values from the find's own result
    // (no further read of the data). Raises SyntaxError/ItemNotFound for a malformed criterion.
    using ReadFound = std::function<void(QVector<QVariant>&)>;
    virtual void find(const QString& jetCriterion, const std::function<void(qint64, const ReadFound&)>& found) = 0;

    // Writes values[i] where dirty[i] into the table's columns; each write completes or changes
    // nothing, and joins the transaction open on the connection. insertRow returns the new row's
    // key. updateRow and deleteRow raise RecordIsDeleted when the row is gone (also an update
    // that changes nothing). updateRow writes only while each dirty column still holds
    // expected[i] (checked under the write's lock: refuseChangedMeanwhile); none given, no check.
    // read, when given, is the row as the caller read it and the stamp it was read under: a store
    // that can tell under the write's lock that nothing changed since compares with it instead of
    // reading the row again, and returns the row as now stored when it knows it without reading
    // it (each written value reads back as written); nullopt: read the row again.
    struct ReadRow
    {
        const QVector<QVariant>& values;
        Stamp stamp;
    };
    virtual qint64 insertRow(const QVector<QVariant>& values, const QVector<bool>& dirty) = 0;
    using StoredRow = std::optional<QVector<QVariant>>;
    virtual StoredRow updateRow(qint64 key, const QVector<QVariant>& values, const QVector<bool>& dirty,
                                const QVector<QVariant>& expected, const ReadRow* read) = 0;
    virtual void deleteRow(qint64 key) = 0;

    virtual Stamp stamp() = 0;

    // The transaction the writes join: keys added or killed inside one are undone by RowSource
    // when it rolls back.
    virtual bool inTransaction() const = 0;
    virtual quint64 transactionSerial() const = 0;
    virtual void watchTransaction(const std::weak_ptr<TransactionWatcher>& watcher) = 0;

    // The same source opened again (requery), on the same database.
    virtual std::shared_ptr<RowSource> reopen(const QString& source, RecordsetType type) = 0;
    // The database the rows come from (Recordset::belongsTo compares it).
    virtual const void* owner() const = 0;
    // Leaves `mark` in the column named base exactly on the rows of keys and '' on every other row
    // of the table holding it, writing only the values that change, all in one write. Writes
    // nothing and returns false unless the data is still as it was under `since` (checked under
    // the write's lock); a copy answers false.
    virtual bool markExactly(const QString& base, const QString& mark, const std::vector<qint64>& keys,
                             const Stamp& since)
    {
        Q_UNUSED(base)
        Q_UNUSED(mark)
        Q_UNUSED(keys)
        Q_UNUSED(since)
        return false;
    }
};

} // namespace db
