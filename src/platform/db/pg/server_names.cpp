#include "server_names.h"

#include "platform/jetsql/sql_text.h"

namespace db::pg::dataset {

using jetsql::quoteIdentifier;

QString name(const QString& jetName)
{
    return quoteIdentifier(jetName.toLower());
}

QString qualified(const QString& schema, const QString& table)
{
    return quoteIdentifier(schema) + u'.' + name(table);
}

} // namespace db::pg::dataset
