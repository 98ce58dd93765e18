// Expressions of the Jet dialect, by the old engine's operator precedence (lowest first):
// OR/XOR, AND, NOT, comparisons (= <> < > <= >= Like In Between Is), &, + and -, Mod, \, * and /,
// unary minus, ^.

#include "parser.h"
#include "server_prefilter.h"

#include <QDate>
#include <QTime>

using namespace Qt::StringLiterals;

namespace jetsql {

namespace {

Expr other(const QString& sql)
{
    Expr e;
    e.sql = sql;
    return e;
}

// The value of a text literal as written by quoteText().
QString literalValue(const Expr& literal)
{
    return literal.sql.mid(1, literal.sql.size() - 2).replace(u"''"_s, u"'"_s);
}

// A column or a computed value: what a prefilter may test (a literal's type would be unknown).
bool isValue(const Expr& e)
{
    return e.kind == Expr::Kind::Column || e.kind == Expr::Kind::Other;
}

// "prefilter AND " in front of the comparison it tests for, or nothing.
QString before(const std::optional<QString>& prefilter)
{
    return prefilter ? *prefilter + QStringLiteral(" AND ") : QString();
}

// The prefilter of a comparison of a value with a text literal on a server.
std::optional<QString> prefilterOf(bool onServer, const Expr& left, QLatin1String op, const Expr& right)
{
    if (!onServer || right.kind != Expr::Kind::Text || !isValue(left))
        return std::nullopt;
    const QString value = literalValue(right);
    std::optional<QString> low;
    std::optional<QString> high;
    if (op == "=" || op == ">=" || op == ">")
        low = value;
    if (op == "=" || op == "<=" || op == "<")
        high = value;
    return rangePrefilter(left.sql, low, high);
}

// A number rounded to a whole one, for Mod and "\" (a server's integer is 32 bits; SQLite's is 64).
QString wholeNumber(const Expr& e, bool onServer)
{
    return QStringLiteral("CAST(round(") + e.sql +
           (onServer ? QStringLiteral(") AS bigint)") : QStringLiteral(") AS INTEGER)"));
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
            left = other(QStringLiteral("((") + left.sql + QStringLiteral(") <> (") + right.sql + QStringLiteral("))"));
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
            return other(u'(' + before(prefilterOf(onServer(), left, QLatin1String(op), right)) +
                         compared(left, QLatin1String(op), right) + u')');
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
        // like() of our connections, and selvaro_like() of a server, fold letter case and know
        // the Jet wildcards.
        if (onServer()) {
            std::optional<QString> prefilter;
            if (!negated && isValue(left) && pattern.kind == Expr::Kind::Text)
                prefilter = likePrefilter(left.sql, literalValue(pattern));
            return other(u'(' + before(prefilter) + notText + QStringLiteral("selvaro_like(CAST(") + left.sql +
                         QStringLiteral(" AS text), CAST(") + pattern.sql + QStringLiteral(" AS text)))"));
        }
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
            // The server compares the subquery's values by their folds too.
            if (onServer())
                list = QStringLiteral("SELECT selvaro_fold(\"In\".\"value\") FROM (") + list +
                       QStringLiteral(") AS \"In\" (\"value\")");
        } else {
            QStringList items;
            do {
                const Expr item = expression();
                items << (onServer() ? caseless(item) : item.sql);
            } while (acceptSymbol(","));
            list = items.join(QStringLiteral(", "));
        }
        expectSymbol(")");
        const bool plain = !onServer() && (left.kind == Expr::Kind::Column || left.kind == Expr::Kind::Number ||
                                           left.kind == Expr::Kind::Null);
        return other(u'(' + (plain ? left.sql : caseless(left)) + u' ' + notText + QStringLiteral("IN (") + list +
                     QStringLiteral("))"));
    }
    if (keyword.isWord("between")) {
        if (negated)
            next();
        next();
        const Expr low = concatenation();
        expectWord("and");
        const Expr high = concatenation();
        const QString between = u' ' + notText + QStringLiteral("BETWEEN");
        if (onServer()) {
            std::optional<QString> prefilter;
            if (!negated && isValue(left) && low.kind == Expr::Kind::Text && high.kind == Expr::Kind::Text)
                prefilter = rangePrefilter(left.sql, literalValue(low), literalValue(high));
            return other(u'(' + before(prefilter) + caseless(left) + between + u' ' + caseless(low) +
                         QStringLiteral(" AND ") + caseless(high) + u')');
        }
        return other(u'(' + compared(left, between, low) + QStringLiteral(" AND ") + high.sql + u')');
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
        // "&" joins texts and reads null as an empty text; a server joins texts only.
        if (onServer())
            left = other(QStringLiteral("(coalesce(CAST(") + left.sql +
                         QStringLiteral(" AS text), '') || coalesce(CAST(") + right.sql +
                         QStringLiteral(" AS text), ''))"));
        else
            left = other(QStringLiteral("(ifnull(") + left.sql + QStringLiteral(", '') || ifnull(") + right.sql +
                         QStringLiteral(", ''))"));
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
                left = other(QStringLiteral("jet_plus(") + left.sql + QStringLiteral(", ") + right.sql + u')');
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
            other(u'(' + wholeNumber(left, onServer()) + QStringLiteral(" % ") + wholeNumber(right, onServer()) + u')');
    }
    return left;
}

Expr Parser::integerDivision()
{
    Expr left = multiplicative();
    while (acceptSymbol("\\")) {
        const Expr right = multiplicative();
        left =
            other(u'(' + wholeNumber(left, onServer()) + QStringLiteral(" / ") + wholeNumber(right, onServer()) + u')');
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
            const QString real =
                onServer() ? QStringLiteral(" AS double precision) / ") : QStringLiteral(" AS REAL) / ");
            left = other(QStringLiteral("(CAST(") + left.sql + real + right.sql + u')');
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
        left = other(QStringLiteral("jet_power(") + left.sql + QStringLiteral(", ") + right.sql + u')');
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
            if (onServer())
                e.sql = token.isWord("true") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
            else
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
        e.sql = name(first) + u'.' + name(column);
        e.name = column;
    } else {
        e.sql = name(first);
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
    // The functions of the old engine have names of their own on a server, whose left(), trim() …
    // behave otherwise; the server's aggregates (count, sum …) keep theirs.
    static const QStringList jetFunctions = {u"left"_s,  u"right"_s, u"mid"_s,   u"len"_s,   u"trim"_s,
                                             u"ltrim"_s, u"rtrim"_s, u"ucase"_s, u"lcase"_s, u"iif"_s,
                                             u"nz"_s,    u"val"_s,   u"cstr"_s,  u"format"_s};
    const QString called = onServer() && jetFunctions.contains(name) ? u"jet_"_s + name : name;
    // Quoted, because SQLite reads LEFT and RIGHT as join words otherwise.
    return other(quoteName(called) + u'(' + args.join(QStringLiteral(", ")) + u')');
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
