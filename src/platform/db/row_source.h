#pragma once

#include "connection.h"
#include "field_def.h"
#include "recordset_types.h"
#include "select_source.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QVector>
#include <map>
#include <memory>
#include <vector>

namespace db {

class Statement;

// The rows behind a recordset, shared by a cursor and its clones.
//
// Dynaset over one table: the keyset is the list of that table's rowids in the order the SELECT
// gives them, read once at open (only rowids, so opening is quick on large tables); a row's
// values are read by its rowid whenever the cursor reaches it, so a dynaset sees later changes
// of its rows (also changes that no longer match its WHERE). Rows added through the recordset
// join the keyset at its end. A row deleted through the recordset is marked dead; a row deleted
// elsewhere is marked dead when the cursor finds it gone. Keys appended or marked dead while a
// transaction is open are undone when that transaction rolls back.
//
// Snapshot, or a dynaset the layer cannot map to one table (joins, GROUP BY, DISTINCT, UNION,
// aggregates): the result is copied at open into a private in-memory SQLite database (columns
// keep the Vietnamese NOCASE, so finds behave as on the file) and read from there. Such a
// recordset is never updatable and never changes.
//
// Finds evaluate the translated criterion in SQL over the recordset's columns:
// SELECT * FROM (SELECT rowid, <select list> FROM <from>) WHERE <criterion>. The rowids found,
// and the values of the first of them, are kept while the data is unchanged (same Stamp), so a
// loop of findNext runs the query once and reads no row again.
class RowSource : public TransactionWatcher, public std::enable_shared_from_this<RowSource>
{
public:
    // What a value read earlier depends on: this connection's own changes, the file's data
    // version (changed by commits of other connections and programs) and this connection's
    // rollbacks. A row read under one stamp is read again when the stamp differs.
    struct Stamp
    {
        qint64 changes = 0;
        qint64 dataVersion = 0;
        quint64 rollbacks = 0;
        bool operator==(const Stamp&) const = default;
    };

    using Column = SourceColumn;

    // Opens `source`: a table name, a stored query name or a Jet SELECT. Runs the statement
    // hook, translates, and builds the rows for type. Raises TableNotFound for an unknown name.
    static std::shared_ptr<RowSource> open(const std::shared_ptr<Connection>& conn, const QString& source,
                                           RecordsetType type);
    ~RowSource() override;

    RecordsetType type() const { return m_type; }
    bool updatable() const { return m_updatable; }
    quint32 identity() const { return m_identity; }
    const std::shared_ptr<Connection>& connection() const { return m_conn; }
    const QString& source() const { return m_source; }

    const QVector<Column>& columns() const { return m_columns; }
    int columnIndex(const QString& name) const; // any letter case; -1 when absent

    int size() const { return int(m_keys.size()); }
    int liveCount() const { return size() - m_deadCount; }
    qint64 key(int index) const { return m_keys[size_t(index)]; }
    bool isDead(int index) const { return m_dead[size_t(index)] != 0; }
    void markDead(int index);
    int deadBefore(int index) const;
    int positionOf(qint64 rowid); // -1 when not in the keyset

    // Reads the row; false when it no longer exists.
    bool fetch(qint64 rowid, QVector<QVariant>& values);
    // The keyset's rows that satisfy a Jet criterion, by keyset index: NoHit for the others
    // (translated here; kept with the criterion while the stamp `now` holds; the rows added to
    // the keyset since lie beyond its end). Raises SyntaxError/ItemNotFound for a malformed
    // criterion.
    static constexpr int NoHit = -2;
    const std::vector<int>& matching(const QString& jetCriterion, const Stamp& now);
    // The values the last find read of the row at index when `now` is still its stamp; null when
    // it kept none.
    const QVector<QVariant>* found(int index, const Stamp& now) const;

