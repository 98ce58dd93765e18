#pragma once

#include "platform/db/database.h"

#include <QString>

namespace app {

// The saved-query test: refreshes db's stored queries and returns true when one of them is named
// name, compared without regard to letter case; false otherwise. Raises DbError when db is not
// open.
bool KiemtraQuery(const QString& name, db::Database& db);

} // namespace app
