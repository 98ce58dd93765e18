#pragma once

// The incoming letters due for handling: the list "Công văn đến hạn, quá hạn" and its counts.

#include "platform/db/database.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace app {

// The year tables of db (cvden????) that carry the handling columns, in creation order.
QStringList dueYearTables(const db::Database& db);

// The Jet statement of the due list on today: every unhandled letter of tables whose deadline is
// before today ("Quá hạn") or from today up to common::kDueSoonDays days on ("Sắp đến hạn"), in
// the column tinhtrang, with the year table's name in bang, ordered by deadline and register
// number. "" when tables is empty.
QString dueListSql(const QStringList& tables, const QDate& today);

struct DueCounts
{
    int overdue = 0;
    int dueSoon = 0;
    bool any() const { return overdue > 0 || dueSoon > 0; }
};

// The counts of the due list of every year table of db on today (common::dueState on each letter
// the list reads). A file without the handling columns has none. Throws db::DbError when the file
// cannot be read.
DueCounts countDueLetters(const db::Database& db, const QDate& today);

// What the main window shows under "Công văn đến": "Quá hạn xử lý: 2 công văn; sắp đến hạn: 1 công
// văn" (each part only when its count is not 0); "" when nothing is due.
QString dueCountsText(const DueCounts& counts);
// What the secretary is told once at login when letters are overdue; "" when none is.
QString overdueLoginMessage(const DueCounts& counts);

} // namespace app