    // Bookmark checks for a table whose rowids may be given again (no counter): the print of a
    // row's identifying values (its primary or unique key, else all its columns); 0 when rowids
    // are never reused (a counter) or for a snapshot.
    quint64 printOf(const QVector<QVariant>& values) const;
    bool reusesRowids() const { return m_reusedRowids; }
    // True when a row now holding values is the row a bookmark printed `print` was taken on:
    // the same print, or a print the row had before this recordset (or a clone) changed it.
    bool samePrint(qint64 rowid, quint64 print, const QVector<QVariant>& values) const;
    // Records that the row changed through this recordset from `before` to `after`.
    void rewritten(qint64 rowid, const QVector<QVariant>& before, const QVector<QVariant>& after);

    // Writes (dynaset on one table). Each runs in its own write scope.
    qint64 insertRow(const QVector<QVariant>& values, const QVector<bool>& dirty);
    void updateRow(qint64 rowid, const QVector<QVariant>& values, const QVector<bool>& dirty);
    void deleteRow(qint64 rowid);
    void append(qint64 rowid);

    Stamp stamp() const;
    // The stamp taken before the keyset was read: while stamp() still equals it, the keyset is
    // what the statement gives.
    const Stamp& keysStamp() const { return m_keysStamp; }
    const QString& baseSchema() const { return m_baseSchema; }
    const QString& baseTable() const { return m_baseTable; }

    void transactionEnded(quint64 transaction, bool committed) override;

private:
    RowSource() = default;
    void journal(bool appended, int index);
    void openTable(const QString& sqliteSelect, const QString& schema, const QString& table);
    void materialise(const QString& sqliteSelect);
    void finishColumns();
    void reserveKeys();
    Statement& prepareWrite(const QByteArray& shape, const QString& sql);
    QByteArray shapeOf(char kind, const QVector<bool>& dirty) const;
    void readColumns(const Statement& from, int first, QVector<QVariant>& values) const;

    std::shared_ptr<Connection> m_conn;    // the database
    std::shared_ptr<Connection> m_scratch; // holds the copy of a snapshot
    QString m_source;
    RecordsetType m_type = RecordsetType::Dynaset;
    bool m_updatable = false;
    quint32 m_identity = 0;

    QVector<Column> m_columns;
    QHash<QString, int> m_byName;
    QString m_baseSchema;
    QString m_baseTable;
    QString m_list;
    QString m_from;
    QString m_qualifier;

    std::vector<qint64> m_keys;
    Stamp m_keysStamp;
    std::vector<char> m_dead;
    int m_deadCount = 0;
    QHash<qint64, int> m_positions; // built on first use
    std::unique_ptr<Statement> m_fetch;

    // The writes of this row source, prepared once per shape (insert, update or check, and the
    // columns written): a save neither builds its SQL nor compiles it, with the table's check
    // triggers, again. SQLite prepares a kept statement again by itself when the schema changed
    // (sqlite3_prepare_v2); every one is reset after its run, so none holds a lock.
    struct Write
    {
        QString sql;
        std::unique_ptr<Statement> statement;
    };
    std::map<QByteArray, Write> m_writes;

    // Keys appended (true) or killed (false) inside the open transaction, in order.
    struct Undo
    {
        bool appended;
        int index;
    };
    std::vector<Undo> m_undo;
    quint64 m_undoTransaction = 0;

    bool m_reusedRowids = false;              // no counter: a rowid may be given to another row later
    QVector<int> m_printColumns;              // columns whose values identify a row
    QHash<qint64, QList<quint64>> m_rewrites; // prints a row had through this recordset, oldest first

    QString m_findCriterion;
    Stamp m_findStamp;
    std::vector<int> m_findAt;                 // by keyset index: NoHit, -1 (a hit not kept) or its row
    std::vector<QVector<QVariant>> m_findRows; // the values of the first hits, as the find read them
    bool m_findValid = false;
    static constexpr int KeptFoundRows = 2048; // bounds the memory a broad criterion takes
};

} // namespace db
