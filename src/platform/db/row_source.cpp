#include "row_source.h"

#include "connection.h"

#include <QAtomicInteger>
#include <algorithm>

namespace db {

namespace {

quint32 nextIdentity()
{
    static QAtomicInteger<quint32> counter(0);
    return ++counter;
}

} // namespace

std::shared_ptr<RowSource> RowSource::create(std::unique_ptr<RowStore> store, Opened opened, const QString& source)
{
    std::shared_ptr<RowSource> rows(new RowSource);
    rows->m_store = std::move(store);
    rows->m_source = source;
    rows->m_type = opened.type;
    rows->m_identity = nextIdentity();
    rows->m_columns = std::move(opened.columns);
    rows->m_keys = std::move(opened.keys);
    if (opened.unreadCount > 0) {
        rows->m_keys.insert(rows->m_keys.begin() + opened.unreadAt, size_t(opened.unreadCount), 0);
        rows->m_unreadAt = opened.unreadAt;
        rows->m_unreadCount = opened.unreadCount;
    }
    rows->m_dead.assign(rows->m_keys.size(), 0);
    rows->m_keysStamp = opened.keysStamp;
    rows->m_updatable = opened.updatable;
    rows->m_baseSchema = opened.baseSchema;
    rows->m_baseTable = opened.baseTable;
    if (opened.table)
        rows->identifyRows(*opened.table);
    for (int i = int(rows->m_columns.size()) - 1; i >= 0; --i)
        rows->m_byName.insert(rows->m_columns[i].name.toLower(), i); // the first of equal names wins
    return rows;
}

RowSource::~RowSource() = default;

void RowSource::identifyRows(const TableDef& def)
{
    // Without a counter SQLite may give a deleted row's rowid to the next row added (a table
    // emptied and filled again gets 1, 2, ... again): bookmarks then also check the row's key.
    m_reusedRowids = true;
    for (const FieldDef& f : def.fields) {
        if (f.attributes & fieldattr::AutoIncrField)
            m_reusedRowids = false;
    }
    m_printColumns.clear();
    if (m_reusedRowids) {
        auto columnOf = [&](const QString& base) {
            for (int i = 0; i < m_columns.size(); ++i) {
                if (m_columns[i].baseColumn.compare(base, Qt::CaseInsensitive) == 0)
                    return i;
            }
            return -1;
        };
        for (const IndexDef& index : def.indexes) {
            if (!index.unique && !index.primary)
                continue;
            QVector<int> key;
            for (const QString& spec : index.fields) {
                QString name = spec.trimmed();
                if (name.startsWith(QLatin1Char('+')) || name.startsWith(QLatin1Char('-')))
                    name = name.mid(1).trimmed();
                key << columnOf(name);
            }
            if (!key.isEmpty() && !key.contains(-1)) {
                m_printColumns = key;
                break;
            }
        }
        if (m_printColumns.isEmpty()) {
            for (int i = 0; i < m_columns.size(); ++i)
                m_printColumns << i;
        }
    }
}

int RowSource::columnIndex(const QString& name) const
{
    // The names are kept in lower case; a name asked in lower case needs no copy.
    const auto exact = m_byName.constFind(name);
    if (exact != m_byName.cend())
        return *exact;
    return m_byName.value(name.toLower(), -1);
}

void RowSource::readAllUnread()
{
    const size_t at = size_t(m_unreadAt), count = size_t(m_unreadCount);
    std::vector<qint64> read = m_store->keysBetween(m_keys[at - 1], m_keys[at + count]);
    m_unreadCount = 0;
    // The places counted at open stay, so that no index handed out moves: rows deleted since
    // leave places that are dead from the start. Rows added since are out of an open keyset, but
    // one given a counter by hand among these is read here: what is read beyond the count is left
    // out.
    read.resize(std::min(read.size(), count));
    std::copy(read.begin(), read.end(), m_keys.begin() + qsizetype(at));
    for (size_t i = at + read.size(); i < at + count; ++i) {
        m_dead[i] = 1;
        ++m_deadCount;
    }
    m_positions.clear();
}

void RowSource::markDead(int index)
{
    if (!m_dead[size_t(index)]) {
        m_dead[size_t(index)] = 1;
        ++m_deadCount;
        journal(false, index);
    }
}

void RowSource::journal(bool appended, int index)
{
    if (!m_store->inTransaction())
        return;
    if (m_undo.empty() || m_undoTransaction != m_store->transactionSerial()) {
        m_undo.clear();
        m_undoTransaction = m_store->transactionSerial();
        m_store->watchTransaction(weak_from_this());
    }
    m_undo.push_back(Undo{appended, index});
}

void RowSource::transactionEnded(quint64 transaction, bool committed)
{
    if (transaction == m_undoTransaction && !committed) {
        for (auto it = m_undo.rbegin(); it != m_undo.rend(); ++it) {
            const size_t i = size_t(it->index);
            if (it->appended) {
                if (i + 1 == m_keys.size()) {
                    m_positions.remove(m_keys.back());
                    if (m_dead.back())
                        --m_deadCount;
                    m_keys.pop_back();
                    m_dead.pop_back();
                }
            } else if (i < m_dead.size() && m_dead[i]) {
                m_dead[i] = 0;
                --m_deadCount;
            }
        }
    }
    m_undo.clear();
    m_findValid = false;
    m_batch.clear();
}

int RowSource::deadBefore(int index) const
{
    if (m_deadCount == 0)
        return 0;
    int dead = 0;
    for (int i = 0; i < index; ++i)
        dead += m_dead[size_t(i)];
    return dead;
}

int RowSource::positionOf(qint64 key)
{
    readUnread(-1);
    if (m_positions.size() != size()) {
        m_positions.clear();
        m_positions.reserve(size());
        for (int i = 0; i < size(); ++i)
            m_positions.insert(m_keys[size_t(i)], i);
    }
    return m_positions.value(key, -1);
}

const QVector<QVariant>* RowSource::found(int index, const Stamp& now) const
{
    if (!m_findValid || !(now == m_findStamp) || size_t(index) >= m_findAt.size() || m_findAt[size_t(index)] < 0)
        return nullptr;
    return &m_findRows[size_t(m_findAt[size_t(index)])];
}

bool RowSource::fetchAt(int index, const Stamp& now, QVector<QVariant>& values)
{
    const qint64 key = this->key(index);
    if (!m_store->readsInBatches())
        return m_store->fetch(key, values);
    if (!(m_batchStamp == now) || m_batch.size() > KeptBatchRows) {
        m_batch.clear();
        m_batchStamp = now;
    }
    auto kept = m_batch.constFind(key);
    if (kept == m_batch.constEnd()) {
        // This row with those after it and a few before it: a cursor moves on from here, or back.
        std::vector<qint64> keys;
        const int first = std::max(0, index - BatchBefore);
        const int last = std::min(size(), index + BatchAfter);
        for (int i = first; i < last; ++i) {
            const bool unread = i >= m_unreadAt && i < m_unreadAt + m_unreadCount; // read when reached
            if (!unread && !m_dead[size_t(i)] && (i == index || !m_batch.contains(m_keys[size_t(i)])))
                keys.push_back(m_keys[size_t(i)]);
        }
        m_store->fetchMany(keys, [this](qint64 k, QVector<QVariant>& row) { m_batch.insert(k, row); });
        kept = m_batch.constFind(key);
        if (kept == m_batch.constEnd())
            return false;
    }
    values = *kept;
    return true;
}

const std::vector<int>& RowSource::matching(const QString& jetCriterion, const Stamp& now)
{
    if (m_findValid && m_findStamp == now && m_findCriterion == jetCriterion)
        return m_findAt;
    readUnread(-1);
    m_findValid = false;
    m_findAt.assign(m_keys.size(), NoHit);
    m_findRows.clear();
    // A keyset in key order (a table read in its order) is searched without a table of positions.
    const bool sorted = std::is_sorted(m_keys.begin(), m_keys.end());
    auto indexOf = [&](qint64 key) {
        if (!sorted)
            return positionOf(key);
        const auto at = std::lower_bound(m_keys.begin(), m_keys.end(), key);
        return at != m_keys.end() && *at == key ? int(at - m_keys.begin()) : -1;
    };
    // The find reads the hits' values as well where it can: a loop of finds then lands on each
    // hit without reading the data again.
    m_store->find(jetCriterion, [&](qint64 key, const RowStore::ReadFound& read) {
        const int index = indexOf(key);
        if (index < 0 || m_findAt[size_t(index)] != NoHit)
            return; // not in the keyset, or read already
        if (read && m_findRows.size() < size_t(KeptFoundRows)) {
            m_findAt[size_t(index)] = int(m_findRows.size());
            read(m_findRows.emplace_back());
        } else {
            m_findAt[size_t(index)] = -1;
        }
    });
    m_findCriterion = jetCriterion;
    m_findStamp = now;
    m_findValid = true;
    return m_findAt;
}

quint64 RowSource::printOf(const QVector<QVariant>& values) const
{
    if (!m_reusedRowids)
        return 0;
    // FNV-1a over each identifying value's type and text.
    quint64 h = 14695981039346656037ULL;
    auto mix = [&](const QByteArray& bytes) {
        for (const char c : bytes) {
            h ^= quint8(c);
            h *= 1099511628211ULL;
        }
        h ^= 0xff;
        h *= 1099511628211ULL;
    };
    for (const int i : m_printColumns) {
        const QVariant& v = values.value(i);
        mix(v.isNull() ? QByteArray("\x01null") : QByteArray::number(v.typeId()) + ':' + v.toString().toUtf8());
    }
    return h ? h : 1;
}

bool RowSource::samePrint(qint64 key, quint64 print, const QVector<QVariant>& values) const
{
    const quint64 now = printOf(values);
    if (now == print)
        return true;
    const auto it = m_rewrites.constFind(key);
    return it != m_rewrites.constEnd() && it->last() == now && it->contains(print);
}

void RowSource::rewritten(qint64 key, const QVector<QVariant>& before, const QVector<QVariant>& after)
{
    if (!m_reusedRowids)
        return;
    QList<quint64>& prints = m_rewrites[key];
    const quint64 old = printOf(before);
    if (prints.isEmpty() || prints.last() != old)
        prints << old;
    prints << printOf(after);
}

void RowSource::append(qint64 key)
{
    m_keys.push_back(key);
    m_dead.push_back(0);
    // Kept up to date once built; rows added to an unbuilt index wait for its first use.
    if (!m_positions.isEmpty() && m_positions.size() == size() - 1)
        m_positions.insert(key, size() - 1);
    journal(true, size() - 1);
}

} // namespace db
