#include "sql_quote.h"

namespace db {

QString qualifiedName(const QString& schema, const QString& name)
{
    if (schema.isEmpty())
        return quoteIdentifier(name);
    return quoteIdentifier(schema) + QLatin1Char('.') + quoteIdentifier(name);
}

} // namespace db
