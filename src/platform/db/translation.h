#pragma once

#include "platform/jetsql/translator.h"

// The SQL compiler's entry points as the database layer calls them: a statement or criterion the
// compiler cannot read raises DbError(errc::SyntaxError) carrying the compiler's message.
namespace db {

jetsql::Translation compileStatement(const QString& jetSql, jetsql::Catalog& catalog);
QString compileCriterion(const QString& jetCriterion, jetsql::Catalog& catalog);

} // namespace db
