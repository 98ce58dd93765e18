#pragma once

#include <QString>

// The one place where names and texts are put into SQL text. Values that come from callers are
// bound to statement parameters wherever SQLite allows it; these functions serve the places where
// it does not (identifiers, the text of a RAISE() in a trigger, DDL).
namespace db {

// "name" with every double quote doubled: any table, column or index name, also one that holds
// spaces, brackets or quotes.
QString quoteIdentifier(const QString& name);

// 'text' with every single quote doubled.
QString quoteLiteral(const QString& text);

// schema."name", or "name" alone when schema is empty.
QString qualifiedName(const QString& schema, const QString& name);

} // namespace db
