// Expressions of the Jet dialect, by the old engine's operator precedence (lowest first):
// OR/XOR, AND, NOT, comparisons (= <> < > <= >= Like In Between Is), &, + and -, Mod, \, * and /,
// unary minus, ^.

#include "parser.h"

#include <QDate>
#include <QTime>

namespace jetsql {

namespace {

bool isColumn(const Expr& e)
{
    return e.kind == Expr::Kind::Column;
}

bool isNumberOrNull(const Expr& e)
{
    return e.kind == Expr::Kind::Number || e.kind == Expr::Kind::Null;
}

// The left side of a text comparison. A plain column brings its own declared collation (NOCASE);
// anything else gets COLLATE NOCASE so that letter case is ignored as in every comparison of ours.
QString comparedLeft(const Expr& left, const Expr& right)
{
    if (isColumn(left) || isColumn(right) || isNumberOrNull(left) || isNumberOrNull(right))
        return left.sql;
    return left.sql + QStringLiteral(" COLLATE NOCASE");
}

QString comparedLeftOfList(const Expr& left)
{
    if (isColumn(left) || isNumberOrNull(left))
        return left.sql;
    return left.sql + QStringLiteral(" COLLATE NOCASE");
}

Expr other(const QString& sql)
{
    Expr e;
    e.sql = sql;
    return e;
}

Expr binary(const Expr& left, const QString& op, const Expr& right)
{
    return other(u'(' + left.sql + u' ' + op + u' ' + right.sql + u')');
}

} // namespace

Expr Parser::expression()
{
    return orExpr();
}

Expr Parser::orExpr()
{
    Expr left = andExpr();
    while (true) {
        if (acceptWord("or")) {
            left = binary(left, QStringLiteral("OR"), andExpr());
        } else if (acceptWord("xor")) {
            const Expr right = andExpr();
            left = other(QStringLiteral("((%1) <> (%2))").arg(left.sql, right.sql));
        } else {
            return left;
        }
    }
}

Expr Parser::andExpr()
{
    Expr left = notExpr();
    while (acceptWord("and"))
        left = binary(left, QStringLiteral("AND"), notExpr());
    return left;
}

Expr Parser::notExpr()
{
    if (acceptWord("not"))
        return other(QStringLiteral("(NOT ") + notExpr().sql + u')');
    return comparison();
}

Expr Parser::comparison()
{
    const Expr left = concatenation();
    const Token& token = peek();
    static const char* const operators[] = {"=", "<>", "<=", ">=", "<", ">"};
    for (const char* op : operators) {
        if (token.isSymbol(op)) {
            next();
            const Expr right = concatenation();
            return other(u'(' + comparedLeft(left, right) + u' ' + QLatin1String(op) + u' ' + right.sql + u')');
        }
    }
    const bool negated = token.isWord("not");
    const Token& keyword = negated ? peek(1) : token;
    const QString notText = negated ? QStringLiteral("NOT ") : QString();
    if (keyword.isWord("like")) {
        if (negated)
            next();
        next();
        const Expr pattern = concatenation();
        // like() of our connections folds letter case and knows the Jet wildcards.
        return other(u'(' + left.sql + u' ' + notText + QStringLiteral("LIKE ") + pattern.sql + u')');
    }
    if (keyword.isWord("in")) {
        if (negated)
            next();
        next();
        expectSymbol("(");
        QString list;
        if (peek().isWord("select")) {
            list = select(false).sql;
        } else {
            QStringList items;
            do {
                items << expression().sql;
            } while (acceptSymbol(","));
            list = items.join(QStringLiteral(", "));
        }
        expectSymbol(")");
        return other(u'(' + comparedLeftOfList(left) + u' ' + notText + QStringLiteral("IN (") + list +
                     QStringLiteral("))"));
    }
    if (keyword.isWord("between")) {
        if (negated)
            next();
        next();
        const Expr low = concatenation();
        expectWord("and");
        const Expr high = concatenation();
        return other(u'(' + comparedLeft(left, low) + u' ' + notText + QStringLiteral("BETWEEN ") + low.sql +
                     QStringLiteral(" AND ") + high.sql + u')');
    }
    if (negated)
        return left; // "NOT" belongs to what follows; the caller reports it
    if (token.isWord("is")) {
        next();
        const bool isNot = acceptWord("not");
        expectWord("null");
        return other(u'(' + left.sql + (isNot ? QStringLiteral(" IS NOT NULL)") : QStringLiteral(" IS NULL)")));
    }
    return left;
}

Expr Parser::concatenation()
{
    Expr left = additive();
    while (acceptSymbol("&")) {
        const Expr right = additive();
        // "&" joins texts and reads null as an empty text.
        left = other(QStringLiteral("(ifnull(%1, '') || ifnull(%2, ''))").arg(left.sql, right.sql));
    }
    return left;
}

Expr Parser::additive()
{
    Expr left = modulo();
    while (true) {
        if (acceptSymbol("+")) {
            const Expr right = modulo();
            if (left.kind == Expr::Kind::Number && right.kind == Expr::Kind::Number) {
                left = binary(left, QStringLiteral("+"), right);
            } else {
                // "+" joins two texts and adds anything else; which one is known only from the
                // values, so jet_plus() decides row by row.
                left = other(QStringLiteral("jet_plus(%1, %2)").arg(left.sql, right.sql));
            }
        } else if (acceptSymbol("-")) {
            left = binary(left, QStringLiteral("-"), modulo());
        } else {
            return left;
        }
    }
}

Expr Parser::modulo()
{
    Expr left = integerDivision();
    while (acceptWord("mod")) {
        const Expr right = integerDivision();
        left =
            other(QStringLiteral("(CAST(round(%1) AS INTEGER) % CAST(round(%2) AS INTEGER))").arg(left.sql, right.sql));
    }
    return left;
}

Expr Parser::integerDivision()
{
    Expr left = multiplicative();
    while (acceptSymbol("\\")) {
        const Expr right = multiplicative();
        left =
            other(QStringLiteral("(CAST(round(%1) AS INTEGER) / CAST(round(%2) AS INTEGER))").arg(left.sql, right.sql));
    }
    return left;
}

Expr Parser::multiplicative()
{
    Expr left = unary();
    while (true) {
        if (acceptSymbol("*")) {
            left = binary(left, QStringLiteral("*"), unary());
        } else if (acceptSymbol("/")) {
            // "/" always divides as floating point.
            const Expr right = unary();
            left = other(QStringLiteral("(CAST(%1 AS REAL) / %2)").arg(left.sql, right.sql));
        } else {
            return left;
        }
    }
}

Expr Parser::unary()
{
    if (acceptSymbol("-")) {
        const Expr operand = unary();
        Expr e = other(QStringLiteral("(-") + operand.sql + u')');
        if (operand.kind == Expr::Kind::Number)
            e.kind = Expr::Kind::Number;
        return e;
    }
    if (acceptSymbol("+"))
        return unary();
    return power();
}

Expr Parser::power()
{
    Expr left = primary();
    while (acceptSymbol("^")) {
        const Expr right = primary();
        left = other(QStringLiteral("jet_power(%1, %2)").arg(left.sql, right.sql));
    }
    return left;
}

QString Parser::subqueryText()
{
    // At "(" SELECT ... ")".
    expectSymbol("(");
    const QString sql = select(false).sql;
    expectSymbol(")");
    return u'(' + sql + u')';
}

Expr Parser::primary()
{
    const Token token = peek();
    Expr e;
    switch (token.kind) {
    case Token::Kind::Number:
        next();
        e.sql = token.text;
        e.kind = Expr::Kind::Number;
        return e;
    case Token::Kind::String:
        next();
        e.sql = quoteText(token.text);
        e.kind = Expr::Kind::Text;
        return e;
    case Token::Kind::Date:
        next();
        return dateLiteral(token);
    case Token::Kind::Symbol:
        if (token.isSymbol("(")) {
            if (peek(1).isWord("select"))
                return other(subqueryText());
            next();
            e = expression();
            expectSymbol(")");
            return e;
        }
        failAt(token, QStringLiteral("value expected"));
    case Token::Kind::End:
        failAt(token, QStringLiteral("value expected"));
    case Token::Kind::Word:
    case Token::Kind::Name:
        break;
    }
    if (token.kind == Token::Kind::Word) {
        if (token.isWord("true") || token.isWord("false")) {
            next();
            e.sql = token.isWord("true") ? QStringLiteral("1") : QStringLiteral("0");
            e.kind = Expr::Kind::Number;
            return e;
        }
        if (token.isWord("null")) {
            next();
            e.sql = QStringLiteral("NULL");
            e.kind = Expr::Kind::Null;
            return e;
        }
        if (token.isWord("exists")) {
            next();
            return other(QStringLiteral("(EXISTS ") + subqueryText() + u')');
        }
        if (peek(1).isSymbol("(")) {
            next();
            return functionCall(token);
        }
    }
    const QString first = identifier(QStringLiteral("value"));
    if (peek().isSymbol(".") || peek().isSymbol("!")) {
        next();
        const QString column = identifier(QStringLiteral("column name"));
        e.sql = quoteName(first) + u'.' + quoteName(column);
        e.name = column;
    } else {
        e.sql = quoteName(first);
        e.name = first;
    }
    e.kind = Expr::Kind::Column;
    return e;
}

Expr Parser::functionCall(const Token& nameToken)
{
    const QString name = nameToken.text.toLower();
    expectSymbol("(");
    QStringList args;
    if (acceptSymbol("*")) {
        args << QStringLiteral("*");
    } else if (!peek().isSymbol(")")) {
        do {
            args << expression().sql;
        } while (acceptSymbol(","));
    }
    expectSymbol(")");
    if (name == QLatin1String("isnull")) {
        if (args.size() != 1)
            failAt(nameToken, QStringLiteral("IsNull takes one value"));
        return other(u'(' + args[0] + QStringLiteral(" IS NULL)"));
    }
    // Quoted, because SQLite reads LEFT and RIGHT as join words otherwise.
    return other(quoteName(name) + u'(' + args.join(QStringLiteral(", ")) + u')');
}

Expr Parser::dateLiteral(const Token& token)
{
    // #month/day/year [time]# or #year-month-day [time]#, written as ISO text.
    const QString text = token.text;
    const qsizetype space = text.indexOf(u' ');
    const QString datePart = space < 0 ? text : text.left(space);
    const QString timePart = space < 0 ? QString() : text.mid(space + 1).trimmed();
    QDate date;
    for (const char* format : {"M/d/yyyy", "yyyy-M-d", "yyyy/M/d", "M-d-yyyy"}) {
        date = QDate::fromString(datePart, QLatin1String(format));
        if (date.isValid())
            break;
    }
    if (!date.isValid() && space < 0) {
        // A time alone.
        for (const char* format : {"H:mm:ss", "H:mm", "h:mm:ss AP", "h:mm AP"}) {
            const QTime time = QTime::fromString(text, QLatin1String(format));
            if (time.isValid()) {
                Expr e;
                e.sql = quoteText(time.toString(QStringLiteral("HH:mm:ss")));
                e.kind = Expr::Kind::Text;
                return e;
            }
        }
    }
    if (!date.isValid())
        failAt(token, QStringLiteral("invalid date #%1#").arg(text));
    QString iso = date.toString(QStringLiteral("yyyy-MM-dd"));
    if (!timePart.isEmpty()) {
        QTime time;
        for (const char* format : {"H:mm:ss", "H:mm", "h:mm:ss AP", "h:mm AP"}) {
            time = QTime::fromString(timePart, QLatin1String(format));
            if (time.isValid())
                break;
        }
        if (!time.isValid())
            failAt(token, QStringLiteral("invalid time in #%1#").arg(text));
        iso += u' ' + time.toString(QStringLiteral("HH:mm:ss"));
    }
    Expr e;
    e.sql = quoteText(iso);
    e.kind = Expr::Kind::Text;
    return e;
}

} // namespace jetsql
