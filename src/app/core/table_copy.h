#pragma once

#include "platform/db/database.h"

#include <QString>

namespace app {

// The table-copy routine: creates targetTable in target with the structure of sourceTable in
// source (source and target may be the same database). Every field is copied in order with its
// name, type, size, attributes, zero-length permission and required flag, and every index with its
// name, fields, uniqueness and primary flag. Rows are never copied.
//
// With check set, a table of target whose name equals targetTable without regard to case makes
// the routine return true at once, changing nothing. Without check, an existing target table is an
// engine error. Returns true on success, false after any engine error (missing source table,
// name taken, file not writable); it shows no message.
bool copyTableStructure(db::Database& source, db::Database& target, const QString& sourceTable,
                        const QString& targetTable, bool check);

} // namespace app
