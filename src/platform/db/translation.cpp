#include "translation.h"

#include "db_error.h"

namespace db {

jetsql::Translation compileStatement(const QString& jetSql, jetsql::Catalog& catalog)
{
    try {
        return jetsql::translateStatement(jetSql, catalog);
    } catch (const jetsql::SyntaxError& e) {
        throw DbError(errc::SyntaxError, e.message());
    }
}

QString compileCriterion(const QString& jetCriterion, jetsql::Catalog& catalog)
{
    try {
        return jetsql::translateCriterion(jetCriterion, catalog);
    } catch (const jetsql::SyntaxError& e) {
        throw DbError(errc::SyntaxError, e.message());
    }
}

} // namespace db
