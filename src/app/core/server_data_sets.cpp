#include "server_data_sets.h"

#include "platform/db/pg/data_set.h"
#include "platform/db/pg/server_connection.h"
#include "platform/jetsql/like_pattern.h"
#include "structure_check.h"

namespace app {
namespace {

bool holdsKind(db::pg::ServerConnection& server, const QString& dataSet, const QString& kind)
{
    const QStringList required = requiredTables(kind);
    if (required.isEmpty())
        return false;
    const QStringList tables = db::pg::dataset::tableNames(server, dataSet);
    for (const QString& pattern : required) {
        const QString lowered = pattern.toLower();
        const bool found = std::any_of(tables.begin(), tables.end(), [&](const QString& table) {
            return jetsql::likeMatch(table.toLower(), lowered);
        });
        if (!found)
            return false;
    }
    return true;
}

} // namespace

QStringList soundDataSets(const QString& connection, const QString& kind)
{
    const auto server = db::pg::ServerConnection::open(connection);
    QStringList sound;
    for (const QString& dataSet : db::pg::dataset::list(*server)) {
        if (holdsKind(*server, dataSet, kind))
            sound << dataSet;
    }
    return sound;
}

DataSetCheck checkDataSet(const QString& connection, const QString& name, const QString& kind)
{
    const auto server = db::pg::ServerConnection::open(connection);
    const QString dataSet = name.trimmed().toLower();
    if (!db::pg::dataset::list(*server).contains(dataSet))
        return DataSetCheck::Missing;
    return holdsKind(*server, dataSet, kind) ? DataSetCheck::Sound : DataSetCheck::MissingTables;
}

} // namespace app
