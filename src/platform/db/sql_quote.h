#pragma once

#include "platform/jetsql/sql_text.h"

#include <QString>

// Names and texts put into SQL text by the database layer and the layers above: the quoting of the
// SQL compiler (platform/jetsql/sql_text.h) under the database layer's names, and qualified names.
namespace db {

using jetsql::cleanText;
using jetsql::quoteIdentifier;
using jetsql::quoteJetName;
using jetsql::quoteLiteral;

// schema."name", or "name" alone when schema is empty.
QString qualifiedName(const QString& schema, const QString& name);

} // namespace db
