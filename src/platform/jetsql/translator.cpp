// Statement level of the Jet dialect: which statement it is, and what each kind becomes.

#include "translator.h"

#include "functions.h"
#include "parser.h"

#include <algorithm>
#include <sqlite3.h>

namespace jetsql {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A source whose rows a statement changes: a table, or a stored query "SELECT * FROM t".
void requireTable(Parser& parser, const Source& source, const char* what)
{
    if (source.table.isEmpty())
        parser.fail(QStringLiteral("%1 cannot change the rows of query %2").arg(QLatin1String(what), source.alias));
}

QString targetWithAlias(const Parser& parser, const Source& source)
{
    QString sql = parser.qualifiedName(source.schema, source.table);
    if (!sameName(source.alias, source.table) || !isMainSchema(source.schema))
        sql += QStringLiteral(" AS ") + parser.name(source.alias);
    return sql;
}

Translation translateSelect(Parser& parser)
{
    const Select select = parser.select(false, true);
    parser.expectEnd();
    if (!select.intoTable)
        return Statements{QStringList{select.sql}};
    SelectInto into;
    into.schema = select.intoPath ? parser.catalog().attach(*select.intoPath) : QStringLiteral("main");
    into.table = *select.intoTable;
    into.structureFromSchema = select.structureSchema;
    into.structureFrom = select.structureTable;
    into.insertSql = QStringLiteral("INSERT INTO ") + parser.qualifiedName(into.schema, into.table) + u' ' + select.sql;
    into.selectSql = select.sql;
    return into;
}

// INSERT INTO t [IN '<path>'] [(columns)] SELECT ... | VALUES (...). Without a column list the
// selected columns go to the target's columns of the same names, as the old engine matched them.
Translation translateInsert(Parser& parser)
{
    parser.expectWord("insert");
    parser.expectWord("into");
    const QString name = parser.identifier(QStringLiteral("table name"));
    const QString schema = parser.optionalInClause();
    const Source target = parser.resolveName(name, schema, QString(), false);
    requireTable(parser, target, "INSERT");

    QStringList columns;
    if (parser.peek().isSymbol("(") && !parser.peek(1).isWord("select")) {
        parser.next();
        do {
            columns << parser.identifier(QStringLiteral("column name"));
        } while (parser.acceptSymbol(","));
        parser.expectSymbol(")");
    }
    QString body;
    if (parser.acceptWord("values")) {
        parser.expectSymbol("(");
        QStringList values;
        do {
            values << parser.expression().sql;
        } while (parser.acceptSymbol(","));
        parser.expectSymbol(")");
        body = QStringLiteral("VALUES (") + values.join(QStringLiteral(", ")) + u')';
    } else {
        const bool parenthesised = parser.acceptSymbol("(");
        if (!parser.peek().isWord("select"))
            parser.fail(QStringLiteral("SELECT or VALUES expected"));
        const Select select = parser.select(columns.isEmpty());
        if (parenthesised)
            parser.expectSymbol(")");
        if (columns.isEmpty() && select.columns)
            columns = *select.columns;
        body = select.sql;
    }
    parser.expectEnd();
    QString sql = QStringLiteral("INSERT INTO ") + parser.qualifiedName(target.schema, target.table);
    if (!columns.isEmpty()) {
        QStringList quoted;
        for (const QString& column : columns)
            quoted << parser.name(column);
        sql += QStringLiteral(" (") + quoted.join(QStringLiteral(", ")) + u')';
    }
    return Statements{QStringList{sql + u' ' + body}};
}

struct Assignment
{
    QString qualifier;
    QString column;
    QString value;
};

// UPDATE a [, b ...] | a INNER JOIN b ON ... SET ... [WHERE ...]. The table whose columns are set
// is the target; the other sources move to FROM and join conditions to WHERE.
Translation translateUpdate(Parser& parser)
{
    parser.expectWord("update");
    QList<Source> sources;
    QStringList joinConditions;
    sources << parser.tableSource(false);
    while (true) {
        if (parser.acceptSymbol(",")) {
            sources << parser.tableSource(false);
        } else if (parser.acceptWord("inner")) {
            parser.expectWord("join");
            sources << parser.tableSource(false);
            parser.expectWord("on");
            joinConditions << parser.expression().sql;
        } else if (parser.peek().isWord("left") || parser.peek().isWord("right")) {
            parser.fail(QStringLiteral("only INNER JOIN is supported in UPDATE"));
        } else {
            break;
        }
    }
    parser.expectWord("set");
    QList<Assignment> assignments;
    do {
        Assignment a;
        a.column = parser.identifier(QStringLiteral("column name"));
        if (parser.acceptSymbol(".") || parser.acceptSymbol("!")) {
            a.qualifier = a.column;
            a.column = parser.identifier(QStringLiteral("column name"));
        }
        parser.expectSymbol("=");
        a.value = parser.expression().sql;
        assignments << a;
    } while (parser.acceptSymbol(","));
    QString where;
    if (parser.acceptWord("where"))
        where = parser.expression().sql;
    parser.expectEnd();

    // The target: the source the assignments name, or the one source holding their columns.
    qsizetype target = -1;
    for (const Assignment& a : assignments) {
        qsizetype index = -1;
        if (!a.qualifier.isEmpty()) {
            for (qsizetype i = 0; i < sources.size(); ++i) {
                if (sameName(sources[i].alias, a.qualifier))
                    index = i;
            }
            if (index < 0)
                parser.fail(QStringLiteral("%1 is not a table of this UPDATE").arg(a.qualifier));
        } else if (sources.size() == 1) {
            index = 0;
        } else {
            for (qsizetype i = 0; i < sources.size(); ++i) {
                if (sources[i].table.isEmpty())
                    continue;
                const QStringList columns = parser.catalog().columns(sources[i].schema, sources[i].table);
                const bool has = std::any_of(columns.begin(), columns.end(),
                                             [&](const QString& c) { return sameName(c, a.column); });
                if (has) {
                    if (index >= 0)
                        parser.fail(QStringLiteral("column %1 is ambiguous in UPDATE").arg(a.column));
                    index = i;
                }
            }
            if (index < 0)
                parser.fail(QStringLiteral("no table of this UPDATE has the column %1").arg(a.column));
        }
        if (target >= 0 && index != target)
            parser.fail(QStringLiteral("an UPDATE may change the columns of one table only"));
        target = index;
    }
    const Source& targetSource = sources[target];
    requireTable(parser, targetSource, "UPDATE");

    QStringList set;
    for (const Assignment& a : assignments)
        set << parser.name(a.column) + QStringLiteral(" = ") + a.value;
    QString sql = QStringLiteral("UPDATE ") + targetWithAlias(parser, targetSource) + QStringLiteral(" SET ") +
                  set.join(QStringLiteral(", "));
    QStringList from;
    for (qsizetype i = 0; i < sources.size(); ++i) {
        if (i != target)
            from << sources[i].sql;
    }
    if (!from.isEmpty())
        sql += QStringLiteral(" FROM ") + from.join(QStringLiteral(", "));
    QStringList conditions = joinConditions;
    if (!where.isEmpty())
        conditions << where;
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    return Statements{QStringList{sql}};
}

// DELETE [*|t.*] FROM t [IN '<path>'] [WHERE ...]
Translation translateDelete(Parser& parser)
{
    parser.expectWord("delete");
    if (!parser.acceptSymbol("*")) {
        if (parser.atIdentifier() && (parser.peek(1).isSymbol(".") || parser.peek(1).isSymbol("!")) &&
            parser.peek(2).isSymbol("*")) {
            parser.next();
            parser.next();
            parser.next();
        }
    }
    parser.expectWord("from");
    const Source source = parser.tableSource(false);
    requireTable(parser, source, "DELETE");
    QString sql = QStringLiteral("DELETE FROM ") + targetWithAlias(parser, source);
    if (parser.acceptWord("where"))
        sql += QStringLiteral(" WHERE ") + parser.expression().sql;
    parser.expectEnd();
    return Statements{QStringList{sql}};
}

// CREATE [UNIQUE] INDEX name ON table (field [ASC|DESC], ...) [WITH PRIMARY|DISALLOW NULL|IGNORE NULL]
Translation translateCreateIndex(Parser& parser)
{
    parser.expectWord("create");
    CreateIndex create;
    create.schema = QStringLiteral("main");
    create.index.unique = parser.acceptWord("unique");
    if (!parser.acceptWord("index"))
        parser.fail(QStringLiteral("only CREATE INDEX is supported"));
    create.index.name = parser.identifier(QStringLiteral("index name"));
    parser.expectWord("on");
    create.table = parser.identifier(QStringLiteral("table name"));
    parser.expectSymbol("(");
    do {
        create.index.fields << parser.identifier(QStringLiteral("field name"));
        if (!parser.acceptWord("asc"))
            parser.acceptWord("desc");
    } while (parser.acceptSymbol(","));
    parser.expectSymbol(")");
    if (parser.acceptWord("with")) {
        do {
            if (parser.acceptWord("primary")) {
                create.index.primary = true;
                create.index.unique = true;
            } else if (parser.acceptWord("disallow") || parser.acceptWord("ignore")) {
                parser.expectWord("null");
            } else {
                parser.fail(QStringLiteral("PRIMARY, DISALLOW NULL or IGNORE NULL expected"));
            }
        } while (!parser.atEnd());
    }
    parser.expectEnd();
    return create;
}

Translation translateDrop(Parser& parser)
{
    parser.expectWord("drop");
    if (!parser.acceptWord("table"))
        parser.fail(QStringLiteral("only DROP TABLE is supported"));
    DropTable drop;
    drop.schema = QStringLiteral("main");
    drop.table = parser.identifier(QStringLiteral("table name"));
    parser.expectEnd();
    return drop;
}

} // namespace

