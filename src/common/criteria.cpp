#include "criteria.h"

#include "dates.h"
#include "platform/db/sql_quote.h"

#include <QStringList>

namespace common {
namespace {

const QString kAnd = QStringLiteral(" and ");
const QString kOr = QStringLiteral(" or ");

// Cuts a trimmed criterion at every comma: the item is the text before the comma, the rest is
// trimmed and cut again. Empty items are dropped; items keep their trailing blanks.
QStringList splitItems(const QString& criterion)
{
    QStringList items;
    QString rest = criterion.trimmed();
    while (!rest.isEmpty()) {
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        const QString item = comma < 0 ? rest : rest.left(comma);
        if (!item.isEmpty())
            items << item;
        rest = comma < 0 ? QString() : rest.mid(comma + 1).trimmed();
    }
    return items;
}

// A plain decimal number, optionally signed, blanks allowed around it.
bool isNumber(const QString& text)
{
    const QString s = text.trimmed();
    qsizetype i = 0;
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c >= u'0' && c <= u'9') {
            digits = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

// A numeric item rewritten as the text that follows the field name, or "" when invalid.
QString numericItem(const QString& item)
{
    const qsizetype dash = item.indexOf(QLatin1Char('-'));
    if (dash >= 0) {
        const QString a = item.left(dash).trimmed();
        const QString b = item.mid(dash + 1).trimmed();
        return isNumber(a) && isNumber(b) ? QStringLiteral(" between ") + a + kAnd + b : QString();
    }
    const QChar first = item.at(0);
    if (first == u'>' || first == u'<')
        return isNumber(item.mid(1)) ? item : QString();
    if (first == u'!' || first == u'#')
        return isNumber(item.mid(1)) ? QStringLiteral(" <> ") + item.mid(1).trimmed() : QString();
    return isNumber(item) ? QLatin1Char('=') + item : QString();
}

// The parts of a text item, cut at "+": the text before each "+" as it is, the text after it
// trimmed and cut again. Empty parts are skipped.
QStringList splitParts(const QString& item)
{
    QStringList parts;
    QString rest = item;
    while (true) {
        const qsizetype plus = rest.indexOf(QLatin1Char('+'));
        const QString part = plus < 0 ? rest : rest.left(plus);
        if (!part.isEmpty())
            parts << part;
        if (plus < 0)
            break;
        rest = rest.mid(plus + 1).trimmed();
    }
    return parts;
}

QString likeTest(const QString& field, const QString& part)
{
    if (part.at(0) == u'!' || part.at(0) == u'#')
        return field + QStringLiteral(" Not Like ") +
               db::quoteLiteral(QLatin1Char('*') + part.mid(1).trimmed() + QLatin1Char('*'));
    return field + QStringLiteral(" Like ") + db::quoteLiteral(QLatin1Char('*') + part + QLatin1Char('*'));
}

void appendPiece(QString& condition, qint16 count, const QString& piece)
{
    if (count > 0)
        condition += kAnd;
    condition += piece;
}

} // namespace

void appendNumberCriterion(const QString& criterion, const QString& field, QString& condition, qint16& count,
                           QString& status)
{
    if (criterion.trimmed().isEmpty())
        return;
    QStringList valid;
    for (const QString& item : splitItems(criterion)) {
        const QString rewritten = numericItem(item);
        if (!rewritten.isEmpty())
            valid << rewritten;
    }
    if (valid.isEmpty()) {
        status = kStatusSai;
        return;
    }
    status = kStatusDung;
    QString piece(QLatin1Char('('));
    for (qsizetype i = 0; i < valid.size(); ++i)
        piece += (i > 0 ? kOr : QString()) + field + valid.at(i);
    piece += QLatin1Char(')');
    appendPiece(condition, count, piece);
    ++count;
}

bool appendTextCriterion(const QString& criterion, const QString& field, QString& condition, qint16& count)
{
    if (criterion.trimmed().isEmpty())
        return true;
    QStringList groups;
    for (const QString& rawItem : splitItems(criterion)) {
        const QString item = rawItem.trimmed();
        if (item.endsWith(QLatin1Char('+')))
            return false;
        QStringList tests;
        for (const QString& part : splitParts(item))
            tests << likeTest(field, part);
        if (tests.isEmpty())
            return false;
        groups << QLatin1Char('(') + tests.join(kAnd) + QLatin1Char(')');
    }
    if (groups.isEmpty())
        return false;
    appendPiece(condition, count, QLatin1Char('(') + groups.join(kOr) + QLatin1Char(')'));
    ++count;
    return true;
}

void appendDateRange(const QString& fromDate, const QString& toDate, const QString& field, QString& condition,
                     qint16& count)
{
    const bool hasFrom = !fromDate.trimmed().isEmpty();
    const bool hasTo = !toDate.trimmed().isEmpty();
    if (!hasFrom && !hasTo)
        return;
    const QString from = db::quoteLiteral(normaliseDate(fromDate.trimmed()));
    const QString to = db::quoteLiteral(normaliseDate(toDate.trimmed()));
    QString piece;
    if (hasFrom && hasTo)
        piece = field + QStringLiteral(" between ") + from + kAnd + to;
    else if (hasFrom)
        piece = field + QStringLiteral("  >= ") + from;
    else
        piece = field + QStringLiteral("  <= ") + to;
    appendPiece(condition, count, piece);
    ++count;
}

void appendEquals(const QString& value, const QString& field, QString& condition, qint16 count)
{
    appendPiece(condition, count, field + QStringLiteral(" = ") + value);
}

QString invalidCriterionMessage(const QString& boxText)
{
    return QStringLiteral("Điều kiện  '") + boxText.trimmed() + QStringLiteral("'  không hợp lệ!") +
           QStringLiteral("\r\n") + QStringLiteral("Cần dùng đúng các ký hiệu '<','>','-',") +
           QStringLiteral("'!' và '#' như sau : ") + QStringLiteral("<a ; >a ; a-b ") +
           QStringLiteral("(các số từ a đến b) ; !a hoặc #a (khác a)");
}

} // namespace common
