#include "select_shape.h"

#include "sql_quote.h"

#include <QList>
#include <QSet>

namespace db {

namespace {

enum class Kind
{
    Word,
    Quoted,
    String,
    Punct
};

struct Token
{
    Kind kind;
    int start;
    int end;
    int depth; // parenthesis depth at the token
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$') || c.unicode() >= 0x80;
}

QList<Token> tokenize(const QString& sql)
{
    QList<Token> tokens;
    int depth = 0;
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            const int close = int(sql.indexOf(QLatin1String("*/"), i + 2));
            i = close < 0 ? n : close + 2;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            const QChar closeChar = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            const int start = i++;
            while (i < n) {
                if (sql[i] == closeChar) {
                    if (closeChar != QLatin1Char(']') && i + 1 < n && sql[i + 1] == closeChar) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            tokens.append({c == QLatin1Char('\'') ? Kind::String : Kind::Quoted, start, i, depth});
        } else if (isWordChar(c)) {
            const int start = i;
            while (i < n && isWordChar(sql[i]))
                ++i;
            tokens.append({Kind::Word, start, i, depth});
        } else {
            if (c == QLatin1Char(')'))
                --depth;
            tokens.append({Kind::Punct, i, i + 1, depth});
            if (c == QLatin1Char('('))
                ++depth;
            ++i;
        }
    }
    return tokens;
}

QString tokenText(const QString& sql, const Token& t)
{
    return sql.mid(t.start, t.end - t.start);
}

bool isWord(const QString& sql, const Token& t, const char* word)
{
    return t.kind == Kind::Word && tokenText(sql, t).compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

QString unquote(const QString& sql, const Token& t)
{
    const QString text = tokenText(sql, t);
    if (t.kind != Kind::Quoted || text.size() < 2)
        return text;
    const QChar open = text[0];
    QString inner = text.mid(1, text.size() - 2);
    if (open != QLatin1Char('['))
        inner.replace(QString(2, open), QString(open));
    return inner;
}

bool isClauseWord(const QString& word)
{
    static const QSet<QString> words = {
        QStringLiteral("where"),     QStringLiteral("group"),  QStringLiteral("having"),
        QStringLiteral("order"),     QStringLiteral("limit"),  QStringLiteral("union"),
        QStringLiteral("intersect"), QStringLiteral("except"), QStringLiteral("window"),
    };
    return words.contains(word.toLower());
}

bool isAggregate(const QString& word)
{
    static const QSet<QString> names = {
        QStringLiteral("count"), QStringLiteral("sum"),   QStringLiteral("avg"),          QStringLiteral("min"),
        QStringLiteral("max"),   QStringLiteral("total"), QStringLiteral("group_concat"), QStringLiteral("first"),
        QStringLiteral("last"),  QStringLiteral("stdev"), QStringLiteral("var"),          QStringLiteral("string_agg"),
    };
    return names.contains(word.toLower());
}

bool hasAggregateCall(const QString& sql, const QList<Token>& tokens, int from, int to)
{
    for (int i = from; i + 1 < to; ++i) {
        // The translator writes function names quoted ("max"(...)).
        if ((tokens[i].kind == Kind::Word || tokens[i].kind == Kind::Quoted) && isAggregate(unquote(sql, tokens[i])) &&
            tokens[i + 1].kind == Kind::Punct && sql[tokens[i + 1].start] == QLatin1Char('('))
            return true;
    }
    return false;
}

bool isJoinWord(const QString& word)
{
    static const QSet<QString> words = {
        QStringLiteral("join"), QStringLiteral("inner"), QStringLiteral("left"),    QStringLiteral("right"),
        QStringLiteral("full"), QStringLiteral("outer"), QStringLiteral("cross"),   QStringLiteral("natural"),
        QStringLiteral("on"),   QStringLiteral("using"), QStringLiteral("indexed"), QStringLiteral("not"),
    };
    return words.contains(word.toLower());
}

} // namespace

SelectShape SelectShape::analyse(const QString& sql)
{
    SelectShape shape;
    const QList<Token> tokens = tokenize(sql);
    if (tokens.isEmpty() || !isWord(sql, tokens[0], "select"))
        return shape;
    int listStart = 1;
    bool distinct = false;
    if (listStart < tokens.size() && isWord(sql, tokens[listStart], "distinct")) {
        distinct = true;
        ++listStart;
    } else if (listStart < tokens.size() && isWord(sql, tokens[listStart], "all")) {
        ++listStart;
    }
    int fromIndex = -1;
    for (int i = listStart; i < tokens.size(); ++i) {
        if (tokens[i].depth == 0 && isWord(sql, tokens[i], "from")) {
            fromIndex = i;
            break;
        }
    }
    if (fromIndex < 0 || listStart >= fromIndex)
        return shape;
    int clauseIndex = int(tokens.size());
    bool grouped = false;
    for (int i = fromIndex + 1; i < tokens.size(); ++i) {
        if (tokens[i].depth != 0 || tokens[i].kind != Kind::Word)
            continue;
        const QString word = tokenText(sql, tokens[i]);
        if (!isClauseWord(word))
            continue;
        if (clauseIndex == tokens.size())
            clauseIndex = i;
        const QString lower = word.toLower();
        if (lower != QLatin1String("where") && lower != QLatin1String("order") && lower != QLatin1String("limit"))
            grouped = true;
    }
    shape.parsed = true;
    // ORDER BY terms that are a bare column number ("ORDER BY 2", "ORDER BY 2 DESC").
    for (int i = clauseIndex; i + 1 < tokens.size(); ++i) {
        if (tokens[i].depth != 0 || !isWord(sql, tokens[i], "order") || !isWord(sql, tokens[i + 1], "by"))
            continue;
        bool termStart = true;
        for (int k = i + 2; k < tokens.size() && !(tokens[k].depth == 0 && isWord(sql, tokens[k], "limit")); ++k) {
            const QString text = tokenText(sql, tokens[k]);
            if (termStart && tokens[k].depth == 0 && tokens[k].kind == Kind::Word) {
                bool number = false;
                text.toInt(&number);
                const bool ends = k + 1 == tokens.size() || sql[tokens[k + 1].start] == QLatin1Char(',') ||
                                  sql[tokens[k + 1].start] == QLatin1Char(';') || isWord(sql, tokens[k + 1], "asc") ||
                                  isWord(sql, tokens[k + 1], "desc") || isWord(sql, tokens[k + 1], "collate") ||
                                  isWord(sql, tokens[k + 1], "limit") || isWord(sql, tokens[k + 1], "nulls");
                if (number && ends)
                    shape.orderByNumber = true;
            }
            termStart = tokens[k].depth == 0 && tokens[k].kind == Kind::Punct && text == QLatin1String(",");
        }
    }
    shape.selectList = sql.mid(tokens[listStart].start, tokens[fromIndex].start - tokens[listStart].start).trimmed();
    const int fromStart = tokens[fromIndex].end;
    const int fromEnd = clauseIndex < tokens.size() ? tokens[clauseIndex].start : int(sql.size());
    shape.fromClause = sql.mid(fromStart, fromEnd - fromStart).trimmed();
    shape.tail = clauseIndex < tokens.size() ? sql.mid(tokens[clauseIndex].start).trimmed() : QString();
    while (shape.tail.endsWith(QLatin1Char(';')))
        shape.tail = shape.tail.chopped(1).trimmed();
    while (shape.fromClause.endsWith(QLatin1Char(';')))
        shape.fromClause = shape.fromClause.chopped(1).trimmed();

    if (distinct || grouped || hasAggregateCall(sql, tokens, listStart, fromIndex) ||
        hasAggregateCall(sql, tokens, clauseIndex, int(tokens.size())))
        return shape;

    // FROM name | schema.name, optionally followed by [AS] alias.
    QList<Token> from;
    for (int i = fromIndex + 1; i < clauseIndex; ++i) {
        if (tokens[i].kind == Kind::Punct && sql[tokens[i].start] == QLatin1Char(';'))
            continue;
        from << tokens[i];
    }
    auto isName = [&](int i) {
        return i < from.size() && (from[i].kind == Kind::Quoted || from[i].kind == Kind::Word) &&
               !(from[i].kind == Kind::Word &&
                 (isJoinWord(tokenText(sql, from[i])) || isClauseWord(tokenText(sql, from[i]))));
    };
    auto isDot = [&](int i) {
        return i < from.size() && from[i].kind == Kind::Punct && sql[from[i].start] == QLatin1Char('.');
    };
    int i = 0;
    if (!isName(i))
        return shape;
    if (isDot(i + 1) && isName(i + 2)) {
        shape.schema = unquote(sql, from[0]);
        shape.table = unquote(sql, from[2]);
        i = 3;
    } else {
        shape.table = unquote(sql, from[0]);
        i = 1;
    }
    QString alias;
    if (i < from.size() && from[i].kind == Kind::Word &&
        tokenText(sql, from[i]).compare(QLatin1String("as"), Qt::CaseInsensitive) == 0)
        ++i;
    if (i < from.size()) {
        if (!isName(i))
            return shape;
        alias = unquote(sql, from[i]);
        ++i;
    }
    if (i != from.size())
        return shape;
    shape.qualifier = quoteIdentifier(alias.isEmpty() ? shape.table : alias);
    shape.singleTable = true;
    return shape;
}

QString selectPart(const QString& sql)
{
    const QList<Token> tokens = tokenize(sql);
    for (const Token& t : tokens) {
        if (t.depth == 0 && isWord(sql, t, "select"))
            return sql.mid(t.start);
    }
    return QString();
}

} // namespace db
