#pragma once

#include "platform/db/database.h"

#include <QString>

namespace tmpl {

// The password of every data file; the template is created with it and copies keep it.
inline const QString TemplatePassword = QStringLiteral("vorkelmadu");

// Builds the template file at path: creates every table of templateTables() and inserts their
// rows, computing each row's sort key `matt` from its name column.
//
// The file is built under a temporary name in the same folder and then renamed over path, so
// path holds either the previous file or the complete new one, never a half-built file. On any
// failure the temporary file is removed, path is left as it was, and the error is raised:
// db::DbError from the database layer, std::runtime_error when the rename fails.
// Building twice gives the same tables, columns, indexes and rows (counters included).
void buildTemplate(const QString& path);

// Creates the tables of templateTables() in an empty database and fills them, in one transaction:
// on failure nothing is left behind. Raises db::DbError (for example TableExists when a table of
// that name is already there).
void fillTemplate(db::Database& database);

} // namespace tmpl
