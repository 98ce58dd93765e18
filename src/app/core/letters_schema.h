#pragma once

// The form of the incoming-letter tables, and bringing an older letters file up to it.

#include "platform/db/database.h"
#include "platform/db/field_def.h"

#include <QList>
#include <QString>

namespace app {

// Version 1: incoming letters carry a handling deadline (hanxl, its key hanxlchuan) and the
// person or unit in charge (nguoixl). A file made before holds version 0.
inline constexpr int kLettersSchemaVersion = 1;

// The columns version 1 adds to every incoming-letter table, in their order.
QList<db::FieldDef> handlingColumns();
// The index on the deadline key of the year tables and their template (not of the print tables).
db::IndexDef deadlineIndex();

// True when table (of db) has every handling column; false for a missing table.
bool hasHandlingColumns(const db::Database& db, const QString& table);

// Brings db up to kLettersSchemaVersion when it is older: every incoming-letter table it holds
// (the template cvdenmau, the year tables cvden????, the print table incvden) gets the columns it
// lacks, the year tables and the template get the deadline index, and the version is written, all
// in one transaction: a file killed or failing half-way keeps its old form and is upgraded at the
// next open. A file at the version or newer, or one that cannot be written, is left as it is
// (the forms then work without the handling columns). Returns true when db was changed.
// Throws db::DbError when the upgrade fails (nothing is changed then).
bool upgradeLettersSchema(db::Database& db);
// The same when opening a file: a failure is recorded (app::recordRunTimeError) and the file
// keeps its old form. Returns true when db was changed.
bool upgradeLettersSchemaOrRecord(db::Database& db);

} // namespace app
