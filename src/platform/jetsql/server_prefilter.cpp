#include "server_prefilter.h"

#include "fold.h"
#include "sql_text.h"

namespace jetsql {

namespace {

bool rangeSafe(const QString& bound)
{
    if (bound.isEmpty())
        return false;
    for (const QChar c : bound) {
        if (c.unicode() < u' ' || c.unicode() > u':')
            return false;
    }
    return true;
}

} // namespace

std::optional<QString> rangePrefilter(const QString& valueSql, const std::optional<QString>& low,
                                      const std::optional<QString>& high)
{
    if ((!low && !high) || (low && !rangeSafe(*low)) || (high && !rangeSafe(*high)))
        return std::nullopt;
    const auto bound = [](const std::optional<QString>& b) { return b ? quoteLiteral(*b) : QStringLiteral("NULL"); };
    return QStringLiteral("selvaro_within(") + valueSql + QStringLiteral(", ") + bound(low) + QStringLiteral(", ") +
           bound(high) + u')';
}

std::optional<QString> likePrefilter(const QString& valueSql, const QString& pattern)
{
    QString filter = QStringLiteral("%");
    bool anyCharacter = false;
    for (const QChar c : foldCase(pattern)) {
        const char16_t u = c.unicode();
        if (u == u'#' || u == u'[')
            return std::nullopt;
        const bool kept =
            u < 0x80 && u != u'*' && u != u'?' && !QByteArrayView(kReachedFromBeyondAscii).contains(char(u));
        if (!kept) {
            if (!filter.endsWith(u'%'))
                filter += u'%';
            continue;
        }
        if (u == u'%' || u == u'_' || u == u'\\')
            filter += u'\\';
        filter += c;
        anyCharacter = true;
    }
    if (!anyCharacter)
        return std::nullopt;
    if (!filter.endsWith(u'%'))
        filter += u'%';
    return QStringLiteral("(CAST(") + valueSql + QStringLiteral(" AS text) COLLATE \"C\" ILIKE ") +
           quoteLiteral(filter) + u')';
}

} // namespace jetsql
