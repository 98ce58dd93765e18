#include "reference_rules.h"

#include "common/sortkey.h"

namespace reference {

QString listSortKey(const QString& name)
{
    return common::sortKey(name).left(150);
}

QString duplicateAbbreviationMessage(const QString& abbreviation, const QString& name)
{
    return QStringLiteral("Chữ tắt  '") + abbreviation + QStringLiteral("'  đã dùng cho chữ  '") + name +
           QStringLiteral("' .") + QLatin1Char('\r') + QStringLiteral("Cần phải dùng chữ khác!");
}

QString rightsString(bool administrator, bool head)
{
    QString rights;
    if (administrator)
        rights = QStringLiteral("QT");
    if (head) {
        if (!rights.isEmpty())
            rights += QStringLiteral(" - ");
        rights += QStringLiteral("LĐ");
    }
    return rights.isEmpty() ? QStringLiteral("CB") : rights;
}

bool rightsAdministrator(const QString& quyenhan)
{
    return quyenhan.startsWith(QStringLiteral("QT"));
}

bool rightsHead(const QString& quyenhan)
{
    return quyenhan.contains(QLatin1Char('L'));
}

bool countsAsAdministrator(const QString& quyenhan)
{
    return quyenhan.contains(QLatin1Char('q'), Qt::CaseInsensitive);
}

bool passwordAllowed(const QString& password)
{
    if (password.contains(QLatin1Char(' ')))
        return false;
    // Lower-cased first: the key table holds the capitals without a tone mark only, so "Ạ" would
    // otherwise pass as it stands.
    const QString lower = password.toLower();
    return common::sortKey(lower, true) == lower;
}

} // namespace reference
