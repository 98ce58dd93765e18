#include "due_letters.h"

#include "letters_schema.h"

#include "common/due_dates.h"
#include "platform/db/sql_quote.h"

namespace app {
namespace {

// The columns the list shows, prints and exports, after its state.
const QString kColumns = QStringLiteral(
    "id, stt, ng_den, ng_denchuan, noigui, so_cv, ng_cv, loai, tt_ndung, dv_nhan, hanxl, hanxlchuan, nguoixl, da_xuli");

// The unhandled letters of table that meet condition, under the state they are in.
QString part(const QString& table, const QString& state, const QString& condition)
{
    return QStringLiteral("SELECT ") + db::quoteLiteral(state) + QStringLiteral(" AS tinhtrang, ") + kColumns +
           QStringLiteral(", ") + db::quoteLiteral(table) + QStringLiteral(" AS bang FROM ") + db::quoteJetName(table) +
           QStringLiteral(" WHERE ") + condition + QStringLiteral(" AND (da_xuli = False OR da_xuli Is Null)");
}

} // namespace

QStringList dueYearTables(const db::Database& db)
{
    QStringList tables;
    for (const QString& t : db.tableNames()) {
        const QString lower = t.toLower();
        if (lower.size() == 9 && lower.startsWith(QLatin1String("cvden")) && hasHandlingColumns(db, t))
            tables << t;
    }
    return tables;
}

QString dueListSql(const QStringList& tables, const QDate& today)
{
    if (tables.isEmpty())
        return QString();
    const common::DueLimits limits = common::dueLimits(today);
    const QString before = db::quoteLiteral(limits.overdueBefore);
    const QString last = db::quoteLiteral(limits.soonLast);
    QStringList parts;
    for (const QString& t : tables) {
        parts << part(t, common::dueText(common::Due::Overdue),
                      QStringLiteral("hanxlchuan > '' AND hanxlchuan < ") + before);
        parts << part(t, common::dueText(common::Due::DueSoon),
                      QStringLiteral("hanxlchuan >= ") + before + QStringLiteral(" AND hanxlchuan <= ") + last);
    }
    return parts.join(QStringLiteral(" UNION ALL ")) + QStringLiteral(" ORDER BY hanxlchuan, stt");
}

DueCounts countDueLetters(const db::Database& db, const QDate& today)
{
    DueCounts counts;
    const QString sql = dueListSql(dueYearTables(db), today);
    if (sql.isEmpty())
        return counts;
    db::Database file = db;
    db::Recordset rs = file.openRecordset(sql, db::RecordsetType::Snapshot);
    while (!rs.eof()) {
        switch (common::dueState(rs.value(QStringLiteral("hanxlchuan")).toString(),
                                 rs.value(QStringLiteral("da_xuli")).toBool(), today)) {
        case common::Due::Overdue:
            ++counts.overdue;
            break;
        case common::Due::DueSoon:
            ++counts.dueSoon;
            break;
        case common::Due::NotDue:
            break;
        }
        rs.moveNext();
    }
    return counts;
}

QString dueCountsText(const DueCounts& counts)
{
    QStringList parts;
    if (counts.overdue > 0)
        parts << QStringLiteral("Quá hạn xử lý: ") + QString::number(counts.overdue) + QStringLiteral(" công văn");
    if (counts.dueSoon > 0)
        parts << QStringLiteral("sắp đến hạn (") + QString::number(common::kDueSoonDays) + QStringLiteral(" ngày): ") +
                     QString::number(counts.dueSoon) + QStringLiteral(" công văn");
    QString text = parts.join(QStringLiteral("; "));
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString overdueLoginMessage(const DueCounts& counts)
{
    if (counts.overdue <= 0)
        return QString();
    return QStringLiteral("Có ") + QString::number(counts.overdue) +
           QStringLiteral(" công văn đến đã quá hạn xử lý mà chưa xử lý xong !") + QChar(13) +
           QStringLiteral("Xem danh sách ở nút \"Công văn đến hạn, quá hạn\" trên màn hình chính.");
}

} // namespace app
