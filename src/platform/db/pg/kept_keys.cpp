#include "kept_keys.h"

#include <algorithm>

namespace db::pg {

namespace {

// The years a user moves between (letters in and out, this year and last) fit; each is a few
// hundred kilobytes.
constexpr size_t KeptTables = 4;

} // namespace

KeptKeys::Keyset KeptKeys::keys(const QString& sql, const Under& under, bool inTransaction,
                                const std::function<Keyset()>& read)
{
    const auto same = std::find_if(m_entries.begin(), m_entries.end(),
                                   [&](const Entry& e) { return e.sql == sql && e.under.table == under.table; });
    if (!inTransaction && same != m_entries.end() && same->under == under)
        return same->keys;
    if (same != m_entries.end())
        m_entries.erase(same);
    Keyset keys = read();
    if (!inTransaction) {
        m_entries.push_front(Entry{sql, under, keys});
        if (m_entries.size() > KeptTables)
            m_entries.pop_back();
    }
    return keys;
}

} // namespace db::pg
