#include "structure_check.h"

#include "data_paths.h"
#include "file_presence.h"
#include "logging.h"
#include "module1.h"
#include "platform/db/db_error.h"
#include "platform/db/file_recovery.h"
#include "platform/jetsql/like_pattern.h"
#include "read_only.h"
#include "run_time_error.h"
#include "table_pattern.h"

#include <QFile>
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

namespace {

StructureCheckResult& lastResult()
{
    static StructureCheckResult result;
    return result;
}

// True when the file begins with SQLite's header: a file of the engine, though perhaps not ours.
bool hasEngineHeader(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

FileCheck causeOf(const db::DbError& e, const QString& path)
{
    switch (e.number()) {
    case db::errc::FileNotFound:
        return FileCheck::Missing;
    case db::errc::FileLocked:
        return FileCheck::Busy;
    case db::errc::InvalidPassword:
        return FileCheck::WrongPassword;
    case db::errc::NotADatabase:
        return hasEngineHeader(path) ? FileCheck::Damaged : FileCheck::NotADataFile;
    default:
        return FileCheck::Damaged;
    }
}

FileCheck check(const QString& path, const QString& kind, bool clearAttribute, StructureCheckResult& result)
{
    if (filePresence(path).isEmpty())
        return FileCheck::Missing;
    const QString actual = matchNameCase(path);
    if (clearAttribute && !jetsql::likeMatch(path.toLower(), u"*goc.mdb") && !clearReadOnly(path))
        return FileCheck::Unusable;
    try {
        if (db::recoverFile(actual) == db::Recovery::NotRecovered)
            return FileCheck::NeedsRecovery;
        const QStringList tables = requiredTables(kind);
        if (tables.isEmpty())
            return FileCheck::MissingTables;
        db::Database file = db::Database::open(actual, kConnect, db::OpenMode::ReadOnly);
        for (const QString& table : tables) {
            if (!hasTableLike(table, file)) {
                result.missingTable = table;
                return FileCheck::MissingTables;
            }
        }
        return FileCheck::Sound;
    } catch (const db::DbError& e) {
        result.number = e.number();
        result.text = e.description();
        recordRunTimeError(e);
        return causeOf(e, actual);
    }
}

} // namespace

StructureCheckResult lastStructureCheck()
{
    return lastResult();
}

FileCheck checkDataFile(const QString& path, const QString& kind, bool clearAttribute)
{
    StructureCheckResult result;
    result.path = path;
    try {
        result.cause = check(path, kind, clearAttribute, result);
    } catch (const std::exception& e) {
        // A failure outside the engine (the folder cannot be listed, ...).
        result.cause = FileCheck::Damaged;
        result.number = runTimeErrorNumber(e);
        result.text = runTimeErrorText(e);
        recordRunTimeError(e);
    }
    if (result.cause != FileCheck::Sound)
        qCInfo(lcApp).noquote() << "structure check" << kind << "failed:" << path << static_cast<int>(result.cause)
                                << result.number << result.text << result.missingTable;
    lastResult() = result;
    return result.cause;
}

bool isSoundDataFile(const QString& path, const QString& kind)
{
    return checkDataFile(path, kind) == FileCheck::Sound;
}

} // namespace app
