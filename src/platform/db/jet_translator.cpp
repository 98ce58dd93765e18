#include "jet_translator.h"

#include "jet_functions.h"

namespace db::jet {

Translation translateStatement(const QString& jetSql, Catalog&)
{
    return Statements{QStringList{jetSql}};
}

QString translateCriterion(const QString& jetCriterion, Catalog&)
{
    return jetCriterion;
}

void registerFunctions(sqlite3* connection)
{
    registerCollation(connection);
    registerLike(connection);
    registerJetFunctions(connection);
}

} // namespace db::jet
