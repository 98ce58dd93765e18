#include "task_record.h"

#include "common/dates.h"

#include <QRegularExpression>

namespace registers {

QString savedByName(const QString& hotendangnhap)
{
    static const QRegularExpression anonymous(QStringLiteral("^M.t ng..i"));
    return anonymous.match(hotendangnhap).hasMatch() ? QString() : hotendangnhap;
}

void stampSaved(db::Recordset& rs, const QDate& today, const QString& hotendangnhap)
{
    rs.setValue(QStringLiteral("ngaycapnhat"), today.toString(QStringLiteral("dd/MM/yyyy")));
    rs.setValue(QStringLiteral("ngaycapnhatchuan"), today.toString(QStringLiteral("yyyyMMdd")));
    rs.setValue(QStringLiteral("nguoicapnhat"), savedByName(hotendangnhap));
}

bool endBeforeStart(const QString& start, const QString& end)
{
    const QString s = common::parseDate(start);
    const QString e = common::parseDate(end);
    if (s.isEmpty() || e.isEmpty())
        return false;
    return common::normaliseDate(e) < common::normaliseDate(s);
}

} // namespace registers
