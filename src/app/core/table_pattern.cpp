#include "table_pattern.h"

#include "platform/jetsql/like_pattern.h"

namespace app {

bool hasTableLike(const QString& pattern, db::Database& db)
{
    db.refreshTableDefs();
    const QString lowered = pattern.toLower();
    const QStringList names = db.tableNames();
    for (const QString& name : names) {
        if (jetsql::likeMatch(name.toLower(), lowered))
            return true;
    }
    return false;
}

} // namespace app
