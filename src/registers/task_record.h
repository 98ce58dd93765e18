#pragma once

// What the work-plan and schedule registers do alike with a record: the stamps of the last save
// and the order of a start and an end date. No windows here.

#include "platform/db/recordset.h"

#include <QDate>
#include <QString>

namespace registers {

// The name stored as the one who last saved a record: "" for the shared anonymous login (a
// name like "Một người dùng"), else the full name.
QString savedByName(const QString& hotendangnhap);

// Sets ngaycapnhat (dd/mm/yyyy), ngaycapnhatchuan (yyyymmdd) and nguoicapnhat of rs.
void stampSaved(db::Recordset& rs, const QDate& today, const QString& hotendangnhap);

// True when both texts are dates and the end comes before the start (an equal day is fine).
bool endBeforeStart(const QString& start, const QString& end);

} // namespace registers
