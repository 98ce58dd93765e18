// SELECT statements and FROM lists of the Jet dialect: external files named with IN '<path>',
// stored queries expanded where they are named, Jet's INTO and TOP, and letter case ignored in
// DISTINCT, GROUP BY and ORDER BY.

#include "parser.h"

#include <algorithm>

namespace jetsql {

namespace {

struct Item
{
    bool star = false;
    QString qualifier; // "x" of "x.*"
    QString name;      // output name of an expression
};

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString Parser::optionalInClause()
{
    if (!(peek().isWord("in") && peek(1).kind == Token::Kind::String))
        return m_defaultSchema;
    next();
    const Token path = next();
    if (path.text.trimmed().isEmpty())
        failAt(path, QStringLiteral("file name expected after IN"));
    // A connect string may follow the path; the file is opened with this database's password.
    if (peek().kind == Token::Kind::String)
        next();
    return m_catalog.attach(path.text);
}

Source Parser::resolveName(const QString& name, const QString& schema, const QString& alias, bool wantColumns)
{
    const QString shownAlias = alias.isEmpty() ? name : alias;
    if (const std::optional<QString> query = m_catalog.storedQueryIn(schema, name)) {
        for (const QString& outer : m_expanding) {
            if (sameName(outer, name))
                fail(QStringLiteral("stored query %1 reads itself").arg(name));
        }
        Parser inner(*query, m_catalog, schema, m_expanding + QStringList{name});
        if (!inner.peek().isWord("select"))
            fail(QStringLiteral("stored query %1 is not a SELECT query").arg(name));
        const Select select = inner.select(wantColumns);
        inner.expectEnd();
        Source source;
        source.sql = u'(' + select.sql + QStringLiteral(") AS ") + this->name(shownAlias);
        source.alias = shownAlias;
        source.isQuery = true;
        source.storedQuerySql = select.sql;
        source.columns = select.columns;
        if (select.plainStar) {
            source.schema = select.starSchema;
            source.table = select.starTable;
        }
        return source;
    }
    Source source;
    source.schema = schema;
    source.table = name;
    source.alias = shownAlias;
    source.sql = qualifiedName(schema, name);
    if (!alias.isEmpty() || !isMainSchema(schema))
        source.sql += QStringLiteral(" AS ") + this->name(shownAlias);
    if (wantColumns) {
        const QStringList columns = m_catalog.columns(schema, name);
        if (!columns.isEmpty())
            source.columns = columns;
    }
    return source;
}

Source Parser::tableSource(bool wantColumns)
{
    if (peek().isSymbol("(") && peek(1).isWord("select")) {
        next();
        const Select select = this->select(wantColumns);
        expectSymbol(")");
        // The name is optional, as in the old engine; an unnamed subquery gets one of its own.
        QString alias;
        if (acceptWord("as"))
            alias = identifier(QStringLiteral("name of the subquery"));
        else if (atIdentifier())
            alias = identifier(QStringLiteral("name of the subquery"));
        else
            alias = QStringLiteral("Query%1").arg(peek().position);
        Source source;
        source.sql = u'(' + select.sql + QStringLiteral(") AS ") + name(alias);
        source.alias = alias;
        source.isQuery = true;
        source.columns = select.columns;
        if (select.plainStar) {
            source.schema = select.starSchema;
            source.table = select.starTable;
        }
        return source;
    }
    const QString name = identifier(QStringLiteral("table name"));
    const QString schema = optionalInClause();
    QString alias;
    if (acceptWord("as"))
        alias = identifier(QStringLiteral("alias"));
    else if (atIdentifier())
        alias = identifier(QStringLiteral("alias"));
    return resolveName(name, schema, alias, wantColumns);
}

QString Parser::joinedSources(bool wantColumns, QList<Source>& sources)
{
    QString sql;
    if (peek().isSymbol("(") && !peek(1).isWord("select")) {
        next();
        sql = u'(' + joinedSources(wantColumns, sources) + u')';
        expectSymbol(")");
    } else {
        const Source source = tableSource(wantColumns);
        sources.append(source);
        sql = source.sql;
    }
    while (true) {
        QString join;
        if (acceptWord("inner")) {
            join = QStringLiteral("INNER JOIN");
        } else if (acceptWord("left")) {
            acceptWord("outer");
            join = QStringLiteral("LEFT JOIN");
        } else if (acceptWord("right")) {
            acceptWord("outer");
            join = QStringLiteral("RIGHT JOIN");
        } else if (peek().isWord("join")) {
            join = QStringLiteral("INNER JOIN");
        } else {
            return sql;
        }
        expectWord("join");
        QString right;
        if (peek().isSymbol("(") && !peek(1).isWord("select")) {
            next();
            right = u'(' + joinedSources(wantColumns, sources) + u')';
            expectSymbol(")");
        } else {
            const Source source = tableSource(wantColumns);
            sources.append(source);
            right = source.sql;
        }
        expectWord("on");
        sql += u' ' + join + u' ' + right + QStringLiteral(" ON ") + expression().sql;
    }
}

QString Parser::fromList(bool wantColumns, QList<Source>& sources)
{
    QStringList parts;
    do {
        parts << joinedSources(wantColumns, sources);
    } while (acceptSymbol(","));
    return parts.join(QStringLiteral(", "));
}

QString Parser::orderByList(QStringList* foldedItems)
{
    QStringList items;
    do {
        Expr e = expression();
        if (onServer() && e.kind == Expr::Kind::Column && m_aliases.contains(e.name.toLower()))
            e = m_aliases.value(e.name.toLower());
        QString item = caseless(e);
        *foldedItems << item;
        if (acceptWord("desc"))
            item += QStringLiteral(" DESC");
        else
            acceptWord("asc");
        items << item;
    } while (acceptSymbol(","));
    return items.join(QStringLiteral(", "));
}

QString Parser::selectCore(bool wantColumns, bool allowInto, Select& result, int& exprNumber,
                           std::optional<QString>& top)
{
    expectWord("select");
    QString sql = QStringLiteral("SELECT ");
    bool distinct = false;
    if (acceptWord("distinct")) {
        distinct = true;
        sql += QStringLiteral("DISTINCT ");
    } else if (!acceptWord("distinctrow")) {
        acceptWord("all");
    }
    top.reset();
    if (peek().isWord("top")) {
        next();
        if (peek().kind != Token::Kind::Number)
            fail(QStringLiteral("number expected after TOP"));
        top = next().text;
        if (peek().isWord("percent"))
            fail(QStringLiteral("TOP ... PERCENT is not supported"));
    }

    QList<Item> items;
    QStringList itemSql;
    m_aliases.clear();
    do {
        Item item;
        if (acceptSymbol("*")) {
            item.star = true;
            itemSql << QStringLiteral("*");
        } else if (atIdentifier() && (peek(1).isSymbol(".") || peek(1).isSymbol("!")) && peek(2).isSymbol("*")) {
            item.star = true;
            item.qualifier = identifier(QStringLiteral("table name"));
            next();
            next();
            itemSql << name(item.qualifier) + QStringLiteral(".*");
        } else {
            const Expr e = expression();
            QString alias;
            if (acceptWord("as"))
                alias = identifier(QStringLiteral("column name"));
            const bool column = e.kind == Expr::Kind::Column;
            if (!alias.isEmpty()) {
                item.name = alias;
                m_aliases.insert(alias.toLower(), e);
            } else if (column)
                item.name = e.name;
            else
                item.name = QStringLiteral("Expr%1").arg(exprNumber++);
            // A server keeps the values as they are and tells them apart by their folds (DISTINCT ON).
            QString text = distinct && !onServer() ? caseless(e) : e.sql;
            if (distinct && onServer()) {
                result.distinctFolds << caseless(e);
                result.distinctValues << e.sql;
            }
            if (!alias.isEmpty() || !column)
                text += QStringLiteral(" AS ") + name(item.name);
            itemSql << text;
        }
        items << item;
    } while (acceptSymbol(","));
    sql += itemSql.join(QStringLiteral(", "));
    // DISTINCT ON cannot name what "*" stands for: the server then compares texts exactly.
    if (std::any_of(items.begin(), items.end(), [](const Item& item) { return item.star; })) {
        result.distinctFolds.clear();
        result.distinctValues.clear();
    }

    if (peek().isWord("into")) {
        if (!allowInto)
            fail(QStringLiteral("INTO is not allowed here"));
        next();
        result.intoTable = identifier(QStringLiteral("table name"));
        if (peek().isWord("in") && peek(1).kind == Token::Kind::String) {
            next();
            const Token path = next();
            if (path.text.trimmed().isEmpty())
                failAt(path, QStringLiteral("file name expected after IN"));
            result.intoPath = path.text;
            if (peek().kind == Token::Kind::String)
                next();
        }
    }

    QList<Source> sources;
    if (acceptWord("from"))
        sql += QStringLiteral(" FROM ") + fromList(wantColumns, sources);
    bool filtered = distinct || top.has_value();
    if (acceptWord("where")) {
        sql += QStringLiteral(" WHERE ") + expression().sql;
        filtered = true;
    }
    if (acceptWord("group")) {
        expectWord("by");
        QStringList groups;
        do {
            // A server wants the grouped columns themselves (it cannot see a column through the
            // fold), so there texts that differ in letter case make groups of their own.
            const Expr e = expression();
            groups << (onServer() ? e.sql : caseless(e));
        } while (acceptSymbol(","));
        sql += QStringLiteral(" GROUP BY ") + groups.join(QStringLiteral(", "));
        filtered = true;
    }
    if (acceptWord("having")) {
        sql += QStringLiteral(" HAVING ") + expression().sql;
        filtered = true;
    }
    // What "*" stands for.
    const bool singleStar = items.size() == 1 && items[0].star;
    if (singleStar && sources.size() == 1 && !sources[0].storedQuerySql.isEmpty() && !filtered &&
        (items[0].qualifier.isEmpty() || sameName(items[0].qualifier, sources[0].alias)) &&
        sql.endsWith(sources[0].sql))
        result.bareStoredQuerySql = sources[0].storedQuerySql;
    if (singleStar && sources.size() == 1 && !sources[0].table.isEmpty()) {
        const Source& source = sources[0];
        if (items[0].qualifier.isEmpty() || sameName(items[0].qualifier, source.alias)) {
            result.structureSchema = source.schema;
            result.structureTable = source.table;
            if (!filtered) {
                result.plainStar = true;
                result.starSchema = source.schema;
                result.starTable = source.table;
            }
        }
    }
    if (wantColumns) {
        QStringList columns;
        bool known = true;
        for (const Item& item : items) {
            if (!item.star) {
                columns << item.name;
                continue;
            }
            bool matched = false;
            for (const Source& source : sources) {
                if (!item.qualifier.isEmpty() && !sameName(item.qualifier, source.alias))
                    continue;
                matched = true;
                if (source.columns)
                    columns << *source.columns;
                else
                    known = false;
            }
            if (!matched)
                known = false;
        }
        if (known)
            result.columns = columns;
    }
    return sql;
}

Select Parser::select(bool wantColumns, bool allowInto)
{
    Select result;
    int exprNumber = 1000;
    // TOP n becomes LIMIT n, which SQLite wants after ORDER BY.
    std::optional<QString> limit;
    QString sql = selectCore(wantColumns, allowInto, result, exprNumber, limit);
    bool compound = false;
    while (peek().isWord("union")) {
        compound = true;
        next();
        sql += acceptWord("all") ? QStringLiteral(" UNION ALL ") : QStringLiteral(" UNION ");
        Select part;
        std::optional<QString> partLimit;
        sql += selectCore(false, false, part, exprNumber, partLimit);
        result.bareStoredQuerySql.clear();
        if (limit || partLimit)
            fail(QStringLiteral("TOP in a UNION query is not supported"));
        result.plainStar = false;
        result.structureTable.reset();
        result.structureSchema.reset();
    }
    QStringList orderFolds;
    QString orderBy;
    if (compound)
        m_aliases.clear(); // the order of a union names its result's columns
    if (acceptWord("order")) {
        expectWord("by");
        orderBy = orderByList(&orderFolds);
        result.plainStar = false;
        result.bareStoredQuerySql.clear();
    }
    if (!result.distinctFolds.isEmpty() && !compound) {
        // SELECT DISTINCT ON (folds): the server wants the ORDER BY to begin with them, and the
        // spelling a group shows is made certain by ordering on the values last.
        QStringList on;
        for (const QString& fold : std::as_const(orderFolds)) {
            if (result.distinctFolds.contains(fold) && !on.contains(fold))
                on << fold;
        }
        QStringList rest;
        for (const QString& fold : std::as_const(result.distinctFolds)) {
            if (!on.contains(fold))
                rest << fold;
        }
        on << rest;
        sql.insert(QStringLiteral("SELECT DISTINCT ").size(),
                   QStringLiteral("ON (") + on.join(QStringLiteral(", ")) + QStringLiteral(") "));
        QStringList order = orderBy.isEmpty() ? QStringList() : QStringList{orderBy};
        order << rest << result.distinctValues;
        orderBy = order.join(QStringLiteral(", "));
    }
    // A server orders a union by its result's columns only, never by an expression over them: the
    // union is then a derived table, whose columns the folds name.
    if (!orderBy.isEmpty() && compound && onServer())
        sql = QStringLiteral("SELECT * FROM (") + sql + QStringLiteral(") AS \"Union\" ORDER BY ") + orderBy;
    else if (!orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + orderBy;
    if (!result.bareStoredQuerySql.isEmpty())
        sql = result.bareStoredQuerySql;
    if (limit)
        sql += QStringLiteral(" LIMIT ") + *limit;
    if (!result.plainStar) {
        result.starSchema.clear();
        result.starTable.clear();
    }
    result.sql = sql;
    return result;
}

} // namespace jetsql
