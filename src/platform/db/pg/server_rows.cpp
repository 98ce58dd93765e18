#include "server_rows.h"

#include "data_set.h"
#include "field_values.h"
#include "platform/db/db_error.h"
#include "platform/db/select_shape.h"
#include "platform/db/write_conflict.h"
#include "server_connection.h"
#include "server_data_set.h"
#include "table_versions.h"

#include <QHash>
#include <QRegularExpression>
#include <optional>

namespace db::pg {

namespace {

bool tailSays(const SelectShape& shape, const char* words)
{
    return shape.tail.contains(
        QRegularExpression(QString::fromLatin1(words), QRegularExpression::CaseInsensitiveOption));
}

// Without an ORDER BY the rows come in the counter's order, as a data file gives a table's rows in
// the order they were added: the server's own order moves a row it rewrote to the end, and a form
// opened on the last letter would open on the last one edited.
bool inCounterOrder(const SelectShape& shape)
{
    return !tailSays(shape, "\\border\\s+by\\b") && !tailSays(shape, "\\blimit\\b");
}

const FieldDef* counterOf(const TableDef& def)
{
    const auto counter = std::find_if(def.fields.begin(), def.fields.end(),
                                      [](const FieldDef& f) { return (f.attributes & fieldattr::AutoIncrField) != 0; });
    return counter == def.fields.end() ? nullptr : &*counter;
}

QString schemaOf(const SelectShape& shape, const ServerDataSet& data)
{
    return shape.schema.isEmpty() ? data.schema() : shape.schema;
}

// The data set's definition of a table; none for a table it does not describe (the server's
// catalog), which is read from a copy.
std::optional<TableDef> definitionOf(ServerConnection& server, const QString& schema, const QString& table)
{
    try {
        return dataset::tableDef(server, schema, table);
    } catch (const DbError& e) {
        // The server names an unknown table.
        if (e.number() != errc::ItemNotFound)
            throw;
        return std::nullopt;
    }
}

} // namespace

QString ServerRows::inTableOrder(ServerConnection& server, ServerDataSet& data, const QString& sql)
{
    const SelectShape shape = SelectShape::analyse(sql);
    if (!shape.singleTable || !inCounterOrder(shape))
        return sql;
    const std::optional<TableDef> def = definitionOf(server, schemaOf(shape, data), shape.table);
    const FieldDef* counter = def ? counterOf(*def) : nullptr;
    if (!counter)
        return sql;
    return QStringLiteral("SELECT ") + shape.selectList + QStringLiteral(" FROM ") + shape.fromClause + u' ' +
           shape.tail + QStringLiteral(" ORDER BY ") + shape.qualifier + u'.' + dataset::name(counter->name);
}

std::unique_ptr<ServerRows> ServerRows::open(ServerConnection& server, ServerDataSet& data, const QString& source)
{
    data.use();
    const QString sql = data.selectStatement(source);
    const SelectShape shape = SelectShape::analyse(sql);
    if (!shape.singleTable)
        throw DbError(errc::NotUpdatable, QStringLiteral("Not a SELECT over one table: ") + source);
    std::unique_ptr<ServerRows> rows(new ServerRows(server, data));
    rows->m_schema = schemaOf(shape, data);
    const std::optional<TableDef> found = definitionOf(server, rows->m_schema, shape.table);
    if (!found)
        throw DbError(errc::NotUpdatable, QStringLiteral("Not a table of the data set: ") + shape.table);
    const TableDef& def = *found;
    const FieldDef* counter = counterOf(def);
    if (!counter)
        throw DbError(errc::NotUpdatable, QStringLiteral("No counter in table ") + def.name);
    rows->m_table = def.name;
    rows->m_target = dataset::qualified(rows->m_schema, def.name);
    rows->m_counter = dataset::name(counter->name);
    rows->m_list = shape.selectList;
    rows->m_qualifier = shape.qualifier;
    // Named with its schema, so that reading a row needs no search_path.
    rows->m_from = rows->m_target + QStringLiteral(" AS ") + shape.qualifier;

    // ORDER BY may name a column of the select list by its number or its alias: then the keys are
    // read with the list in front, the counter last so that it shifts no number.
    const bool ordered = tailSays(shape, "\\border\\s+by\\b");
    const bool withList = shape.orderByNumber || (shape.selectList.trimmed() != u"*" && ordered);
    const QString keys = withList ? shape.selectList + QStringLiteral(", ") : QString();
    const QString order = inCounterOrder(shape) ? QStringLiteral(" ORDER BY ") + rows->counterSql() : QString();
    const qlonglong tableOid =
        server.catalogQuery(QStringLiteral("SELECT to_regclass($1)::oid::bigint"), {rows->m_target})
            .first()
            .first()
            .toLongLong();
    // The table's number before its keys: a write that comes between moves it past this one.
    rows->m_openedVersion = versions::of(server, rows->m_schema, rows->m_table);
    const QString keySql = QStringLiteral("SELECT ") + keys + rows->counterSql() + QStringLiteral(" FROM ") +
                           shape.fromClause + u' ' + shape.tail + order;
    // A whole table in its counter's order: the keys at both ends and a count of those between,
    // read when the cursor reaches them (RowSource). A form opens on its first or last row.
    const bool ends = shape.tail.trimmed().isEmpty() && !server.inTransaction();
    const auto read = [&] { return ends ? rows->readEnds() : KeptKeys::Keyset{server.lastColumnNumbers(keySql)}; };
    // A WHERE may read other tables or the clock, which the table's number does not follow.
    KeptKeys::Keyset keyset;
    if (tailSays(shape, "\\bwhere\\b") || tailSays(shape, "\\bselect\\b")) {
        keyset = read();
    } else {
        const KeptKeys::Under under{tableOid, rows->m_openedVersion, server.rollbacks()};
        keyset = data.keptKeys().keys(keySql, under, server.inTransaction(), read);
    }
    rows->m_keys = std::move(keyset.keys);
    rows->m_unreadAt = keyset.unreadAt;
    rows->m_unreadCount = keyset.unreadCount;

    // A column that comes straight from the table is its field, written by edits; anything else
    // is computed and read as its type says.
    // The table's column names by number, read at once (one round trip, not one a column).
    QHash<int, QString> attributes;
    for (const QVariantList& a :
         server.catalogQuery(QStringLiteral("SELECT attnum::integer, attname::text FROM pg_attribute "
                                            "WHERE attrelid = $1 AND attnum > 0"),
                             {tableOid}))
        attributes.insert(a.value(0).toInt(), a.value(1).toString());
    for (const ServerConnection::ResultColumn& column :
         server.resultColumns(QStringLiteral("SELECT ") + rows->m_list + QStringLiteral(" FROM ") + rows->m_from +
                              QStringLiteral(" LIMIT 0"))) {
        SourceColumn c;
        c.name = column.name;
        c.def = fieldvalue::fieldOfType(column);
        if (qlonglong(column.table) == tableOid) {
            if (const FieldDef* f = def.field(attributes.value(column.tableColumn))) {
                c.def = *f;
                c.baseColumn = f->name;
            }
        }
        c.def.name = c.name;
        rows->m_columns << c;
    }
    return rows;
}

KeptKeys::Keyset ServerRows::readEnds()
{
    // One statement, so that the count and the ends agree.
    const QString key = counterSql();
    const QString ends = QString::number(KeysAtEachEnd);
    const QString sql =
        QStringLiteral("WITH head AS (SELECT ") + key + QStringLiteral(" AS k FROM ") + m_from +
        QStringLiteral(" ORDER BY ") + key + QStringLiteral(" LIMIT ") + ends + QStringLiteral("), tail AS (SELECT ") +
        key + QStringLiteral(" AS k FROM ") + m_from + QStringLiteral(" ORDER BY ") + key +
        QStringLiteral(" DESC LIMIT ") + ends + QStringLiteral(") SELECT (SELECT count(*) FROM ") + m_from +
        QStringLiteral(" WHERE ") + key + QStringLiteral(" > (SELECT max(k) FROM head) AND ") + key +
        QStringLiteral(" < (SELECT min(k) FROM tail))::bigint, k::bigint FROM (SELECT k FROM head UNION SELECT k "
                       "FROM tail) AS ends ORDER BY k");
    KeptKeys::Keyset keyset;
    qint64 between = 0;
    for (const QVariantList& row : m_server.query(sql)) {
        between = row.value(0).toLongLong();
        keyset.keys.push_back(row.value(1).toLongLong());
    }
    if (between > 0) {
        keyset.unreadAt = KeysAtEachEnd;
        keyset.unreadCount = int(between);
    }
    return keyset;
}

std::vector<qint64> ServerRows::keysBetween(qint64 after, qint64 before)
{
    const QString key = counterSql();
    return m_server.lastColumnNumbers(QStringLiteral("SELECT ") + key + QStringLiteral(" FROM ") + m_from +
                                          QStringLiteral(" WHERE ") + key + QStringLiteral(" > $1 AND ") + key +
                                          QStringLiteral(" < $2 ORDER BY ") + key,
                                      {after, before});
}

bool ServerRows::fetch(qint64 key, QVector<QVariant>& values, bool lockRow)
{
    const QList<QVariantList> rows = m_server.query(
        QStringLiteral("SELECT ") + m_list + QStringLiteral(" FROM ") + m_from + QStringLiteral(" WHERE ") +
            counterSql() + QStringLiteral(" = $1") + (lockRow ? QStringLiteral(" FOR UPDATE") : QString()),
        {key});
    if (rows.isEmpty())
        return false;
    values.resize(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        values[i] = fieldvalue::fromServer(rows.first().value(i), m_columns[i].def.type);
    return true;
}

namespace {

QString keyArray(const std::vector<qint64>& keys)
{
    QStringList list;
    list.reserve(qsizetype(keys.size()));
    for (const qint64 key : keys)
        list << QString::number(key);
    return u'{' + list.join(u',') + u'}';
}

} // namespace

void ServerRows::fetchMany(const std::vector<qint64>& keys,
                           const std::function<void(qint64, QVector<QVariant>&)>& found)
{
    if (keys.empty())
        return;
    const QString sql = QStringLiteral("SELECT ") + counterSql() + QStringLiteral(", ") + m_list +
                        QStringLiteral(" FROM ") + m_from + QStringLiteral(" WHERE ") + counterSql() +
                        QStringLiteral(" = ANY($1::bigint[])");
    QVector<QVariant> values(m_columns.size());
    m_server.forEachRow(sql, {keyArray(keys)}, [&](const QVariantList& row) {
        for (int i = 0; i < m_columns.size(); ++i)
            values[i] = fieldvalue::fromServer(row.value(i + 1), m_columns[i].def.type);
        found(row.first().toLongLong(), values);
    });
}

bool ServerRows::markExactly(const QString& base, const QString& mark, const std::vector<qint64>& keys, qint64 since)
{
    if (versions::of(m_server, m_schema, m_table, true) != since)
        return false;
    m_data.use();
    const QString field = dataset::name(base);
    const QString listed = m_counter + QStringLiteral(" = ANY($2::bigint[])");
    // The folded comparison finds the marked rows through the column's index.
    m_server.exec(QStringLiteral("UPDATE ") + m_target + QStringLiteral(" SET ") + field +
                      QStringLiteral(" = '' WHERE selvaro_fold(") + field +
                      QStringLiteral(") = selvaro_fold($1::text) AND NOT ") + listed,
                  {mark, keyArray(keys)});
    m_server.exec(QStringLiteral("UPDATE ") + m_target + QStringLiteral(" SET ") + field +
                      QStringLiteral(" = $1 WHERE ") + listed + QStringLiteral(" AND ") + field +
                      QStringLiteral(" IS DISTINCT FROM $1"),
                  {mark, keyArray(keys)});
    return true;
}

void ServerRows::forEachMatching(const QString& jetCriterion,
                                 const std::function<void(qint64, const QVector<QVariant>&)>& found)
{
    m_data.use();
    const QString sql = QStringLiteral("SELECT * FROM (SELECT ") + counterSql() + QStringLiteral(" AS \"msys_key\", ") +
                        m_list + QStringLiteral(" FROM ") + m_from + QStringLiteral(") AS \"Found\" WHERE ") +
                        m_data.criterion(jetCriterion);
    QVector<QVariant> values(m_columns.size());
    m_server.forEachRow(sql, {}, [&](const QVariantList& row) {
        for (int i = 0; i < m_columns.size(); ++i)
            values[i] = fieldvalue::fromServer(row.value(i + 1), m_columns[i].def.type);
        found(row.first().toLongLong(), values);
    });
}

QStringList ServerRows::writtenColumns(const QVector<QVariant>& values, const QVector<bool>& dirty,
                                       QVariantList& bound) const
{
    QStringList columns;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (i < dirty.size() && dirty[i] && !m_columns[i].baseColumn.isEmpty()) {
            columns << dataset::name(m_columns[i].baseColumn);
            bound << fieldvalue::toServer(values.value(i), m_columns[i].def.type);
        }
    }
    return columns;
}

qint64 ServerRows::insertRow(const QVector<QVariant>& values, const QVector<bool>& dirty)
{
    QVariantList bound;
    const QStringList columns = writtenColumns(values, dirty, bound);
    QString sql = QStringLiteral("INSERT INTO ") + m_target;
    if (columns.isEmpty()) {
        sql += QStringLiteral(" DEFAULT VALUES");
    } else {
        QStringList placeholders;
        for (int i = 1; i <= columns.size(); ++i)
            placeholders << u'$' + QString::number(i);
        sql += QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
               placeholders.join(QStringLiteral(", ")) + u')';
    }
    const qint64 key =
        m_server.query(sql + QStringLiteral(" RETURNING ") + m_counter, bound).first().first().toLongLong();
    return key;
}

void ServerRows::updateRow(qint64 key, const QVector<QVariant>& values, const QVector<bool>& dirty,
                           const QVector<QVariant>& expected)
{
    QVariantList bound;
    const QStringList columns = writtenColumns(values, dirty, bound);
    if (!expected.isEmpty() && !columns.isEmpty()) {
        // FOR UPDATE holds the row until the transaction ends: no other client writes it between.
        QVector<QVariant> stored;
        if (!fetch(key, stored, true))
            throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
        refuseChangedMeanwhile(m_columns, stored, expected, dirty);
    }
    if (columns.isEmpty()) {
        // Nothing changed: the row must still be there, as on a data file.
        if (m_server
                .query(QStringLiteral("SELECT 1 FROM ") + m_target + QStringLiteral(" WHERE ") + m_counter +
                           QStringLiteral(" = $1"),
                       {key})
                .isEmpty())
            throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
        return;
    }
    QStringList assignments;
    for (int i = 0; i < columns.size(); ++i)
        assignments << columns[i] + QStringLiteral(" = $") + QString::number(i + 1);
    bound << key;
    const int changed = m_server.exec(QStringLiteral("UPDATE ") + m_target + QStringLiteral(" SET ") +
                                          assignments.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") +
                                          m_counter + QStringLiteral(" = $") + QString::number(bound.size()),
                                      bound);
    if (changed == 0)
        throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
}

void ServerRows::deleteRow(qint64 key)
{
    const int changed = m_server.exec(QStringLiteral("DELETE FROM ") + m_target + QStringLiteral(" WHERE ") +
                                          m_counter + QStringLiteral(" = $1"),
                                      {key});
    if (changed == 0)
        throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
}

ServerRows::Stamp ServerRows::stamp()
{
    return {versions::of(m_server, m_schema, m_table), m_server.rollbacks()};
}

} // namespace db::pg
