#include "parser.h"

#include "fold.h"
#include "sql_text.h"
#include "syntax_error.h"

namespace jetsql {

QString quoteName(const QString& name)
{
    return quoteIdentifier(name);
}

QString quoteText(const QString& text)
{
    return quoteLiteral(text);
}

bool isMainSchema(const QString& schema)
{
    return schema.isEmpty() || schema.compare(QLatin1String("main"), Qt::CaseInsensitive) == 0;
}

QString Parser::name(const QString& name) const
{
    // SQLite compares names ignoring letter case. A server compares quoted names exactly and
    // keeps ours lower-cased, as it keeps unquoted names.
    return quoteName(onServer() ? name.toLower() : name);
}

QString Parser::qualifiedName(const QString& schema, const QString& name) const
{
    if (isMainSchema(schema))
        return this->name(name);
    return quoteName(schema) + u'.' + this->name(name);
}

QString Parser::caseless(const Expr& e) const
{
    if (e.kind == Expr::Kind::Number || e.kind == Expr::Kind::Null)
        return e.sql;
    if (onServer()) {
        // A literal's fold is known now; the literal stays untyped, so that the server reads it as
        // the type of what it meets.
        if (e.kind == Expr::Kind::Text)
            return foldCase(e.sql);
        return QStringLiteral("selvaro_fold(") + e.sql + u')';
    }
    if (e.kind == Expr::Kind::Column)
        return e.sql; // its declared collation
    return e.sql + QStringLiteral(" COLLATE NOCASE");
}

QString Parser::compared(const Expr& left, const QString& op, const Expr& right) const
{
    if (onServer())
        return caseless(left) + u' ' + op + u' ' + caseless(right);
    // SQLite takes the collation of the left side, else of a column on the right.
    const bool plain = left.kind == Expr::Kind::Column || right.kind == Expr::Kind::Column ||
                       left.kind == Expr::Kind::Number || left.kind == Expr::Kind::Null ||
                       right.kind == Expr::Kind::Number || right.kind == Expr::Kind::Null;
    return (plain ? left.sql : left.sql + QStringLiteral(" COLLATE NOCASE")) + u' ' + op + u' ' + right.sql;
}

Parser::Parser(const QString& text, Catalog& catalog, const QString& defaultSchema, const QStringList& expanding)
    : m_text(text), m_tokens(tokenize(text)), m_catalog(catalog), m_defaultSchema(defaultSchema), m_expanding(expanding)
{}

const Token& Parser::peek(int ahead) const
{
    const qsizetype index = std::min(m_pos + ahead, m_tokens.size() - 1);
    return m_tokens[index];
}

Token Parser::next()
{
    const Token token = peek();
    if (m_pos < m_tokens.size() - 1)
        ++m_pos;
    return token;
}

bool Parser::acceptWord(const char* keyword)
{
    if (!peek().isWord(keyword))
        return false;
    next();
    return true;
}

void Parser::expectWord(const char* keyword)
{
    if (!acceptWord(keyword))
        failAt(peek(), QStringLiteral("%1 expected").arg(QLatin1String(keyword).toString().toUpper()));
}

bool Parser::acceptSymbol(const char* symbol)
{
    if (!peek().isSymbol(symbol))
        return false;
    next();
    return true;
}

void Parser::expectSymbol(const char* symbol)
{
    if (!acceptSymbol(symbol))
        failAt(peek(), QStringLiteral("\"%1\" expected").arg(QLatin1String(symbol)));
}

bool Parser::atEnd() const
{
    const Token& token = peek();
    if (token.kind == Token::Kind::End)
        return true;
    return token.isSymbol(";") && peek(1).kind == Token::Kind::End;
}

void Parser::expectEnd()
{
    if (!atEnd())
        failAt(peek(), QStringLiteral("end of statement expected"));
}

bool Parser::isReserved(const Token& token) const
{
    static const char* const reserved[] = {
        "select", "from",   "where",  "group",  "order", "having",   "union",       "inner",  "left", "right",
        "join",   "on",     "in",     "as",     "into",  "and",      "or",          "not",    "like", "between",
        "is",     "null",   "set",    "values", "with",  "distinct", "distinctrow", "top",    "by",   "asc",
        "desc",   "all",    "exists", "true",   "false", "mod",      "xor",         "outer",  "full", "delete",
        "update", "insert", "drop",   "create", "index", "table",    "primary",     "unique", "eqv",  "imp",
    };
    if (token.kind != Token::Kind::Word)
        return false;
    for (const char* word : reserved) {
        if (token.isWord(word))
            return true;
    }
    return false;
}

void Parser::fail(const QString& what) const
{
    failAt(peek(), what);
}

void Parser::failAt(const Token& token, const QString& what) const
{
    QString near;
    if (token.kind == Token::Kind::End)
        near = QStringLiteral("at the end");
    else
        near = QStringLiteral("at character %1").arg(token.position + 1);
    throw SyntaxError(QStringLiteral("Syntax error (%1 %2) in %3").arg(what, near, quoteStatement(m_text)));
}

bool Parser::atIdentifier() const
{
    const Token& token = peek();
    return token.kind == Token::Kind::Name || (token.kind == Token::Kind::Word && !isReserved(token));
}

QString Parser::identifier(const QString& what)
{
    if (!atIdentifier())
        failAt(peek(), QStringLiteral("%1 expected").arg(what));
    return next().text.trimmed();
}

} // namespace jetsql
