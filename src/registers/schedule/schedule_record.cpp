#include "schedule_record.h"

#include "registers/register_print.h"

#include "common/dates.h"

namespace registers {
namespace {

QString yyyymmdd(const QDate& d)
{
    return d.toString(QStringLiteral("yyyyMMdd"));
}

QString weekCondition(const common::Week& week)
{
    return QStringLiteral(" where [ngaychuan]>= '") + yyyymmdd(week.monday) + QStringLiteral("' and [ngaychuan]<= '") +
           yyyymmdd(week.sunday) + QStringLiteral("'");
}

const QString kWeekOrder = QStringLiteral(" order by [ngaychuan],[giochuan]");

} // namespace

QString timeKey(const QString& gio)
{
    const int h = gio.indexOf(QLatin1Char('h'));
    // The first "h" at position 2 or later (counted from 1) of a text that is not blank.
    if (gio.trimmed().isEmpty() || h < 1)
        return gio;
    const QString hour = gio.left(h).trimmed();
    if (hour.size() != 1)
        return gio;
    return QStringLiteral("0") + hour + gio.mid(h).trimmed();
}

QString scheduleListSource(const QString& table)
{
    return QStringLiteral("select * from ") + table + QStringLiteral(" order by [ngaychuan], [giochuan]");
}

QStringList weekTables(db::Database& db, const QString& workingTable, const common::Week& week)
{
    QStringList tables = {workingTable};
    for (int year : common::yearsOf(week)) {
        const QString table = QStringLiteral("lich") + QString::number(year);
        if (!tables.contains(table, Qt::CaseInsensitive) && db.hasTable(table))
            tables << table;
    }
    return tables;
}

QString weekSource(const QStringList& tables, const common::Week& week)
{
    if (tables.size() == 1)
        return QStringLiteral("Select * from ") + tables.first() + weekCondition(week) + kWeekOrder;
    QStringList parts;
    for (const QString& t : tables)
        parts << QStringLiteral("Select *, '") + t + QStringLiteral("' as bang from ") + t + weekCondition(week);
    return parts.join(QStringLiteral(" union all ")) + kWeekOrder;
}

QList<PrintFill> weekPrintFills(const QStringList& tables, const common::Week& week)
{
    // Two year tables may hold the same id: from several tables the print table numbers the rows
    // itself.
    static const QString columns = QStringLiteral("ngay, ngaychuan, thu, gio, giochuan, ndung, diadiem, nguoictri, "
                                                  "nguoicbi, thanhphan, ghichu, chonin, ngaycapnhat, "
                                                  "ngaycapnhatchuan, nguoicapnhat");
    const bool one = tables.size() == 1;
    QList<PrintFill> fills;
    for (const QString& t : tables)
        fills << PrintFill{one ? QString() : QStringLiteral("(") + columns + QStringLiteral(")"),
                           (one ? QStringLiteral("Select *") : QStringLiteral("Select ") + columns) +
                               QStringLiteral(" from ") + t,
                           weekCondition(week) + kWeekOrder};
    return fills;
}

QString weekTitle(const common::Week& week)
{
    return QStringLiteral("(Từ ") + common::dateToText(week.monday) + QStringLiteral(" đến ") +
           common::dateToText(week.sunday) + QStringLiteral(")");
}

} // namespace registers
