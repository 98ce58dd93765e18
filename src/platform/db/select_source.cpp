#include "select_source.h"

#include "connection.h"
#include "db_error.h"
#include "db_log.h"
#include "schema_store.h"
#include "sql_quote.h"
#include "translation.h"

#include <sqlite3.h>

namespace db {

namespace {

// [name] -> name, "]]" inside read as "]" (quoteJetName).
QString stripBrackets(const QString& name)
{
    if (name.size() > 2 && name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']'))) {
        QString inner = name.mid(1, name.size() - 2);
        inner.replace(QStringLiteral("]]"), QStringLiteral("]"));
        return inner;
    }
    return name;
}

bool isPlainName(const QString& text)
{
    for (const QChar c : text) {
        if (c.isSpace() || c == QLatin1Char('(') || c == QLatin1Char(','))
            return false;
    }
    return !text.isEmpty();
}

QString translateSelect(Connection& conn, const QString& jetSql)
{
    const jetsql::Translation translation = compileStatement(jetSql, conn);
    const auto* statements = std::get_if<jetsql::Statements>(&translation);
    if (!statements || statements->sql.size() != 1)
        throw DbError(errc::SyntaxError, QStringLiteral("A recordset needs a SELECT statement: ") + jetSql);
    return statements->sql.first();
}

QString originText(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

SourceSelect resolveSource(Connection& conn, const QString& source)
{
    const QString trimmed = source.trimmed();
    const QString name = stripBrackets(trimmed);
    QString jetSql = trimmed;
    if (isPlainName(trimmed) || name != trimmed) {
        if (const std::optional<QString> table =
                SchemaStore::actualTableName(conn.handle(), QStringLiteral("main"), name);
            table && !table->startsWith(QLatin1String("msys_"))) {
            return {*table, QStringLiteral("SELECT * FROM ") + quoteIdentifier(*table)};
        }
        if (const std::optional<QString> query = conn.storedQuery(name)) {
            jetSql = *query;
        } else {
            throw DbError(errc::TableNotFound,
                          QStringLiteral("Cannot find the input table or query '") + name + QStringLiteral("'."));
        }
    }
    return {QString(), translateSelect(conn, jetSql)};
}

SourceColumn describeColumn(sqlite3* db, sqlite3_stmt* stmt, int i, QHash<QString, TableDef>& defs)
{
    SourceColumn c;
    c.name = QString::fromUtf8(sqlite3_column_name(stmt, i));
    const QString originDb = originText(sqlite3_column_database_name(stmt, i));
    const QString originTable = originText(sqlite3_column_table_name(stmt, i));
    const QString originColumn = originText(sqlite3_column_origin_name(stmt, i));
    const FieldDef* f = nullptr;
    if (!originTable.isEmpty()) {
        const QString key = originDb + QLatin1Char('.') + originTable;
        if (!defs.contains(key)) {
            try {
                defs.insert(key, SchemaStore::readTableDef(db, originDb, originTable));
            } catch (const DbError& e) {
                // a temporary or internal table: use declared types
                qCDebug(lcDb) << "columns of" << key << "read from their declared types:" << e.description();
                defs.insert(key, TableDef());
            }
        }
        f = defs[key].field(originColumn);
    }
    const char* decl = sqlite3_column_decltype(stmt, i);
    if (f) {
        c.def = *f;
        c.def.name = c.name;
    } else {
        c.def = SchemaStore::fieldFromDeclaredType(c.name, decl ? QString::fromUtf8(decl) : QString());
        c.typed = decl != nullptr;
    }
    return c;
}

} // namespace db
