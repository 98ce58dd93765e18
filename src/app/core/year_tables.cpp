#include "year_tables.h"

#include "letters_schema.h"
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

// Every file that holds incoming-letter tables (the letters file, and the print table incvden of
// the scratch and reference files) is brought to the letters schema before a year table is made
// from its template. A file that cannot be upgraded now (busy, damaged) keeps its old form and
// works without the handling columns; the error is recorded.
void upgradeLetterFiles(Module1& m)
{
    QList<db::Database> done;
    for (DataFile f : {DataFile::Letters, DataFile::Scratch, DataFile::Reference, DataFile::LettersReference,
                       DataFile::ScheduleReference}) {
        db::Database& db = m.database(f);
        if (!db.isOpen() || done.contains(db))
            continue;
        done << db;
        upgradeLettersSchemaOrRecord(db);
    }
}

} // namespace

const QList<YearTableKind>& yearTableKinds()
{
    static const QList<YearTableKind> kinds = {
        {QStringLiteral("kehoach"), QStringLiteral("kehoachmau"), DataFile::Schedule, false, &Module1::plansTable},
        {QStringLiteral("lich"), QStringLiteral("lichmau"), DataFile::Schedule, true, &Module1::scheduleTable},
        {QStringLiteral("cvden"), QStringLiteral("cvdenmau"), DataFile::Letters, true, &Module1::incomingTable},
        {QStringLiteral("cvdi"), QStringLiteral("cvdimau"), DataFile::Letters, true, &Module1::outgoingTable},
    };
    return kinds;
}

// Kept here beside the table kinds it reads (module1.cpp does not depend on the registers' tables).
void Module1::setYearTables()
{
    for (const YearTableKind& k : yearTableKinds()) {
        if (k.name)
            this->*k.name = k.prefix + workingYear;
    }
}

bool yearTablesPresent(Module1& m)
{
    for (const YearTableKind& k : yearTableKinds()) {
        if (!m.database(k.file).hasTable(k.prefix + m.workingYear))
            return false;
    }
    return true;
}

QString yearTablesFailedMessage()
{
    return QStringLiteral("Gặp lỗi khi đang mở các bảng dữ liệu của chương trình!") + QStringLiteral("\r\n\r\n") +
           QStringLiteral("Cần kiểm tra khôi phục dữ liệu và chạy lại chương trình này!");
}

bool createYearTables(Module1& m)
{
    m.setYearTables();
    upgradeLetterFiles(m);
    for (const YearTableKind& k : yearTableKinds()) {
        if (!ensureTable(m.database(k.file), k.prefix + m.workingYear, k.templateTable)) {
            tell(yearTablesFailedMessage());
            return false;
        }
    }
    for (const YearTableKind& k : yearTableKinds()) {
        if (k.printMarks)
            indexPrintMarks(m.database(k.file), k.prefix + m.workingYear);
    }
    return true;
}

} // namespace app
