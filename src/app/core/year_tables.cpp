#include "year_tables.h"

#include "messenger.h"
#include "module1.h"
#include "run_time_error.h"
#include "table_copy.h"
#include "table_pattern.h"

#include "platform/db/db_error.h"

namespace app {
namespace {

// True when db holds table or it was made from its template.
bool ensureTable(db::Database& db, const QString& table, const QString& templateTable)
{
    try {
        if (hasTableLike(table, db))
            return true;
    } catch (const std::exception& e) {
        recordRunTimeError(e);
        return false;
    }
    return copyTableStructure(db, db, templateTable, table, false);
}

// Clearing the print marks of a year ("... where [chonin]='X'", before every search and list)
// reads only the marked rows once the year table has its index of them. A file that cannot take
// the index (busy, damaged) is only slower: the error is recorded and the program goes on.
void indexPrintMarks(db::Database& db, const QString& table)
{
    try {
        db.indexRowsMarked(table, QStringLiteral("chonin"), QStringLiteral("X"));
    } catch (const db::DbError& e) {
        recordRunTimeError(e);
    }
}

} // namespace

QString yearTablesFailedMessage()
{
    return QStringLiteral("Gặp lỗi khi đang mở các bảng dữ liệu của chương trình!") + QStringLiteral("\r\n\r\n") +
           QStringLiteral("Cần kiểm tra khôi phục dữ liệu và chạy lại chương trình này!");
}

bool createYearTables()
{
    Module1& m = module1();
    m.setYearTables();
    const bool created = ensureTable(m.schedule, m.plansTable, QStringLiteral("kehoachmau")) &&
                         ensureTable(m.schedule, m.scheduleTable, QStringLiteral("lichmau")) &&
                         ensureTable(m.letters, m.incomingTable, QStringLiteral("cvdenmau")) &&
                         ensureTable(m.letters, m.outgoingTable, QStringLiteral("cvdimau"));
    if (created) {
        indexPrintMarks(m.schedule, m.scheduleTable);
        indexPrintMarks(m.letters, m.incomingTable);
        indexPrintMarks(m.letters, m.outgoingTable);
        return true;
    }
    tell(yearTablesFailedMessage());
    return false;
}

} // namespace app
