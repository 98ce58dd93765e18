#pragma once

#include <QString>

namespace db::pg::dataset {

// A table, column or index name as the server has it: lower-cased, as unquoted names are there,
// and quoted. Jet names ignore letter case, so no two names of a table differ only by it; the
// definitions in msys_* keep the names as the file spelled them.
QString name(const QString& jetName);
// "schema"."table", each name quoted, the table's as name() gives it.
QString qualified(const QString& schema, const QString& table);

} // namespace db::pg::dataset
