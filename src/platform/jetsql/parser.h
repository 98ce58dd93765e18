#pragma once

#include "catalog.h"
#include "lexer.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The recursive-descent translator behind translateStatement() and translateCriterion(). It reads
// Jet tokens and writes SQL text for the catalog's engine as it goes; every expression it writes
// is self-contained (parenthesised), so the caller may put it anywhere, including before COLLATE.
//
// Texts compare ignoring letter case on both engines. On SQLite a plain column brings its
// declared collation (NOCASE, our fold) and anything else gets COLLATE NOCASE. A server has no
// such collation: both sides of a comparison are folded by selvaro_fold() (the same fold; it
// gives any other type back unchanged), a text literal already folded here so that it keeps the
// type the other side gives it ('2009-02-01' against a date).
namespace jetsql {

// "name" with inner double quotes doubled.
QString quoteName(const QString& name);
// 'text' with inner single quotes doubled.
QString quoteText(const QString& text);
bool isMainSchema(const QString& schema);

// A translated expression and what is known about it.
struct Expr
{
    enum class Kind
    {
        Other,
        Column, // a plain column reference: its declared collation decides text comparisons
        Text,   // a text literal
        Number, // a numeric literal (also True and False)
        Null,
    };
    QString sql;
    Kind kind = Kind::Other;
    QString name; // Column: the column's own name (without its table)
};

// One entry of a FROM list, or the target of UPDATE, DELETE and INSERT.
struct Source
{
    QString sql;   // as it stands in FROM
    QString alias; // the name that qualifies its columns
    // The table behind the source: the table itself, or the one table a stored query of the form
    // "SELECT * FROM t [IN '<path>']" reads. Empty when the source is another query.
    QString schema;
    QString table;
    bool isQuery = false;
    // For a stored query: its own translated SELECT.
    QString storedQuerySql;
    // Output columns (only computed when asked for; nullopt when unknown).
    std::optional<QStringList> columns;
};

// A translated SELECT.
struct Select
{
    QString sql;
    std::optional<QStringList> columns; // output column names, when asked for and known
    // SELECT ... INTO target [IN '<path>']
    std::optional<QString> intoTable;
    std::optional<QString> intoPath;
    // Set when the list is "*" or "x.*" over exactly one source that has a table behind it and
    // nothing else: no WHERE, GROUP BY, DISTINCT, TOP, UNION or ORDER BY (for structure copies
    // and for updating through a stored query).
    bool plainStar = false;
    QString starSchema;
    QString starTable;
    // Set when the whole statement is "SELECT * FROM <stored query>": the query's own SELECT,
    // which then stands for the statement (so that a dynaset over it can still write its table).
    QString bareStoredQuerySql;
    // Set when the list is "*" or "x.*" over exactly one table, whatever the clauses.
    std::optional<QString> structureSchema;
    std::optional<QString> structureTable;
    // A DISTINCT list on a server: each item folded, and as it is.
    QStringList distinctFolds;
    QStringList distinctValues;
};

class Parser
{
public:
    // `defaultSchema` qualifies table names without IN '<path>' ("main", or the schema of the
    // file whose stored query is being expanded); `expanding` lists the stored queries being
    // expanded, to refuse a query that reads itself.
    Parser(const QString& text, Catalog& catalog, const QString& defaultSchema = QStringLiteral("main"),
           const QStringList& expanding = {});

    // --- tokens -------------------------------------------------------------------------------
    const Token& peek(int ahead = 0) const;
    Token next();
    bool acceptWord(const char* keyword);
    void expectWord(const char* keyword);
    bool acceptSymbol(const char* symbol);
    void expectSymbol(const char* symbol);
    // True at the end of the text (a trailing ";" allowed).
    bool atEnd() const;
    void expectEnd();
    bool isReserved(const Token& token) const;
    [[noreturn]] void fail(const QString& what) const;
    [[noreturn]] void failAt(const Token& token, const QString& what) const;
    // A Word that is not reserved, or a [Name]; raises otherwise.
    QString identifier(const QString& what);
    bool atIdentifier() const;

    Catalog& catalog() { return m_catalog; }
    const QString& defaultSchema() const { return m_defaultSchema; }
    bool onServer() const { return m_catalog.dialect() == Dialect::PostgreSQL; }

    // --- names and the text comparison in the engine's text --------------------------------------
    // A table, column or alias name, quoted, as the engine spells it.
    QString name(const QString& name) const;
    // name() for the main schema, "schema".name() otherwise.
    QString qualifiedName(const QString& schema, const QString& name) const;
    // e where rows are compared, grouped or sorted by it, ignoring letter case.
    QString caseless(const Expr& e) const;
    // Both sides of a comparison whose operator goes between them.
    QString compared(const Expr& left, const QString& op, const Expr& right) const;

    // --- expressions (jet_expression.cpp) -------------------------------------------------
    Expr expression();

    // --- queries (jet_select.cpp) ---------------------------------------------------------
    // At SELECT. With `wantColumns` the output column names are worked out (asking the catalog
    // for the columns behind "*"). INTO is accepted only when `allowInto`.
    Select select(bool wantColumns, bool allowInto = false);
    // One FROM entry: name [IN '<path>'] [[AS] alias], a stored query, or (subquery) [AS] alias.
    Source tableSource(bool wantColumns);
    // Resolves a table or stored query name read in `schema` to a Source.
    Source resolveName(const QString& name, const QString& schema, const QString& alias, bool wantColumns);
    // The schema named by an optional IN '<path>' after a table name; the default otherwise.
    QString optionalInClause();

private:
    Expr orExpr();
    Expr andExpr();
    Expr notExpr();
    Expr comparison();
    Expr concatenation();
    Expr additive();
    Expr modulo();
    Expr integerDivision();
    Expr multiplicative();
    Expr unary();
    Expr power();
    Expr primary();
    Expr functionCall(const Token& nameToken);
    Expr dateLiteral(const Token& token);
    QString subqueryText();

    QString selectCore(bool wantColumns, bool allowInto, Select& result, int& exprNumber, std::optional<QString>& top);
    QString fromList(bool wantColumns, QList<Source>& sources);
    QString joinedSources(bool wantColumns, QList<Source>& sources);
    QString orderByList(QStringList* foldedItems);

    QString m_text;
    QList<Token> m_tokens;
    qsizetype m_pos = 0;
    Catalog& m_catalog;
    QString m_defaultSchema;
    // The select list's aliased expressions, by alias lower-cased: a server takes an alias in
    // ORDER BY only bare, so a folded order names the expression itself.
    QHash<QString, Expr> m_aliases;
    QStringList m_expanding;
};

} // namespace jetsql
