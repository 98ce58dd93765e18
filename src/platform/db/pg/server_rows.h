#pragma once

#include "kept_keys.h"
#include "platform/db/select_source.h"

#include <QVector>
#include <functional>
#include <memory>
#include <vector>

namespace db::pg {

class ServerConnection;
class ServerDataSet;

// The rows behind a dynaset on a server, as RowSource is on a data file: a SELECT over one table
// with a counter (every year table and reference list has one). The keyset is the counter values
// in the order the SELECT gives them, read once at open (of a whole table, only the keys at its
// two ends and a count of those between, which keysBetween reads); a row's values are read by its counter
// whenever asked, so the dynaset sees later changes of its rows. Finds run the criterion on the
// server over the same rows. Writes go to the table, each a statement of its own (inside the
// caller's transaction when one is open).
//
// Whether rows read before may have changed is told by stamp(): the table's number
// (table_versions.h), which moves with every write this connection makes and every commit of
// another, and the connection's rollbacks.
class ServerRows
{
public:
    struct Stamp
    {
        qint64 version = 0;
        quint64 rollbacks = 0;
        bool operator==(const Stamp&) const = default;
    };

    // Raises DbError: TableNotFound, SyntaxError, and NotUpdatable for a SELECT that is not over
    // one table with a counter (joins, DISTINCT, GROUP BY, aggregates: read those with
    // ServerDataSet::select).
    static std::unique_ptr<ServerRows> open(ServerConnection& server, ServerDataSet& data, const QString& source);
    // sql, translated, with its rows in the order a dynaset gives them: a SELECT over one table with
    // a counter and neither ORDER BY nor LIMIT is ordered by the counter; any other as it is.
    static QString inTableOrder(ServerConnection& server, ServerDataSet& data, const QString& sql);

    const QVector<SourceColumn>& columns() const { return m_columns; }
    const QString& schema() const { return m_schema; }
    const QString& table() const { return m_table; } // as the data set spells it
    // The keys read at open, and where those left unread lie among them (RowSource::Opened).
    const std::vector<qint64>& keys() const { return m_keys; }
    int unreadAt() const { return m_unreadAt; }
    int unreadCount() const { return m_unreadCount; }
    // The keys between two keys of a keyset left unread, in the counter's order.
    std::vector<qint64> keysBetween(qint64 after, qint64 before);
    // The table's number read just before the keys.
    qint64 openedVersion() const { return m_openedVersion; }

    // Reads the row; false when it no longer exists.
    bool fetch(qint64 key, QVector<QVariant>& values, bool lockRow = false);
    // RowStore::markExactly, inside the caller's transaction; `since` is the table's number the
    // keys were read under.
    bool markExactly(const QString& base, const QString& mark, const std::vector<qint64>& keys, qint64 since);
    // Reads the rows of keys in one statement; found(key, values) for each that exists.
    void fetchMany(const std::vector<qint64>& keys, const std::function<void(qint64, QVector<QVariant>&)>& found);
    // The rows a Jet criterion finds with their values, handed to found one at a time as the
    // server sends them, in no order.
    void forEachMatching(const QString& jetCriterion,
                         const std::function<void(qint64, const QVector<QVariant>&)>& found);

    // Writes values[i] where dirty[i], into the columns of the table; insertRow returns the new
    // row's counter. updateRow and deleteRow raise RecordIsDeleted
    // when the row is gone (also an update that changes nothing).
    qint64 insertRow(const QVector<QVariant>& values, const QVector<bool>& dirty);
    // Run inside a transaction when `expected` is given: the row is locked before the check.
    void updateRow(qint64 key, const QVector<QVariant>& values, const QVector<bool>& dirty,
                   const QVector<QVariant>& expected);
    void deleteRow(qint64 key);

    Stamp stamp();

private:
    ServerRows(ServerConnection& server, ServerDataSet& data) : m_server(server), m_data(data) {}
    QString counterSql() const { return m_qualifier + u'.' + m_counter; } // as the SELECT names it
    KeptKeys::Keyset readEnds();
    QStringList writtenColumns(const QVector<QVariant>& values, const QVector<bool>& dirty, QVariantList& bound) const;

    ServerConnection& m_server;
    ServerDataSet& m_data;
    QString m_schema;
    QString m_table;   // as the data set spells it
    QString m_counter; // the counter's column, quoted
    QString m_target;  // "schema"."table"
    QString m_list;
    QString m_from;
    QString m_qualifier;
    QVector<SourceColumn> m_columns;
    std::vector<qint64> m_keys;
    int m_unreadAt = 0;
    int m_unreadCount = 0;
    qint64 m_openedVersion = 0;
    static constexpr int KeysAtEachEnd = 64;
};

} // namespace db::pg
