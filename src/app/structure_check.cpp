#include "structure_check.h"

#include "data_paths.h"
#include "file_presence.h"
#include "module1.h"
#include "platform/db/db_error.h"
#include "platform/db/file_recovery.h"
#include "platform/db/like_pattern.h"
#include "read_only.h"
#include "table_pattern.h"

#include <QFile>
#include <QStringList>

namespace app {
namespace {

// True when the file begins with SQLite's header: a file of the engine, though perhaps not ours.
bool hasEngineHeader(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

} // namespace

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

FileCheck checkDataFile(const QString& path, const QString& kind, bool clearAttribute)
{
    QString actual;
    try {
        if (filePresence(path).isEmpty())
            return FileCheck::Missing;
        actual = matchNameCase(path);
        module1().thongbao.clear();
        if (clearAttribute && !db::likeMatch(path.toLower(), u"*goc.mdb") && !clearReadOnly(path))
            return FileCheck::Unusable;
        if (db::recoverFile(actual) == db::Recovery::NotRecovered)
            return FileCheck::NeedsRecovery;
        const QStringList tables = requiredTables(kind);
        if (tables.isEmpty())
            return FileCheck::MissingTables;
        db::Database file = db::Database::open(actual, kConnect, db::OpenMode::ReadOnly);
        bool complete = true;
        for (const QString& table : tables) {
            if (!hasTableLike(table, file)) {
                complete = false;
                break;
            }
        }
        file.close();
        return complete ? FileCheck::Sound : FileCheck::MissingTables;
    } catch (const db::DbError& e) {
        switch (e.number()) {
        case db::errc::FileNotFound:
            return FileCheck::Missing;
        case db::errc::FileLocked:
            return FileCheck::Busy;
        case db::errc::InvalidPassword:
            return FileCheck::WrongPassword;
        case db::errc::NotADatabase:
            return hasEngineHeader(actual) ? FileCheck::Damaged : FileCheck::NotADataFile;
        default:
            return FileCheck::Damaged;
        }
    } catch (const std::exception&) {
        return FileCheck::Damaged;
    }
}

bool KiemtraMDB(const QString& path, const QString& kind)
{
    return checkDataFile(path, kind) == FileCheck::Sound;
}

} // namespace app
