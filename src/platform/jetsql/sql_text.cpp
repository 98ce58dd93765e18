#include "sql_text.h"

namespace jetsql {

QString cleanText(const QString& text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    // Most texts need nothing: find the first character that does.
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isNull() || c.isSurrogate())
            break;
    }
    if (i == n)
        return text;
    QString clean = text.left(i);
    clean.reserve(n);
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isNull())
            continue;
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            clean += c;
            clean += text.at(++i);
        } else if (c.isSurrogate()) {
            clean += QChar(QChar::ReplacementCharacter);
        } else {
            clean += c;
        }
    }
    return clean;
}

namespace {

QString quoted(const QString& text, QChar open, QChar close)
{
    QString q = cleanText(text);
    q.replace(close, QString(2, close));
    return open + q + close;
}

} // namespace

QString quoteIdentifier(const QString& name)
{
    return quoted(name, u'"', u'"');
}

QString quoteLiteral(const QString& text)
{
    return quoted(text, u'\'', u'\'');
}

QString quoteJetName(const QString& name)
{
    return quoted(name, u'[', u']');
}

} // namespace jetsql
