#include "lexer.h"

#include "syntax_error.h"

namespace jetsql {

bool Token::isWord(const char* keyword) const
{
    return kind == Kind::Word && text.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

bool Token::isSymbol(const char* symbol) const
{
    return kind == Kind::Symbol && text == QLatin1String(symbol);
}

QString quoteStatement(const QString& statement)
{
    constexpr qsizetype limit = 300;
    const QString shown = statement.trimmed();
    return QStringLiteral("\"") + (shown.size() > limit ? shown.left(limit) + QStringLiteral("...") : shown) +
           QStringLiteral("\"");
}

namespace {

[[noreturn]] void fail(const QString& statement, const QString& what, qsizetype position)
{
    throw SyntaxError(QStringLiteral("Syntax error (%1 at character %2) in %3")
                          .arg(what)
                          .arg(position + 1)
                          .arg(quoteStatement(statement)));
}

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isWordPart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c.category() == QChar::Mark_NonSpacing;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QList<Token> tokenize(const QString& statement)
{
    QList<Token> tokens;
    const qsizetype n = statement.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = statement[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token token;
        token.position = i;
        if (c == u'\'' || c == u'"') {
            // Strings: both quote characters delimit text in Jet; the delimiter doubled stands for
            // itself.
            token.kind = Token::Kind::String;
            qsizetype j = i + 1;
            while (true) {
                if (j >= n)
                    fail(statement, QStringLiteral("text without its closing quote"), i);
                if (statement[j] == c) {
                    if (j + 1 < n && statement[j + 1] == c) {
                        token.text += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                token.text += statement[j];
                ++j;
            }
            i = j + 1;
        } else if (c == u'[') {
            // "]]" inside a bracketed name stands for one "]" (quoteJetName writes it).
            qsizetype close = statement.indexOf(u']', i + 1);
            QString text;
            qsizetype from = i + 1;
            while (close >= 0 && close + 1 < statement.size() && statement[close + 1] == u']') {
                text += statement.mid(from, close + 1 - from);
                from = close + 2;
                close = statement.indexOf(u']', from);
            }
            if (close < 0)
                fail(statement, QStringLiteral("name without its closing bracket"), i);
            token.kind = Token::Kind::Name;
            token.text = text + statement.mid(from, close - from);
            if (token.text.trimmed().isEmpty())
                fail(statement, QStringLiteral("empty [name]"), i);
            i = close + 1;
        } else if (c == u'#') {
            const qsizetype close = statement.indexOf(u'#', i + 1);
            if (close < 0)
                fail(statement, QStringLiteral("date without its closing #"), i);
            token.kind = Token::Kind::Date;
            token.text = statement.mid(i + 1, close - i - 1).trimmed();
            i = close + 1;
        } else if (isDigit(c) || (c == u'.' && i + 1 < n && isDigit(statement[i + 1]))) {
            token.kind = Token::Kind::Number;
            qsizetype j = i;
            while (j < n && isDigit(statement[j]))
                ++j;
            if (j < n && statement[j] == u'.') {
                ++j;
                while (j < n && isDigit(statement[j]))
                    ++j;
            }
            if (j < n && (statement[j] == u'e' || statement[j] == u'E')) {
                qsizetype k = j + 1;
                if (k < n && (statement[k] == u'+' || statement[k] == u'-'))
                    ++k;
                if (k < n && isDigit(statement[k])) {
                    j = k;
                    while (j < n && isDigit(statement[j]))
                        ++j;
                }
            }
            if (j < n && isWordStart(statement[j]))
                fail(statement, QStringLiteral("letters straight after a number"), i);
            token.text = statement.mid(i, j - i);
            i = j;
        } else if (isWordStart(c)) {
            token.kind = Token::Kind::Word;
            qsizetype j = i + 1;
            while (j < n && isWordPart(statement[j]))
                ++j;
            token.text = statement.mid(i, j - i);
            i = j;
        } else {
            token.kind = Token::Kind::Symbol;
            const QString two = statement.mid(i, 2);
            if (two == QLatin1String("<>") || two == QLatin1String("<=") || two == QLatin1String(">=")) {
                token.text = two;
                i += 2;
            } else if (QStringLiteral("=<>+-*/\\&^(),.!;").contains(c)) {
                token.text = c;
                ++i;
            } else {
                fail(statement, QStringLiteral("unexpected character '%1'").arg(c), i);
            }
        }
        tokens.append(token);
    }
    Token end;
    end.position = n;
    tokens.append(end);
    return tokens;
}

} // namespace jetsql
