#include "kiemtra_query.h"

namespace app {

bool KiemtraQuery(const QString& name, db::Database& db)
{
    db.refreshQueryDefs();
    const QStringList names = db.queryNames();
    for (const QString& query : names) {
        if (query.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace app
