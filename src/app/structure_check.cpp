#include "structure_check.h"

#include "data_paths.h"
#include "file_presence.h"
#include "module1.h"
#include "platform/db/db_error.h"
#include "platform/db/like_pattern.h"
#include "read_only.h"
#include "table_pattern.h"

#include <QStringList>

namespace app {

QStringList requiredTables(const QString& kind)
{
    if (kind == QLatin1String("vemogoc"))
        return {QStringLiteral("kehoachmau"), QStringLiteral("lichmau"), QStringLiteral("cvdenmau"),
                QStringLiteral("cvdimau")};
    if (kind == QLatin1String("vemotk"))
        return {QStringLiteral("donvi"),   QStringLiteral("bophan"), QStringLiteral("chutat"),
                QStringLiteral("noigui"),  QStringLiteral("loaicv"), QStringLiteral("inlich"),
                QStringLiteral("incvden"), QStringLiteral("incvdi")};
    if (kind == QLatin1String("vemocv"))
        return {QStringLiteral("cvdi*"), QStringLiteral("cvden*")};
    if (kind == QLatin1String("vemolich"))
        return {QStringLiteral("lich*"), QStringLiteral("kehoach*")};
    return {};
}

bool KiemtraMDB(const QString& path, const QString& kind)
{
    try {
        if (filePresence(path).isEmpty())
            return false;
        module1().thongbao.clear();
        if (!db::likeMatch(path.toLower(), u"*goc.mdb") && !clearReadOnly(path))
            return false;
        const QStringList tables = requiredTables(kind);
        if (tables.isEmpty())
            return false;
        db::Database file = db::Database::open(matchNameCase(path), kConnect, db::OpenMode::ReadOnly);
        bool complete = true;
        for (const QString& table : tables) {
            if (!hasTableLike(table, file)) {
                complete = false;
                break;
            }
        }
        file.close();
        return complete;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace app
