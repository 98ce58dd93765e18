#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

namespace db::pg {

// The keys of dynasets over a whole table (no WHERE), kept with what they were read under: the
// table (its oid, new when the table is made again), its number (table_versions.h, moved by every
// write of any client, seen when that commits) and the connection's rollbacks. A form opened
// again on a year no one wrote to since reads no keys from the server, as a file's open finds
// its pages in SQLite's cache. Keys read inside a transaction are neither kept nor taken: they
// may hold what the transaction has not committed.
class KeptKeys
{
public:
    struct Under
    {
        qint64 table = 0;
        qint64 version = 0;
        quint64 rollbacks = 0;
        bool operator==(const Under&) const = default;
    };
    // Keys an open read, with those it left unread (RowSource::Opened).
    struct Keyset
    {
        std::vector<qint64> keys;
        int unreadAt = 0;
        int unreadCount = 0;
    };
    // The keys sql gives, kept from a read under the same `under`, else read() (and kept when
    // outside a transaction). `version` must be read before the keys: a write that comes between
    // moves the number past the one they are kept under.
    Keyset keys(const QString& sql, const Under& under, bool inTransaction, const std::function<Keyset()>& read);

private:
    struct Entry
    {
        QString sql;
        Under under;
        Keyset keys;
    };
    std::deque<Entry> m_entries; // the most recent first; a few tables' worth
};

} // namespace db::pg
