#pragma once

#include "platform/db/database.h"

#include <QString>

namespace app {

// The table-pattern test. Refreshes db's table definitions and returns true as soon as one
// table's name, lower-cased, matches pattern, lower-cased, under the pattern operator's wildcards
// (* any run, ? one character, # one digit, [...] lists). "cvden????" finds "cvden2009" but not
// "cvdenmau"; a table's exact name finds that table in any letter case. Raises DbError when db is
// not open.
bool hasTableLike(const QString& pattern, db::Database& db);

} // namespace app
