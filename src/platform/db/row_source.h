#pragma once

#include "connection.h"
#include "field_def.h"
#include "recordset_types.h"
#include "row_store.h"
#include "select_source.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <vector>

namespace db {

// The rows behind a recordset, shared by a cursor and its clones.
//
// Dynaset over one table: the keyset is the list of that table's keys (rowids on a file, the
// counter on a server) in the order the SELECT gives them, read once at open (only keys, so
// opening is quick on large tables); a store may leave the middle of a large keyset unread, to be
// read the first time the cursor or a find reaches it (a form opened on its last row reads only
// the keys around it); a row's values are read by its key whenever the cursor
// reaches it, so a dynaset sees later changes of its rows (also changes that no longer match its
// WHERE). Rows added through the recordset join the keyset at its end. A row deleted through the
// recordset is marked dead; a row deleted elsewhere is marked dead when the cursor finds it gone.
// Keys appended or marked dead while a transaction is open are undone when that transaction
// rolls back.
//
// Snapshot, or a dynaset the layer cannot map to one table (joins, GROUP BY, DISTINCT, UNION,
// aggregates): the result is copied at open into a private in-memory SQLite database (columns
// keep the Vietnamese NOCASE, so finds behave as on the file) and read from there. Such a
// recordset is never updatable and never changes.
//
// The engine's part (reading, finding, writing rows, the stamp) is the RowStore's. The rows a
// find finds, and the values of the first of them, are kept while the data is unchanged (same
// Stamp), so a loop of findNext runs the query once and reads no row again.
class RowSource : public TransactionWatcher, public std::enable_shared_from_this<RowSource>
{
public:
    using Stamp = RowStore::Stamp;
    using Column = SourceColumn;

    // What a store found when it opened a source.
    struct Opened
    {
        RecordsetType type = RecordsetType::Dynaset;
        QVector<Column> columns;
        std::vector<qint64> keys;
        // Keys not read yet, counted at open: they lie between keys[unreadAt - 1] and
        // keys[unreadAt], and RowStore::keysBetween reads them.
        int unreadAt = 0;
        int unreadCount = 0;
        Stamp keysStamp; // taken before the keys were read
        bool updatable = false;
        QString baseSchema; // the table of a dynaset over one table ("main": the database's own)
        QString baseTable;
        // The table's definition, for bookmark checks on a table without a counter; null for a
        // copy.
        const TableDef* table = nullptr;
    };
    static std::shared_ptr<RowSource> create(std::unique_ptr<RowStore> store, Opened opened, const QString& source);

    // Opens `source` on a data file: a table name, a stored query name or a Jet SELECT. Runs the
    // statement hook, translates, and builds the rows for type. Raises TableNotFound for an
    // unknown name. (FileRows)
    static std::shared_ptr<RowSource> open(const std::shared_ptr<Connection>& conn, const QString& source,
                                           RecordsetType type);
    ~RowSource() override;

    RecordsetType type() const { return m_type; }
    bool updatable() const { return m_updatable; }
    quint32 identity() const { return m_identity; }
    RowStore& store() const { return *m_store; }
    const QString& source() const { return m_source; }
    std::shared_ptr<RowSource> reopen() const { return m_store->reopen(m_source, m_type); }

    const QVector<Column>& columns() const { return m_columns; }
    int columnIndex(const QString& name) const; // any letter case; -1 when absent

    int size() const { return int(m_keys.size()); }
    int liveCount() const { return size() - m_deadCount; }
    qint64 key(int index)
    {
        readUnread(index);
        return m_keys[size_t(index)];
    }
    bool isDead(int index)
    {
        readUnread(index);
        return m_dead[size_t(index)] != 0;
    }
    // Reads the keys the open left unread, if any. A server's session calls it before a
    // transaction begins: read inside one, the keys would leave out rows its rollback brings back.
    void readUnreadKeys() { readUnread(-1); }
    void markDead(int index);
    int deadBefore(int index) const;
    int positionOf(qint64 key); // -1 when not in the keyset

