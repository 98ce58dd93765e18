#include "schedule_item.h"

#include "schedule_record.h"

#include "platform/db/recordset.h"
#include "platform/db/sql_quote.h"

namespace registers {
namespace {

QString text(const db::Recordset& rs, const QString& field)
{
    return rs.value(field).toString();
}

// The rows of source, all of table, or each of the table its column "bang" names when table is "".
QList<ScheduleItem> readItems(db::Database& db, const QString& source, const QString& table)
{
    QList<ScheduleItem> items;
    db::Recordset rs = db.openRecordset(source, db::RecordsetType::Snapshot);
    for (; !rs.eof(); rs.moveNext()) {
        ScheduleItem i;
        i.table = table.isEmpty() ? text(rs, QStringLiteral("bang")) : table;
        i.id = rs.value(QStringLiteral("ID")).toLongLong();
        i.day = text(rs, QStringLiteral("ngay"));
        i.dayKey = text(rs, QStringLiteral("ngaychuan"));
        i.weekday = text(rs, QStringLiteral("thu"));
        i.time = text(rs, QStringLiteral("gio"));
        i.content = text(rs, QStringLiteral("ndung"));
        i.place = text(rs, QStringLiteral("diadiem"));
        i.chair = text(rs, QStringLiteral("nguoictri"));
        i.preparer = text(rs, QStringLiteral("nguoicbi"));
        i.participants = text(rs, QStringLiteral("thanhphan"));
        i.note = text(rs, QStringLiteral("ghichu"));
        items << i;
    }
    return items;
}

} // namespace

QList<ScheduleItem> weekItems(db::Database& db, const QStringList& tables, const common::Week& week)
{
    if (tables.isEmpty() || !week.monday.isValid())
        return {};
    return readItems(db, weekSource(tables, week), tables.size() == 1 ? tables.first() : QString());
}

QList<ScheduleItem> dayItems(db::Database& db, const QStringList& tables, const QString& dayKey)
{
    if (tables.isEmpty())
        return {};
    const QString condition = QStringLiteral(" where [ngaychuan] = ") + db::quoteLiteral(dayKey);
    QStringList parts;
    for (const QString& t : tables)
        parts << QStringLiteral("Select *, ") + db::quoteLiteral(t) + QStringLiteral(" as bang from ") + t + condition;
    return readItems(db, parts.join(QStringLiteral(" union all ")), QString());
}

} // namespace registers
