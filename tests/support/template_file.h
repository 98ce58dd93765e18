#pragma once

#include "platform/db/database.h"

#include <QString>

namespace test {

// The template file vemogoc.mdb the build produced in its data folder.
QString templatePath();

// Copies the template file to `path`, makes the copy writable and opens it with the program's
// password. Throws std::runtime_error when the template is missing or cannot be copied there.
db::Database copyTemplate(const QString& path);

} // namespace test
