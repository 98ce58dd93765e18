#pragma once

#include "field_def.h"
#include "recordset.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <vector>

namespace db {

class Connection;
class Statement;

// The rows behind a recordset, shared by a cursor and its clones.
//
// Dynaset over one table: the keyset is the list of that table's rowids in the order the SELECT
// gives them, read once at open (only rowids, so opening is quick on large tables); a row's
// values are read by its rowid whenever the cursor reaches it, so a dynaset sees later changes
// of its rows (also changes that no longer match its WHERE). Rows added through the recordset
// join the keyset at its end. A row deleted through the recordset is marked dead; a row deleted
// elsewhere is marked dead when the cursor finds it gone.
//
// Snapshot, or a dynaset the layer cannot map to one table (joins, GROUP BY, DISTINCT, UNION,
// aggregates): the result is copied at open into a private in-memory SQLite database (columns
// keep the Vietnamese NOCASE, so finds behave as on the file) and read from there. Such a
// recordset is never updatable and never changes.
//
// Finds evaluate the translated criterion in SQL, one query per find, over the recordset's
// columns: SELECT rowid FROM (SELECT rowid, <select list> FROM <from>) WHERE <criterion>.
class RowSource
{
public:
    struct Column
    {
        QString name;        // as the recordset shows it
        FieldDef def;        // the base table's definition when it is one of its columns
        QString baseColumn;  // the column written by edits; empty: computed or not updatable
        bool typed = true;   // false: a computed value, read as SQLite stores it
    };

    // Opens `source`: a table name, a stored query name or a Jet SELECT. Runs the statement
    // hook, translates, and builds the rows for type. Raises TableNotFound for an unknown name.
    static std::shared_ptr<RowSource> open(const std::shared_ptr<Connection>& conn, const QString& source,
                                           RecordsetType type);
    ~RowSource();

    RecordsetType type() const { return m_type; }
    bool updatable() const { return m_updatable; }
    quint32 identity() const { return m_identity; }
    const std::shared_ptr<Connection>& connection() const { return m_conn; }
    const QString& source() const { return m_source; }

    const QVector<Column>& columns() const { return m_columns; }
    int columnIndex(const QString& name) const;  // any letter case; -1 when absent

    int size() const { return int(m_keys.size()); }
    int liveCount() const { return size() - m_deadCount; }
    qint64 key(int index) const { return m_keys[size_t(index)]; }
    bool isDead(int index) const { return m_dead[size_t(index)] != 0; }
    void markDead(int index);
    int deadBefore(int index) const;
    int positionOf(qint64 rowid);  // -1 when not in the keyset

    // Reads the row; false when it no longer exists.
    bool fetch(qint64 rowid, QVector<QVariant>& values);
    // Rowids of the keyset's rows that satisfy an SQLite criterion.
    QSet<qint64> matching(const QString& sqliteCriterion);

    // Writes (dynaset on one table). Each runs in its own write scope.
    qint64 insertRow(const QVector<QVariant>& values, const QVector<bool>& dirty);
    void updateRow(qint64 rowid, const QVector<QVariant>& values, const QVector<bool>& dirty);
    void deleteRow(qint64 rowid);
    void append(qint64 rowid);

    // Database changes made through this connection since the counter was read.
    qint64 changeCounter() const;

private:
    RowSource() = default;
    void openTable(const QString& sqliteSelect, const QString& schema, const QString& table);
    void materialise(const QString& sqliteSelect);
    void finishColumns();

    std::shared_ptr<Connection> m_conn;     // the database
    std::shared_ptr<Connection> m_scratch;  // holds the copy of a snapshot
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
    std::vector<char> m_dead;
    int m_deadCount = 0;
    QHash<qint64, int> m_positions;  // built on first use
    std::unique_ptr<Statement> m_fetch;
};

} // namespace db
