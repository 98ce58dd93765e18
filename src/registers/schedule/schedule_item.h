#pragma once

// A schedule item as the clash check and the published week read it: its year table and id, and
// the texts of its row. Widget-free.

#include "common/weeks.h"
#include "platform/db/database.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace registers {

struct ScheduleItem
{
    QString table;        // the year table it lives in ("lich2026")
    long long id = 0;     // ID; 0 for an item not yet written
    QString day;          // ngay, as shown: dd/mm/yyyy
    QString dayKey;       // ngaychuan: yyyymmdd
    QString weekday;      // thu
    QString time;         // gio, as typed
    QString content;      // ndung
    QString place;        // diadiem
    QString chair;        // nguoictri
    QString preparer;     // nguoicbi
    QString participants; // thanhphan
    QString note;         // ghichu
};

// The items of week in tables (weekTables()), by day then time; each knows its own table.
// Raises db::DbError when the rows cannot be read.
QList<ScheduleItem> weekItems(db::Database& db, const QStringList& tables, const common::Week& week);

// The items whose ngaychuan is dayKey (yyyymmdd) in tables. Raises db::DbError.
QList<ScheduleItem> dayItems(db::Database& db, const QStringList& tables, const QString& dayKey);

} // namespace registers
