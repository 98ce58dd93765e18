#include "sql_quote.h"

namespace db {

QString quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString quoteLiteral(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString qualifiedName(const QString& schema, const QString& name)
{
    if (schema.isEmpty())
        return quoteIdentifier(name);
    return quoteIdentifier(schema) + QLatin1Char('.') + quoteIdentifier(name);
}

} // namespace db