Translation translateStatement(const QString& jetSql, Catalog& catalog)
{
    Parser parser(jetSql, catalog);
    const Token& first = parser.peek();
    if (first.isWord("select"))
        return translateSelect(parser);
    if (first.isWord("insert"))
        return translateInsert(parser);
    if (first.isWord("update"))
        return translateUpdate(parser);
    if (first.isWord("delete"))
        return translateDelete(parser);
    if (first.isWord("create"))
        return translateCreateIndex(parser);
    if (first.isWord("drop"))
        return translateDrop(parser);
    parser.fail(QStringLiteral("SELECT, INSERT, UPDATE, DELETE, CREATE INDEX or DROP TABLE expected"));
}

QString translateCriterion(const QString& jetCriterion, Catalog& catalog)
{
    Parser parser(jetCriterion, catalog);
    if (parser.atEnd())
        parser.fail(QStringLiteral("empty criterion"));
    const Expr e = parser.expression();
    parser.expectEnd();
    return e.sql;
}

void registerFunctions(sqlite3* connection)
{
    // Translated statements quote every name; a misspelt name must fail rather than be read as
    // a text, which SQLite does with double-quoted text by default.
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    registerCollation(connection);
    registerLike(connection);
    registerJetFunctions(connection);
}

} // namespace jetsql
