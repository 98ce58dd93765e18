#include "server_data_set.h"

#include <QHash>
#include <optional>

#include "data_set.h"
#include "field_values.h"
#include "platform/db/db_error.h"
#include "platform/db/db_log.h"
#include "platform/db/sql_quote.h"
#include "platform/db/translation.h"
#include "program_functions.h"
#include "server_connection.h"

namespace db::pg {

namespace {

template <class... Ts> struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

bool isMain(const QString& schema)
{
    return schema.compare(QLatin1String("main"), Qt::CaseInsensitive) == 0;
}

// A bare name, "[name]" too: a table or a stored query, read whole.
std::optional<QString> bareName(const QString& source)
{
    QString name = source.trimmed();
    while (name.endsWith(u';'))
        name = name.chopped(1).trimmed();
    if (name.size() > 2 && name.startsWith(u'[') && name.endsWith(u']')) {
        // One bracketed name may hold spaces, and "]]" for each "]" of the name.
        QString inner;
        for (qsizetype i = 1; i < name.size() - 1; ++i) {
            if (name[i] == u']' && (i + 1 >= name.size() - 1 || name[++i] != u']'))
                return std::nullopt;
            inner += name[i];
        }
        return inner.isEmpty() ? std::nullopt : std::optional<QString>(inner);
    }
    for (const QChar c : name) {
        if (c.isSpace())
            return std::nullopt;
    }
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

} // namespace

ServerDataSet::ServerDataSet(ServerConnection& server, const QString& schema)
    : m_server(server), m_schema(schema), m_catalog(server, schema)
{}

void ServerDataSet::use()
{
    m_server.useSearchPath(quoteIdentifier(m_schema) + QStringLiteral(", ") +
                           quoteIdentifier(QString::fromUtf16(FunctionSchema)));
}

void ServerDataSet::execute(const QString& jetSql)
{
    use();
    QString statement = jetSql;
    if (const std::optional<QString> name = bareName(jetSql)) {
        if (const std::optional<QString> query = m_catalog.storedQuery(*name))
            statement = *query;
    }
    const jetsql::Translation translation = compileStatement(statement, m_catalog);
    int affected = 0;
    const auto schemaOf = [&](const QString& schema) { return isMain(schema) ? m_schema : schema; };
    // Plain statements that changed no row leave the table's number where it was (a search
    // clearing marks that no row holds); an index, a table made or dropped is always kept.
    bool rowsOnly = false;
    m_server.inTransactionIfChanged([&] {
        std::visit(Overloaded{
                       [&](const jetsql::Statements& s) {
                           rowsOnly = true;
                           for (const QString& sql : s.sql)
                               affected += m_server.exec(sql);
                       },
                       [&](const jetsql::CreateIndex& c) {
                           const QString schema = schemaOf(c.schema);
                           const std::optional<QString> table = dataset::storedName(m_server, schema, c.table);
                           if (!table)
                               throw DbError(errc::TableNotFound, QStringLiteral("No such table: ") + c.table);
                           dataset::addIndex(m_server, schema, *table,
                                             IndexDef{c.index.name, c.index.fields, c.index.unique, c.index.primary});
                       },
                       [&](const jetsql::SelectInto& into) {
                           const QString schema = schemaOf(into.schema);
                           if (dataset::storedName(m_server, schema, into.table))
                               throw DbError(errc::TableExists, QStringLiteral("Table '") + into.table +
                                                                    QStringLiteral("' already exists."));
                           TableDef def;
                           if (into.structureFrom) {
                               const QString from = schemaOf(into.structureFromSchema.value_or(QStringLiteral("main")));
                               if (!dataset::storedName(m_server, from, *into.structureFrom))
                                   throw DbError(errc::TableNotFound,
                                                 QStringLiteral("No such table: ") + *into.structureFrom);
                               def = dataset::tableDef(m_server, from, *into.structureFrom);
                               def.indexes.clear();
                           } else {
                               def.fields = fieldsOfSelect(into.selectSql);
                           }
                           def.name = into.table;
                           dataset::createTable(m_server, schema, def);
                           affected = m_server.exec(into.insertSql);
                           dataset::continueCounter(m_server, schema, def);
                       },
                       [&](const jetsql::DropTable& d) {
                           const QString schema = schemaOf(d.schema);
                           const std::optional<QString> table = dataset::storedName(m_server, schema, d.table);
                           if (!table)
                               throw DbError(errc::TableNotFound, QStringLiteral("No such table: ") + d.table);
                           dataset::dropTable(m_server, schema, *table);
                       },
                   },
                   translation);
        return rowsOnly ? affected : 1;
    });
    m_affected = affected;
}

// Field definitions of a SELECT's result: the definition of the table column a result column
// comes straight from, else what its type says; counters become plain Long fields, as on SQLite.
// The columns' origins are asked in one query, and each table's definition once.
QList<FieldDef> ServerDataSet::fieldsOfSelect(const QString& sql)
{
    const QList<ServerConnection::ResultColumn> columns = m_server.resultColumns(sql);
    QStringList tables, numbers;
    for (const ServerConnection::ResultColumn& column : columns) {
        if (column.table != 0) {
            tables << QString::number(column.table);
            numbers << QString::number(column.tableColumn);
        }
    }
    struct Origin
    {
        QString schema, table, column;
    };
    QHash<QPair<qlonglong, int>, Origin> origins;
    if (!tables.isEmpty()) {
        const QList<QVariantList> rows = m_server.catalogQuery(
            QStringLiteral("select c.oid::bigint, a.attnum::integer, n.nspname::text, c.relname::text, a.attname::text "
                           "from pg_class c join pg_namespace n on n.oid = c.relnamespace "
                           "join pg_attribute a on a.attrelid = c.oid "
                           "where (c.oid, a.attnum) in (select * from unnest($1::oid[], $2::smallint[]))"),
            {u'{' + tables.join(u',') + u'}', u'{' + numbers.join(u',') + u'}'});
        for (const QVariantList& row : rows)
            origins.insert({row[0].toLongLong(), row[1].toInt()},
                           {row[2].toString(), row[3].toString(), row[4].toString()});
    }
    QHash<QString, std::optional<TableDef>> defs; // by schema and table; none: a table not described
    QList<FieldDef> fields;
    for (const ServerConnection::ResultColumn& column : columns) {
        FieldDef f = fieldvalue::fieldOfType(column);
        const auto origin = origins.constFind({qlonglong(column.table), column.tableColumn});
        if (column.table != 0 && origin != origins.constEnd()) {
            const QString key = origin->schema + u'.' + origin->table;
            auto def = defs.find(key);
            if (def == defs.end()) {
                std::optional<TableDef> read;
                try {
                    read = dataset::tableDef(m_server, origin->schema, origin->table);
                } catch (const DbError& e) {
                    // A table the data set does not describe (made by plain SQL): its types say.
                    qCDebug(lcDb) << "fields of" << key << "read from their types:" << e.description();
                }
                def = defs.insert(key, read);
            }
            if (*def) {
                if (const FieldDef* found = (*def)->field(origin->column))
                    f = *found;
            }
        }
        f.name = column.name;
        f.attributes &= ~fieldattr::AutoIncrField;
        fields << f;
    }
    return fields;
}

QString ServerDataSet::criterion(const QString& jetCriterion)
{
    return compileCriterion(jetCriterion, m_catalog);
}

QString ServerDataSet::selectStatement(const QString& source)
{
    QString jet = source;
    if (const std::optional<QString> name = bareName(source))
        jet = QStringLiteral("SELECT * FROM ") + jetsql::quoteJetName(*name);
    const jetsql::Translation translation = compileStatement(jet, m_catalog);
    const auto* statements = std::get_if<jetsql::Statements>(&translation);
    if (!statements || statements->sql.size() != 1 || !jet.trimmed().startsWith(u"select", Qt::CaseInsensitive))
        throw DbError(errc::SyntaxError, QStringLiteral("A recordset needs a SELECT statement: ") + source);
    return statements->sql.first();
}

ServerDataSet::Rows ServerDataSet::select(const QString& source)
{
    use();
    const QString sql = selectStatement(source);
    Rows rows;
    for (const ServerConnection::ResultColumn& column : m_server.resultColumns(sql))
        rows.columns << column.name;
    rows.values = m_server.query(sql);
    return rows;
}

QList<int> ServerDataSet::find(const QString& source, const QString& criterion)
{
    use();
    // Each row numbered in the order the SELECT gives it, then the criterion over its columns.
    const QString sql =
        QStringLiteral("SELECT \"msys_pos\" FROM (SELECT *, row_number() OVER () AS \"msys_pos\" FROM (") +
        selectStatement(source) + QStringLiteral(") AS \"Rows\") AS \"Found\" WHERE ") +
        compileCriterion(criterion, m_catalog) + QStringLiteral(" ORDER BY \"msys_pos\"");
    QList<int> positions;
    for (const QVariantList& row : m_server.query(sql))
        positions << int(row.first().toLongLong()) - 1;
    return positions;
}

bool ServerDataSet::hasTable(const QString& name)
{
    return dataset::storedName(m_server, m_schema, name).has_value();
}

TableDef ServerDataSet::tableDef(const QString& name)
{
    return dataset::tableDef(m_server, m_schema, name);
}

void ServerDataSet::appendTableDef(const TableDef& def)
{
    if (hasTable(def.name))
        throw DbError(errc::TableExists, QStringLiteral("Table '") + def.name + QStringLiteral("' already exists."));
    m_server.inTransaction([&] { dataset::createTable(m_server, m_schema, def); });
}

QStringList ServerDataSet::queryNames()
{
    QStringList names;
    for (const auto& [name, sql] : dataset::queries(m_server, m_schema))
        names << name;
    return names;
}

void ServerDataSet::createQueryDef(const QString& name, const QString& jetSql)
{
    dataset::createQuery(m_server, m_schema, name, jetSql);
}

void ServerDataSet::setQuerySql(const QString& name, const QString& jetSql)
{
    dataset::setQuery(m_server, m_schema, name, jetSql);
}

} // namespace db::pg