    // Reads the row; false when it no longer exists.
    bool fetch(qint64 key, QVector<QVariant>& values) { return m_store->fetch(key, values); }
    // Reads the row at index of the keyset, as the data is under the stamp `now`; false when it
    // no longer exists. From a store that reads in batches, the rows around it come in the same
    // read and are kept while the stamp holds: a grid's page, or the next PgDn, reads no more.
    bool fetchAt(int index, const Stamp& now, QVector<QVariant>& values);
    // The keyset's rows that satisfy a Jet criterion, by keyset index: NoHit for the others
    // (kept with the criterion while the stamp `now` holds; the rows added to the keyset since
    // lie beyond its end). Raises SyntaxError/ItemNotFound for a malformed criterion.
    static constexpr int NoHit = -2;
    const std::vector<int>& matching(const QString& jetCriterion, const Stamp& now);
    // The values the last find read of the row at index when `now` is still its stamp; null when
    // it kept none.
    const QVector<QVariant>* found(int index, const Stamp& now) const;

    // Bookmark checks for a table whose keys may be given again (no counter): the print of a
    // row's identifying values (its primary or unique key, else all its columns); 0 when keys
    // are never reused (a counter) or for a snapshot.
    quint64 printOf(const QVector<QVariant>& values) const;
    bool reusesRowids() const { return m_reusedRowids; }
    // True when a row now holding values is the row a bookmark printed `print` was taken on:
    // the same print, or a print the row had before this recordset (or a clone) changed it.
    bool samePrint(qint64 key, quint64 print, const QVector<QVariant>& values) const;
    // Records that the row changed through this recordset from `before` to `after`.
    void rewritten(qint64 key, const QVector<QVariant>& before, const QVector<QVariant>& after);

    // Writes (dynaset on one table). Each runs in its own write scope.
    qint64 insertRow(const QVector<QVariant>& values, const QVector<bool>& dirty)
    {
        return m_store->insertRow(values, dirty);
    }
    RowStore::StoredRow updateRow(qint64 key, const QVector<QVariant>& values, const QVector<bool>& dirty,
                                  const QVector<QVariant>& expected, const RowStore::ReadRow* read = nullptr)
    {
        return m_store->updateRow(key, values, dirty, expected, read);
    }
    void deleteRow(qint64 key) { m_store->deleteRow(key); }
    void append(qint64 key);

    Stamp stamp() const { return m_store->stamp(); }
    // The stamp taken before the keyset was read: while stamp() still equals it, the keyset is
    // what the statement gives.
    const Stamp& keysStamp() const { return m_keysStamp; }
    const QString& baseSchema() const { return m_baseSchema; }
    const QString& baseTable() const { return m_baseTable; }

    void transactionEnded(quint64 transaction, bool committed) override;

private:
    RowSource() = default;
    void journal(bool appended, int index);
    void identifyRows(const TableDef& def);
    // Reads the keys the open left unread when index is among them (or, with -1, whenever any are).
    void readUnread(int index)
    {
        if (m_unreadCount > 0 && (index < 0 || (index >= m_unreadAt && index < m_unreadAt + m_unreadCount)))
            readAllUnread();
    }
    void readAllUnread();

    std::unique_ptr<RowStore> m_store;
    QString m_source;
    RecordsetType m_type = RecordsetType::Dynaset;
    bool m_updatable = false;
    quint32 m_identity = 0;

    QVector<Column> m_columns;
    QHash<QString, int> m_byName;
    QString m_baseSchema;
    QString m_baseTable;

    std::vector<qint64> m_keys;
    int m_unreadAt = 0; // m_keys[m_unreadAt, m_unreadAt + m_unreadCount) hold 0 until read
    int m_unreadCount = 0;
    Stamp m_keysStamp;
    std::vector<char> m_dead;
    int m_deadCount = 0;
    QHash<qint64, int> m_positions; // built on first use

    // Keys appended (true) or killed (false) inside the open transaction, in order.
    struct Undo
    {
        bool appended;
        int index;
    };
    std::vector<Undo> m_undo;
    quint64 m_undoTransaction = 0;

    bool m_reusedRowids = false;              // no counter: a key may be given to another row later
    QVector<int> m_printColumns;              // columns whose values identify a row
    QHash<qint64, QList<quint64>> m_rewrites; // prints a row had through this recordset, oldest first

    QString m_findCriterion;
    Stamp m_findStamp;
    std::vector<int> m_findAt;                 // by keyset index: NoHit, -1 (a hit not kept) or its row
    std::vector<QVector<QVariant>> m_findRows; // the values of the first hits, as the find read them
    bool m_findValid = false;
    static constexpr int KeptFoundRows = 2048; // bounds the memory a broad criterion takes

    QHash<qint64, QVector<QVariant>> m_batch; // rows read together, valid under m_batchStamp
    Stamp m_batchStamp;
    static constexpr int BatchAfter = 48, BatchBefore = 16, KeptBatchRows = 4096;
};

} // namespace db
