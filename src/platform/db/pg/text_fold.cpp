#include "text_fold.h"

#include "server_connection.h"

#include "platform/db/db_error.h"
#include "platform/db/sql_quote.h"
#include "platform/jetsql/fold.h"

namespace db::pg {

namespace {

using db::quoteIdentifier;
using db::quoteLiteral;

QString ourFold(char32_t c)
{
    return jetsql::foldCase(QString::fromUcs4(&c, 1));
}

// A character as an escape of the server's regular expressions, which needs no quoting anywhere.
QString regexEscape(char32_t c)
{
    return c <= 0xFFFF ? QStringLiteral("\\u") + QString::number(quint32(c), 16).rightJustified(4, u'0')
                       : QStringLiteral("\\U") + QString::number(quint32(c), 16).rightJustified(8, u'0');
}

// A bracket expression matching any of `chars` (ascending), consecutive ones written as ranges.
QString bracketOf(const QList<char32_t>& chars)
{
    QString bracket = QStringLiteral("[");
    for (qsizetype i = 0; i < chars.size();) {
        qsizetype last = i;
        while (last + 1 < chars.size() && chars[last + 1] == chars[last] + 1)
            ++last;
        bracket += regexEscape(chars[i]);
        if (last > i)
            bracket += u'-' + regexEscape(chars[last]);
        i = last + 1;
    }
    return bracket + u']';
}

// Decomposed text (a letter followed by combining marks U+0300..U+036F) is made precomposed, as
// our connections do; other text is left as it is.
QString precomposed(const QString& operand)
{
    return QStringLiteral("case when ") + operand + QStringLiteral(" ~ '[\\u0300-\\u036F]' then normalize(") + operand +
           QStringLiteral(", NFC) else ") + operand + QStringLiteral(" end");
}

} // namespace

QString caseMappingCollation(ServerConnection& server)
{
    const QList<QVariantList> rows = server.query(
        QStringLiteral("select collname from pg_collation where collname in ('C.utf8', 'C.UTF-8', 'und-x-icu') "
                       "and collencoding in (-1, pg_char_to_encoding('UTF8')) "
                       "order by case collname when 'und-x-icu' then 1 else 0 end, collname limit 1"));
    if (rows.isEmpty()) {
        throw DbError(errc::ServerCallFailed,
                      QStringLiteral("Máy chủ PostgreSQL không có bảng đối chiếu C.utf8 hay ICU để so sánh chữ hoa, "
                                     "chữ thường tiếng Việt."));
    }
    return rows.first().first().toString();
}

void installFold(ServerConnection& server)
{
    const QString encoding = server.query(QStringLiteral("show server_encoding")).first().first().toString();
    if (encoding != u"UTF8") {
        throw DbError(errc::ServerCallFailed, QStringLiteral("Cơ sở dữ liệu trên máy chủ dùng mã ") + encoding +
                                                  QStringLiteral("; Selvaro cần cơ sở dữ liệu mã UTF8."));
    }
    const QString collation = quoteIdentifier(caseMappingCollation(server));
    const QList<QVariantList> lowered = server.query(
        QStringLiteral("select c, lower(") + precomposed(QStringLiteral("chr(c)")) + QStringLiteral(" collate ") +
        collation + QStringLiteral(") from generate_series(1, 131071) as c where c not between 55296 and 57343"));
    QString from;
    QString to;
    // Characters beyond ASCII that the fold changes, and the combining marks: a text with none of
    // them folds as its ASCII letters lowered.
    QList<char32_t> changing;
    for (const QVariantList& row : lowered) {
        const auto c = char32_t(row.at(0).toLongLong());
        const QString ours = ourFold(c);
        if (row.at(1).toString() != ours) {
            from += QString::fromUcs4(&c, 1);
            to += ours;
        }
        if (c >= 0x80 && (ours != QString::fromUcs4(&c, 1) || (c >= 0x300 && c <= 0x36F)))
            changing << c;
    }
    // What a character is mapped to must stay itself under the server's lower(), or the
    // mapping would not be ours.
    for (const QVariantList& row : lowered) {
        const auto c = char32_t(row.at(0).toLongLong());
        if (to.contains(QString::fromUcs4(&c, 1)) && row.at(1).toString() != QString::fromUcs4(&c, 1)) {
            throw DbError(errc::ServerCallFailed,
                          QStringLiteral("Máy chủ PostgreSQL đổi chữ thường khác Selvaro ở ký tự U+") +
                              QString::number(quint32(c), 16).toUpper());
        }
    }
    QString folded = precomposed(QStringLiteral("$1"));
    if (!from.isEmpty())
        folded = QStringLiteral("translate(") + folded + QStringLiteral(", ") + quoteLiteral(from) +
                 QStringLiteral(", ") + quoteLiteral(to) + u')';
    // Not declared strict, though it gives null for null: the server inlines a function whose body
    // holds a CASE only when it is not, and the inlined fold reads a table three times as fast.
    // A text of ASCII only (dates as yyyymmdd, numbers, codes) has no marks to compose and nothing
    // to translate: its letters are lowered as they are, two to three times as fast. So is a text
    // whose other characters the fold leaves alone (Vietnamese in lower case with capitals of ASCII
    // only): one test of its characters costs less than the server's lower() beyond ASCII.
    const QString asciiLowered = QStringLiteral("lower($1 collate \"C\") collate ") + collation;
    server.exec(QStringLiteral("create or replace function ") + QString::fromUtf16(FoldFunction) +
                QStringLiteral("(text) returns text language sql immutable parallel safe as $fold$ "
                               "select case when octet_length($1) = char_length($1) then ") +
                asciiLowered + QStringLiteral(" when $1 !~ '") + bracketOf(changing) + QStringLiteral("' then ") +
                asciiLowered + QStringLiteral(" else lower(") + folded + QStringLiteral(" collate ") + collation +
                QStringLiteral(") end $fold$"));
    // The test on the stored text that translated statements put before a folded comparison with
    // a text of digits and signs (a normalised date): it compares in code point order, as the fold
    // does, and passes any value that is not text.
    server.exec(QStringLiteral(
        "create or replace function selvaro_within(v text, low text, high text) returns boolean language sql "
        "immutable parallel safe as $w$ select (low is null or (v collate \"C\") >= low) and "
        "(high is null or (v collate \"C\") <= high) $w$"));
    server.exec(QStringLiteral("create or replace function selvaro_within(v anyelement, low text, high text) "
                               "returns boolean language sql immutable parallel safe as $w$ select true $w$"));
    // Translated statements fold whatever they compare; a number or a date stays as it is.
    server.exec(QStringLiteral("create or replace function ") + QString::fromUtf16(FoldFunction) +
                QStringLiteral("(anyelement) returns anyelement language sql immutable strict parallel safe "
                               "as 'select $1'"));
}

} // namespace db::pg
